#include "config_ui/CPulseDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "app/RunShowingErrors.h"
#include "config/InputDialogTexts.h"
#include "config_ui/InputDialogWidgets.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace InputDialogWidgets;
using namespace PulseControl;

namespace {
const QString kWidestWeight = QStringLiteral("00000.000");
} // namespace

CPulseDialog::CPulseDialog(const ParameterSet& working, int output, QWidget* parent)
    : CWorkingSetDialog(working, parent), output_(output),
      entries_(EnergyCountEntriesFor(working.type.Caps()))
{
    setWindowTitle(UiText(InputText::EnergySetting));
    energyCount_ = new QComboBox(this);
    SetControlId(energyCount_, EnergyCount);
    pulseWeight_ = NumberEdit(this, PulseWeight, kWidestWeight);
    unit_ = new QLabel(this);
    SetControlId(unit_, PulseWeightUnit);
    // Wide enough for every unit text, so the dialog keeps its size.
    int unitWidth = 0;
    for (int index : {0, 1, 2})
        unitWidth = std::max(
            unitWidth, unit_->fontMetrics().horizontalAdvance(UiText(PulseUnitTextId(index))));
    unit_->setMinimumWidth(unitWidth);
    duration_ = new QComboBox(this);
    SetControlId(duration_, PulseDuration);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(this, InputText::EnergyCount), 0, 0);
    grid->addWidget(energyCount_, 0, 1, 1, 2);
    grid->addWidget(Label(this, InputText::PulseWeight), 1, 0);
    grid->addWidget(pulseWeight_, 1, 1);
    grid->addWidget(unit_, 1, 2);
    grid->addWidget(Label(this, InputText::PulseDuration), 2, 0);
    grid->addWidget(duration_, 2, 1);
    grid->addWidget(Label(this, InputText::Milliseconds), 2, 2);
    grid->addWidget(Label(this, InputText::Circuit, CircuitLabel), 3, 0);
    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < kPulseCircuits; ++i) {
        auto* box = new QCheckBox(UiText(InputText::CircuitA + i), this);
        SetControlId(box, CircuitA + i);
        circuits_[static_cast<size_t>(i)] = box;
        boxes->addWidget(box);
    }
    grid->addLayout(boxes, 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(OkCancel(this));
    top->setSizeConstraint(QLayout::SetFixedSize);
    ShowControls();
    connect(energyCount_, &QComboBox::currentIndexChanged, this, &CPulseDialog::EnergyCountChanged);
}

void CPulseDialog::ShowControls()
{
    const PulseControls c = PulseControlsOf(set_, output_);
    for (const auto& entry : entries_)
        energyCount_->addItem(UiText(entry.textId));
    energyCount_->setCurrentIndex(c.energyIndex);
    pulseWeight_->setText(QString::fromStdString(c.pulseWeight));
    for (int step = 1; step <= kPulseDurationSteps; ++step)
        duration_->addItem(QString::number(step * kPulseDurationStepMs));
    duration_->setCurrentIndex(c.durationIndex);
    EnergyCountChanged(energyCount_->currentIndex());
    const bool circuits = PulseCircuitsUsed(set_.type.Caps(), output_);
    FindControl<QLabel>(this, CircuitLabel)->setEnabled(circuits);
    for (size_t i = 0; i < circuits_.size(); ++i) {
        circuits_[i]->setEnabled(circuits);
        circuits_[i]->setChecked(c.circuits[i]);
    }
}

void CPulseDialog::EnergyCountChanged(int index)
{
    unit_->setText(index < 0 ? QString() : UiText(PulseUnitTextId(index)));
}

PulseControls CPulseDialog::ReadControls() const
{
    PulseControls c;
    c.energyIndex = energyCount_->currentIndex();
    c.pulseWeight = pulseWeight_->text().toStdString();
    c.durationIndex = duration_->currentIndex();
    for (size_t i = 0; i < circuits_.size(); ++i)
        c.circuits[i] = circuits_[i]->isChecked();
    return c;
}

void CPulseDialog::accept()
{
    const bool read = RunShowingErrors([this] {
        ApplyPulseControls(ReadControls(), output_, set_, [this](int id) {
            if (auto* w = FindControl<QWidget>(this, id))
                w->setFocus();
        });
    });
    if (read)
        QDialog::accept();
}

bool RunPulseDialog(ParameterSet& set, int output, QWidget* parent)
{
    CPulseDialog dialog(set, output, parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    set = dialog.Parameters();
    return true;
}
