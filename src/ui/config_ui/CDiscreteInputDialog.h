#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QComboBox;
class QRadioButton;

// "Discrete Input Setting": the function and contact type of the discrete
// input, on the dialog's own copy of the working set.
class CDiscreteInputDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CDiscreteInputDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QComboBox* function_;
    QRadioButton* normalOpen_;
    QRadioButton* normalClose_;
};
