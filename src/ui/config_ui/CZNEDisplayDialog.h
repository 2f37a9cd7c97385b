#pragma once

#include <array>

#include "config/ZneDisplaySettings.h"
#include "config_ui/CWorkingSetDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;

// "DIsplay Setting" of the ZNEPW variants: OLED auto off and brightness,
// the number formats, and which circuits the display shows (A always).
class CZNEDisplayDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CZNEDisplayDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QGroupBox* FormatGroup(const ZneDisplayForm& form);
    QGroupBox* CircuitGroup(const ZneDisplayForm& form);

    QComboBox* autoOff_ = nullptr;
    QComboBox* brightness_ = nullptr;
    std::array<QComboBox*, kZneFormatCount> formats_{};
    std::array<QCheckBox*, kZneCircuitCount> circuits_{};
};
