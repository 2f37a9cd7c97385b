#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
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

    std::string openError;
    std::string closeError;
    std::atomic<int> opens{0}, closes{0}, aborts{0};
    TestEvent aborted;
};

// Records progress notifications (on the job thread) up to the finished one.
class JobObserver : public CObserver {
public:
    ~JobObserver() override { DetachAll(); }
    void Update(CObservable* source) override
    {
        auto& job = static_cast<CProgressThread&>(*source);
        if (job.IsFinished()) {
            log.Add("finished closes=" + std::to_string(connection->closes.load()));
        } else {
            log.Add(std::to_string(int(job.Progress())));
        }
    }
    FakeConnection* connection = nullptr;
    EventLog log;
};

class TransferJob : public ::testing::Test {
protected:
    void Run(CProgressThread::Transfer transfer)
    {
        job = std::make_unique<CProgressThread>(TransferOperation::Read, connection,
                                                std::move(transfer));
        observer.connection = &connection;
        job->Attach(observer);
        job->Start();
        job->Join();
    }

    FakeConnection connection;
    JobObserver observer;
    std::unique_ptr<CProgressThread> job;
};

bool TwoSteps(IProgressSink& sink)
{
    sink.ReportProgress(50);
    sink.ReportProgress(100);
    return true;
}

}  // namespace

TEST_F(TransferJob, SuccessReportsEachStepThenFinishedAfterTheClose)
{
    Run(TwoSteps);
    EXPECT_EQ(observer.log.Lines(), (std::vector<std::string>{"50", "100", "finished closes=1"}));
    EXPECT_EQ(job->Outcome(), TransferOutcome::Completed);
    EXPECT_TRUE(job->ErrorText().empty());
    EXPECT_EQ(connection.opens, 1);
}

TEST_F(TransferJob, FailureKeepsTheErrorTextAndStillCloses)
{
    Run([](IProgressSink&) -> bool { throw CPrivateException("Modbus command failed."); });
    EXPECT_EQ(job->Outcome(), TransferOutcome::Failed);
    EXPECT_EQ(job->ErrorText(), "Modbus command failed.");
    EXPECT_EQ(observer.log.Lines(), (std::vector<std::string>{"finished closes=1"}));
}

TEST_F(TransferJob, FailedOpenSkipsTheTransferAndStillCloses)
{
    connection.openError = "port busy";
    bool transferred = false;
    Run([&](IProgressSink&) { return transferred = true; });
    EXPECT_FALSE(transferred);
    EXPECT_EQ(job->Outcome(), TransferOutcome::Failed);
    EXPECT_EQ(job->ErrorText(), "port busy");
    EXPECT_EQ(connection.closes, 1);
}

TEST_F(TransferJob, CancelAbortsTheRequestStopsAtTheNextStepAndCloses)
{
    job = std::make_unique<CProgressThread>(
        TransferOperation::Write, connection, [&](IProgressSink& sink) {
            sink.ReportProgress(10);
            // A request in flight ends only through the connection's abort.
            if (!connection.aborted.Wait())
                return true;
            sink.ReportProgress(20);
            return !sink.IsCancelRequested();
        });
    observer.connection = &connection;
    job->Attach(observer);
    job->Start();
    ASSERT_TRUE(observer.log.WaitForCount(1));
    job->Cancel();
    job->Join();
    EXPECT_EQ(connection.aborts, 1);
    EXPECT_EQ(job->Outcome(), TransferOutcome::Cancelled);
    EXPECT_EQ(observer.log.Lines(), (std::vector<std::string>{"10", "20", "finished closes=1"}));
}

TEST_F(TransferJob, CancelWinsWhateverTheErrorText)
{
    job = std::make_unique<CProgressThread>(TransferOperation::Read, connection,
                                            [&](IProgressSink&) -> bool {
                                                connection.aborted.Wait();
                                                throw CPrivateException("timeout");
                                            });
    job->Start();
    job->Cancel();
    job->Join();
    EXPECT_EQ(job->Outcome(), TransferOutcome::Cancelled);
    EXPECT_EQ(connection.closes, 1);
}

TEST_F(TransferJob, StopWithoutErrorIsNeverTakenAsSuccess)
{
    Run([](IProgressSink&) -> bool { throw CPrivateException::Aborted(); });
    EXPECT_EQ(job->Outcome(), TransferOutcome::Cancelled);
    Run([](IProgressSink&) { return false; });
    EXPECT_EQ(job->Outcome(), TransferOutcome::Cancelled);
    EXPECT_EQ(connection.closes, 2);
}

TEST_F(TransferJob, CloseErrorSpoilsOnlyASuccess)
{
    connection.closeError = "close failed";
    Run(TwoSteps);
    EXPECT_EQ(job->Outcome(), TransferOutcome::Failed);
    EXPECT_EQ(job->ErrorText(), "close failed");
    Run([](IProgressSink&) -> bool { throw CPrivateException("timeout"); });
    EXPECT_EQ(job->ErrorText(), "timeout");
}

TEST_F(TransferJob, ErrorTextKeepsAtMost255CharactersWithoutSplittingOne)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += (i % 2) ? "e" : "\xE3\x81\x82";  // a 3-byte character, then ASCII
    Run([&](IProgressSink&) -> bool { throw CPrivateException(text); });
    const std::string& kept = job->ErrorText();
    // 128 three-byte and 127 one-byte characters.
    EXPECT_EQ(kept.size(), 128u * 3u + 127u);
    EXPECT_EQ(kept, text.substr(0, kept.size()));
    EXPECT_EQ(kept.back(), '\x82');
}

TEST_F(TransferJob, CancelAfterTheEndLeavesTheConnectionAlone)
{
    Run(TwoSteps);
    job->Cancel();
    EXPECT_EQ(connection.aborts, 0);
    EXPECT_TRUE(job->IsCancelRequested());
}
