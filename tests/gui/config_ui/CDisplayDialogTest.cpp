#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "config/DisplaySettings.h"
#include "config/MainWindowControls.h"
#include "config/ZneDisplaySettings.h"
#include "config_ui/CDisplayDialog.h"
#include "config_ui/CZNEDisplayDialog.h"
#include "config_ui/DisplayDialogs.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/UiText.h"

class CDisplayDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void displayButtonPicksTheDialogByVariant();
    void offTimerFollowsTheOperationMode();
    void onOrOffAcceptsAnInvalidOffTimer();
    void invalidFieldKeepsTheDialogOpenWithFocus();
    void presetTimerUncheckedStoresZero();
    void secondGenerationListsAndUpdateRate();
    void firstGenerationDisablesTheUpdateRate();
    void zneUnknownAutoOffOpensAsOff();
    void zneCircuitAIsFixedOn();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void CDisplayDialogTest::init()
{
    prompts_.emplace();
}

void CDisplayDialogTest::cleanup()
{
    prompts_.reset();
}

void CDisplayDialogTest::displayButtonPicksTheDialogByVariant()
{
    RegisterDisplayDialogs();
    const SettingsDialogFactory* factory = FindSettingsDialog(MainControl::Display);
    QVERIFY(factory);
    auto zne = (*factory)(SetOf(kZnepw), nullptr);
    QVERIFY(dynamic_cast<CZNEDisplayDialog*>(zne.dialog.get()));
    auto kta = (*factory)(SetOf(kKtaGen3Modbus), nullptr);
    QVERIFY(dynamic_cast<CDisplayDialog*>(kta.dialog.get()));
}

void CDisplayDialogTest::offTimerFollowsTheOperationMode()
{
    CDisplayDialog dialog(SetOf(kKtaGen3Modbus));
    auto* mode = Control<QComboBox>(&dialog, DisplayControl::BacklightMode);
    auto* offTimer = Control<QLineEdit>(&dialog, DisplayControl::OffTimer);
    QCOMPARE(mode->count(), 3);
    QCOMPARE(mode->currentText(), QString("Auto"));
    QVERIFY(offTimer->isEnabled());
    mode->setCurrentIndex(1);
    QVERIFY(!offTimer->isEnabled());
    mode->setCurrentIndex(0);
    QVERIFY(offTimer->isEnabled());

    auto* use = Control<QCheckBox>(&dialog, DisplayControl::UsePresetTimer);
    auto* preset = Control<QLineEdit>(&dialog, DisplayControl::PresetTimer);
    QVERIFY(!use->isChecked());
    QVERIFY(!preset->isEnabled());
    QCOMPARE(preset->text(), QString("1"));
    use->setChecked(true);
    QVERIFY(preset->isEnabled());
}

void CDisplayDialogTest::onOrOffAcceptsAnInvalidOffTimer()
{
    for (int mode : {1, 2}) {
        CDisplayDialog dialog(SetOf(kKtaGen3Modbus));
        Control<QComboBox>(&dialog, DisplayControl::BacklightMode)->setCurrentIndex(mode);
        Control<QLineEdit>(&dialog, DisplayControl::OffTimer)->setText("abc");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.Parameters()[DisplayWord::BacklightMode]), mode);
        QCOMPARE(int(dialog.Parameters()[DisplayWord::OffTimer]), 600);
    }
    QVERIFY(prompts_->shown.empty());
}

void CDisplayDialogTest::invalidFieldKeepsTheDialogOpenWithFocus()
{
    CDisplayDialog dialog(SetOf(kKtaGen3Modbus));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* myView = Control<QLineEdit>(&dialog, DisplayControl::MyDataView);
    myView->setText("10000");
    Control<QSlider>(&dialog, DisplayControl::Brightness)->setValue(3);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{
                 "You should input Data display view within the range of 0 - 9999."});
    QCOMPARE(QApplication::focusWidget(), myView);
    myView->setText("25");
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(dialog.Parameters()[DisplayWord::MyDataView]), 25);
    QCOMPARE(int(dialog.Parameters()[DisplayWord::Brightness]), 3);
}

void CDisplayDialogTest::presetTimerUncheckedStoresZero()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[DisplayWord::DefaultTimer] = 45;
    CDisplayDialog dialog(set);
    auto* use = Control<QCheckBox>(&dialog, DisplayControl::UsePresetTimer);
    QVERIFY(use->isChecked());
    QCOMPARE(Control<QLineEdit>(&dialog, DisplayControl::PresetTimer)->text(), QString("45"));
    use->setChecked(false);
    Control<QLineEdit>(&dialog, DisplayControl::PresetTimer)->setText("junk");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.Parameters()[DisplayWord::DefaultTimer]), 0);
}

