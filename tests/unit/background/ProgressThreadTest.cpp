#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "TestEvents.h"
#include "app/CPrivateException.h"
#include "background/CObserver.h"
#include "background/CProgressThread.h"

namespace {

class FakeConnection : public ITransferConnection {
public:
    void Open() override
    {
        ++opens;
        if (!openError.empty())
            throw CPrivateException(openError);
    }
    void Close() override
    {
        ++closes;
        if (!closeError.empty())
            throw CPrivateException(closeError);
    }
    void AbortForCancel() override
    {
        ++aborts;
        aborted.Set();
    }

    std::string openError, closeError;
    std::atomic<int> opens{0}, closes{0}, aborts{0};
    TestEvent aborted;
};

// Logs each notification on the job thread: the percentage, or the end with
// the number of closes seen by then.
class JobObserver : public CObserver {
public:
    explicit JobObserver(FakeConnection& connection) : connection_(connection) {}
    ~JobObserver() override { DetachAll(); }
    void Update(CObservable* source) override
    {
        auto& job = static_cast<CProgressThread&>(*source);
        log.Add(job.IsFinished() ? "end closes=" + std::to_string(connection_.closes.load())
                                 : std::to_string(int(job.Progress())));
    }
    EventLog log;

private:
    FakeConnection& connection_;
};

bool TwoSteps(IProgressSink& sink)
{
    sink.ReportProgress(50);
    sink.ReportProgress(100);
    return true;
}

struct JobCase {
    const char* name;
    const char* openError;
    const char* closeError;
    CProgressThread::Transfer transfer;
    TransferOutcome outcome;
    const char* errorText;
};

class TransferJobEnding : public ::testing::TestWithParam<JobCase> {};

} // namespace

TEST_P(TransferJobEnding, ClosesOnceThenNotifiesTheEnd)
{
    const JobCase& c = GetParam();
    FakeConnection connection;
    connection.openError = c.openError;
    connection.closeError = c.closeError;
    JobObserver observer(connection);
    CProgressThread job(TransferOperation::Read, connection, c.transfer);
    job.Attach(observer);
    job.Start();
    job.Join();
    EXPECT_EQ(connection.closes, 1);
    EXPECT_EQ(observer.log.Lines().back(), "end closes=1");
    EXPECT_EQ(job.Outcome(), c.outcome);
    EXPECT_EQ(job.ErrorText(), c.errorText);
    if (c.outcome == TransferOutcome::Failed)
        EXPECT_THROW(job.RaiseIfFailed(), CPrivateException);
    else
        EXPECT_NO_THROW(job.RaiseIfFailed());
}

INSTANTIATE_TEST_SUITE_P(
    EveryCase, TransferJobEnding,
    ::testing::Values(
        JobCase{"Success", "", "", TwoSteps, TransferOutcome::Completed, ""},
        JobCase{"TransferError", "", "",
                [](IProgressSink&) -> bool { throw CPrivateException("Modbus command failed."); },
                TransferOutcome::Failed, "Modbus command failed."},
        JobCase{"OpenError", "port busy", "", TwoSteps, TransferOutcome::Failed, "port busy"},
        // A stop without an error text is never a success: the data is incomplete.
        JobCase{"AbortException", "", "",
                [](IProgressSink&) -> bool { throw CPrivateException::Aborted(); },
                TransferOutcome::Cancelled, ""},
        JobCase{"TransferStopped", "", "", [](IProgressSink&) { return false; },
                TransferOutcome::Cancelled, ""},
        // A close error spoils only a success; otherwise the first error stands.
        JobCase{"CloseErrorAfterSuccess", "", "close failed", TwoSteps, TransferOutcome::Failed,
                "close failed"},
        JobCase{"CloseErrorAfterError", "", "close failed",
                [](IProgressSink&) -> bool { throw CPrivateException("timeout"); },
                TransferOutcome::Failed, "timeout"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransferJob, ProgressIsNotifiedOnEachStepBeforeTheEnd)
{
    FakeConnection connection;
    JobObserver observer(connection);
    CProgressThread job(TransferOperation::Write, connection, TwoSteps);
    job.Attach(observer);
    job.Start();
    job.Join();
    EXPECT_EQ(observer.log.Lines(), (std::vector<std::string>{"50", "100", "end closes=1"}));
}

TEST(TransferJob, CancelAbortsTheRequestInFlightAndWinsWhateverTheErrorText)
{
    FakeConnection connection;
    JobObserver observer(connection);
    CProgressThread job(TransferOperation::Read, connection, [&](IProgressSink& sink) -> bool {
        sink.ReportProgress(10);
        // The request in flight ends only through the connection's abort.
        connection.aborted.Wait();
        if (sink.IsCancelRequested())
            throw CPrivateException("timeout");
        return true;
    });
    job.Attach(observer);
    job.Start();
    ASSERT_TRUE(observer.log.WaitForCount(1));
    job.Cancel();
    job.Join();
    EXPECT_EQ(connection.aborts, 1);
    EXPECT_EQ(job.Outcome(), TransferOutcome::Cancelled);
    EXPECT_EQ(observer.log.Lines(), (std::vector<std::string>{"10", "end closes=1"}));
    job.Cancel(); // after the end the connection is left alone
    EXPECT_EQ(connection.aborts, 1);
}

TEST(TransferJob, ErrorTextKeepsAtMost255CharactersWithoutSplittingOne)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += (i % 2) ? "e" : "\xE3\x81\x82"; // a 3-byte character, then ASCII
    FakeConnection connection;
    CProgressThread job(TransferOperation::Read, connection,
                        [&](IProgressSink&) -> bool { throw CPrivateException(text); });
    job.Start();
    job.Join();
    // 128 three-byte and 127 one-byte characters.
    ASSERT_EQ(job.ErrorText().size(), 128u * 3u + 127u);
    EXPECT_EQ(job.ErrorText(), text.substr(0, job.ErrorText().size()));
}
