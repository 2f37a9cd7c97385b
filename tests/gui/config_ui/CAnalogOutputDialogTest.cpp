#include <QHeaderView>
#include <QTest>

#include "config/AnalogOutputTable.h"
#include "config_ui/CAnalogOutputDialog.h"
#include "device/CSettingsStocker.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
ParEditResult ListChoice(int column, int row, int index)
{
    ParEditResult result;
    result.kind = ParEditKind::ListChoice;
    result.column = column;
    result.row = row;
    result.listIndex = index;
    return result;
}

// Row numbers of the ZM list, which starts with "Output type".
constexpr int kZmOutputType = 0;
constexpr int kZmOutput0 = 6;
constexpr int kZmOutput100 = 8;
} // namespace

class CAnalogOutputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void columnsAndRowsByVariant();
    void zmOutputTypeChangeResetsTheColumn();
    void zmSameOutputTypeKeepsTheColumn();
    void numericCellIsStoredOnEnter();
    void invalidNumberKeepsTheOldValue();
    void inputListWithoutNeutralItems();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void CAnalogOutputDialogTest::init()
{
    prompts_.emplace();
}

void CAnalogOutputDialogTest::cleanup()
{
    prompts_.reset();
}

void CAnalogOutputDialogTest::columnsAndRowsByVariant()
{
    CAnalogOutputDialog four(SetOf(71));
    CListCtrlInfoTip* list = FindControl<CListCtrlInfoTip>(&four, kAoListControl);
    QVERIFY(list);
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->rowCount(), 28);
    QCOMPARE(list->horizontalHeaderItem(4)->text(), QString("Ao4"));
    QCOMPARE(list->CellText(0, 0), QString("Input"));
    QCOMPARE(list->CellText(5, 1), QString("4.00 (mA)"));
    QCOMPARE(list->CellText(27, 0), QString("Table Y[9]"));

    CAnalogOutputDialog volts(SetOf(72));
    QCOMPARE(volts.List()->CellText(5, 2), QString("1.000 (V)"));

    CAnalogOutputDialog two(SetOf(73));
    QCOMPARE(two.List()->columnCount(), 3);

    CAnalogOutputDialog zm(SetOf(80));
    QCOMPARE(zm.List()->columnCount(), 2);
    QCOMPARE(zm.List()->rowCount(), 29);
    QCOMPARE(zm.List()->CellText(0, 0), QString("Output type"));
    QCOMPARE(zm.List()->CellText(0, 1), QString("0 - 20mA DC"));
}

void CAnalogOutputDialogTest::zmOutputTypeChangeResetsTheColumn()
{
    ParameterSet set = SetOf(80);
    for (int i = 0; i < 10; ++i)
        set[369 + 2 * i] = 1200;
    CAnalogOutputDialog dialog(set);
    dialog.OpenEditor(1, kZmOutputType);
    QVERIFY(dialog.Editor()->List()->isVisible() || dialog.Editor()->IsEditing());
    QCOMPARE(dialog.Editor()->List()->count(), 3);
    QCOMPARE(dialog.Editor()->List()->currentIndex(), 0);
    dialog.Editor()->HideEditors();
    dialog.EditFinished(ListChoice(1, kZmOutputType, 1)); // "-5 - +5V DC"

    const ParameterSet& after = dialog.Parameters();
    QCOMPARE(int(after[359]), 1);
    QCOMPARE(int(after[365]), 0);
    QCOMPARE(int(after[367]), 5000);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(int(after[369 + 2 * i]), 0);
    QCOMPARE(dialog.List()->CellText(kZmOutputType, 1), QString("-5 - +5V DC"));
    QCOMPARE(dialog.List()->CellText(kZmOutput0, 1), QString("0.000 (V)"));
    QCOMPARE(dialog.List()->CellText(kZmOutput100, 1), QString("5.000 (V)"));
    QCOMPARE(dialog.List()->CellText(28, 1), QString("0.000 (V)"));

    // The output rows now take the limits of the new type.
    dialog.OpenEditor(1, kZmOutput100);
    dialog.Editor()->Edit()->setText("5.75");
    QTest::keyClick(dialog.Editor()->Edit(), Qt::Key_Return);
    QCOMPARE(int(dialog.Parameters()[367]), 5750);
    QVERIFY(prompts_->shown.empty());
}

void CAnalogOutputDialogTest::zmSameOutputTypeKeepsTheColumn()
{
    ParameterSet set = SetOf(80);
    set[359] = 1; // "-5 - +5V DC"
    set[365] = std::uint16_t(-2500);
    set[367] = 4500;
    for (int i = 0; i < 10; ++i)
        set[369 + 2 * i] = std::uint16_t(100 * i);
    CAnalogOutputDialog dialog(set);
    dialog.OpenEditor(1, kZmOutputType);
    QCOMPARE(dialog.Editor()->List()->currentIndex(), 1);
    dialog.Editor()->HideEditors();
    // Confirming the shown type (or leaving the cell with an arrow key) is no change.
    dialog.EditFinished(ListChoice(1, kZmOutputType, 1));
    QVERIFY(dialog.Parameters().words == set.words);
    QCOMPARE(dialog.List()->CellText(kZmOutput0, 1), QString("-2.500 (V)"));
}

void CAnalogOutputDialogTest::numericCellIsStoredOnEnter()
{
    CAnalogOutputDialog dialog(SetOf(71));
    dialog.OpenEditor(2, 1); // Ao2 Adjust zero
    CEditText* edit = dialog.Editor()->Edit();
    QCOMPARE(edit->text(), QString("0.00"));
    edit->setText("-1.25");
    QTest::keyClick(edit, Qt::Key_Down); // stores and opens the cell below
    QCOMPARE(int(std::int16_t(dialog.Parameters()[388 + 2])), -125);
    QCOMPARE(dialog.List()->CellText(1, 2), QString("-1.25 (%)"));
    QVERIFY(dialog.Editor()->IsEditing());
    QCOMPARE(dialog.Editor()->Edit()->text(), QString("100.00")); // Adjust span
}

void CAnalogOutputDialogTest::invalidNumberKeepsTheOldValue()
{
    const ParameterSet set = SetOf(71);
    CAnalogOutputDialog dialog(set);
    dialog.OpenEditor(1, 5); // Ao1 Output 0 %: 1.60 to 22.40 mA
    dialog.Editor()->Edit()->setText("1.59");
    QTest::keyClick(dialog.Editor()->Edit(), Qt::Key_Return);
    QCOMPARE(prompts_->shown.size(), size_t(1));
    QVERIFY(QString::fromStdString(prompts_->shown[0].text).contains("Output 0%"));
    QVERIFY(dialog.Parameters().words == set.words);
    QCOMPARE(dialog.List()->CellText(5, 1), QString("4.00 (mA)"));
}

void CAnalogOutputDialogTest::inputListWithoutNeutralItems()
{
    ParameterSet set = SetOf(2); // first KTB generation, 4-20 mA
    set[360] = 12;
    CAnalogOutputDialog dialog(set);
    dialog.OpenEditor(1, 0);
    CEditComboBox* list = dialog.Editor()->List();
    QCOMPARE(list->count(), 40);
    QCOMPARE(list->currentText(), UiText(3612));
    dialog.Editor()->HideEditors();
    dialog.EditFinished(ListChoice(1, 0, 39));
    QCOMPARE(int(dialog.Parameters()[360]), 44);
    QCOMPARE(dialog.List()->CellText(0, 1), UiText(3644));
}

QTEST_MAIN(CAnalogOutputDialogTest)
#include "CAnalogOutputDialogTest.moc"
