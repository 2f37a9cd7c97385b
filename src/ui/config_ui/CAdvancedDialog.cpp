#include "config_ui/CAdvancedDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/RunShowingErrors.h"
#include "config/InputDialogTexts.h"
#include "config_ui/InputDialogWidgets.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

using namespace InputDialogWidgets;
using namespace AdvancedControl;

namespace {
const QString kWidestCutout = QStringLiteral("000.00");
const QString kWidestPowerFactor = QStringLiteral("0.00000");
constexpr int kCellPadding = 16;
constexpr int kMinimumColumnWidth = 60;
constexpr int kGroupIndent = 16;
} // namespace

CAdvancedDialog::CAdvancedDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), layout_(AdvancedLayoutFor(working.type.Caps())),
      cutoutGrid_(CutoutGridFor(working.type.Caps()))
{
    setWindowTitle(UiText(InputText::OtherSetting));
    auto* top = new QVBoxLayout(this);
    top->addWidget(BuildInputGroup());
    top->addWidget(BuildEnergyGroup());
    top->addWidget(BuildCalculationGroup());
    top->addWidget(OkCancel(this));
    top->setSizeConstraint(QLayout::SetFixedSize);
    ShowControls();
}

QGroupBox* CAdvancedDialog::BuildInputGroup()
{
    auto* group = new QGroupBox(UiText(InputText::Input), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(group, InputText::LowEndCutout), 0, 0, 1, 3);
    voltage_ = NumberEdit(group, CutoutVoltage, kWidestCutout);
    grid->addWidget(Label(group, InputText::Voltage, CutoutVoltageLabel), 1, 0);
    auto* voltageRow = new QHBoxLayout;
    voltageRow->addWidget(voltage_);
    voltageRow->addWidget(Label(group, InputText::Percent, CutoutVoltageUnit));
    voltageRow->addStretch(1);
    grid->addLayout(voltageRow, 1, 1);
    grid->addWidget(Label(group, InputText::Current), 2, 0, Qt::AlignTop);
    currentEdits_ = BuildCurrentEdits();
    grid_ = new CDataGridView(group);
    SetControlId(grid_, AdvancedControl::ChannelGrid);
    editor_ = new CParEdit(grid_);
    grid->addWidget(currentEdits_, 2, 1);
    grid->addWidget(grid_, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    frequency_ = new QComboBox(group);
    SetControlId(frequency_, Frequency);
    grid->addWidget(Label(group, InputText::FrequencyInput, FrequencyLabel), 3, 0);
    grid->addWidget(frequency_, 3, 1, Qt::AlignLeft);
    grid->setColumnMinimumWidth(0, kGroupIndent);
    grid->setColumnStretch(2, 1);

    grid_->SetSelectable(true);
    grid_->SetSelectableRange(1, 0);
    connect(grid_, &CDataGridView::CellClicked, this,
            [this](int column, int row) { OpenCellEditor(column, row); });
    connect(
        grid_, &CDataGridView::EditRequested, this,
        [this](int column, int row, const QString& start) { OpenCellEditor(column, row, start); });
    connect(editor_, &CParEdit::EditFinished, this, &CAdvancedDialog::OnEditFinished);
    return group;
}

QWidget* CAdvancedDialog::BuildCurrentEdits()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    current1_ = NumberEdit(box, CutoutCurrent1, kWidestCutout);
    current2_ = NumberEdit(box, CutoutCurrent2, kWidestCutout);
    row->addWidget(Label(box, InputText::Channel1, CutoutCurrent1Label));
    row->addWidget(current1_);
    row->addWidget(Label(box, InputText::Percent, CutoutCurrent1Unit));
    row->addSpacing(kGroupIndent);
    row->addWidget(Label(box, InputText::Channel2, CutoutCurrent2Label));
    row->addWidget(current2_);
    row->addWidget(Label(box, InputText::Percent, CutoutCurrent2Unit));
    row->addStretch(1);
    return box;
}

