#include <QAbstractItemView>
#include <QTest>

#include "config/SigmaDisplay.h"
#include "config_ui/CDisplaySigmaDialog.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/ScriptedPrompts.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"

namespace {
constexpr int kValueColumn = 1;

} // namespace

class CDisplaySigmaDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void ktaSecondGenerationHasSixteenRowsLineFourReadOnly();
    void ktbHasTwentyFourRowsAndEnergyOnLineFour();
    void chosenEntryStoresItsCode();
    void cancelledListKeepsTheCode();

private:
    void Open(const ParameterSet& set)
    {
        delete dialog_;
        dialog_ = new CDisplaySigmaDialog(set);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
    }
    void Click(int row)
    {
        CListCtrlInfoTip* list = dialog_->List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->CellRect(row, kValueColumn).center());
    }
    void Choose(int index)
    {
        CEditComboBox* combo = dialog_->Editor()->List();
        const QModelIndex entry = combo->model()->index(index, 0);
        combo->view()->scrollTo(entry);
        QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {},
                          combo->view()->visualRect(entry).center());
    }

    CDisplaySigmaDialog* dialog_ = nullptr;
};

void CDisplaySigmaDialogTest::cleanup()
{
    delete dialog_;
    dialog_ = nullptr;
}

void CDisplaySigmaDialogTest::ktaSecondGenerationHasSixteenRowsLineFourReadOnly()
{
    Open(SetOf(kKtaGen3Modbus));
    CListCtrlInfoTip* list = dialog_->List();
    QCOMPARE(list->rowCount(), 16);
    QCOMPARE(list->CellText(15, 0), QString("Sigma4 line4"));
    QCOMPARE(list->CellText(0, kValueColumn), QString("I / Current"));
    for (int row = 0; row < 16; ++row) {
        Click(row);
        QCOMPARE(dialog_->Editor()->IsEditing(), row % 4 != 3);
        dialog_->Editor()->HideEditors();
    }
    Click(2); // line 3 offers (NULL), U, PF, F with PF selected
    CEditComboBox* combo = dialog_->Editor()->List();
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->currentText(), QString("PF / Power factor"));
}

void CDisplaySigmaDialogTest::ktbHasTwentyFourRowsAndEnergyOnLineFour()
{
    Open(SetOf(kKtbGen3Modbus));
    QCOMPARE(dialog_->List()->rowCount(), 24);
    Click(3);
    CEditComboBox* combo = dialog_->Editor()->List();
    const SigmaItemList items = SigmaItemsFor(dialog_->Parameters().type.Caps(), 3);
    QCOMPARE(combo->count(), int(items.codes.size()));
    QCOMPARE(combo->currentText(), QString("EP / Active energy, incoming"));
    QCOMPARE(combo->currentIndex(), items.measuredCount);
}

void CDisplaySigmaDialogTest::chosenEntryStoresItsCode()
{
    Open(SetOf(kKtbGen3Modbus));
    Click(7);
    const SigmaItemList items = SigmaItemsFor(dialog_->Parameters().type.Caps(), 7);
    const int last = int(items.codes.size()) - 1;
    Choose(last);
    QTRY_VERIFY(!dialog_->Editor()->IsEditing());
    QCOMPARE(int(dialog_->Parameters()[SigmaRowWord(7)]), items.codes.back());
    QCOMPARE(dialog_->List()->CellText(7, kValueColumn), dialog_->Editor()->List()->itemText(last));
}

void CDisplaySigmaDialogTest::cancelledListKeepsTheCode()
{
    Open(SetOf(kKtaGen3Modbus));
    Click(1);
    QTest::keyClick(dialog_->Editor()->List()->view(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog_->Editor()->IsEditing());
    QCOMPARE(int(dialog_->Parameters()[SigmaRowWord(1)]), 3);
    QCOMPARE(dialog_->List()->CellText(1, kValueColumn), QString("P / Active power"));
}

QTEST_MAIN(CDisplaySigmaDialogTest)
#include "CDisplaySigmaDialogTest.moc"
