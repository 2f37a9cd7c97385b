#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QComboBox;
class QRadioButton;

// "Discrete Input Setting": the function and contact type of the discrete
// input, on the dialog's own copy of the working set.
class CDiscreteInputDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDiscreteInputDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    QComboBox* function_;
    QRadioButton* normalOpen_;
    QRadioButton* normalClose_;
};