QGroupBox* CAdvancedDialog::BuildEnergyGroup()
{
    auto* group = new QGroupBox(UiText(InputText::Energy), this);
    auto* row = new QHBoxLayout(group);
    auto* enable = Radio(group, InputText::Enable, TariffEnable);
    auto* disable = Radio(group, InputText::Disable, TariffDisable);
    tariff_ = RadioPair(group, disable, enable);
    row->addWidget(Label(group, InputText::TariffFunction, TariffLabel));
    row->addWidget(enable);
    row->addWidget(disable);
    row->addStretch(1);
    return group;
}

QGroupBox* CAdvancedDialog::BuildCalculationGroup()
{
    auto* group = new QGroupBox(UiText(InputText::CalculationOption), this);
    auto* grid = new QGridLayout(group);
    int row = 0;
    auto addPair = [&](int labelText, int labelId, int zeroText, int zeroId, int oneText,
                       int oneId) {
        auto* zero = Radio(group, zeroText, zeroId);
        auto* one = Radio(group, oneText, oneId);
        grid->addWidget(Label(group, labelText, labelId), row, 0);
        grid->addWidget(zero, row, 1);
        grid->addWidget(one, row, 2);
        ++row;
        return RadioPair(group, zero, one);
    };
    using namespace InputText;
    pfSign_ = addPair(PowerFactorSign, 0, StandardIec, PfStandard, Ieee, PfIeee);
    qSign_ = addPair(ReactivePowerSign, 0, StandardIec, QStandard, InvertedWhenOutgoing, QInverted);
    qnMethod_ = addPair(PhaseReactivePower, QnLabel, StandardVectorSP, QnVector,
                        ReactivePowerMethod, QnSigmaUi);
    sMethod_ = addPair(ApparentPower, SLabel, StandardVectorPQ, SVector, SumS, SSum);
    measurement_ = addPair(MeasurementMode, MeasurementLabel, InputText::StandardMeasurement,
                           AdvancedControl::StandardMeasurement, InputText::SimpleMeasurement,
                           AdvancedControl::SimpleMeasurement);
    simplePf_ = NumberEdit(group, AdvancedControl::SimplePowerFactor, kWidestPowerFactor);
    grid->addWidget(Label(group, InputText::SimplePowerFactor, SimplePowerFactorLabel), row, 0);
    grid->addWidget(simplePf_, row, 1);
    connect(measurement_, &QButtonGroup::buttonClicked, this,
            &CAdvancedDialog::MeasurementModeClicked);
    return group;
}

void CAdvancedDialog::ShowControls()
{
    const AdvancedControls c = AdvancedControlsOf(set_);
    voltage_->setText(QString::fromStdString(c.cutoutVoltage));
    current1_->setText(QString::fromStdString(c.cutoutCurrent1));
    current2_->setText(QString::fromStdString(c.cutoutCurrent2));
    for (FrequencyInput code : layout_.frequencyEntries)
        frequency_->addItem(UiText(FrequencyInputTextId(code)));
    frequency_->setCurrentIndex(c.frequencyIndex);
    ShowInput();
    if (layout_.tariffEnabled)
        CheckPair(tariff_, c.tariffEnabled);
    SetEnabled({TariffLabel, TariffEnable, TariffDisable}, layout_.tariffEnabled);
    CheckPair(pfSign_, c.powerFactorIeee);
    CheckPair(qSign_, c.reactiveInverted);
    CheckPair(qnMethod_, c.qnSigmaUi);
    CheckPair(sMethod_, c.sSum);
    if (layout_.calculation != CalculationScheme::MethodsOnly) {
        CheckPair(measurement_, c.simpleMeasurement);
        simplePf_->setText(QString::fromStdString(c.simplePowerFactor));
    }
    ShowCalculation();
}

