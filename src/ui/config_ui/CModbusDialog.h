#pragma once

#include "config/ModbusSettingsRules.h"
#include "config_ui/CWorkingSetDialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "Modbus Setting" of the serial Modbus interface. QG and QH set address and
// rate on the device; here they get mode and RUN LED timeout instead.
class CModbusDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CModbusDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QWidget* BuildFields();
    void ApplyVariant();
    void OpenAdvanced();
    ModbusForm Form() const;

    bool fieldBusModule_;
    QLineEdit* deviceAddress_;
    QComboBox* transferRate_;
    QComboBox* parity_;
    QComboBox* stopBits_;
    QRadioButton* modeRtu_;
    QRadioButton* modeAscii_;
    QLineEdit* runLedTimeout_;
};
