#pragma once

#include <QDialog>

#include <array>

#include "device/ParameterSet.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

// "Discrete / Pulse Output Setting": function and contact type of each
// digital output, and the Energy Setting of its pulse output, nested on this
// dialog's copy of the working set.
class CDiscreteOutputDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDiscreteOutputDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    struct OutputControls {
        QComboBox* function = nullptr;
        QRadioButton* normalOpen = nullptr;
        QRadioButton* normalClose = nullptr;
    };

    QGroupBox* BuildOutput(int output);
    void OpenEnergySetting(int output);

    ParameterSet set_;
    std::array<OutputControls, 4> outputs_;
};
