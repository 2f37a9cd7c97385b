#pragma once

#include "config_ui/CWorkingSetDialog.h"

#include <array>

#include "config/DiscreteIoRules.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

// "Discrete / Pulse Output Setting": function and contact type of each
// digital output, and the Energy Setting of its pulse output, nested on this
// dialog's copy of the working set.
class CDiscreteOutputDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CDiscreteOutputDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    struct OutputControls {
        QComboBox* function = nullptr;
        QRadioButton* normalOpen = nullptr;
        QRadioButton* normalClose = nullptr;
    };

    QGroupBox* BuildOutput(int output, const DiscreteOutputForm::Output& shown);
    void OpenEnergySetting(int output);

    std::array<OutputControls, 4> outputs_;
};
