// The standard monitor window against a simulated device in this process,
// after its poll cycle has run a few turns: every tab of both tab controls
// for KTA, KTB, QG (both inputs), LKTA and ZM with analog outputs.
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>

#include <memory>

#include "CDeviceSimulator.h"
#include "CPlatformTransportFactory.h"
#include "CSimTcpServer.h"
#include "WindowCatalog.h"
#include "app/CSettingsStore.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMyORMELDlg.h"
#include "monitor/CSharedPageTabs.h"

namespace {

constexpr int kTurns = 3;
constexpr int kZmAo = 80;
constexpr int kZmRatings = 6752;
constexpr int kWaitLimitMs = 20000;

// The device, its link and the window's store; handed to the window, which
// deletes it with its children after its worker has been joined.
class CSimulatedLink : public QObject {
public:
    explicit CSimulatedLink(int typeId)
        : sim_(Options(typeId)), server_(sim_, "127.0.0.1", 0), connection_(Settings())
    {
        if (typeId == kZmAo)
            PresetZmRatings();
    }
    CModbusInterface& Connection() { return connection_; }
    CSettingsStore& Store() { return store_; }

private:
    static SimOptions Options(int typeId)
    {
        InstallPlatformTransports();
        SimOptions options;
        options.typeId = typeId;
        if (typeId == kZmAo)
            options.memoryBlocks = {{kZmRatings, 3}};
        return options;
    }
    // The simulator does not serve the ZM ratings the monitor reads (current
    // 6752, voltage 6753-6754): give it 5 A and 110 V, the ratings its
    // measurements assume when they find none.
    void PresetZmRatings()
    {
        const std::uint8_t write[] = {
            16, kZmRatings >> 8, kZmRatings & 0xFF, 0, 3, 6, 0, 5, 0, 110, 0, 0};
        sim_.Handle(SimTransport::Direct, write, sizeof write);
    }
    ComSettings Settings() const
    {
        ComSettings settings;
        settings.mode = static_cast<int>(ConnectionMode::Tcp);
        settings.serverAddress = "127.0.0.1";
        settings.servicePort = std::to_string(server_.Port());
        settings.address = 1;
        return settings;
    }

    CDeviceSimulator sim_;
    CSimTcpServer server_;
    CModbusInterface connection_;
    CMemorySettingsStore store_;
};

// Runs the window's event loop until `turns` more turns have completed
// without error.
void RunTurns(CMyORMELDlg& window, int turns)
{
    QEventLoop loop;
    int completed = 0;
    QObject::connect(&window, &CMyORMELDlg::CommandShown, &loop, [&](int step, bool failed) {
        if (step == CMonitorPollCycle::kSteps - 1 && !failed && ++completed >= turns)
            loop.quit();
    });
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Shot {
    int typeId;
    int valueTab;
    int energyTab;
    int channel;
};

std::unique_ptr<QWidget> MonitorOf(const Shot& shot)
{
    auto* link = new CSimulatedLink(shot.typeId);
    auto window = std::make_unique<CMyORMELDlg>(link->Connection(), link->Store());
    link->setParent(window.get());
    window->ValueTabs()->setCurrentIndex(shot.valueTab);
    window->EnergyTabs()->setCurrentIndex(shot.energyTab);
    if (shot.channel == 1) {
        RunTurns(*window, 1); // the first turn enables the list of a two-input device
        window->ChannelList()->setCurrentIndex(1);
    }
    RunTurns(*window, kTurns);
    return window;
}

void AddFamily(CWindowCatalog& catalog, const std::string& name, int typeId, int channel = 0)
{
    // Every tab of 1001 and of 1002, in five windows.
    constexpr Shot kTabs[] = {{0, 0, 0, 0}, {0, 1, 1, 0}, {0, 2, 2, 0}, {0, 0, 3, 0}, {0, 1, 4, 0}};
    static const char* const kNames[] = {"Trend_HighTariff1", "Max_HighTariff2", "Min_LowTariff1",
                                         "Trend_LowTariff2", "Max_Counter"};
    for (size_t i = 0; i < std::size(kTabs); ++i) {
        const Shot shot{typeId, kTabs[i].valueTab, kTabs[i].energyTab, channel};
        catalog.Add("Monitor_" + name + "_" + kNames[i], [shot] { return MonitorOf(shot); });
    }
}

} // namespace

void AddMonitorWindows(CWindowCatalog& catalog)
{
    AddFamily(catalog, "KTA_gen2", 70);
    AddFamily(catalog, "KTB_Ao", 40);
    AddFamily(catalog, "QG_input2_ch1", 38);
    AddFamily(catalog, "QG_input2_ch2", 38, 1);
    AddFamily(catalog, "LKTA_Ao", 50);
    AddFamily(catalog, "ZM_Ao", kZmAo);
}
