// The multi-circuit monitor of the QH family against a simulated device in
// this process: the main page on each of its views and the channel detail
// window on each of its tabs, after their read jobs have run a few times.
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>

#include "SimulatedLink.h"
#include "WindowCatalog.h"
#include "comm/CModbusInterface.h"
#include "monitor/CPMDetailDialog.h"
#include "monitor/CPMDialog.h"
#include "monitor/CSharedPageTabs.h"
#include "widgets/CDataGridView.h"

namespace {

constexpr int kReads = 3;
constexpr int kWaitLimitMs = 20000;

// Runs the window's event loop until `reads` more reads have been shown
// without error.
template <class Window> void RunReads(Window& window, int reads)
{
    QEventLoop loop;
    int shown = 0;
    QObject::connect(&window, &Window::ReadShown, &loop, [&](bool failed) {
        if (!failed && ++shown >= reads)
            loop.quit();
    });
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (shown < reads)
        std::fprintf(stderr, "QH monitor: %d of %d reads shown\n", shown, reads);
}

SimOptions Device(int typeId, bool pulseInputs = false)
{
    SimOptions options;
    options.typeId = typeId;
    options.alternativeIo = pulseInputs;
    options.firmware = 200; // with loop test and preset
    options.scenario.tag = "Building B";
    return options;
}

std::unique_ptr<QWidget> MonitorOf(const SimOptions& device, int tab)
{
    auto* link = new CSimulatedLink(device);
    auto window = std::make_unique<CPMDialog>(link->Connection());
    link->setParent(window.get());
    // The enabled look of the buttons the lead wires to the test dialogs.
    auto none = [](CModbusInterface&, const CDeviceType&, QWidget*) {};
    window->SetDialogHooks({none, none});
    RunReads(*window, 1);
    window->ModuleTabs()->setCurrentIndex(tab);
    RunReads(*window, kReads);
    return window;
}

std::unique_ptr<QWidget> DetailOf(const SimOptions& device, int channel, int tab, int thdRow)
{
    auto* link = new CSimulatedLink(device);
    auto window = std::make_unique<CPMDetailDialog>(link->Connection(), channel);
    link->setParent(window.get());
    window->Tabs()->setCurrentIndex(tab);
    // A row can be chosen once the grid shows values.
    RunReads(*window, 1);
    window->SelectThdRow(thdRow);
    RunReads(*window, kReads);
    return window;
}

} // namespace

void AddQhMonitorWindows(CWindowCatalog& catalog)
{
    catalog.Add("QhMonitor_Basic", [] { return MonitorOf(Device(52), 0); });
    catalog.Add("QhMonitor_Extension", [] { return MonitorOf(Device(64), 1); });
    catalog.Add("QhMonitor_PulseInputs", [] { return MonitorOf(Device(52, true), 1); });
    catalog.Add("QhDetail_Trend", [] { return DetailOf(Device(64), 2, 0, 0); });
    catalog.Add("QhDetail_Max", [] { return DetailOf(Device(64), 9, 1, 4); });
    catalog.Add("QhDetail_Min", [] { return DetailOf(Device(52), 0, 2, 7); });
}
