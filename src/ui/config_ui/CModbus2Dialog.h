#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class CIPAddressCtrlExt;
class QComboBox;
class QLineEdit;

// "Modbus Setting" of the Modbus/TCP interface: the device's own address,
// subnet mask, gateway, service port and time-outs.
class CModbus2Dialog : public QDialog {
    Q_OBJECT
public:
    explicit CModbus2Dialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    CIPAddressCtrlExt* AddressControl(int controlId, int word);

    ParameterSet set_;
    CIPAddressCtrlExt* ipAddress_;
    CIPAddressCtrlExt* subnetMask_;
    CIPAddressCtrlExt* gateway_;
    QComboBox* port_;
    QLineEdit* connectionTimeout_;
    QLineEdit* runLedTimeout_;
};
