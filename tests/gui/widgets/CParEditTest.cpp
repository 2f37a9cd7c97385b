#include <QAbstractItemView>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <map>

#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"

Q_DECLARE_METATYPE(ParEditResult)

namespace {
// A settings dialog in miniature: a grid of stored numbers edited in place
// the way the settings dialogs do it (store on a result, refuse "bad" and
// keep the field open, follow the move to the neighbouring cell).
class GridDialog : public QDialog {
public:
    GridDialog()
    {
        auto* layout = new QVBoxLayout(this);
        grid = new CDataGridView(this);
        grid->SetHeaders({{999, 0, 0}, {5550, 1, 0}, {5551, 2, 0}, {5500, 0, 1}, {5501, 0, 2}}, 80);
        for (int c = 1; c <= 2; ++c)
            for (int r = 1; r <= 2; ++r)
                grid->SetValueText(c, r, QString::number(10 * c + r));
        grid->SetSelectable(true);
        other = new QLineEdit(this);
        auto* ok = new QPushButton("OK", this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        layout->addWidget(grid);
        layout->addWidget(other);
        layout->addWidget(ok);
        editor = new CParEdit(grid);
        connect(grid, &CDataGridView::EditRequested, this,
                [this](int c, int r, const QString& start) { Open(c, r, start); });
        connect(editor, &CParEdit::EditFinished, this, [this](const ParEditResult& r) {
            if (r.kind == ParEditKind::Text && r.text == "bad") {
                editor->ReopenEdit();
                return;
            }
            if (r.kind == ParEditKind::Text)
                grid->SetValueText(r.column, r.row, r.text);
            if (const auto next = grid->Neighbour(r.column, r.row, r.move)) {
                grid->Select(next->column, next->row);
                Open(next->column, next->row, QString());
            }
        });
    }
    void Open(int c, int r, const QString& start)
    {
        editor->ShowEdit(c, r, grid->CellLabelRect(c, r), grid->ValueText(c, r), start);
    }
    CDataGridView* grid;
    QLineEdit* other;
    CParEdit* editor;
};
} // namespace

class CParEditTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void editorLiesOverTheCellRaisedByOnePixel();
    void enterStoresTheValue();
    void clickingElsewhereDiscardsTheTypedText();
    void escapeDiscardsWithoutClosingTheDialog();
    void rightInTheMiddleMovesTheCaretAtTheEndOpensTheNextCell();
    void downAtTheLastRowStoresAndCloses();
    void typedCharacterStartsTheEdit();
    void refusedValueKeepsTheFieldOpenSelected();
    void listChoiceReportsTheIndex();
    void cancelledListStoresNothing();
    void listMoveReportsTheDirection();
    void dialogEndingClosesAnOpenEditor();
    void alarmListCellEnterStoresClickElsewhereDiscards();

private:
    ParEditResult Last(const QSignalSpy& spy) { return spy.last().at(0).value<ParEditResult>(); }

    GridDialog* dialog_ = nullptr;
};

void CParEditTest::init()
{
    qRegisterMetaType<ParEditResult>();
    dialog_ = new GridDialog;
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
}

void CParEditTest::cleanup()
{
    delete dialog_;
}

void CParEditTest::editorLiesOverTheCellRaisedByOnePixel()
{
    dialog_->Open(2, 1, QString());
    const QRect cell = dialog_->grid->CellLabelRect(2, 1);
    CEditText* edit = dialog_->editor->Edit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->parentWidget(), dialog_->grid);
    QCOMPARE(edit->geometry().top(), cell.top() - 1);
    QCOMPARE(edit->geometry().left(), cell.left());
    QCOMPARE(edit->geometry().bottom(), cell.bottom());
    QCOMPARE(edit->selectedText(), QString("21"));
    QVERIFY(edit->hasFocus());
    QVERIFY(dialog_->editor->List()->isHidden());
}

void CParEditTest::enterStoresTheValue()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->Open(1, 1, QString());
    QTest::keyClicks(dialog_->editor->Edit(), "42");
    QTest::keyClick(dialog_->editor->Edit(), Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::Text);
    QCOMPARE(Last(spy).text, QString("42"));
    QCOMPARE(Last(spy).move, EditMove::Stay);
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("42"));
    QVERIFY(dialog_->editor->Edit()->isHidden());
    QVERIFY(dialog_->isVisible()); // Enter did not reach the OK button
    QVERIFY(dialog_->grid->hasFocus());
}

void CParEditTest::clickingElsewhereDiscardsTheTypedText()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->Open(1, 1, QString());
    QTest::keyClicks(dialog_->editor->Edit(), "42");
    QTest::mouseClick(dialog_->other, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::Nothing);
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("11"));
    QVERIFY(dialog_->editor->Edit()->isHidden());
}

void CParEditTest::escapeDiscardsWithoutClosingTheDialog()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->Open(1, 1, QString());
    QTest::keyClicks(dialog_->editor->Edit(), "42");
    QTest::keyClick(dialog_->editor->Edit(), Qt::Key_Escape);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::Nothing);
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("11"));
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->result(), 0);
}

