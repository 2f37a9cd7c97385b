#pragma once

#include "config/DisplaySettings.h"
#include "config_ui/CWorkingSetDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSlider;

// "Display Setting": backlight, data and energy display views, the "My
// Default" views with their preset timer, key lock and, on the second
// generations, the update rate. Edits its own copy of the working set.
class CDisplayDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CDisplayDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QGroupBox* BacklightGroup(const DisplayForm& form);
    QGroupBox* ViewGroup(int titleId, int dataViewId, int energyViewId, int unitId,
                         const DisplayForm& form, bool myDefault);
    QLayout* KeyLockAndUpdateRate(const DisplayForm& form);
    DisplayForm Form() const;
    void UpdateEnables();

    QComboBox* backlightMode_ = nullptr;
    QLineEdit* offTimer_ = nullptr;
    QSlider* brightness_ = nullptr;
    QCheckBox* usePresetTimer_ = nullptr;
    QLineEdit* presetTimer_ = nullptr;
};
