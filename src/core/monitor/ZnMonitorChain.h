#pragma once

#include <optional>

#include "monitor/CMonitorPollCycle.h"
#include "monitor/ZnMonitorJobs.h"

// What the ZN monitor window does with one finished job. Everything not
// asked for stays as it is.
struct ZnJobDecision {
    enum class ThdGrid { Unchanged, ShowValues, Clear };
    enum class HarmonicsGraph { Unchanged, ShowImage, Hide };

    // The device-information job found a device of another family: wait
    // until the executor is idle and end the window with result 1.
    bool closeWithResultOk = false;
    int statusTextId = 0; // 11016 or 11024
    std::optional<ColorRef> ledColour;
    // Device information job: the device grid and the vector chart.
    bool refreshDeviceInformation = false;
    // Page job: rebuild the page for the wiring and mode, enable tab 1001.
    bool refreshPage = false;
    ThdGrid thdGrid = ThdGrid::Unchanged;
    HarmonicsGraph graph = HarmonicsGraph::Unchanged;
    // The job to post now; none when the window closes.
    std::optional<ZnJob> next;
};

// The endless job chain of the ZN monitor window (device information, page
// values, THD, spectrum, device information, ...) and its status flags. One
// job is in flight; its completion decides what the window shows and names
// the next job.
class CZnMonitorChain {
public:
    // Flags cleared; post the returned device-information job.
    ZnJob Start();

    // The current job ended. completed: it read everything; device: what the
    // last completed device-information job identified.
    ZnJobDecision OnJobFinished(bool completed, const CDeviceType& device);

    // Every 500 ms: the error state blinks.
    void OnTimer();

    ZnJob Current() const { return current_; }
    bool ErrorFlag() const { return error_; }
    bool BlinkFlag() const { return blink_; }
    StatusStyle StatusTextStyle() const;

private:
    ZnJob current_ = ZnJob::DeviceInformation;
    bool error_ = false;
    bool blink_ = false;
};
