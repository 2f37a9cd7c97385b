#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app/CPrivateException.h"

#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CInput2Page.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
// The variant's defaults, configured by the PC so that the page's edits are enabled.
ParameterSet PcConfiguredSetOf(int typeId)
{
    ParameterSet set = SetOf(typeId);
    set[MainWord::ConfigurationMode] = 1;
    return set;
}
} // namespace

class CInput2PageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutFollowsIoWord4_data();
    void layoutFollowsIoWord4();
    void sensorOfCircuitAIsCopiedToB();
    void primaryOutsideTheRangeKeepsTheEditOpen();
    void primaryCommitMovesToTheNextCell();
    void singleWireClearsAndLocksTheLocations();
    void wiringChangeKeepsChannelEdits();
    void vtEditsOfThePageAreRead();

private:
    void Open(const ParameterSet& set)
    {
        delete dialog_;
        last_ = set;
        dialog_ = new CBasicParameterDialog(last_);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_));
        page_ = dialog_->InputPage();
        grid_ = page_->Grid();
    }

    ParameterSet last_;
    CBasicParameterDialog* dialog_ = nullptr;
    CInput2Page* page_ = nullptr;
    CDataGridView* grid_ = nullptr;
    std::optional<CPromptFixture<>> prompts_;
};

void CInput2PageTest::init()
{
    prompts_.emplace();
}

void CInput2PageTest::cleanup()
{
    delete dialog_;
    dialog_ = nullptr;
    prompts_.reset();
}

void CInput2PageTest::layoutFollowsIoWord4_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lastSensorWord");
    QTest::newRow("QG, one input") << 37 << 3 << 2 << 34;
    QTest::newRow("QG, two inputs") << 38 << 3 << 3 << 48;
    QTest::newRow("ZN, four circuits") << 83 << 4 << 5 << 66;
    QTest::newRow("QH, eight") << 52 << 3 << 9 << 83;
    QTest::newRow("QH, sixteen") << 64 << 6 << 9 << 107;
    QTest::newRow("ZM, other") << 80 << 3 << 2 << 34;
}

void CInput2PageTest::layoutFollowsIoWord4()
{
    QFETCH(int, typeId);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, lastSensorWord);
    Open(PcConfiguredSetOf(typeId));
    QVERIFY(page_->isVisible());
    QCOMPARE(grid_->ColumnCount(), columns);
    QCOMPARE(grid_->RowCount(), rows);
    ChannelCell last;
    for (const auto& cell : page_->Layout().cells)
        if (cell.kind == ChannelCellKind::Sensor)
            last = cell;
    QCOMPARE(last.word, lastSensorWord);
    QCOMPARE(grid_->ValueText(last.column, last.row),
             QString::fromStdString(ChannelCellText(last, page_->Parameters())));
    // A header cell is never edited.
    page_->OpenEditor(0, 1);
    QVERIFY(!page_->Editor()->IsEditing());
}

void CInput2PageTest::sensorOfCircuitAIsCopiedToB()
{
    Open(PcConfiguredSetOf(kZnepw));
    QVERIFY(grid_->IsReadOnly(1, 2));
    QVERIFY(grid_->IsReadOnly(1, 4));
    page_->OpenEditor(1, 2); // circuit B follows A
    QVERIFY(!page_->Editor()->IsEditing());

    page_->OpenEditor(1, 1);
    CEditComboBox* list = page_->Editor()->List();
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 6);
    const QRect entry = list->view()->visualRect(list->model()->index(3, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QCOMPARE(int(page_->Parameters()[34]), 3);
    QCOMPARE(int(page_->Parameters()[48]), 3);
    QCOMPARE(grid_->ValueText(1, 2), UiText(5603));

    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[34]), 3);
    QCOMPARE(int(dialog_->WorkingSet()[48]), 3);
}

void CInput2PageTest::primaryOutsideTheRangeKeepsTheEditOpen()
{
    Open(PcConfiguredSetOf(kZnepw));
    page_->OpenEditor(2, 1);
    CEditText* edit = page_->Editor()->Edit();
    QVERIFY(edit->isVisible());
    QTest::keyClicks(edit, "20001");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Primary current", "1", "20000"})});
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QString("20001"));
    QCOMPARE(edit->selectedText(), QString("20001"));
    QCOMPARE(int(page_->Parameters()[33]), int(last_[33]));
}

void CInput2PageTest::primaryCommitMovesToTheNextCell()
{
    Open(PcConfiguredSetOf(kZnepw));
    // A typed character opens the edit and is kept.
    grid_->Select(2, 1);
    grid_->setFocus();
    QTest::keyClick(grid_, Qt::Key_2);
    CEditText* edit = page_->Editor()->Edit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QString("2"));
    QTest::keyClicks(edit, "50");
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(int(page_->Parameters()[33]), 250);
    QCOMPARE(grid_->ValueText(2, 1), QString("250"));
    QVERIFY(edit->isVisible());
    QCOMPARE(grid_->SelectedRow(), 2);
    QCOMPARE(grid_->SelectedColumn(), 2);
}

void CInput2PageTest::singleWireClearsAndLocksTheLocations()
{
    ParameterSet set = PcConfiguredSetOf(kZnepw);
    set[MainWord::System] = 0;
    for (int w : {35, 49, 58, 67})
        set[w] = 2;
    Open(set);
    for (int w : {35, 49, 58, 67}) {
        QCOMPARE(int(dialog_->WorkingSet()[w]), 0);
        QCOMPARE(int(page_->Parameters()[w]), 0);
    }
    for (int row = 1; row <= 4; ++row)
        QVERIFY(grid_->IsReadOnly(3, row));

    auto* system = FindControl<QComboBox>(dialog_, MainControl::System);
    system->setCurrentIndex(3); // code 5
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::System]), 5);
    QVERIFY(!grid_->IsReadOnly(3, 1));
    page_->OpenEditor(3, 1);
    QCOMPARE(page_->Editor()->List()->count(), 3);
    QCOMPARE(page_->Editor()->List()->itemText(2), UiText(6102));
}

void CInput2PageTest::wiringChangeKeepsChannelEdits()
{
    Open(PcConfiguredSetOf(kQhModbusEx8));
    page_->VtPrimaryEdit()->setText("6600");
    page_->OpenEditor(2, 3);
    QTest::keyClicks(page_->Editor()->Edit(), "750");
    QTest::keyClick(page_->Editor()->Edit(), Qt::Key_Return);
    FindControl<QComboBox>(dialog_, MainControl::System)->setCurrentIndex(1);
    QCOMPARE(int(page_->Parameters()[56]), 750);
    QCOMPARE(page_->VtPrimaryEdit()->text(), QString("6600"));
    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[56]), 750);
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::System]), 1);
    QCOMPARE(dialog_->WorkingSet().Get32(MainWord::VtPrimary), 6600);
}

void CInput2PageTest::vtEditsOfThePageAreRead()
{
    Open(PcConfiguredSetOf(kZmAo));
    page_->VtSecondaryEdit()->setText("501");
    try {
        dialog_->ReadControls();
        QFAIL("accepted a secondary voltage of 501");
    } catch (const CPrivateException& e) {
        QCOMPARE(e.Text(), FormatText(11000, {"Secondary voltage", "50", "500"}));
    }
    page_->VtSecondaryEdit()->setText("220");
    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::VtSecondary]), 220);
}

QTEST_MAIN(CInput2PageTest)
#include "CInput2PageTest.moc"
