#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

#include "utility/UtilityRules.h"

class QCheckBox;

// "Please select the circuit": the circuits a reset of a multi-circuit device
// applies to. It opens with "All circuits" checked, which checks and disables
// the five circuit boxes; a box whose value is 0 is hidden. OK with nothing
// chosen keeps the dialog open.
class CSelCircuitDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kOk = 1,
        kCancel = 2,
        kMessage = 1074,
        kAllCircuits = 1198,
        kCircuitA = 1199, // then B, C, D and "Circuit Common" 1203
    };

    explicit CSelCircuitDlg(const CircuitChooserSetup& setup, QWidget* parent = nullptr);

    // The bit-or of the values of the checked boxes.
    std::uint16_t Result() const;

    void accept() override;

private:
    void OnAllCircuits(bool checked);

    CircuitChooserSetup setup_;
    QCheckBox* all_ = nullptr;
    std::array<QCheckBox*, 5> circuits_{};
};
