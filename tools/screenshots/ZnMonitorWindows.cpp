// The ZN monitor window against a simulated device in this process, after its
// job chain has run a few turns: every page mode for the wiring systems whose
// layouts differ (single-phase 2-wire, single-phase 3-wire, 3-phase 3-wire,
// 3-phase 4-wire, branched circuits, 1P3W + 1P2W), ZNPW and ZNEPW.
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "SimulatedLink.h"
#include "WindowCatalog.h"
#include "app/CSettingsStore.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CSharedPageTabs.h"
#include "utility/MonitorUtilityHooks.h"

namespace {

constexpr int kTurns = 2;
constexpr int kWaitLimitMs = 20000;

// Until `turns` chains have ended with a successful spectrum job and the
// page shows the chosen mode.
void RunTurns(CMyORMEL2Dlg& window, int turns)
{
    QEventLoop loop;
    int completed = 0;
    QObject::connect(&window, &CMyORMEL2Dlg::JobShown, &loop, [&](ZnJob job, bool failed) {
        if (job == ZnJob::Spectrum && !failed && ++completed >= turns)
            loop.quit();
    });
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (completed < turns)
        std::fprintf(stderr, "ZN monitor window: the job chain did not complete %d turns\n", turns);
}

SimOptions Device(int typeId, int wiring)
{
    SimOptions options;
    options.typeId = typeId;
    options.scenario.wiring = wiring;
    options.scenario.primaryCurrent = 100;
    options.scenario.primaryVoltage = wiring == 0 ? 100 : 200;
    options.scenario.tag = "Panel 3";
    return options;
}

std::unique_ptr<QWidget> MonitorOf(const SimOptions& device, int pageMode)
{
    auto* link = new CSimulatedLink(device);
    auto window = std::make_unique<CMyORMEL2Dlg>(link->Connection(), link->Store());
    link->setParent(window.get());
    // As the program installs it; the loop test of the family has no window yet.
    window->SetDialogHooks({.utility = &RunZnMonitorUtilityDialog, .loopTest = {}});
    window->ValueTabs()->setCurrentIndex(pageMode);
    RunTurns(*window, kTurns);
    return window;
}

void AddWiring(CWindowCatalog& catalog, const std::string& name, const SimOptions& device)
{
    static const char* const kModes[] = {"Trend", "Max", "Min", "Energy"};
    for (int mode = 0; mode < 4; ++mode)
        catalog.Add("ZnMonitor_" + name + "_" + kModes[mode],
                    [device, mode] { return MonitorOf(device, mode); });
}

} // namespace

void AddZnMonitorWindows(CWindowCatalog& catalog)
{
    constexpr int kZnpw = 83, kZnepw = 84, kZnpwU = 85;
    AddWiring(catalog, "ZNPW_1P2W", Device(kZnpw, 0));
    AddWiring(catalog, "ZNPW_1P3W", Device(kZnpw, 1));
    AddWiring(catalog, "ZNEPW_3P3W", Device(kZnepw, 3));
    AddWiring(catalog, "ZNEPW_3P4W", Device(kZnepw, 5));
    AddWiring(catalog, "ZNPW-U_1P2W_branched", Device(kZnpwU, 16));
    AddWiring(catalog, "ZNPW_1P3W_1P2W", Device(kZnpw, 17));
}
