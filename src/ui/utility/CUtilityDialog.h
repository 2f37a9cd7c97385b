#pragma once

#include <QDialog>

#include <optional>

#include "device/CDeviceType.h"
#include "utility/UtilityRules.h"
#include "utility/UtilityTestWindows.h"

class CModbusInterface;
class QPushButton;

// The "Utility" window of the monitors: the connected device's resets, the
// clearing of its alarms, its tag number and its loop-test and preset windows.
// Which buttons are enabled follows the device. Every command runs on the
// monitor's connection and takes its access lock, so the monitor's polling
// waits meanwhile; a refused passcode ends a command without writing.
class CUtilityDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kClose = 2,
        kEnergy = 1026,
        kMaxMin = 1027,
        kDemand = 1028,
        kTagNo = 1029,
        kLoopTest = 1030,
        kCounter = 1031,
        kPreset = 1032,
        kClearAlarm = 1033,
    };

    // connection: the monitor's, not owned. device: the connected device as
    // the monitor's worker identified it, with its I/O words. selector: the
    // monitor window's flag that sends the resets of the main unit to the
    // alternative command register (a QG showing its second input).
    CUtilityDialog(CModbusInterface& connection, const CDeviceType& device, bool selector,
                   QWidget* parent = nullptr);

    // Replaces the installed loop-test and preset openers.
    void SetTestWindows(UtilityTestWindows windows);

private:
    QPushButton* AddButton(int textId, int controlId);
    void ApplyButtonRules();
    void OnReset(ResetKind kind);
    std::optional<ResetRequest> AskResetRequest(ResetKind kind);
    void OnClearAlarm();
    void OnLoopTest();
    void OnPreset();
    void OnTagNo();

    CModbusInterface& connection_;
    CDeviceType device_;
    bool selector_;
    UtilityTestWindows testWindows_;
};

// Runs the window modally over parent.
void RunUtilityDialog(CModbusInterface& connection, const CDeviceType& device, bool selector,
                      QWidget* parent);
