// The standard monitor window at full poll rate over Modbus/TCP against a
// simulated device in this process:
//   bench_monitor_window [SECONDS]          (default 10)
// ORMEL_BENCH_PAINTS=1 also lists the paints of each control.
//
// Reports the GUI thread's CPU time (its own thread clock) as a share of one
// core and per handled command, the paints of the window's controls, and the
// resident size with the window open. The floor, measured in the same run, is
// the GUI thread's cost of the bare cycle: the same worker and poll cycle,
// each notification posted to the GUI thread and the next command posted
// from there, with no widget at all.
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <time.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "CDeviceSimulator.h"
#include "CPlatformTransportFactory.h"
#include "CSimTcpServer.h"
#include "app/CSettingsStore.h"
#include "background/CObserver.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CMyORMELDlg.h"

namespace {

// KTA with two analog outputs, the device the poll-cycle benchmark uses.
constexpr int kMonitorTypeId = 73;
constexpr double kCpuGoalPercent = 10.0;
constexpr double kRssGoalMb = 80.0;

double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double ResidentMb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void RunEventLoopFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

struct Figures {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    long commands = 0;
    long failed = 0;
    double CpuPercent() const { return 100.0 * cpuSeconds / wallSeconds; }
    double UsPerCommand() const { return commands ? 1e6 * cpuSeconds / double(commands) : 0; }
    double CommandsPerSecond() const { return double(commands) / wallSeconds; }
};

// The floor: the cycle with nothing on screen.
class CBareCycle : public QObject, public CObserver {
public:
    explicit CBareCycle(const ComSettings& settings) : master_(settings), worker_(image_, master_)
    {
        image_.Attach(*this);
    }
    ~CBareCycle() override
    {
        worker_.Close();
        image_.Detach(*this);
    }
    void Start()
    {
        worker_.Start();
        const PollRequest first = cycle_.Start();
        worker_.Post(first.command, first.argument);
    }
    void Update(CObservable*) override
    {
        QMetaObject::invokeMethod(
            this, [this] { Finished(); }, Qt::QueuedConnection);
    }
    Figures figures;

private:
    void Finished()
    {
        ++figures.commands;
        const bool error = worker_.HasError();
        figures.failed += error ? 1 : 0;
        const PollDecision d =
            cycle_.OnCommandFinished(error, worker_.ConnectedDevice(), image_, selections_);
        if (d.next)
            worker_.Post(d.next->command, d.next->argument);
    }

    CModbusInterface master_;
    CMeasurandsKTA image_;
    CMonitorWorker worker_;
    CMonitorPollCycle cycle_;
    MonitorSelections selections_;
};

// Counts the paints of a window and of every control on it.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~CPaintCounter() override { qApp->removeEventFilter(this); }
    long paints = 0;
    std::map<std::string, long> byWidget;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* w = qobject_cast<QWidget*>(object);
            if (w && (w == &window_ || window_.isAncestorOf(w))) {
                ++paints;
                if (qEnvironmentVariableIsSet("ORMEL_BENCH_PAINTS"))
                    ++byWidget[QStringLiteral("%1 %2")
                                   .arg(w->metaObject()->className(), w->objectName())
                                   .toStdString()];
            }
        }
        return false;
    }

private:
    QWidget& window_;
};

template <typename Run> Figures Measure(double seconds, Run&& run)
{
    const double cpu0 = ThreadCpuSeconds(), wall0 = WallSeconds();
    RunEventLoopFor(seconds);
    Figures f = run();
    f.cpuSeconds = ThreadCpuSeconds() - cpu0;
    f.wallSeconds = WallSeconds() - wall0;
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;
    InstallPlatformTransports();
    SimOptions options;
    options.typeId = kMonitorTypeId;
    CDeviceSimulator sim(options);
    CSimTcpServer server(sim, "127.0.0.1", 0);
    ComSettings settings;
    settings.mode = ConnectionMode::Tcp;
    settings.serverAddress = "127.0.0.1";
    settings.servicePort = std::to_string(server.Port());
    const double rssBefore = ResidentMb();

    Figures floor;
    {
        CBareCycle bare(settings);
        bare.Start();
        floor = Measure(seconds, [&] { return bare.figures; });
    }

    CModbusInterface connection(settings);
    CMemorySettingsStore store;
    Figures window;
    long paints = 0;
    double rssOpen = 0;
    {
        CMyORMELDlg dialog(connection, store);
        CPaintCounter counter(dialog);
        long commands = 0, failed = 0;
        QObject::connect(&dialog, &CMyORMELDlg::CommandShown, [&](int, bool f) {
            ++commands;
            failed += f ? 1 : 0;
        });
        dialog.show();
        window = Measure(seconds, [&] {
            Figures f;
            f.commands = commands;
            f.failed = failed;
            return f;
        });
        paints = counter.paints;
        for (const auto& [name, n] : counter.byWidget)
            std::printf("  %8ld %s\n", n, name.c_str());
        rssOpen = ResidentMb();
    }

    std::printf("== Standard monitor window at full poll rate over Modbus/TCP, %.0f s\n", seconds);
    std::printf("%-28s %12s %12s %14s %10s\n", "", "GUI CPU %", "commands/s", "GUI us/command",
                "failed");
    std::printf("%-28s %12.2f %12.0f %14.1f %10ld\n", "floor (bare cycle)", floor.CpuPercent(),
                floor.CommandsPerSecond(), floor.UsPerCommand(), floor.failed);
    std::printf("%-28s %12.2f %12.0f %14.1f %10ld\n", "monitor window", window.CpuPercent(),
                window.CommandsPerSecond(), window.UsPerCommand(), window.failed);
    std::printf("GUI us/command, window / floor: %.2f\n",
                floor.UsPerCommand() > 0 ? window.UsPerCommand() / floor.UsPerCommand() : 0.0);
    std::printf("GUI CPU share: %.2f %% of one core (goal <= %.0f %%)\n", window.CpuPercent(),
                kCpuGoalPercent);
    std::printf("paints of the window and its controls: %.1f per second, %.3f per command\n",
                double(paints) / window.wallSeconds,
                window.commands ? double(paints) / double(window.commands) : 0.0);
    std::printf("resident size: %.1f MB with the window open, %.1f MB before (goal <= %.0f MB)\n",
                rssOpen, rssBefore, kRssGoalMb);
    return window.failed == 0 && floor.failed == 0 ? 0 : 1;
}
