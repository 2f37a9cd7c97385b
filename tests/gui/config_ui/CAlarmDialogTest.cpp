#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "config/AlarmSettings.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CAlarmDialog.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "config_ui/SettingsDialogs.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
constexpr int kRowIn = 1;
constexpr int kRowF = 8;
constexpr int kRowUt = 18;

int Col(AlarmColumn c)
{
    return int(c);
}
} // namespace

class CAlarmDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void oneDoListStillShowsAStoredDo4();
    void zmSecondOutputIsStoredAsCode2();
    void frequencyOutsideItsLimitsIsRefused();
    void rowsThatDoNotApplyAreGreyAndEmpty_data();
    void rowsThatDoNotApplyAreGreyAndEmpty();
    void enterStoresAndArrowsMoveOverApplyingRows();
    void clickingElsewhereDiscardsTheTypedText();
    void okReadsDelayAndLatching();
    void okWithABadDelayStaysOpen();
    void cancelLeavesTheSetUnchanged();
    void untouchedOkKeepsEveryDefaultSet();
    void alarmButtonOpensThisDialog();

private:
    void Open(const ParameterSet& set)
    {
        dialog_ = std::make_unique<CAlarmDialog>(set);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
        list_ = dialog_->List();
    }
    void Click(int row, int column)
    {
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {},
                          list_->CellRect(row, column).center());
    }
    CEditText* Edit() const { return dialog_->Editor()->Edit(); }
    const ParameterSet& Set() const { return dialog_->Parameters(); }

    std::unique_ptr<CAlarmDialog> dialog_;
    CListCtrlInfoTip* list_ = nullptr;
    std::optional<CPromptFixture<>> prompts_;
};

void CAlarmDialogTest::init()
{
    prompts_.emplace();
}

void CAlarmDialogTest::cleanup()
{
    dialog_.reset();
    prompts_.reset();
}

void CAlarmDialogTest::oneDoListStillShowsAStoredDo4()
{
    ParameterSet set = SetOf(kKtaGen1Modbus);
    set[AlarmItemWord(0, AlarmWord::Output)] = 5;
    set[AlarmItemWord(2, AlarmWord::Output)] = 1;
    Open(set);
    QCOMPARE(list_->CellText(0, Col(AlarmColumn::Output)), QString("Display + Do4"));

    Click(0, Col(AlarmColumn::Output));
    CEditComboBox* list = dialog_->Editor()->List();
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->currentIndex(), 5);
    QCOMPARE(list->itemText(5), QString("Display + Do4"));
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog_->Editor()->IsEditing());

    // Another row of the same device offers only what the device has.
    Click(2, Col(AlarmColumn::Output));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(2), QString("Display + Do1"));
}

void CAlarmDialogTest::zmSecondOutputIsStoredAsCode2()
{
    Open(SetOf(kZmDo));
    QCOMPARE(list_->CellText(kRowF, Col(AlarmColumn::Output)), QString("DIsable"));
    Click(kRowF, Col(AlarmColumn::Output));
    CEditComboBox* list = dialog_->Editor()->List();
    QCOMPARE(list->count(), 2);
    const QRect entry = list->view()->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QTRY_VERIFY(!dialog_->Editor()->IsEditing());
    QCOMPARE(int(Set()[AlarmItemWord(kRowF, AlarmWord::Output)]), 2);
    QCOMPARE(list_->CellText(kRowF, Col(AlarmColumn::Output)), QString("Do1"));

    // Reopened, the stored code 2 is the second entry.
    Click(kRowF, Col(AlarmColumn::Output));
    QCOMPARE(list->currentIndex(), 1);
}

void CAlarmDialogTest::frequencyOutsideItsLimitsIsRefused()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set.Set32(AlarmItemWord(kRowF, AlarmWord::LowSetpoint), 4900);
    Open(set);
    Click(kRowF, Col(AlarmColumn::LowSetpoint));
    QVERIFY(Edit()->isVisible());
    QCOMPARE(Edit()->selectedText(), QString("49.00"));
    QTest::keyClicks(Edit(), "44.99");
    QTest::keyClick(Edit(), Qt::Key_Down);
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Low setpoint", "45.00", "65.00"})});
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    QCOMPARE(Set().Get32(AlarmItemWord(kRowF, AlarmWord::LowSetpoint)), 4900);
    QCOMPARE(list_->CellText(kRowF, Col(AlarmColumn::LowSetpoint)), QString("49.00 (Hz)"));
    // The editor closed and did not follow the move.
    QVERIFY(!dialog_->Editor()->IsEditing());
    QVERIFY(dialog_->isVisible());

    Click(kRowF, Col(AlarmColumn::HighSetpoint));
    QTest::keyClicks(Edit(), "65");
    QTest::keyClick(Edit(), Qt::Key_Return);
    QCOMPARE(Set().Get32(AlarmItemWord(kRowF, AlarmWord::HighSetpoint)), 6500);
    QCOMPARE(list_->CellText(kRowF, Col(AlarmColumn::HighSetpoint)), QString("65.00 (Hz)"));
}

