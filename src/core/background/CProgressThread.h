#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "background/CObservable.h"
#include "background/IProgressSink.h"
#include "background/ITransferConnection.h"

enum class TransferOperation { Read = 0, Write = 1 };

enum class TransferOutcome {
    Completed,
    Cancelled, // by the user; nothing is shown
    Failed,    // ErrorText() says why
};

// The job behind the progress window: on its own thread it opens the
// connection, runs the transfer, closes the connection in every case and
// notifies its observers once more with IsFinished() set. It is also the
// transfer's progress sink: each step is a notification on the job thread.
class CProgressThread : public CObservable, public IProgressSink {
public:
    static constexpr std::size_t kMaxErrorCharacters = 255;

    // Returns true when complete, false when cancelled; throws CPrivateException
    // on failure. Runs on the job thread.
    using Transfer = std::function<bool(IProgressSink& sink)>;

    // Not owned: connection must outlive the job.
    CProgressThread(TransferOperation operation, ITransferConnection& connection,
                    Transfer transfer);
    // Waits for the job thread; a job is never abandoned while it runs.
    ~CProgressThread() override;
    CProgressThread(const CProgressThread&) = delete;
    CProgressThread& operator=(const CProgressThread&) = delete;

    // Attach the observers first: the job notifies from its own thread.
    void Start();
    void Join();
    // From the window's thread: the transfer stops at its next step, and the
    // request in flight is aborted.
    void Cancel();

    void ReportProgress(double percent) override;
    bool IsCancelRequested() const override;
    void BeginPhase(TransferPhase phase) override;

    TransferOperation Operation() const { return operation_; }
    double Progress() const;
    TransferPhase Phase() const { return phase_; }
    bool IsFinished() const;
    // Valid once IsFinished().
    TransferOutcome Outcome() const { return outcome_; }
    const std::string& ErrorText() const { return errorText_; }
    // For the window once the job has finished: a failure is raised again as
    // CPrivateException on the window's thread.
    void RaiseIfFailed() const;

private:
    void Run();
    void RunTransfer();
    void CloseConnection();
    void SetError(const std::string& text);

    const TransferOperation operation_;
    ITransferConnection& connection_;
    Transfer transfer_;

    std::atomic<double> progress_{0.0};
    std::atomic<TransferPhase> phase_{TransferPhase::Transfer};
    std::atomic<bool> finished_{false};
    std::atomic<bool> cancel_{false};
    // Written by the job thread before finished_ is set.
    std::string errorText_;
    TransferOutcome outcome_ = TransferOutcome::Completed;
    bool aborted_ = false;

    std::thread thread_;
};
