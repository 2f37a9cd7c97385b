#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/CEditText.h"

Q_DECLARE_METATYPE(EditOutcome)

// The in-place edit field alone, inside a dialog whose OK button is the
// default, so keys the field must keep for itself would otherwise close it.
class CEditTextTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysEndTheEdit_data();
    void keysEndTheEdit();
    void arrowsInsideTheTextMoveTheCaret_data();
    void arrowsInsideTheTextMoveTheCaret();
    void arrowsOnAFreshlyOpenedCell();
    void focusMovingElsewhereDiscards();
    void onlyOneOutcomePerEdit();
    void afterTheOutcomeKeysAreOrdinary();

private:
    EditOutcome Last(const QSignalSpy& spy) { return spy.last().at(0).value<EditOutcome>(); }

    QDialog* dialog_ = nullptr;
    CEditText* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void CEditTextTest::init()
{
    qRegisterMetaType<EditOutcome>();
    dialog_ = new QDialog;
    auto* layout = new QVBoxLayout(dialog_);
    edit_ = new CEditText(dialog_);
    other_ = new QLineEdit(dialog_);
    auto* ok = new QPushButton("OK", dialog_);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, dialog_, &QDialog::accept);
    layout->addWidget(edit_);
    layout->addWidget(other_);
    layout->addWidget(ok);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    edit_->setText("123.5");
    edit_->selectAll();
    edit_->setFocus();
    edit_->Begin();
}

void CEditTextTest::cleanup()
{
    delete dialog_;
}

void CEditTextTest::keysEndTheEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("move");
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true << 0;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << 0;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << true << 1;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << true << 2;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << false << 0;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << true << 4;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << true << 3;
}

void CEditTextTest::keysEndTheEdit()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, accepted);
    QFETCH(int, move);
    QSignalSpy spy(edit_, &CEditText::Finished);
    QTest::keyClick(edit_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).accepted, accepted);
    QCOMPARE(int(Last(spy).move), move);
    QCOMPARE(edit_->Outcome(), Last(spy));
    // The dialog neither closes on Enter nor on Escape: the field kept them.
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->result(), 0);
    QCOMPARE(edit_->text(), QString("123.5"));
}

void CEditTextTest::arrowsInsideTheTextMoveTheCaret_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("caretAfter");
    QTest::addColumn<int>("move"); // -1: the edit goes on
    QTest::newRow("Left in the middle") << 2 << int(Qt::Key_Left) << 1 << -1;
    QTest::newRow("Left at the start") << 0 << int(Qt::Key_Left) << 0 << 3;
    QTest::newRow("Right in the middle") << 2 << int(Qt::Key_Right) << 3 << -1;
    QTest::newRow("Right at the end") << 5 << int(Qt::Key_Right) << 5 << 4;
}

void CEditTextTest::arrowsInsideTheTextMoveTheCaret()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, caretAfter);
    QFETCH(int, move);
    edit_->setCursorPosition(start);
    QSignalSpy spy(edit_, &CEditText::Finished);
    QTest::keyClick(edit_, Qt::Key(key));
    QCOMPARE(edit_->cursorPosition(), caretAfter);
    if (move < 0) {
        QCOMPARE(spy.count(), 0);
        QVERIFY(edit_->Editing());
    } else {
        QCOMPARE(spy.count(), 1);
        QVERIFY(Last(spy).accepted);
        QCOMPARE(int(Last(spy).move), move);
    }
}

// A cell opens with its whole text selected and the caret at the end: one
// Right goes on to the next cell, one Left only moves the caret.
void CEditTextTest::arrowsOnAFreshlyOpenedCell()
{
    QSignalSpy spy(edit_, &CEditText::Finished);
    QVERIFY(edit_->hasSelectedText());
    QTest::keyClick(edit_, Qt::Key_Left);
    QCOMPARE(spy.count(), 0);
    edit_->selectAll();
    QTest::keyClick(edit_, Qt::Key_Right);
    QCOMPARE(spy.count(), 1);
    QVERIFY(Last(spy).accepted);
    QCOMPARE(Last(spy).move, EditMove::Right);
}

void CEditTextTest::focusMovingElsewhereDiscards()
{
    QSignalSpy spy(edit_, &CEditText::Finished);
    QTest::keyClicks(edit_, "77");
    other_->setFocus(Qt::MouseFocusReason);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!Last(spy).accepted);
    QCOMPARE(Last(spy).move, EditMove::Stay);
    QVERIFY(edit_->isHidden());
}

void CEditTextTest::onlyOneOutcomePerEdit()
{
    QSignalSpy spy(edit_, &CEditText::Finished);
    QTest::keyClick(edit_, Qt::Key_Return);
    QTest::keyClick(edit_, Qt::Key_Down);
    other_->setFocus(Qt::MouseFocusReason);
    QCOMPARE(spy.count(), 1);
}

void CEditTextTest::afterTheOutcomeKeysAreOrdinary()
{
    QTest::keyClick(edit_, Qt::Key_Return);
    QSignalSpy spy(edit_, &CEditText::Finished);
    edit_->setFocus();
    edit_->setCursorPosition(5);
    QTest::keyClick(edit_, Qt::Key_Right);
    other_->setFocus(Qt::MouseFocusReason);
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(CEditTextTest)
#include "CEditTextTest.moc"
