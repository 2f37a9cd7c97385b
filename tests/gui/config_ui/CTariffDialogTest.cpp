#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config/TariffSetting.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CTariffDialog.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "config_ui/SettingsDialogs.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
QRadioButton* Radio(QWidget* dialog, int id)
{
    return FindControl<QRadioButton>(dialog, id);
}
} // namespace

class CTariffDialogTest : public QObject {
    Q_OBJECT
private slots:
    void stateFollowsTheTariffWord_data();
    void stateFollowsTheTariffWord();
    void noteIsOliveAndLeftOutOnQg_data();
    void noteIsOliveAndLeftOutOnQg();
    void cancelLeavesTheSetUnchanged();
    void untouchedOkKeepsEveryDefaultSet();
};

void CTariffDialogTest::stateFollowsTheTariffWord_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("lowChecked");
    QTest::addColumn<int>("afterOk");
    QTest::newRow("high") << 0 << false << 0;
    QTest::newRow("low") << 1 << true << 1;
    QTest::newRow("any other value is low") << 9 << true << 1;
}

void CTariffDialogTest::stateFollowsTheTariffWord()
{
    QFETCH(int, stored);
    QFETCH(bool, lowChecked);
    QFETCH(int, afterOk);
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[TariffWord::Tariff] = static_cast<std::uint16_t>(stored);
    CTariffDialog dialog(set);
    QCOMPARE(Radio(&dialog, CTariffDialog::kLowTariff)->isChecked(), lowChecked);
    QCOMPARE(Radio(&dialog, CTariffDialog::kHighTariff)->isChecked(), !lowChecked);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[TariffWord::Tariff]), afterOk);

    CTariffDialog again(set);
    Radio(&again, lowChecked ? CTariffDialog::kHighTariff : CTariffDialog::kLowTariff)->click();
    again.accept();
    QCOMPARE(int(again.Parameters()[TariffWord::Tariff]), lowChecked ? 0 : 1);
}

void CTariffDialogTest::noteIsOliveAndLeftOutOnQg_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<bool>("visible");
    QTest::newRow("KTA gen2") << kKtaGen3Modbus << true;
    QTest::newRow("LKTA") << kLktaAo2 << true;
    QTest::newRow("QG") << kQgModbusCounter << false;
}

void CTariffDialogTest::noteIsOliveAndLeftOutOnQg()
{
    QFETCH(int, typeId);
    QFETCH(bool, visible);
    CTariffDialog dialog(SetOf(typeId));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* note = FindControl<QLabel>(&dialog, CTariffDialog::kNote);
    QVERIFY(note);
    QCOMPARE(note->isVisible(), visible);
    QCOMPARE(note->text(), UiText(22363));
    QCOMPARE(note->palette().color(QPalette::WindowText), QColor(130, 130, 0));
}

void CTariffDialogTest::cancelLeavesTheSetUnchanged()
{
    RegisterAllSettingsDialogs();
    CPromptFixture<> prompts;
    ParameterSet last = SetOf(kKtaGen3Modbus);
    CBasicParameterDialog window(last);
    window.ReadControls();
    const ParameterSet before = window.WorkingSet();
    int runs = 0;
    SetModalRunner([&](QDialog& d) {
        ++runs;
        if (!qobject_cast<CTariffDialog*>(&d))
            return int(QDialog::Rejected);
        Radio(&d, CTariffDialog::kLowTariff)->click();
        FindControl<QPushButton>(&d, 2)->click();
        return d.result();
    });
    FindControl<QPushButton>(&window, MainControl::Tariff)->click();
    QCOMPARE(runs, 1);
    QVERIFY(window.WorkingSet().words == before.words);

    // The same steps with OK reach the window's set.
    SetModalRunner([&](QDialog& d) {
        Radio(&d, CTariffDialog::kLowTariff)->click();
        FindControl<QPushButton>(&d, 1)->click();
        return d.result();
    });
    FindControl<QPushButton>(&window, MainControl::Tariff)->click();
    QCOMPARE(int(window.WorkingSet()[TariffWord::Tariff]), 1);
    QVERIFY(prompts.shown.empty());
}

void CTariffDialogTest::untouchedOkKeepsEveryDefaultSet()
{
    int checked = 0;
    for (const DeviceTypeRecord& record : DeviceCatalogue()) {
        if (!MainButtonEnabled(MainControl::Tariff, record.Caps()))
            continue;
        const ParameterSet defaults = SetOf(record.typeId);
        CTariffDialog dialog(defaults);
        dialog.accept();
        QVERIFY2(dialog.Parameters().words == defaults.words,
                 qPrintable(QString::number(record.typeId)));
        ++checked;
    }
    QVERIFY(checked > 40);
}

QTEST_MAIN(CTariffDialogTest)
#include "CTariffDialogTest.moc"
