// The standard monitor window against a simulated device in this process,
// after its poll cycle has run a few turns: every tab of both tab controls
// for KTA, KTB, QG (both inputs), LKTA and ZM with analog outputs.
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <utility>

#include "SimulatedLink.h"
#include "WindowCatalog.h"
#include "app/CSettingsStore.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMyORMELDlg.h"
#include "monitor/CSharedPageTabs.h"

namespace {

constexpr int kTurns = 3;
constexpr int kWaitLimitMs = 20000;

// Runs the window's event loop until `turns` more turns have completed
// without error and then the window's timer has ticked: by then every control
// has shown data of a later turn than the first (the window refreshes each
// control at most every 100 ms).
void RunTurns(CMyORMELDlg& window, int turns)
{
    QEventLoop loop;
    int completed = 0;
    QObject::connect(&window, &CMyORMELDlg::CommandShown, &loop, [&](int step, bool failed) {
        if (step == CMonitorPollCycle::kSteps - 1 && !failed)
            ++completed;
    });
    QObject::connect(&window, &CMonitorFrameDialog::Ticked, &loop, [&] {
        if (completed >= turns)
            loop.quit();
    });
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (completed < turns)
        std::fprintf(stderr, "monitor window: the poll cycle did not complete %d turns\n", turns);
}

void WaitForFirstTurn(CMyORMELDlg& window)
{
    QEventLoop loop;
    QObject::connect(&window, &CMyORMELDlg::CommandShown, &loop, [&](int step, bool failed) {
        if (step == CMonitorPollCycle::kSteps - 1 && !failed)
            loop.quit();
    });
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Shot {
    SimOptions device;
    int valueTab;
    int energyTab;
    int channel;
};

std::unique_ptr<QWidget> MonitorOf(const Shot& shot)
{
    auto* link = new CSimulatedLink(shot.device);
    auto window = std::make_unique<CMyORMELDlg>(link->Connection(), link->Store());
    link->setParent(window.get());
    window->ValueTabs()->setCurrentIndex(shot.valueTab);
    window->EnergyTabs()->setCurrentIndex(shot.energyTab);
    if (shot.channel == 1) {
        // The first turn enables the list of a two-input device.
        WaitForFirstTurn(*window);
        window->ChannelList()->setCurrentIndex(1);
    }
    RunTurns(*window, kTurns);
    return window;
}

SimOptions Device(int typeId, int firmware = -1, bool fixedOutputs = false)
{
    SimOptions options;
    options.typeId = typeId;
    options.firmware = firmware;
    options.scenario.fixedOutputs = fixedOutputs;
    options.scenario.tag = "Feeder 12";
    return options;
}

void AddFamily(CWindowCatalog& catalog, const std::string& name, const SimOptions& device,
               int channel = 0)
{
    // Every tab of 1001 and of 1002, in five windows.
    constexpr std::pair<int, int> kTabs[] = {{0, 0}, {1, 1}, {2, 2}, {0, 3}, {1, 4}};
    static const char* const kNames[] = {"Trend_HighTariff1", "Max_HighTariff2", "Min_LowTariff1",
                                         "Trend_LowTariff2", "Max_Counter"};
    for (size_t i = 0; i < std::size(kTabs); ++i) {
        const Shot shot{device, kTabs[i].first, kTabs[i].second, channel};
        catalog.Add("Monitor_" + name + "_" + kNames[i], [shot] { return MonitorOf(shot); });
    }
}

} // namespace

void AddMonitorWindows(CWindowCatalog& catalog)
{
    AddFamily(catalog, "KTA_gen2", Device(70));
    AddFamily(catalog, "KTB_Ao", Device(40));
    AddFamily(catalog, "QG_input2_ch1", Device(38));
    AddFamily(catalog, "QG_input2_ch2", Device(38), 1);
    // Firmware 2.00 has the loop test; its outputs are fixed ("Fixed AO").
    AddFamily(catalog, "LKTA_Ao_fixed", Device(50, 200, true));
    AddFamily(catalog, "ZM_Ao", Device(80));
}
