#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "config/PulseSettings.h"
#include "config_ui/CPulseDialog.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace PulseControl;

namespace {
int OutputsOf(Capabilities caps)
{
    int n = 0;
    for (Capabilities bit : {CapDo1, CapDo2, CapDo3, CapDo4})
        if (caps & bit)
            ++n;
    return n;
}
} // namespace

class CPulseDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pulseWeightRoundsBeforeTheRangeCheck();
    void energyCountSelectsItsCodeAndUpdatesTheUnit();
    void znCircuitsAndHundredths();
    void durationListAndCircuitsOffZn();
    void untouchedOkKeepsEveryDefaultWord();
    void runPulseDialogCommitsOnlyOnOk();

private:
    template <typename T> T* Control(int id) { return FindControl<T>(dialog_.get(), id); }
    void Open(const ParameterSet& set, int output)
    {
        dialog_ = std::make_unique<CPulseDialog>(set, output);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    bool Accepted() const { return dialog_->result() == QDialog::Accepted; }

    std::unique_ptr<CPulseDialog> dialog_;
    std::optional<CPromptFixture<>> prompts_;
};

void CPulseDialogTest::init()
{
    prompts_.emplace();
}

void CPulseDialogTest::cleanup()
{
    dialog_.reset();
    prompts_.reset();
}

void CPulseDialogTest::pulseWeightRoundsBeforeTheRangeCheck()
{
    Open(SetOf(kKtaGen3Modbus), 1);
    auto* weight = Control<QLineEdit>(PulseWeight);
    QCOMPARE(weight->text(), QString("1.0"));
    weight->setText("0.04");
    Control<QPushButton>(1)->click();
    QVERIFY(!Accepted());
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Pulse rate", "0.1", "10000.0"})});
    QVERIFY(weight->hasFocus());
    weight->setText("0.05");
    Control<QPushButton>(1)->click();
    QVERIFY(Accepted());
    QCOMPARE(dialog_->Parameters().Get32(197), 1);
}

void CPulseDialogTest::energyCountSelectsItsCodeAndUpdatesTheUnit()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[202] = 302; // off peak ES
    Open(set, 2);
    auto* list = Control<QComboBox>(EnergyCount);
    auto* unit = Control<QLabel>(PulseWeightUnit);
    QCOMPARE(list->count(), 36);
    QCOMPARE(list->currentIndex(), 26);
    QCOMPARE(list->currentText(), UiText(5302));
    QCOMPARE(unit->text(), QString("kVAh/pulse"));
    list->setCurrentIndex(15); // peak EP-
    QCOMPARE(unit->text(), QString("kWh/pulse"));
    list->setCurrentIndex(35);
    QCOMPARE(unit->text(), QString("kvarh/pulse"));
    dialog_->accept();
    QCOMPARE(int(dialog_->Parameters()[202]), 313);
}

void CPulseDialogTest::znCircuitsAndHundredths()
{
    ParameterSet set = SetOf(kZnepw);
    set[200] = 0b1010;
    set.Set32(197, 250);
    Open(set, 1);
    QCOMPARE(Control<QComboBox>(EnergyCount)->count(), 12);
    QCOMPARE(Control<QLineEdit>(PulseWeight)->text(), QString("2.50"));
    QVERIFY(Control<QLabel>(CircuitLabel)->isEnabled());
    QVERIFY(!Control<QCheckBox>(CircuitA)->isChecked());
    QVERIFY(Control<QCheckBox>(CircuitA + 1)->isChecked());
    Control<QCheckBox>(CircuitA)->click();
    Control<QCheckBox>(CircuitA + 3)->click();
    Control<QLineEdit>(PulseWeight)->setText("0.01");
    dialog_->accept();
    QVERIFY(Accepted());
    QCOMPARE(int(dialog_->Parameters()[200]), 0b0011);
    QCOMPARE(dialog_->Parameters().Get32(197), 1);
}

