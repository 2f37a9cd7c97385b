#include <QAbstractItemView>
#include <QTest>

#include "config/BarQuantities.h"
#include "config_ui/CBarDialog.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"

namespace {
constexpr int kPfRow = 5;
constexpr int kFullColumn = 1;
constexpr int kZeroColumn = 2;

} // namespace

class CBarDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rowsShowScaledValuesWithUnits();
    void clickOnAValueCellOpensTheEdit();
    void pfZeroAcceptsMinusHalf();
    void pfBelowMinusOneIsRejectedNamingPf();
    void arrowMovesToTheNextValueCell();

private:
    void Type(int row, int column, const QString& text, Qt::Key finish = Qt::Key_Return)
    {
        dialog_->OpenEditor(row, column);
        CEditText* edit = dialog_->Editor()->Edit();
        QVERIFY(edit->isVisible());
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, finish);
    }

    CBarDialog* dialog_ = nullptr;
    std::optional<CPromptFixture<>> prompts_;
};

void CBarDialogTest::init()
{
    prompts_.emplace();
    dialog_ = new CBarDialog(SetOf(kKtbGen3Modbus));
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
}

void CBarDialogTest::cleanup()
{
    delete dialog_;
    dialog_ = nullptr;
    prompts_.reset();
}

void CBarDialogTest::rowsShowScaledValuesWithUnits()
{
    CListCtrlInfoTip* list = dialog_->List();
    QCOMPARE(list->rowCount(), kBarQuantityCount);
    QCOMPARE(list->CellText(0, 0), QString("I"));
    QCOMPARE(list->CellText(0, kFullColumn), QString("5.000 (A)"));
    QCOMPARE(list->CellText(kPfRow, kFullColumn), QString("1.0000 (cosfi)"));
    QCOMPARE(list->CellText(8, 0), QString("PHASE DIF"));
    QCOMPARE(list->CellText(8, kZeroColumn), QString("-180 (Deg)"));
}

void CBarDialogTest::clickOnAValueCellOpensTheEdit()
{
    CListCtrlInfoTip* list = dialog_->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->CellRect(1, kZeroColumn).center());
    QVERIFY(dialog_->Editor()->IsEditing());
    QCOMPARE(dialog_->Editor()->Edit()->text(), QString("0.00"));
    dialog_->Editor()->HideEditors();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CellRect(1, 0).center());
    QVERIFY(!dialog_->Editor()->IsEditing());
}

void CBarDialogTest::pfZeroAcceptsMinusHalf()
{
    Type(kPfRow, kZeroColumn, "-0.5");
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(dialog_->Parameters().Get32(134), -5000);
    QCOMPARE(dialog_->List()->CellText(kPfRow, kZeroColumn), QString("-0.5000 (cosfi)"));
}

void CBarDialogTest::pfBelowMinusOneIsRejectedNamingPf()
{
    Type(kPfRow, kZeroColumn, "-1.0001");
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{"You should input PF within the range of -1.0000 - 1.0000."});
    QCOMPARE(dialog_->Parameters().Get32(134), 0);
    QCOMPARE(dialog_->List()->CellText(kPfRow, kZeroColumn), QString("0.0000 (cosfi)"));
}

void CBarDialogTest::arrowMovesToTheNextValueCell()
{
    Type(2, kFullColumn, "12.5", Qt::Key_Down); // P is an integer field
    QCOMPARE(prompts_->shown.size(), size_t(1));
    QCOMPARE(dialog_->Parameters().Get32(120), 1500);
    QVERIFY(!dialog_->Editor()->IsEditing());

    Type(2, kFullColumn, "2500", Qt::Key_Down);
    QCOMPARE(dialog_->Parameters().Get32(120), 2500);
    QVERIFY(dialog_->Editor()->IsEditing());
    QCOMPARE(dialog_->Editor()->Edit()->text(), QString("1500")); // Q 100%
    QTest::keyClick(dialog_->Editor()->Edit(), Qt::Key_End);
    QTest::keyClick(dialog_->Editor()->Edit(), Qt::Key_Right);
    QCOMPARE(dialog_->Editor()->Edit()->text(), QString("0")); // Q 0%
    QTest::keyClick(dialog_->Editor()->Edit(), Qt::Key_End);
    QTest::keyClick(dialog_->Editor()->Edit(), Qt::Key_Right);
    QVERIFY(!dialog_->Editor()->IsEditing()); // no value cell to the right
}

QTEST_MAIN(CBarDialogTest)
#include "CBarDialogTest.moc"
