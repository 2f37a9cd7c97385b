#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "background/CBackgroundExecutor.h"
#include "background/CObserver.h"
#include "monitor/CQhReadJob.h"

// The job of the multi-circuit windows on a background executor: one read in
// flight, its result handed over after the notification, and no object gone
// while the executor still holds its item.

namespace {

class Waiter : public CObserver {
public:
    void Update(CObservable*) override
    {
        std::lock_guard lock(mutex_);
        ++updates_;
        changed_.notify_all();
    }
    bool WaitFor(int updates)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10),
                                 [&] { return updates_ >= updates; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int updates_ = 0;
};

TEST(QhReadJob, OneReadInFlightAndItsResultAfterTheNotification)
{
    CBackgroundExecutor executor;
    CQhReadJob<int> job(executor);
    Waiter waiter;
    job.Item().Attach(waiter);
    std::mutex gate;
    std::unique_lock hold(gate);
    EXPECT_TRUE(job.Post([&] {
        std::lock_guard wait(gate);
        return 42;
    }));
    EXPECT_TRUE(job.InFlight());
    EXPECT_FALSE(job.Post([] { return 7; })); // refused: the first is still running
    hold.unlock();
    ASSERT_TRUE(waiter.WaitFor(1));
    EXPECT_FALSE(job.InFlight());
    EXPECT_EQ(job.TakeResult(), 42);
    EXPECT_EQ(job.TakeResult(), 0);
    EXPECT_TRUE(job.Post([] { return 7; }));
    ASSERT_TRUE(waiter.WaitFor(2));
    EXPECT_EQ(job.TakeResult(), 7);
    job.Item().Detach(waiter);
}

TEST(QhReadJob, DestructionWaitsForTheReadUnderWay)
{
    CBackgroundExecutor executor;
    std::atomic<bool> finished{false};
    {
        CQhReadJob<int> job(executor);
        job.Post([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
            return 1;
        });
    }
    EXPECT_TRUE(finished);
    EXPECT_TRUE(executor.WaitUntilIdle(std::chrono::seconds(10)));
}

} // namespace
