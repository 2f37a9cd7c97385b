#pragma once

#include <optional>
#include <string>

#include "device/CDeviceType.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/QhMonitorCells.h"
#include "utility/UtilityRules.h"

class CMeasurandsKTA;
struct QhDetailRead;
struct QhMonitorRead;

// The status text 1074 and the LED of the multi-circuit monitor and its
// detail window: "Communicating" with the LED blinking light blue after each
// successful read, "    Communication error    " in red, blinking white on red
// every 500 ms, while reads fail.
class CQhStatus {
public:
    // A read succeeded: the LED colour to show now.
    ColorRef OnSuccess();
    void OnError();
    void ClearError();
    // Every 500 ms.
    void OnTimer();

    int StatusTextId() const { return statusTextId_; }
    bool ErrorFlag() const { return error_; }
    StatusStyle Style() const;

private:
    int statusTextId_ = 0;
    bool error_ = false;
    bool blink_ = false;
};

// What the monitor window does when a read job has finished.
struct QhMonitorDecision {
    // A device of another family: end with result 1 and post nothing more.
    bool endWithReopen = false;
    // The page grids from the image (the job read the view the page shows).
    bool refreshPage = false;
    // Field 1165, date and time of the device clock.
    std::optional<std::string> clockText;
    // Tab 1159 enabled; when it becomes disabled on its second tab, the first
    // tab is selected.
    std::optional<bool> moduleTabEnabled;
    bool selectFirstTab = false;
    // "Loop Test" and "Preset" by firmware.
    std::optional<QhTestButtons> buttons;
    std::optional<ColorRef> ledColour;
};

// The completion rules of the multi-circuit monitor's read job and the
// device type the window knows (catalogue row 52 until the first
// identification).
class CQhMonitorCycle {
public:
    CQhMonitorCycle();

    // pageView: what the page shows now; selectedTab: tab 1159's selection.
    QhMonitorDecision OnReadFinished(const QhMonitorRead& read, QhCells::QhView pageView,
                                     int selectedTab, const CMeasurandsKTA& image);

    const CDeviceType& Device() const { return device_; }
    CQhStatus& Status() { return status_; }
    const CQhStatus& Status() const { return status_; }

private:
    CDeviceType device_;
    CQhStatus status_;
};

constexpr int kQhDefaultTypeId = 52;
