#pragma once

#include <chrono>

#include "utility/DeviceClock.h"

// The PC's clock as "Sync PC" sees it, and its way of waiting. Tests inject
// a clock that advances only when it is waited on.
class IClockSource {
public:
    struct LocalTime {
        DeviceDateTime time;
        int millisecond = 0;
    };

    virtual ~IClockSource() = default;
    // The local wall-clock time.
    virtual LocalTime Now() = 0;
    // A clock that never jumps, for the time limits.
    virtual std::chrono::milliseconds Monotonic() = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// The real clock: local time of the process's time zone.
class CSystemClockSource : public IClockSource {
public:
    LocalTime Now() override;
    std::chrono::milliseconds Monotonic() override;
    void Sleep(std::chrono::milliseconds duration) override;
};
