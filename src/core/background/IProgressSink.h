#pragma once

// Where an upload or download reports while it runs: after each step it
// reports the percentage done, which notifies the sink's observers, and then
// stops if a cancel was requested.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    // percent: 0-100, never decreasing, ending at 100.
    virtual void ReportProgress(double percent) = 0;
    virtual bool IsCancelRequested() const = 0;
};