void CAdvancedDialog::ShowInput()
{
    SetEnabled({CutoutVoltageLabel, CutoutVoltage, CutoutVoltageUnit}, layout_.voltageEnabled);
    SetEnabled({FrequencyLabel, Frequency}, layout_.frequencyEnabled);
    currentEdits_->setVisible(!layout_.channelGrid);
    for (int id : {CutoutCurrent2Label, CutoutCurrent2, CutoutCurrent2Unit})
        FindControl<QWidget>(this, id)->setVisible(layout_.secondInput);
    grid_->setVisible(layout_.channelGrid);
    if (!layout_.channelGrid)
        return;
    const QFontMetrics fm(grid_->font());
    int width = kMinimumColumnWidth;
    for (const auto& label : cutoutGrid_.labels)
        width = std::max(width, fm.horizontalAdvance(UiText(label.textId)) + kCellPadding);
    grid_->SetHeaders(cutoutGrid_.labels, width, cutoutGrid_.columns, cutoutGrid_.rows);
    FillChannelGrid();
}

void CAdvancedDialog::ShowCalculation()
{
    const CalculationScheme scheme = layout_.calculation;
    SetEnabled({QnLabel, QnVector, QnSigmaUi, SLabel, SVector, SSum},
               scheme != CalculationScheme::Zm);
    SetEnabled({MeasurementLabel, StandardMeasurement, SimpleMeasurement},
               scheme != CalculationScheme::MethodsOnly);
    MeasurementModeClicked();
}

void CAdvancedDialog::FillChannelGrid()
{
    grid_->ClearValues();
    for (const auto& cell : cutoutGrid_.cells)
        grid_->SetValueText(cell.column, cell.row,
                            QString::fromStdString(CutoutCellText(cell, set_)));
    grid_->update();
}

void CAdvancedDialog::MeasurementModeClicked()
{
    const bool simple = measurement_->checkedId() == 1;
    SetEnabled({SimplePowerFactorLabel, AdvancedControl::SimplePowerFactor},
               SimplePowerFactorEnabled(layout_.calculation, simple));
}

void CAdvancedDialog::SetEnabled(std::initializer_list<int> controlIds, bool enabled)
{
    for (int id : controlIds)
        if (auto* w = FindControl<QWidget>(this, id))
            w->setEnabled(enabled);
}

void CAdvancedDialog::OpenCellEditor(int column, int row, const QString& startText)
{
    if (!layout_.channelGrid || !cutoutGrid_.CellAt(column, row))
        return;
    grid_->Select(column, row);
    editor_->ShowEdit(column, row, grid_->CellLabelRect(column, row), grid_->ValueText(column, row),
                      startText);
}

void CAdvancedDialog::OnEditFinished(const ParEditResult& result)
{
    const CutoutCell* cell = cutoutGrid_.CellAt(result.column, result.row);
    if (!cell || result.kind != ParEditKind::Text)
        return;
    if (!RunShowingErrors([&] { ApplyCutoutCell(*cell, result.text.toStdString(), set_); })) {
        editor_->ReopenEdit();
        return;
    }
    FillChannelGrid();
    if (result.move == EditMove::Stay)
        return;
    if (const auto next = grid_->Neighbour(result.column, result.row, result.move))
        OpenCellEditor(next->column, next->row);
}

AdvancedControls CAdvancedDialog::ReadControls() const
{
    AdvancedControls c;
    c.cutoutVoltage = voltage_->text().toStdString();
    c.cutoutCurrent1 = current1_->text().toStdString();
    c.cutoutCurrent2 = current2_->text().toStdString();
    c.frequencyIndex = frequency_->currentIndex();
    c.tariffEnabled = tariff_->checkedId() == 1;
    c.powerFactorIeee = pfSign_->checkedId() == 1;
    c.reactiveInverted = qSign_->checkedId() == 1;
    c.qnSigmaUi = qnMethod_->checkedId() == 1;
    c.sSum = sMethod_->checkedId() == 1;
    c.simpleMeasurement = measurement_->checkedId() == 1;
    c.simplePowerFactor = simplePf_->text().toStdString();
    return c;
}

void CAdvancedDialog::accept()
{
    editor_->DialogEnded();
    const bool read = RunShowingErrors([this] {
        ApplyAdvancedControls(ReadControls(), set_, [this](int id) {
            if (auto* w = FindControl<QWidget>(this, id))
                w->setFocus();
        });
    });
    if (read)
        QDialog::accept();
}

void CAdvancedDialog::reject()
{
    editor_->DialogEnded();
    QDialog::reject();
}
