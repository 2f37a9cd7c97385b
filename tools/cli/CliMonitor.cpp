#include "CliMonitor.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "CTerminalPrompts.h"
#include "CliMonitorFormat.h"
#include "CliMonitorSource.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "device/CDeviceType.h"

namespace {

using Clock = std::chrono::steady_clock;

// SIGINT and SIGTERM while the monitor runs: the handler only writes a byte
// to a pipe (all it may safely do); a watcher thread reads it, marks the stop
// and runs the stop action, which cuts the master's pending call short.
// Further signals change nothing (a supervisor may signal the process and its
// group at once); a serial read still ends at its time-out.
class CStopSignal {
public:
    explicit CStopSignal(std::function<void()> onStop) : onStop_(std::move(onStop))
    {
        if (pipe(pipe_) != 0)
            throw CPrivateException(SystemErrorText(errno));
        writeEnd_ = pipe_[1];
        struct sigaction action = {};
        action.sa_handler = &CStopSignal::Handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // output written meanwhile is not cut short
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
        watcher_ = std::thread([this] { Watch(); });
    }

    ~CStopSignal()
    {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
        const char quit = 'q';
        while (write(pipe_[1], &quit, 1) < 0 && errno == EINTR) {
        }
        watcher_.join();
        writeEnd_ = -1;
        close(pipe_[0]);
        close(pipe_[1]);
    }
    CStopSignal(const CStopSignal&) = delete;
    CStopSignal& operator=(const CStopSignal&) = delete;

    bool Requested() const { return requested_; }

    // False when a stop came before the deadline.
    bool WaitUntil(Clock::time_point deadline)
    {
        std::unique_lock lock(mutex_);
        return !stopped_.wait_until(lock, deadline, [this] { return requested_.load(); });
    }

private:
    static void Handler(int)
    {
        const int saved = errno;
        const char stop = 's';
        if (writeEnd_ >= 0)
            (void)!write(writeEnd_, &stop, 1);
        errno = saved;
    }

    void Watch()
    {
        for (;;) {
            char c = 0;
            const ssize_t n = read(pipe_[0], &c, 1);
            if (n < 0 && errno == EINTR)
                continue;
            if (n != 1 || c != 's')
                return;
            if (requested_.exchange(true))
                continue;
            onStop_();
            std::lock_guard lock(mutex_);
            stopped_.notify_all();
        }
    }

    static inline volatile sig_atomic_t writeEnd_ = -1;
    std::function<void()> onStop_;
    int pipe_[2] = {-1, -1};
    struct sigaction oldInt_ = {};
    struct sigaction oldTerm_ = {};
    std::atomic<bool> requested_{false};
    std::mutex mutex_;
    std::condition_variable stopped_;
    std::thread watcher_;
};

CDeviceType IdentifyDevice(CModbusInterface& master)
{
    master.Open();
    CDeviceType device;
    device.Identify(master);
    master.Close();
    return device;
}

void Write(std::FILE* out, const std::string& text)
{
    if (std::fputs(text.c_str(), out) < 0 || std::fflush(out) != 0)
        throw CPrivateException("ormel-cli: cannot write the output: " + SystemErrorText(errno));
}

} // namespace

void RunMonitor(const CliOptions& o, std::FILE* out)
{
    const int channel = o.channel.value_or(1);
    if (channel > 2)
        throw CliUsageError("--channel: the monitor reads channel 1 or 2");
    CModbusInterface master(o.connection);
    std::unique_ptr<IMonitorSource> source;
    // Published once the source exists; the stop action runs on the watcher.
    std::atomic<IMonitorSource*> running{nullptr};
    CStopSignal stop([&] {
        if (IMonitorSource* s = running.load())
            s->Stop();
        master.Abort();
    });

    CDeviceType device;
    try {
        device = IdentifyDevice(master);
    } catch (const CPrivateException&) {
        if (stop.Requested())
            return;
        throw;
    }
    source = CreateMonitorSource(device, master, channel, o.detail);
    running = source.get();
    const std::vector<MonitorItemName>& items = source->Items();
    std::optional<CMonitorCsvLog> csv;
    if (!o.csvPath.empty())
        csv.emplace(o.csvPath, MonitorCsvHeader(items));

    const auto interval = std::chrono::milliseconds(o.intervalMs);
    Clock::time_point start = Clock::now();
    for (long long cycle = 0; !o.count || cycle < *o.count; ++cycle) {
        // One cycle per interval from the start of the one before; a cycle
        // that took longer is followed at once, never by a burst.
        if (stop.Requested() || (cycle > 0 && !stop.WaitUntil(start + interval)))
            return;
        start = Clock::now();
        MonitorSnapshot snapshot;
        try {
            snapshot = source->Poll();
        } catch (const CMonitorSourceEnded&) {
            throw;
        } catch (const CPrivateException& e) {
            if (stop.Requested())
                return;
            if (o.count)
                throw;
            std::fprintf(stderr, "%s\n", TerminalText(e.Text()).c_str());
            continue;
        }
        const std::string time = Iso8601LocalTime(std::time(nullptr));
        Write(out, MonitorCycleText(items, snapshot));
        if (csv) {
            std::vector<std::string> row = {time};
            row.insert(row.end(), snapshot.texts.begin(), snapshot.texts.end());
            csv->Append(row);
        }
    }
}
