#pragma once

#include "config/ModbusSettingsRules.h"
#include "config_ui/CWorkingSetDialog.h"

class CIPAddressCtrlExt;
class QComboBox;
class QLineEdit;

// "Modbus Setting" of the Modbus/TCP interface: the device's own address,
// subnet mask, gateway, service port and time-outs.
class CModbus2Dialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CModbus2Dialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    CIPAddressCtrlExt* AddressControl(int controlId, const std::array<std::uint8_t, 4>& address);
    ModbusTcpForm Form() const;

    CIPAddressCtrlExt* ipAddress_;
    CIPAddressCtrlExt* subnetMask_;
    CIPAddressCtrlExt* gateway_;
    QComboBox* port_;
    QLineEdit* connectionTimeout_;
    QLineEdit* runLedTimeout_;
};
