#include "config_ui/CModbusDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/DiscreteIoRules.h"
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

    if (fieldBusModule_) {
        const bool ascii = set_[ModbusWord::Mode] != 0;
        modeAscii_->setChecked(ascii);
        modeRtu_->setChecked(!ascii);
        runLedTimeout_->setText(ScaledText(set_[ModbusWord::RunLedTimeout], 10));
        transferRate_->setCurrentIndex(-1); // the rate is set on the device, not here
    } else {
        deviceAddress_->setText(QString::number(set_[ModbusWord::DeviceAddress]));
        transferRate_->setCurrentIndex(
            ChoiceListIndex(set_[ModbusWord::TransferRate], kTransferRateCount));
    }
    parity_->setCurrentIndex(ChoiceListIndex(set_[ModbusWord::Parity], kParityCount));
    stopBits_->setCurrentIndex(set_[ModbusWord::StopBits] != 0 ? 1 : 0);
}

void CModbusDialog::OpenAdvanced()
{
    CAdvancedModbusDialog advanced(set_, this);
    if (RunModal(advanced) == QDialog::Accepted)
        set_ = advanced.Parameters();
}

void CModbusDialog::accept()
{
    ParameterSet read = set_;
    std::int64_t value = 0;
    if (fieldBusModule_) {
        read[ModbusWord::Mode] = modeAscii_->isChecked() ? 1 : 0;
        if (!ReadField(runLedTimeout_, RunLedTimeoutField(), value))
            return;
        read[ModbusWord::RunLedTimeout] = static_cast<std::uint16_t>(value);
    } else {
        if (!ReadField(deviceAddress_, DeviceAddressField(), value))
            return;
        read[ModbusWord::DeviceAddress] = static_cast<std::uint16_t>(value);
        read[ModbusWord::TransferRate] = static_cast<std::uint16_t>(transferRate_->currentIndex());
    }
    read[ModbusWord::Parity] = static_cast<std::uint16_t>(parity_->currentIndex());
    read[ModbusWord::StopBits] = static_cast<std::uint16_t>(stopBits_->currentIndex());
    set_ = read;
    QDialog::accept();
}