void CParEditTest::rightInTheMiddleMovesTheCaretAtTheEndOpensTheNextCell()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->grid->Select(1, 2);
    dialog_->Open(1, 2, QString());
    CEditText* edit = dialog_->editor->Edit();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "5"); // "125"
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_Right);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(edit->cursorPosition(), 2);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Right);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).move, EditMove::Right);
    QCOMPARE(dialog_->grid->ValueText(1, 2), QString("125"));
    // The editor is open again, on the cell to the right.
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QString("22"));
    QCOMPARE(edit->geometry().left(), dialog_->grid->CellLabelRect(2, 2).left());
    QCOMPARE(dialog_->grid->SelectedColumn(), 2);
    QVERIFY(dialog_->editor->IsEditing());
}

void CParEditTest::downAtTheLastRowStoresAndCloses()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->Open(2, 2, QString());
    QTest::keyClicks(dialog_->editor->Edit(), "7");
    QTest::keyClick(dialog_->editor->Edit(), Qt::Key_Down);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(dialog_->grid->ValueText(2, 2), QString("7"));
    QVERIFY(!dialog_->editor->IsEditing());
    QVERIFY(dialog_->editor->Edit()->isHidden());
}

void CParEditTest::typedCharacterStartsTheEdit()
{
    dialog_->grid->setFocus();
    dialog_->grid->Select(2, 1);
    QTest::keyClick(dialog_->grid, Qt::Key_9);
    CEditText* edit = dialog_->editor->Edit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QString("9"));
    QCOMPARE(edit->cursorPosition(), 1);
    QTest::keyClicks(edit, "5");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog_->grid->ValueText(2, 1), QString("95"));
}

void CParEditTest::refusedValueKeepsTheFieldOpenSelected()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->Open(1, 1, "b");
    QTest::keyClicks(dialog_->editor->Edit(), "ad");
    QTest::keyClick(dialog_->editor->Edit(), Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
    CEditText* edit = dialog_->editor->Edit();
    QVERIFY(edit->isVisible());
    QVERIFY(dialog_->editor->IsEditing());
    QCOMPARE(edit->selectedText(), QString("bad"));
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("11"));
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("3"));
}

void CParEditTest::listChoiceReportsTheIndex()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->editor->ShowList(1, 1, dialog_->grid->CellLabelRect(1, 1), {"A", "B", "C"}, 1);
    CEditComboBox* list = dialog_->editor->List();
    QVERIFY(list->view()->isVisible()); // dropped down at once
    QCOMPARE(list->currentIndex(), 1);
    const QRect entry = list->view()->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::ListChoice);
    QCOMPARE(Last(spy).listIndex, 2);
    QVERIFY(list->isHidden());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void CParEditTest::cancelledListStoresNothing()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->editor->ShowList(1, 1, dialog_->grid->CellLabelRect(1, 1), {"A", "B"}, 0);
    QTest::keyClick(dialog_->editor->List()->view(), Qt::Key_Escape);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::Nothing);
    QVERIFY(dialog_->isVisible());
}

void CParEditTest::listMoveReportsTheDirection()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->editor->ShowList(2, 1, dialog_->grid->CellLabelRect(2, 1), {"A", "B"}, 1);
    QTest::keyClick(dialog_->editor->List()->view(), Qt::Key_Left);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::ListChoice);
    QCOMPARE(Last(spy).listIndex, 1);
    QCOMPARE(Last(spy).move, EditMove::Left);
    QCOMPARE(Last(spy).column, 2);
    // The dialog followed the move and opened the edit on the left neighbour.
    QVERIFY(dialog_->editor->Edit()->isVisible());
    QCOMPARE(dialog_->editor->Edit()->text(), QString("11"));
}

void CParEditTest::dialogEndingClosesAnOpenEditor()
{
    QSignalSpy spy(dialog_->editor, &CParEdit::EditFinished);
    dialog_->editor->DialogEnded();
    QCOMPARE(spy.count(), 0); // nothing was open
    dialog_->Open(1, 1, "4");
    dialog_->editor->DialogEnded();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).kind, ParEditKind::Nothing);
    QVERIFY(dialog_->editor->Edit()->isHidden());
    QCOMPARE(dialog_->grid->ValueText(1, 1), QString("11"));
}

void CParEditTest::alarmListCellEnterStoresClickElsewhereDiscards()
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new CListCtrlInfoTip(&dialog);
    auto* other = new QLineEdit(&dialog);
    layout->addWidget(list);
    layout->addWidget(other);
    list->SetColumns({"Name", "High setpoint", "Low setpoint"}, {0.4, 0.3});
    list->SetCellText(0, 0, "F");
    list->SetCellText(0, 1, "65.00 (Hz)");
    CParEdit editor(list->viewport());
    std::map<int, QString> stored;
    connect(&editor, &CParEdit::EditFinished, &dialog, [&](const ParEditResult& r) {
        if (r.kind == ParEditKind::Text)
            stored[r.column] = r.text;
    });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    editor.ShowEdit(1, 0, list->CellRect(0, 1), "65.00");
    QTest::keyClicks(editor.Edit(), "50.00");
    QTest::keyClick(editor.Edit(), Qt::Key_Return);
    QCOMPARE(stored[1], QString("50.00"));

    editor.ShowEdit(2, 0, list->CellRect(0, 2), "45.00");
    QTest::keyClicks(editor.Edit(), "46.00");
    QTest::mouseClick(other, Qt::LeftButton);
    QVERIFY(!stored.count(2));
    QVERIFY(editor.Edit()->isHidden());
}

QTEST_MAIN(CParEditTest)
#include "CParEditTest.moc"
