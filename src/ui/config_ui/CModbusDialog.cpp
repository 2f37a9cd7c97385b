#include "config_ui/CModbusDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/InterfaceTexts.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/CAdvancedModbusDialog.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace ModbusControl;

CModbusDialog::CModbusDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent),
      fieldBusModule_(ModbusOnFieldBusModule(working.type.Caps()))
{
    setWindowTitle(UiText(InterfaceText::ModbusSetting));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFields());
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ApplyVariant();
}

QWidget* CModbusDialog::BuildFields()
{
    using namespace InterfaceText;
    using namespace InterfaceChoice;
    auto* box = new QWidget(this);
    deviceAddress_ = NumberEdit(box, ModbusControl::DeviceAddress);
    transferRate_ =
        ChoiceList(box, ModbusControl::TransferRate, TransferRateBase, kTransferRateCount);
    parity_ = ChoiceList(box, Parity, ParityBase, kParityCount);
    stopBits_ = ChoiceList(box, StopBits, StopBitsBase, kStopBitsCount);
    modeRtu_ = RadioButton(box, ModeRtu, ModbusModeBase);
    modeAscii_ = RadioButton(box, ModeAscii, ModbusModeBase + 1);
    runLedTimeout_ = NumberEdit(box, ModbusControl::RunLedTimeout);
    auto* advanced = new QPushButton(UiText(InterfaceText::Advanced), box);
    SetControlId(advanced, ModbusControl::Advanced);
    connect(advanced, &QPushButton::clicked, this, &CModbusDialog::OpenAdvanced);

    auto* modes = new QHBoxLayout;
    modes->addWidget(modeRtu_);
    modes->addWidget(modeAscii_);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(InterfaceLabel(box, InterfaceText::DeviceAddress, DeviceAddressLabel), 0, 0);
    grid->addWidget(deviceAddress_, 0, 1);
    grid->addWidget(InterfaceLabel(box, InterfaceText::TransferRate, TransferRateLabel), 1, 0);
    grid->addWidget(transferRate_, 1, 1);
    grid->addWidget(InterfaceLabel(box, ParityBit), 2, 0);
    grid->addWidget(parity_, 2, 1);
    grid->addWidget(InterfaceLabel(box, StopBit), 3, 0);
    grid->addWidget(stopBits_, 3, 1);
    grid->addWidget(InterfaceLabel(box, InterfaceText::Mode, ModeLabel), 4, 0);
    grid->addLayout(modes, 4, 1, 1, 2);
    grid->addWidget(InterfaceLabel(box, InterfaceText::RunLedTimeout, RunLedLabel), 5, 0);
    grid->addWidget(runLedTimeout_, 5, 1);
    grid->addWidget(InterfaceLabel(box, Seconds, RunLedUnit), 5, 2);
    grid->addWidget(advanced, 6, 0, 1, 3, Qt::AlignRight);
    return box;
}

void CModbusDialog::ApplyVariant()
{
    const int fieldBusIds[] = {DeviceAddressLabel, TransferRateLabel, ModbusControl::Advanced,
                               ModbusControl::DeviceAddress, ModbusControl::TransferRate};
    const int serialIds[] = {ModeLabel,   ModeRtu,    ModeAscii,
                             RunLedLabel, RunLedUnit, ModbusControl::RunLedTimeout};
    for (const int id : fieldBusIds)
        FindControl<QWidget>(this, id)->setEnabled(!fieldBusModule_);
    for (const int id : serialIds)
        FindControl<QWidget>(this, id)->setEnabled(fieldBusModule_);

    const ModbusForm form = ModbusFormOf(set_);
    deviceAddress_->setText(QString::fromStdString(form.deviceAddress));
    transferRate_->setCurrentIndex(form.transferRate); // a field-bus module sets it on the device
    parity_->setCurrentIndex(form.parity);
    stopBits_->setCurrentIndex(form.stopBits);
    modeRtu_->setChecked(form.mode == 0);
    modeAscii_->setChecked(form.mode == 1);
    runLedTimeout_->setText(QString::fromStdString(form.runLedTimeout));
}

void CModbusDialog::OpenAdvanced()
{
    CAdvancedModbusDialog advanced(set_, this);
    if (RunModal(advanced) == QDialog::Accepted)
        set_ = advanced.Parameters();
}

ModbusForm CModbusDialog::Form() const
{
    ModbusForm form;
    form.deviceAddress = FieldText(deviceAddress_);
    form.transferRate = transferRate_->currentIndex();
    form.parity = parity_->currentIndex();
    form.stopBits = stopBits_->currentIndex();
    form.mode = modeAscii_->isChecked() ? 1 : modeRtu_->isChecked() ? 0 : -1;
    form.runLedTimeout = FieldText(runLedTimeout_);
    return form;
}

void CModbusDialog::accept()
{
    if (ReadFormShowingErrors(
            this, [this](const FocusControl& focus) { ReadModbusForm(Form(), set_, focus); }))
        QDialog::accept();
}
