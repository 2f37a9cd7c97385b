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
    const ModbusTcpForm form = ModbusTcpFormOf(set_);
    ipAddress_ = AddressControl(ModbusTcpControl::IpAddress, form.ipAddress);
    subnetMask_ = AddressControl(ModbusTcpControl::SubnetMask, form.subnetMask);
    gateway_ = AddressControl(ModbusTcpControl::DefaultGateway, form.defaultGateway);

    port_ = new QComboBox(this);
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    port_->addItem(QString::number(kDefaultModbusPort));
    port_->setEditText(QString::fromStdString(form.port));
    SetControlId(port_, ModbusTcpControl::Port);
    connectionTimeout_ = NumberEdit(this, ModbusTcpControl::ConnectionTimeout);
    connectionTimeout_->setText(QString::fromStdString(form.connectionTimeout));
    runLedTimeout_ = NumberEdit(this, ModbusTcpControl::RunLedTimeout);
    runLedTimeout_->setText(QString::fromStdString(form.runLedTimeout));

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

CIPAddressCtrlExt* CModbus2Dialog::AddressControl(int controlId,
                                                  const std::array<std::uint8_t, 4>& address)
{
    auto* control = new CIPAddressCtrlExt(this);
    control->SetAddress(address);
    SetControlId(control, controlId);
    return control;
}

ModbusTcpForm CModbus2Dialog::Form() const
{
    ModbusTcpForm form;
    form.ipAddress = ipAddress_->Address();
    form.subnetMask = subnetMask_->Address();
    form.defaultGateway = gateway_->Address();
    form.port = FieldText(port_->lineEdit());
    form.connectionTimeout = FieldText(connectionTimeout_);
    form.runLedTimeout = FieldText(runLedTimeout_);
    return form;
}

void CModbus2Dialog::accept()
{
    if (ReadFormShowingErrors(
            this, [this](const FocusControl& focus) { ReadModbusTcpForm(Form(), set_, focus); }))
        QDialog::accept();
}
