#pragma once

#include <QDialog>

#include <array>

#include "config/ZneDisplaySettings.h"
#include "device/ParameterSet.h"

class QCheckBox;
class QComboBox;
class QGroupBox;

// "DIsplay Setting" of the ZNEPW variants: OLED auto off and brightness,
// the number formats, and which circuits the display shows (A always).
class CZNEDisplayDialog : public QDialog {
    Q_OBJECT
public:
    explicit CZNEDisplayDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    QGroupBox* FormatGroup(const ZneDisplayForm& form);
    QGroupBox* CircuitGroup(const ZneDisplayForm& form);

    ParameterSet set_;
    QComboBox* autoOff_ = nullptr;
    QComboBox* brightness_ = nullptr;
    std::array<QComboBox*, kZneFormatCount> formats_{};
    std::array<QCheckBox*, kZneCircuitCount> circuits_{};
};
