#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QLineEdit;
class QRadioButton;

// "Advanced Modbus Setting": the order of long registers and the protocol
// timers t1.5 and t3.5 (fixed on ZM and ZN).
class CAdvancedModbusDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAdvancedModbusDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    bool timersEditable_;
    QRadioButton* normal_;
    QRadioButton* swap_;
    QLineEdit* t15_;
    QLineEdit* t35_;
};
