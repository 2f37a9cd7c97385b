#include "CliTransferJob.h"

#include <pthread.h>
#include <signal.h>

#include <cstdio>

#include "CTerminalProgress.h"
#include "app/CModbusTransferConnection.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

// Wakes the waiting thread once the job has finished.
class CFinishSignal : public CObserver {
public:
    explicit CFinishSignal(pthread_t waiter) : waiter_(waiter) {}
    ~CFinishSignal() override { DetachAll(); }
    void Update(CObservable* source) override
    {
        const auto* job = dynamic_cast<const CProgressThread*>(source);
        if (job && job->IsFinished())
            pthread_kill(waiter_, SIGUSR1);
    }

private:
    const pthread_t waiter_;
};

// Blocks the signals it waits for, so they stay pending for sigwait instead
// of ending the process; the job thread inherits the mask.
class CBlockedSignals {
public:
    CBlockedSignals()
    {
        sigemptyset(&set_);
        for (int s : {SIGINT, SIGTERM, SIGUSR1})
            sigaddset(&set_, s);
        pthread_sigmask(SIG_BLOCK, &set_, &saved_);
    }
    ~CBlockedSignals() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    CBlockedSignals(const CBlockedSignals&) = delete;
    CBlockedSignals& operator=(const CBlockedSignals&) = delete;

    int Wait() const
    {
        int signal = 0;
        sigwait(&set_, &signal);
        return signal;
    }

private:
    sigset_t set_{};
    sigset_t saved_{};
};

} // namespace

void RunTransferJob(CModbusInterface& connection, TransferOperation operation,
                    CProgressThread::Transfer transfer, bool showProgress)
{
    const CBlockedSignals signals;
    CModbusTransferConnection link(connection);
    CProgressThread job(operation, link, std::move(transfer));
    CTerminalProgress bar(
        stderr,
        LoadText(operation == TransferOperation::Read ? TextId::Uploading : TextId::Downloading),
        showProgress);
    bar.SetVerifyCaption(LoadText(TextId::Verifying));
    CFinishSignal finish(pthread_self());
    job.Attach(bar);
    job.Attach(finish);
    job.Start();
    // The finish signal comes exactly once; wait for it even when the job is
    // seen finished earlier, so none is left pending when the mask is restored.
    for (;;) {
        if (signals.Wait() != SIGUSR1)
            job.Cancel();
        else if (job.IsFinished())
            break;
    }
    job.Join();
    switch (job.Outcome()) {
    case TransferOutcome::Completed:
        return;
    case TransferOutcome::Cancelled:
        throw CPrivateException::Aborted();
    case TransferOutcome::Failed:
        throw CPrivateException(job.ErrorText());
    }
}
