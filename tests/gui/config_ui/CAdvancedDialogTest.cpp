#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

#include "config/AdvancedSettings.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CAdvancedDialog.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/InputDialogs.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace AdvancedControl;

class CAdvancedDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void znpwShowsI1AsU1NAndStoresU1N();
    void qhHasNoFrequencyListAndStoresZero();
    void cutoutOf100And9995IsRefused();
    void channelGridReplacesTheCurrentEdits_data();
    void channelGridReplacesTheCurrentEdits();
    void channelCellIsCheckedWhenItsEditorCloses();
    void simpleMeasurementEnablesThePowerFactor();
    void controlsFollowTheLayoutOverTheCatalogue();
    void untouchedOkKeepsEveryDefaultWord();
    void cancelFromTheMainWindowKeepsTheWorkingSet();

private:
    template <typename T> T* Control(int id) { return FindControl<T>(dialog_.get(), id); }
    void Open(const ParameterSet& set)
    {
        dialog_ = std::make_unique<CAdvancedDialog>(set);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    bool Accepted() const { return dialog_->result() == QDialog::Accepted; }

    std::unique_ptr<CAdvancedDialog> dialog_;
    std::optional<CPromptFixture<>> prompts_;
};

void CAdvancedDialogTest::init()
{
    prompts_.emplace();
}

void CAdvancedDialogTest::cleanup()
{
    dialog_.reset();
    prompts_.reset();
}

void CAdvancedDialogTest::znpwShowsI1AsU1NAndStoresU1N()
{
    ParameterSet set = SetOf(kZnpw);
    set[AdvancedWord::FrequencyInput] = 1;
    Open(set);
    auto* list = Control<QComboBox>(Frequency);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(1), QString("50Hz fix"));
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(list->currentText(), QString("U1N"));
    dialog_->accept();
    QVERIFY(Accepted());
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::FrequencyInput]), 0);

    set[AdvancedWord::FrequencyInput] = 3;
    Open(set);
    QCOMPARE(Control<QComboBox>(Frequency)->currentText(), QString("60Hz fix"));
    Control<QComboBox>(Frequency)->setCurrentIndex(1);
    dialog_->accept();
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::FrequencyInput]), 2);
}

void CAdvancedDialogTest::qhHasNoFrequencyListAndStoresZero()
{
    ParameterSet set = SetOf(kQhModbusEx8);
    set[AdvancedWord::FrequencyInput] = 3;
    Open(set);
    QCOMPARE(Control<QComboBox>(Frequency)->count(), 0);
    QVERIFY(!Control<QComboBox>(Frequency)->isEnabled());
    QVERIFY(!Control<QLabel>(FrequencyLabel)->isEnabled());
    dialog_->accept();
    QVERIFY(Accepted());
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::FrequencyInput]), 0);
}

void CAdvancedDialogTest::cutoutOf100And9995IsRefused()
{
    Open(SetOf(kQgModbusInput2));
    const std::string message = FormatText(11000, {"Low-end cutout current", "0.0", "99.9"});
    for (const char* text : {"100", "99.95"}) {
        prompts_->shown.clear();
        Control<QLineEdit>(CutoutCurrent2)->setText(text);
        Control<QPushButton>(1)->click();
        QVERIFY(!Accepted());
        QCOMPARE(prompts_->Texts(), std::vector<std::string>{message});
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
        QVERIFY(Control<QLineEdit>(CutoutCurrent2)->hasFocus());
    }
    Control<QLineEdit>(CutoutCurrent2)->setText("99.9");
    Control<QPushButton>(1)->click();
    QVERIFY(Accepted());
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::CutoutCurrent2]), 999);
}

void CAdvancedDialogTest::channelGridReplacesTheCurrentEdits_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lastLabel");
    QTest::newRow("QH, eight channels") << kQhModbus << 2 << 8 << 5507;
    QTest::newRow("QH, sixteen channels") << kQhModbusEx8 << 4 << 8 << 5515;
    QTest::newRow("ZN, four circuits") << kZnepw << 2 << 4 << 6003;
}

