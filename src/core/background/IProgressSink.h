#pragma once

// The parts of a transfer that the progress window names: a download that is
// verified reads its words back after writing them.
enum class TransferPhase { Transfer = 0, Verify = 1 };

// Where an upload or download reports while it runs: after each step it
// reports the percentage done, which notifies the sink's observers, and then
// stops if a cancel was requested.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    // percent: 0-100, never decreasing within a phase, ending at 100.
    virtual void ReportProgress(double percent) = 0;
    virtual bool IsCancelRequested() const = 0;
    // A new phase starts again from 0 percent.
    virtual void BeginPhase(TransferPhase) {}
};