void CDisplayDialogTest::secondGenerationListsAndUpdateRate()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[DisplayWord::EnergyView] = 312;
    set[DisplayWord::UpdateRate] = 7;
    CDisplayDialog dialog(set);
    auto* energy = Control<QComboBox>(&dialog, DisplayControl::EnergyView);
    QCOMPARE(energy->count(), 28);
    QCOMPARE(energy->currentText(), QString("L-EPA / Active energy, off peak"));
    QCOMPARE(Control<QComboBox>(&dialog, DisplayControl::MyEnergyView)->count(), 28);
    auto* rate = Control<QLineEdit>(&dialog, DisplayControl::UpdateRate);
    QVERIFY(rate->isEnabled());
    QCOMPARE(rate->text(), QString("7"));
    energy->setCurrentIndex(12);
    rate->setText("60");
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DisplayWord::EnergyView]), 213);
    QCOMPARE(int(dialog.Parameters()[DisplayWord::UpdateRate]), 60);
}

void CDisplayDialogTest::firstGenerationDisablesTheUpdateRate()
{
    CDisplayDialog dialog(SetOf(kKtaGen1Modbus));
    QCOMPARE(Control<QComboBox>(&dialog, DisplayControl::EnergyView)->count(), 20);
    for (int id : {DisplayControl::UpdateRateLabel, DisplayControl::UpdateRateUnit})
        QVERIFY(!Control<QLabel>(&dialog, id)->isEnabled());
    auto* rate = Control<QLineEdit>(&dialog, DisplayControl::UpdateRate);
    QVERIFY(!rate->isEnabled());
    Control<QComboBox>(&dialog, DisplayControl::EnergyView)->setCurrentIndex(19);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DisplayWord::EnergyView]), 19);
}

void CDisplayDialogTest::zneUnknownAutoOffOpensAsOff()
{
    ParameterSet set = SetOf(kZnepw);
    set[ZneDisplayWord::AutoOff] = 1200;
    set[ZneDisplayWord::Brightness] = 10;
    set[ZneDisplayWord::FirstFormat + 1] = 9;
    CZNEDisplayDialog dialog(set);
    auto* autoOff = Control<QComboBox>(&dialog, ZneDisplayControl::AutoOff);
    QCOMPARE(autoOff->currentText(), QString("Off"));
    QCOMPARE(Control<QComboBox>(&dialog, ZneDisplayControl::Brightness)->currentText(),
             QString("Normal"));
    QCOMPARE(Control<QComboBox>(&dialog, ZneDisplayControl::FirstFormat + 1)->currentText(),
             QString("0.0M"));
    QCOMPARE(Control<QComboBox>(&dialog, ZneDisplayControl::FirstFormat + 2)->count(), 8);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[ZneDisplayWord::AutoOff]), 0);
    autoOff->setCurrentIndex(3);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[ZneDisplayWord::AutoOff]), 6000);
}

void CDisplayDialogTest::zneCircuitAIsFixedOn()
{
    ParameterSet set = SetOf(kZnepw);
    for (int word : ZneDisplayWord::Activation)
        set[word] = 0;
    set[ZneDisplayWord::Activation[3]] = 1;
    CZNEDisplayDialog dialog(set);
    auto* a = Control<QCheckBox>(&dialog, ZneDisplayControl::FirstCircuit);
    QVERIFY(a->isChecked());
    QVERIFY(!a->isEnabled());
    QVERIFY(Control<QCheckBox>(&dialog, ZneDisplayControl::FirstCircuit + 3)->isChecked());
    Control<QCheckBox>(&dialog, ZneDisplayControl::FirstCircuit + 1)->setChecked(true);
    Control<QCheckBox>(&dialog, ZneDisplayControl::FirstCircuit + 3)->setChecked(false);
    dialog.accept();
    const ParameterSet& out = dialog.Parameters();
    QCOMPARE(int(out[32]), 1);
    QCOMPARE(int(out[46]), 1);
    QCOMPARE(int(out[55]), 0);
    QCOMPARE(int(out[64]), 0);
}

QTEST_MAIN(CDisplayDialogTest)
#include "CDisplayDialogTest.moc"
