#pragma once

#include <array>

#include "config/PulseSettings.h"
#include "config_ui/CWorkingSetDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// "Energy Setting" of one pulse output (1 to 4): energy count, pulse weight,
// pulse duration and, on ZN, the circuits the pulses count. Works on its own
// copy of the set; OK reads the fields into it and ends with Accepted.
class CPulseDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    CPulseDialog(const ParameterSet& working, int output, QWidget* parent = nullptr);

    int Output() const { return output_; }

public slots:
    void accept() override;

private:
    void ShowControls();
    void EnergyCountChanged(int index);
    PulseControls ReadControls() const;

    int output_;
    std::vector<EnergyCountEntry> entries_;
    QComboBox* energyCount_ = nullptr;
    QLineEdit* pulseWeight_ = nullptr;
    QLabel* unit_ = nullptr;
    QComboBox* duration_ = nullptr;
    std::array<QCheckBox*, kPulseCircuits> circuits_{};
};

// Runs "Energy Setting" for one output of `set`, nested on the caller's own
// copy: `set` takes the dialog's values only when it ends with OK.
bool RunPulseDialog(ParameterSet& set, int output, QWidget* parent);
