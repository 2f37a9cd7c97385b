#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "Modbus Setting" of the serial Modbus interface. QG and QH set address and
// rate on the device; here they get mode and RUN LED timeout instead.
class CModbusDialog : public QDialog {
    Q_OBJECT
public:
    explicit CModbusDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    QWidget* BuildFields();
    void ApplyVariant();
    void OpenAdvanced();

    ParameterSet set_;
    bool fieldBusModule_;
    QLineEdit* deviceAddress_;
    QComboBox* transferRate_;
    QComboBox* parity_;
    QComboBox* stopBits_;
    QRadioButton* modeRtu_;
    QRadioButton* modeAscii_;
    QLineEdit* runLedTimeout_;
};