void CAlarmDialogTest::rowsThatDoNotApplyAreGreyAndEmpty_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("applies");
    QTest::newRow("KTA main, UT") << kKtaGen1Modbus << kRowUt << false;
    QTest::newRow("KTA gen2, UT") << kKtaGen3Modbus << kRowUt << true;
    QTest::newRow("KTB, IN") << kKtbGen2Modbus << kRowIn << false;
    QTest::newRow("KTA main, IN") << kKtaGen1Modbus << kRowIn << true;
    QTest::newRow("ZM, UT") << kZmDo << kRowUt << false;
}

void CAlarmDialogTest::rowsThatDoNotApplyAreGreyAndEmpty()
{
    QFETCH(int, typeId);
    QFETCH(int, row);
    QFETCH(bool, applies);
    Open(SetOf(typeId));
    QCOMPARE(list_->rowCount(), kAlarmRowCount);
    QVERIFY(!list_->CellText(row, 0).isEmpty());
    for (int c = 1; c < kAlarmColumnCount; ++c)
        QCOMPARE(list_->CellText(row, c).isEmpty(), !applies);
    const QPalette& pal = list_->palette();
    const QColor expected = applies ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
    QCOMPARE(list_->item(row, 2)->background().color(), expected);
    QCOMPARE(list_->item(row, 0)->background().color(), expected);

    Click(row, Col(AlarmColumn::HighSetpoint));
    QCOMPARE(dialog_->Editor()->IsEditing(), applies);
    dialog_->Editor()->HideEditors();
    Click(row, Col(AlarmColumn::Name)); // the name is never edited
    QVERIFY(!dialog_->Editor()->IsEditing());
}

void CAlarmDialogTest::enterStoresAndArrowsMoveOverApplyingRows()
{
    Open(SetOf(kKtbGen2Modbus));
    Click(0, Col(AlarmColumn::HighSetpoint));
    QTest::keyClicks(Edit(), "5");
    QTest::keyClick(Edit(), Qt::Key_Return);
    QCOMPARE(Set().Get32(AlarmItemWord(0, AlarmWord::HighSetpoint)), 5000);
    QCOMPARE(list_->CellText(0, 1), QString("5.000 (A)"));
    QVERIFY(!dialog_->Editor()->IsEditing());

    // Down skips the IN row, which does not apply here.
    Click(0, Col(AlarmColumn::Hysteresis));
    QTest::keyClicks(Edit(), "2.5");
    QTest::keyClick(Edit(), Qt::Key_Down);
    QCOMPARE(int(Set()[AlarmItemWord(0, AlarmWord::Hysteresis)]), 25);
    QVERIFY(Edit()->isVisible());
    QCOMPARE(Edit()->geometry(), list_->CellRect(2, 3).adjusted(0, -1, 0, 0));

    // Right in the middle of the text moves the caret; at the end it moves on.
    QTest::keyClicks(Edit(), "12");
    QTest::keyClick(Edit(), Qt::Key_Left);
    QTest::keyClick(Edit(), Qt::Key_Right);
    QVERIFY(Edit()->isVisible());
    QCOMPARE(int(Set()[AlarmItemWord(2, AlarmWord::Hysteresis)]), 0);
    QTest::keyClick(Edit(), Qt::Key_Right);
    QCOMPARE(int(Set()[AlarmItemWord(2, AlarmWord::Hysteresis)]), 120);
    QCOMPARE(list_->CellText(2, 3), QString("12.0 (%)"));
    QVERIFY(Edit()->isVisible());
    QCOMPARE(Edit()->text(), QString("0")); // ON delay of row 2
    QTest::keyClicks(Edit(), "30");
    QTest::keyClick(Edit(), Qt::Key_Up);
    QCOMPARE(int(Set()[AlarmItemWord(2, AlarmWord::OnDelay)]), 30);
    QCOMPARE(list_->CellText(2, 4), QString("30 (sec)"));
    QCOMPARE(Edit()->geometry(), list_->CellRect(0, 4).adjusted(0, -1, 0, 0));
    // Left at the start of the text: to the hysteresis of row 0.
    QTest::keyClick(Edit(), Qt::Key_Home);
    QTest::keyClick(Edit(), Qt::Key_Left);
    QCOMPARE(Edit()->text(), QString("2.5"));
}

void CAlarmDialogTest::clickingElsewhereDiscardsTheTypedText()
{
    Open(SetOf(kKtaGen3Modbus));
    Click(3, Col(AlarmColumn::OnDelay));
    QTest::keyClicks(Edit(), "42");
    QTest::mouseClick(FindControl<QLineEdit>(dialog_.get(), CAlarmDialog::kPowerOnDelay),
                      Qt::LeftButton);
    QVERIFY(!dialog_->Editor()->IsEditing());
    QCOMPARE(int(Set()[AlarmItemWord(3, AlarmWord::OnDelay)]), 0);
    QCOMPARE(list_->CellText(3, 4), QString("0 (sec)"));
}