void CPulseDialogTest::durationListAndCircuitsOffZn()
{
    ParameterSet set = SetOf(kKtbGen1Modbus);
    set[199] = 7;
    Open(set, 1);
    auto* duration = Control<QComboBox>(PulseDuration);
    QCOMPARE(duration->count(), 20);
    QCOMPARE(duration->itemText(19), QString("2000"));
    QCOMPARE(duration->currentText(), QString("700"));
    QCOMPARE(Control<QComboBox>(EnergyCount)->count(), 9);
    QVERIFY(!Control<QLabel>(CircuitLabel)->isEnabled());
    for (int i = 0; i < kPulseCircuits; ++i)
        QVERIFY(!Control<QCheckBox>(CircuitA + i)->isEnabled());
    duration->setCurrentIndex(0);
    dialog_->accept();
    QCOMPARE(int(dialog_->Parameters()[199]), 1);
}

// On ZM the energy count of the defaults (0) is not in the list: the first
// entry (200) is shown and stored.
void CPulseDialogTest::untouchedOkKeepsEveryDefaultWord()
{
    int checked = 0;
    for (const auto& row : DeviceCatalogue()) {
        const Capabilities caps = row.Caps();
        for (int output = 1; output <= OutputsOf(caps); ++output) {
            ParameterSet expected = SetOf(row.typeId);
            Open(expected, output);
            dialog_->accept();
            const auto what = QString("type %1 output %2").arg(row.typeId).arg(output);
            QVERIFY2(Accepted(), qPrintable(what));
            const int energy = PulseOutputWordsOf(output)->energyCount;
            if ((caps & CapZm) && expected[energy] == 0)
                expected[energy] = 200;
            for (int w = 0; w < kParameterWords; ++w)
                QVERIFY2(dialog_->Parameters()[w] == expected[w],
                         qPrintable(what + QString(" word %1").arg(w)));
            ++checked;
        }
    }
    QVERIFY(checked > 60);
    QVERIFY(prompts_->shown.empty());
}

void CPulseDialogTest::runPulseDialogCommitsOnlyOnOk()
{
    ParameterSet set = SetOf(kZnpw);
    const ParameterSet before = set;
    bool accept = false;
    int output = 0;
    SetModalRunner([&](QDialog& d) {
        auto& pulse = dynamic_cast<CPulseDialog&>(d);
        output = pulse.Output();
        FindControl<QComboBox>(&d, EnergyCount)->setCurrentIndex(4);
        FindControl<QLineEdit>(&d, PulseWeight)->setText("12.34");
        FindControl<QComboBox>(&d, PulseDuration)->setCurrentIndex(9);
        FindControl<QCheckBox>(&d, CircuitA + 2)->click();
        accept ? d.accept() : d.reject();
        return d.result();
    });
    QVERIFY(!RunPulseDialog(set, 2, nullptr));
    QCOMPARE(output, 2);
    QVERIFY(set.words == before.words);

    accept = true;
    QVERIFY(RunPulseDialog(set, 2, nullptr));
    QCOMPARE(int(set[202]), 204);
    QCOMPARE(set.Get32(203), 1234);
    QCOMPARE(int(set[205]), 10);
    QCOMPARE(int(set[206]), before[206] ^ 0b0100);
    QCOMPARE(set[196], before[196]);

    // A refused weight keeps the dialog open; the runner then cancels.
    SetModalRunner([&](QDialog& d) {
        FindControl<QLineEdit>(&d, PulseWeight)->setText("1000.01");
        d.accept();
        const bool stayedOpen = d.result() != QDialog::Accepted;
        d.reject();
        return stayedOpen ? d.result() : int(QDialog::Accepted);
    });
    const ParameterSet committed = set;
    QVERIFY(!RunPulseDialog(set, 1, nullptr));
    QVERIFY(set.words == committed.words);
}

QTEST_MAIN(CPulseDialogTest)
#include "CPulseDialogTest.moc"
