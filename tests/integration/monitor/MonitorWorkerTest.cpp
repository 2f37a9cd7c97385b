#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "MonitorTestSupport.h"
#include "background/CPostingObserver.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/CMonitorWorker.h"
#include "support/CatalogueIds.h"
#include "unit/background/TestEvents.h"

namespace {
using namespace std::chrono_literals;

using Reads = std::vector<std::pair<int, int>>;

// The window's thread: what the observer posts runs here, in order.
class TaskQueue {
public:
    void Push(std::function<void()> task)
    {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        ready_.notify_one();
    }
    // Runs the next task; false when none arrived within the time-out.
    bool RunNext(std::chrono::milliseconds timeout = 10s)
    {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            if (!ready_.wait_for(lock, timeout, [this] { return !tasks_.empty(); }))
                return false;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
        return true;
    }
    void RunAll()
    {
        while (RunNext(0ms)) {
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
};

// A standard monitor window without widgets: it applies the cycle's decisions.
class HeadlessMonitor {
public:
    HeadlessMonitor(CModbusInterface& master, MonitorSelections selections)
        : worker(image, master), selections_(selections)
    {
        observer_ = std::make_unique<CPostingObserver>(
            [this](CPostingObserver::Task t) { queue.Push(std::move(t)); },
            [this](CObservable*) { OnNotification(); });
        image.Attach(*observer_);
    }
    void Open()
    {
        worker.Start();
        Post(cycle.Start());
    }
    // The window is destroyed after its closing sequence.
    void CloseAndDestroyObserver()
    {
        worker.Close();
        observer_.reset();
    }

    CMeasurandsKTA image;
    CMonitorWorker worker;
    CMonitorPollCycle cycle;
    TaskQueue queue;
    std::vector<int> posted;
    std::vector<bool> errors;
    int handled = 0;
    bool closedWithResultOk = false;

private:
    void Post(const PollRequest& r)
    {
        posted.push_back(CommandNumber(r.command));
        worker.Post(r.command, r.argument);
    }
    void OnNotification()
    {
        ++handled;
        errors.push_back(worker.HasError());
        const PollDecision d = cycle.OnCommandFinished(worker.HasError(), worker.ConnectedDevice(),
                                                       image, selections_);
        if (d.closeWithResultOk)
            closedWithResultOk = true;
        if (d.channelList == PollDecision::ChannelList::FirstChannelOnly)
            worker.SetChannel(0);
        if (d.next)
            Post(*d.next);
    }

    MonitorSelections selections_;
    std::unique_ptr<CPostingObserver> observer_;
};

} // namespace

TEST(MonitorWorker, TurnsOfTheCycleFillTheImage)
{
    SimulatedDevice device(DeviceOptions(kQgLonWorksCounter), SimTransport::Tcp);
    HeadlessMonitor monitor(device.Master(), {.valueTab = 1, .energyTab = 4, .thdRow = 2});
    monitor.Open();
    while (monitor.posted.size() < 13)
        ASSERT_TRUE(monitor.queue.RunNext());
    monitor.CloseAndDestroyObserver();

    EXPECT_EQ(monitor.posted, (std::vector<int>{1, 3, 9, 7, 8, 10, 1, 3, 9, 7, 8, 10, 1}));
    EXPECT_EQ(monitor.errors, std::vector<bool>(12, false));
    EXPECT_EQ(monitor.image.FormatItem(1873), "QGLPW");
    EXPECT_NE(monitor.image.Item(219), 0); // maximum voltage
    EXPECT_FALSE(device.Master().IsOpen());
}

TEST(MonitorWorker, DeviceOfAnotherFamilyEndsTheWindow)
{
    SimulatedDevice device(DeviceOptions(kQhModbus), SimTransport::Tcp);
    HeadlessMonitor monitor(device.Master(), {});
    monitor.Open();
    ASSERT_TRUE(monitor.queue.RunNext());
    EXPECT_TRUE(monitor.closedWithResultOk);
    EXPECT_EQ(monitor.posted, (std::vector<int>{1}));
    monitor.CloseAndDestroyObserver();
}

TEST(MonitorWorker, FailingCommandIsRepeatedUntilItSucceeds)
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.faults.exceptionAddress = 800; // the maximum values of the phases
    SimulatedDevice device(options, SimTransport::Tcp);
    HeadlessMonitor monitor(device.Master(), {.valueTab = 1});
    monitor.Open();
    while (monitor.posted.size() < 5)
        ASSERT_TRUE(monitor.queue.RunNext());
    monitor.CloseAndDestroyObserver();
    EXPECT_EQ(monitor.posted, (std::vector<int>{1, 3, 3, 3, 3}));
    EXPECT_EQ(monitor.errors, (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(monitor.cycle.Step(), 2);
}

// Closing while a request is on the line: the worker ends the command
// without another read, and nothing reaches the window once it closes.
TEST(MonitorWorker, ClosingMidCommandSendsNoNotification)
{
    SimulatedDevice device(DeviceOptions(kKtaGen3Modbus), SimTransport::Tcp);
    HookedTransports transports;
    SetTransportFactory(&transports);
    HeadlessMonitor monitor(device.Master(), {.valueTab = 0, .energyTab = 0});

    // Command 2's second block: its first has been read, ten more follow.
    constexpr int kHeldRead = 32;
    TestEvent held;
    transports.afterWrite = [&](const std::uint8_t* frame, std::size_t size) {
        if (ReadAddressOf(frame, size) != kHeldRead)
            return;
        // Let the device take the request in before the close cuts the link:
        // a request still in the socket would never reach its log.
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        const auto logged = [&] {
            const Reads r = ReadRequests(device.Requests());
            return std::count(r.begin(), r.end(), std::pair<int, int>{kHeldRead, 50}) > 0;
        };
        while (!logged() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        held.Set();
        // Stay inside the request until the window has begun to close.
        while (monitor.worker.IsRunning() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    };
    monitor.Open();
    ASSERT_TRUE(monitor.queue.RunNext()); // command 1 done, command 2 posted
    ASSERT_TRUE(held.Wait());
    const int handledBefore = monitor.handled;
    monitor.CloseAndDestroyObserver();
    monitor.queue.RunAll();

    const Reads reads = ReadRequests(device.Requests());
    EXPECT_EQ(std::count(reads.begin(), reads.end(), std::pair<int, int>{kHeldRead, 50}), 1);
    EXPECT_EQ(
        std::count_if(reads.begin(), reads.end(), [](const auto& r) { return r.first == 256; }),
        0); // nothing after the read in flight
    EXPECT_EQ(monitor.handled, handledBefore);
    EXPECT_EQ(monitor.posted, (std::vector<int>{1, 2}));
    EXPECT_FALSE(monitor.worker.HasError());
    EXPECT_FALSE(device.Master().IsOpen());
    EXPECT_FALSE(monitor.worker.Thread().IsStarted());
}

TEST(MonitorWorker, NeverStartedWorkerIsDiscarded)
{
    CModbusInterface master;
    CMeasurandsKTA image;
    CMonitorWorker worker(image, master);
    EXPECT_TRUE(worker.Post(PollCommand::DeviceInformation));
    worker.Close();
    EXPECT_FALSE(worker.Thread().IsStarted());
}
