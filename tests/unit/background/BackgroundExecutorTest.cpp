#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestEvents.h"
#include "background/CBackgroundExecutor.h"
#include "background/CObserver.h"

namespace {

// Observes one item and logs its notification, with the thread it came on.
class ItemObserver : public CObserver {
public:
    ItemObserver(std::string name, EventLog& log, CBackgroundExecutor& executor)
        : name_(std::move(name)), log_(log), executor_(executor)
    {
    }
    void Update(CObservable*) override
    {
        log_.Add("notified " + name_ + (executor_.IsExecutorThread() ? "" : " elsewhere"));
    }

private:
    std::string name_;
    EventLog& log_;
    CBackgroundExecutor& executor_;
};

// Items with their observers; each item logs its start and end and counts how
// many items run at the same time.
class Executor : public ::testing::Test {
protected:
    CSimpleFunctor& AddItem(const std::string& name, std::function<void()> work = nullptr)
    {
        items_.push_back(std::make_unique<CSimpleFunctor>(CSimpleFunctor::FromFunction([=, this] {
            if (++running_ > 1)
                overlapped_ = true;
            log.Add("run " + name);
            if (work)
                work();
            --running_;
        })));
        observers_.push_back(std::make_unique<ItemObserver>(name, log, executor));
        items_.back()->Attach(*observers_.back());
        return *items_.back();
    }

    EventLog log;
    std::atomic<int> running_{0};
    std::atomic<bool> overlapped_{false};
    // Declared before the executor: items and observers outlive its thread.
    std::vector<std::unique_ptr<CSimpleFunctor>> items_;
    std::vector<std::unique_ptr<ItemObserver>> observers_;
    CBackgroundExecutor executor;
};

} // namespace

TEST_F(Executor, ItemsRunInPostingOrderAndEachIsNotifiedBeforeTheNextStarts)
{
    TestEvent release;
    CSimpleFunctor& first = AddItem("a", [&] { release.Wait(); });
    CSimpleFunctor& second = AddItem("b");
    executor.Post(&first);
    executor.Post(&second);
    release.Set();
    ASSERT_TRUE(log.WaitForCount(4));
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"run a", "notified a", "run b", "notified b"}));
    EXPECT_FALSE(overlapped_);
}

TEST_F(Executor, ManyItemsFromSeveralThreadsNeverOverlap)
{
    std::vector<CSimpleFunctor*> batch;
    for (int i = 0; i < 40; ++i)
        batch.push_back(&AddItem(std::to_string(i)));
    std::thread other([&] {
        for (int i = 0; i < 20; ++i)
            executor.Post(batch[size_t(i)]);
    });
    for (int i = 20; i < 40; ++i)
        executor.Post(batch[size_t(i)]);
    other.join();
    ASSERT_TRUE(executor.WaitUntilIdle(kTestTimeout));
    const auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 80u);
    for (size_t i = 0; i < lines.size(); i += 2)
        EXPECT_EQ(lines[i + 1], "notified " + lines[i].substr(4));
    EXPECT_FALSE(overlapped_);
}

TEST_F(Executor, FailingItemStillNotifiesAndLaterItemsRun)
{
    CSimpleFunctor& failing = AddItem("a", [] { throw std::runtime_error("device gone"); });
    CSimpleFunctor& next = AddItem("b");
    executor.Post(&failing);
    executor.Post(&next);
    ASSERT_TRUE(log.WaitForCount(4));
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"run a", "notified a", "run b", "notified b"}));
}

TEST_F(Executor, IdleOnlyWhenNothingIsQueuedOrRunning)
{
    EXPECT_TRUE(executor.IsIdle());
    TestEvent started, release;
    CSimpleFunctor& item = AddItem("a", [&] {
        started.Set();
        release.Wait();
    });
    executor.Post(&item);
    ASSERT_TRUE(started.Wait());
    EXPECT_FALSE(executor.IsIdle());
    EXPECT_FALSE(executor.WaitUntilIdle(std::chrono::milliseconds(1)));
    release.Set();
    EXPECT_TRUE(executor.WaitUntilIdle(kTestTimeout));
    EXPECT_EQ(log.Lines().back(), "notified a");
}

TEST(ExecutorShutdown, FinishesWhatWasPostedBeforeItAndJoinsItsThread)
{
    EventLog log;
    TestEvent release;
    CSimpleFunctor blocking = CSimpleFunctor::FromFunction([&] {
        release.Wait();
        log.Add("first");
    });
    CSimpleFunctor queued = CSimpleFunctor::FromFunction([&] { log.Add("second"); });
    auto executor = std::make_unique<CBackgroundExecutor>();
    executor->Post(&blocking);
    executor->Post(&queued);
    release.Set();
    executor.reset();
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"first", "second"}));
}

TEST(ExecutorInstance, OneExecutorServesTheWholeProcess)
{
    CBackgroundExecutor& executor = CBackgroundExecutor::Instance();
    EXPECT_EQ(&executor, &CBackgroundExecutor::Instance());
    TestEvent ran;
    CSimpleFunctor item = CSimpleFunctor::FromFunction([&] { ran.Set(); });
    executor.Post(&item);
    EXPECT_TRUE(ran.Wait());
    EXPECT_TRUE(executor.WaitUntilIdle(kTestTimeout));
}
