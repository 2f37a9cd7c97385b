#include "config_ui/CDiscreteOutputDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/DiscreteIoRules.h"
#include "config/InterfaceTexts.h"
#include "config_ui/EnergySettingLink.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/UiText.h"

CDiscreteOutputDialog::CDiscreteOutputDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(InterfaceText::DiscreteOutputSetting));
    PrepareDiscreteOutputs(set_);

    const DiscreteOutputForm form = DiscreteOutputFormOf(set_);
    auto* groups = new QGridLayout;
    for (int output = 0; output < int(outputs_.size()); ++output)
        groups->addWidget(BuildOutput(output, form.outputs[size_t(output)]), output / 2,
                          output % 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* CDiscreteOutputDialog::BuildOutput(int output, const DiscreteOutputForm::Output& shown)
{
    const DigitalOutputRow& row = DigitalOutputTable()[size_t(output)];
    const Capabilities caps = set_.type.Caps();
    const bool present = (caps & row.capability) != 0;
    const int count = DiscreteOutputFunctionCount(caps);

    auto* group = new QGroupBox(UiText(InterfaceText::Do1 + output), this);
    SetControlId(group, row.group);
    OutputControls& c = outputs_[size_t(output)];
    c.function = ChoiceList(group, row.functionList, InterfaceChoice::DoFunctionBase, count);
    c.function->setCurrentIndex(shown.function);
    c.normalOpen = RadioButton(group, row.normalOpen, InterfaceChoice::ContactTypeBase);
    c.normalClose = RadioButton(group, row.normalClose, InterfaceChoice::ContactTypeBase + 1);
    c.normalOpen->setChecked(!shown.normalClose);
    c.normalClose->setChecked(shown.normalClose);
    auto* energy = new QPushButton(UiText(InterfaceText::Energy), group);
    SetControlId(energy, row.energyButton);
    connect(energy, &QPushButton::clicked, this, [this, output] { OpenEnergySetting(output); });

    auto* contacts = new QHBoxLayout;
    contacts->addWidget(c.normalOpen);
    contacts->addWidget(c.normalClose);
    auto* grid = new QGridLayout(group);
    grid->addWidget(InterfaceLabel(group, InterfaceText::Function, row.functionLabel), 0, 0);
    grid->addWidget(c.function, 0, 1);
    grid->addWidget(InterfaceLabel(group, InterfaceText::ContactType, row.contactLabel), 1, 0);
    grid->addLayout(contacts, 1, 1);
    grid->addWidget(energy, 2, 1, Qt::AlignRight);

    // An absent output shows greyed; the fixed ZN function cannot be changed.
    group->setEnabled(present);
    c.function->setEnabled(present && !DiscreteOutputFunctionFixed(caps));
    return group;
}

void CDiscreteOutputDialog::OpenEnergySetting(int output)
{
    RunEnergySetting(set_, output, this);
}

void CDiscreteOutputDialog::accept()
{
    DiscreteOutputForm form;
    for (size_t i = 0; i < outputs_.size(); ++i)
        form.outputs[i] = {outputs_[i].function->currentIndex(),
                           outputs_[i].normalClose->isChecked()};
    ReadDiscreteOutputForm(form, set_);
    QDialog::accept();
}
