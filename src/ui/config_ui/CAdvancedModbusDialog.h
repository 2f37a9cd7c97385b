#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QLineEdit;
class QRadioButton;

// "Advanced Modbus Setting": the order of long registers and the protocol
// timers t1.5 and t3.5 (fixed on ZM and ZN).
class CAdvancedModbusDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CAdvancedModbusDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QRadioButton* normal_;
    QRadioButton* swap_;
    QLineEdit* t15_;
    QLineEdit* t35_;
};
