#pragma once

#include <chrono>
#include <map>

// Paces the display refreshes of a monitor window. Over a fast link the
// poll cycle finishes hundreds of commands a second, far more than anyone can
// read: each control is refreshed at most once per interval and the
// refreshes in between are left out (the next one shows the newer data). A
// slower cycle is not affected. The window asks before it touches a control.
class CRefreshPacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit CRefreshPacer(Clock::duration interval) : interval_(interval) {}

    // True, and the control counts as refreshed now, when its last refresh
    // is at least the interval ago, or it has none since Reset.
    bool Due(int control);
    // The next Due(control) is true: after a control was cleared it must
    // show its data at once.
    void Reset(int control) { last_.erase(control); }

private:
    Clock::duration interval_;
    std::map<int, Clock::time_point> last_;
};