void CAdvancedDialogTest::channelGridReplacesTheCurrentEdits()
{
    QFETCH(int, typeId);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, lastLabel);
    ParameterSet set = SetOf(typeId);
    const CutoutGridLayout layout = CutoutGridFor(set.type.Caps());
    set[layout.cells.back().word] = 123;
    Open(set);
    auto* grid = dialog_->ChannelGrid();
    QVERIFY(grid->isVisible());
    QVERIFY(!Control<QLineEdit>(CutoutCurrent1)->isVisible());
    QVERIFY(!Control<QLabel>(CutoutCurrent2Label)->isVisible());
    QCOMPARE(grid->ColumnCount(), columns);
    QCOMPARE(grid->RowCount(), rows);
    QCOMPARE(grid->Model().HeaderAt(columns - 2, rows - 1).value_or(0), lastLabel);
    QCOMPARE(grid->ValueText(columns - 1, rows - 1), QString("12.3"));
}

void CAdvancedDialogTest::channelCellIsCheckedWhenItsEditorCloses()
{
    Open(SetOf(kQhModbusEx8));
    dialog_->OpenCellEditor(3, 7);
    CEditText* edit = dialog_->Editor()->Edit();
    QVERIFY(edit->isVisible());
    edit->selectAll();
    QTest::keyClicks(edit, "100");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{
                                    FormatText(11000, {"Low-end cutout current", "0.0", "99.9"})});
    QVERIFY(edit->isVisible());
    QCOMPARE(int(dialog_->Parameters()[108]), 10);

    edit->selectAll();
    QTest::keyClicks(edit, "5.5");
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(int(dialog_->Parameters()[108]), 55);
    QCOMPARE(dialog_->ChannelGrid()->ValueText(3, 7), QString("5.5"));
    QCOMPARE(dialog_->ChannelGrid()->SelectedRow(), 6); // moved up to 15ch
    QVERIFY(edit->isVisible());
}

void CAdvancedDialogTest::simpleMeasurementEnablesThePowerFactor()
{
    Open(SetOf(kZnpw));
    auto* pf = Control<QLineEdit>(AdvancedControl::SimplePowerFactor);
    QCOMPARE(pf->text(), QString("1.0000"));
    QVERIFY(!pf->isEnabled());
    Control<QRadioButton>(AdvancedControl::SimpleMeasurement)->click();
    QVERIFY(pf->isEnabled());
    QVERIFY(Control<QLabel>(SimplePowerFactorLabel)->isEnabled());
    pf->setText("0.5");
    Control<QRadioButton>(AdvancedControl::StandardMeasurement)->click();
    QVERIFY(!pf->isEnabled());
    Control<QRadioButton>(AdvancedControl::SimpleMeasurement)->click();
    Control<QRadioButton>(QnSigmaUi)->click();
    dialog_->accept();
    QVERIFY(Accepted());
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::MeasurementMode]), 1);
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::SimplePowerFactor]), 5000);
    QCOMPARE(int(dialog_->Parameters()[AdvancedWord::PhaseReactiveMethod]), 1);
}

