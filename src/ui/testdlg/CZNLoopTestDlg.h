#pragma once

#include <QDialog>

class CDeviceType;
class CLoopTestPanel;
class CModbusInterface;
class CPresetPanel;
class QComboBox;

// The loop test and the preset of the ZN family in one window, opened in one
// of its two modes. Loop test: both systems' values in one grid each, under
// one mode register, written together. Preset: the energy tabs of the system
// chosen in the system list (the second system's counters lie 4000 registers
// higher), counted in hundredths.
class CZNLoopTestDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { LoopTest, Preset };
    enum ControlId { kClose = 2, kSystemList = 1095 };

    // connection: the monitor's, not owned.
    CZNLoopTestDlg(CModbusInterface& connection, const CDeviceType& device, Mode mode,
                   QWidget* parent = nullptr);

    // The initial reads of the loop test; errors throw. Nothing for the preset.
    void Load();
    Mode WindowMode() const { return mode_; }
    CLoopTestPanel* LoopTest() const { return loopTest_; }
    CPresetPanel* Preset() const { return preset_; }
    QComboBox* SystemList() const { return systems_; }
    void done(int result) override;

private:
    Mode mode_;
    CLoopTestPanel* loopTest_ = nullptr;
    CPresetPanel* preset_ = nullptr;
    QComboBox* systems_ = nullptr;
};