void CAlarmDialogTest::okReadsDelayAndLatching()
{
    Open(SetOf(kKtaGen3Modbus));
    auto* delay = FindControl<QLineEdit>(dialog_.get(), CAlarmDialog::kPowerOnDelay);
    auto* latching = FindControl<QCheckBox>(dialog_.get(), CAlarmDialog::kLatching);
    QVERIFY(FindControl<CListCtrlInfoTip>(dialog_.get(), CAlarmDialog::kAlarmList));
    QCOMPARE(delay->text(), QString("0"));
    QVERIFY(!latching->isChecked());
    delay->setText("999");
    latching->setChecked(true);
    dialog_->accept();
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(int(Set()[AlarmWord::PowerOnDelay]), 999);
    QCOMPARE(int(Set()[AlarmWord::Latching]), 1);
}

void CAlarmDialogTest::okWithABadDelayStaysOpen()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[AlarmWord::PowerOnDelay] = 5;
    Open(set);
    auto* delay = FindControl<QLineEdit>(dialog_.get(), CAlarmDialog::kPowerOnDelay);
    FindControl<QCheckBox>(dialog_.get(), CAlarmDialog::kLatching)->setChecked(true);
    delay->setText("1000");
    dialog_->accept();
    QVERIFY(dialog_->isVisible());
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Power ON delay", "0", "999"})});
    QVERIFY(delay->hasFocus());
    QCOMPARE(int(Set()[AlarmWord::PowerOnDelay]), 5);
    QCOMPARE(int(Set()[AlarmWord::Latching]), 0);
}

void CAlarmDialogTest::cancelLeavesTheSetUnchanged()
{
    RegisterAllSettingsDialogs();
    ParameterSet last = SetOf(kKtaGen3Modbus);
    CBasicParameterDialog window(last);
    window.ReadControls();
    const ParameterSet before = window.WorkingSet();
    int runs = 0;
    SetModalRunner([&](QDialog& d) {
        ++runs;
        auto* alarm = qobject_cast<CAlarmDialog*>(&d);
        if (!alarm)
            return int(QDialog::Rejected);
        dialog_.reset();
        alarm->show();
        list_ = alarm->List();
        auto* delay = FindControl<QLineEdit>(alarm, CAlarmDialog::kPowerOnDelay);
        delay->setText("12");
        FindControl<QCheckBox>(alarm, CAlarmDialog::kLatching)->setChecked(true);
        alarm->OpenEditor(kRowF, Col(AlarmColumn::HighSetpoint));
        QTest::keyClicks(alarm->Editor()->Edit(), "50");
        QTest::keyClick(alarm->Editor()->Edit(), Qt::Key_Return);
        alarm->OpenEditor(0, Col(AlarmColumn::LowSetpoint));
        QTest::keyClicks(alarm->Editor()->Edit(), "3"); // still open when the dialog ends
        alarm->reject();
        return alarm->result();
    });
    FindControl<QPushButton>(&window, MainControl::Alarm)->click();
    SetModalRunner({});
    QCOMPARE(runs, 1);
    QVERIFY(window.WorkingSet().words == before.words);
}

void CAlarmDialogTest::untouchedOkKeepsEveryDefaultSet()
{
    int checked = 0;
    for (const DeviceTypeRecord& record : DeviceCatalogue()) {
        if (!MainButtonEnabled(MainControl::Alarm, record.Caps()))
            continue;
        const ParameterSet defaults = SetOf(record.typeId);
        CAlarmDialog dialog(defaults);
        dialog.accept();
        QVERIFY2(dialog.result() == QDialog::Accepted, qPrintable(QString::number(record.typeId)));
        QVERIFY2(dialog.Parameters().words == defaults.words,
                 qPrintable(QString::number(record.typeId)));
        ++checked;
    }
    QVERIFY(checked > 40);
    QVERIFY(prompts_->shown.empty());
}

void CAlarmDialogTest::alarmButtonOpensThisDialog()
{
    RegisterAllSettingsDialogs();
    const SettingsDialogFactory* factory = FindSettingsDialog(MainControl::Alarm);
    QVERIFY(factory);
    ParameterSet set = SetOf(kKtaGen3Modbus);
    SettingsDialogHandle handle = (*factory)(set, nullptr);
    auto* dialog = qobject_cast<CAlarmDialog*>(handle.dialog.get());
    QVERIFY(dialog);
    FindControl<QCheckBox>(dialog, CAlarmDialog::kLatching)->setChecked(true);
    dialog->accept();
    QCOMPARE(int(handle.parameters()[AlarmWord::Latching]), 1);
}

QTEST_MAIN(CAlarmDialogTest)
#include "CAlarmDialogTest.moc"