void CAdvancedDialogTest::controlsFollowTheLayoutOverTheCatalogue()
{
    for (const auto& row : DeviceCatalogue()) {
        const Capabilities caps = row.Caps();
        if (!MainButtonEnabled(MainControl::Others, caps))
            continue;
        Open(SetOf(row.typeId));
        const AdvancedLayout layout = AdvancedLayoutFor(caps);
        const auto what = QString("type %1").arg(row.typeId);
        const bool methods = layout.calculation != CalculationScheme::Zm;
        const bool mode = layout.calculation != CalculationScheme::MethodsOnly;
        QVERIFY2(Control<QLineEdit>(CutoutVoltage)->isEnabled() == layout.voltageEnabled,
                 qPrintable(what));
        QVERIFY2(Control<QLineEdit>(CutoutVoltage)->text().isEmpty() != layout.voltageEnabled,
                 qPrintable(what));
        QVERIFY2(Control<QComboBox>(Frequency)->count() == int(layout.frequencyEntries.size()),
                 qPrintable(what));
        QVERIFY2(dialog_->ChannelGrid()->isVisible() == layout.channelGrid, qPrintable(what));
        QVERIFY2(Control<QLineEdit>(CutoutCurrent2)->isVisible() == layout.secondInput,
                 qPrintable(what));
        QVERIFY2(Control<QRadioButton>(TariffEnable)->isEnabled() == layout.tariffEnabled,
                 qPrintable(what));
        QVERIFY2(Control<QLabel>(SLabel)->isEnabled() == methods, qPrintable(what));
        QVERIFY2(Control<QRadioButton>(QnSigmaUi)->isEnabled() == methods, qPrintable(what));
        QVERIFY2(Control<QLabel>(MeasurementLabel)->isEnabled() == mode, qPrintable(what));
        QVERIFY2(Control<QRadioButton>(SimpleMeasurement)->isEnabled() == mode, qPrintable(what));
    }
}

// ZM always stores Qn = 1 and S = 0, whatever the set held before.
void CAdvancedDialogTest::untouchedOkKeepsEveryDefaultWord()
{
    int checked = 0;
    for (const auto& row : DeviceCatalogue()) {
        const Capabilities caps = row.Caps();
        if (!MainButtonEnabled(MainControl::Others, caps))
            continue;
        ParameterSet expected = SetOf(row.typeId);
        Open(expected);
        dialog_->accept();
        QVERIFY2(Accepted(), qPrintable(QString("type %1").arg(row.typeId)));
        if (caps & CapZm) {
            expected[AdvancedWord::PhaseReactiveMethod] = 1;
            expected[AdvancedWord::ApparentPowerMethod] = 0;
        }
        for (int w = 0; w < kParameterWords; ++w)
            QVERIFY2(dialog_->Parameters()[w] == expected[w],
                     qPrintable(QString("type %1 word %2").arg(row.typeId).arg(w)));
        ++checked;
    }
    QVERIFY(checked > 60);
    QVERIFY(prompts_->shown.empty());
}

void CAdvancedDialogTest::cancelFromTheMainWindowKeepsTheWorkingSet()
{
    RegisterInputDialogs();
    ParameterSet last = SetOf(kKtaGen3Modbus);
    CBasicParameterDialog window(last);
    const ParameterSet before = window.WorkingSet();
    bool accept = false;
    SetModalRunner([&](QDialog& d) {
        auto* other = dynamic_cast<CAdvancedDialog*>(&d);
        if (!other)
            return int(QDialog::Rejected);
        FindControl<QLineEdit>(other, CutoutVoltage)->setText("12.5");
        FindControl<QComboBox>(other, Frequency)->setCurrentIndex(3);
        FindControl<QRadioButton>(other, TariffEnable)->click();
        FindControl<QRadioButton>(other, PfIeee)->click();
        FindControl<QRadioButton>(other, SSum)->click();
        accept ? other->accept() : other->reject();
        return other->result();
    });
    FindControl<QPushButton>(&window, MainControl::Others)->click();
    QVERIFY(window.WorkingSet().words == before.words);

    accept = true;
    FindControl<QPushButton>(&window, MainControl::Others)->click();
    QCOMPARE(int(window.WorkingSet()[AdvancedWord::CutoutVoltage]), 125);
    QCOMPARE(int(window.WorkingSet()[AdvancedWord::FrequencyInput]), 3);
    QCOMPARE(int(window.WorkingSet()[AdvancedWord::TariffFunction]), 1);
    QCOMPARE(int(window.WorkingSet()[AdvancedWord::PowerFactorSign]), 1);
    QCOMPARE(int(window.WorkingSet()[AdvancedWord::ApparentPowerMethod]), 1);
    RegisterSettingsDialog(MainControl::Others, {});
    RegisterSettingsDialog(MainControl::ConvValue, {});
}

QTEST_MAIN(CAdvancedDialogTest)
#include "CAdvancedDialogTest.moc"
