#include "config_ui/CModbus2Dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/InterfaceTexts.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/CIPAddressCtrlExt.h"
#include "widgets/UiText.h"

using namespace ModbusTcpControl;

CModbus2Dialog::CModbus2Dialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    using namespace InterfaceText;
    setWindowTitle(UiText(ModbusSetting));
    ipAddress_ = AddressControl(ModbusTcpControl::IpAddress, ModbusWord::IpAddress);
    subnetMask_ = AddressControl(ModbusTcpControl::SubnetMask, ModbusWord::SubnetMask);
    gateway_ = AddressControl(ModbusTcpControl::DefaultGateway, ModbusWord::DefaultGateway);

    port_ = new QComboBox(this);
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    port_->addItem(QString::number(kDefaultModbusPort));
    port_->setEditText(QString::number(set_[ModbusWord::Port]));
    SetControlId(port_, ModbusTcpControl::Port);
    connectionTimeout_ = NumberEdit(this, ModbusTcpControl::ConnectionTimeout);
    connectionTimeout_->setText(ScaledText(set_[ModbusWord::ConnectionTimeout], 10));
    runLedTimeout_ = NumberEdit(this, ModbusTcpControl::RunLedTimeout);
    runLedTimeout_->setText(ScaledText(set_[ModbusWord::RunLedTimeout], 10));

    auto* grid = new QGridLayout;
    grid->addWidget(InterfaceLabel(this, InterfaceText::IpAddress), 0, 0);
    grid->addWidget(ipAddress_, 0, 1, 1, 2);
    grid->addWidget(InterfaceLabel(this, InterfaceText::SubnetMask), 1, 0);
    grid->addWidget(subnetMask_, 1, 1, 1, 2);
    grid->addWidget(InterfaceLabel(this, InterfaceText::DefaultGateway), 2, 0);
    grid->addWidget(gateway_, 2, 1, 1, 2);
    grid->addWidget(InterfaceLabel(this, InterfaceText::Port), 3, 0);
    grid->addWidget(port_, 3, 1);
    grid->addWidget(InterfaceLabel(this, InterfaceText::ConnectionTimeout), 4, 0);
    grid->addWidget(connectionTimeout_, 4, 1);
    grid->addWidget(InterfaceLabel(this, Seconds), 4, 2);
    grid->addWidget(InterfaceLabel(this, RunLedTimeoutTcp), 5, 0);
    grid->addWidget(runLedTimeout_, 5, 1);
    grid->addWidget(InterfaceLabel(this, Seconds), 5, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CIPAddressCtrlExt* CModbus2Dialog::AddressControl(int controlId, int word)
{
    auto* control = new CIPAddressCtrlExt(this);
    control->SetAddress(set_.GetIpv4(word));
    SetControlId(control, controlId);
    return control;
}

void CModbus2Dialog::accept()
{
    ParameterSet read = set_;
    read.SetIpv4(ModbusWord::IpAddress, ipAddress_->Address());
    read.SetIpv4(ModbusWord::SubnetMask, subnetMask_->Address());
    read.SetIpv4(ModbusWord::DefaultGateway, gateway_->Address());

    QLineEdit* portEdit = port_->lineEdit();
    std::int64_t port = 0;
    std::int64_t connection = 0;
    std::int64_t runLed = 0;
    if (!ReadField(portEdit, PortField(), port) ||
        !ReadField(connectionTimeout_, ConnectionTimeoutField(), connection) ||
        !ReadField(runLedTimeout_, RunLedTimeoutField(), runLed))
        return;
    read[ModbusWord::Port] = static_cast<std::uint16_t>(port);
    read[ModbusWord::ConnectionTimeout] = static_cast<std::uint16_t>(connection);
    read[ModbusWord::RunLedTimeout] = static_cast<std::uint16_t>(runLed);
    set_ = read;
    QDialog::accept();
}
