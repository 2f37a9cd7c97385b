#pragma once

#include <functional>
#include <memory>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorFrameDialog.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/CRefreshPacer.h"

class CEnergyPage;
class CMaxMinPage;
class CModbusInterface;
class CMonitorWorker;
class CSettingsStore;
class CSharedPageTabs;
class QComboBox;

// The live monitor of every family but QH and ZN. It owns the measured-value
// image and the monitor worker and runs the ten-step poll cycle: each worker
// notification shows what the finished command read and posts the next
// command at once, so one command is in flight while the window is open.
// Tab 1001 ("Trend", "Max", "Min") shows the value page, tab 1002 the energy
// page; the channel list switches a two-input device between its inputs.
// Over a fast link each control shows new data at most every 100 ms.
//
// Result 1 (a device of another monitor family was found) asks the caller to
// identify the device again and open the monitor that fits; closing the
// window gives 0. The worker is stopped and joined when the window ends or is
// destroyed, before any member goes, and no notification is handled after.
class CMyORMELDlg final : public CMonitorFrameDialog {
    Q_OBJECT
public:
    // What "Utility" (1075) and "Loop Test" (1186) run: the utility window
    // and the loop-back dialog, modally, with this window's connection and
    // worker. Without a hook the button does nothing.
    using DialogHook = std::function<void(CMyORMELDlg& window)>;
    struct DialogHooks {
        DialogHook utility;
        DialogHook loopTest;
    };
    // The hooks every window made afterwards starts with (the program sets them once).
    static void SetDefaultDialogHooks(DialogHooks hooks);

    // connection: the Monitor command's interface, not owned; the worker
    // opens and closes it for every command. store: where a changed device
    // address is saved.
    CMyORMELDlg(CModbusInterface& connection, CSettingsStore& store, QWidget* parent = nullptr);
    // Saves a changed device address to the application's store.
    explicit CMyORMELDlg(CModbusInterface& connection, QWidget* parent = nullptr);
    ~CMyORMELDlg() override;

    void SetDialogHooks(DialogHooks hooks) { hooks_ = std::move(hooks); }

    CModbusInterface& Connection() { return connection_; }
    CMonitorWorker& Worker() { return *worker_; }
    // The image as the last notification left it: read it on the GUI thread,
    // from a handler of CommandShown, while the next command runs it may change.
    const CMeasurandsKTA& Image() const { return image_; }
    const CMonitorPollCycle& Cycle() const { return cycle_; }
    const MonitorSelections& Selections() const { return selections_; }
    // Set while the window shows channel 2: the utility window then resets
    // the second input (its own register).
    bool UtilitySelector() const { return utilitySelector_; }
    bool IsPolling() const { return polling_; }

    CSharedPageTabs* ValueTabs() const { return valueTabs_; }
    CSharedPageTabs* EnergyTabs() const { return energyTabs_; }
    CMaxMinPage* ValuePage() const { return valuePage_; }
    CEnergyPage* EnergyPage() const { return energyPage_; }
    QComboBox* ChannelList() const { return channelList_; }

signals:
    // A worker notification has been handled: the step whose command
    // finished and whether it failed.
    void CommandShown(int step, bool failed);

protected:
    void OnObservedUpdate(CObservable* source) override;
    void OnTimer() override;
    void OnDeviceAddressChanged(int address) override;
    void OnUtility() override;
    void OnLoopTest() override;
    void StopPolling() override;

private:
    void BuildPages();
    void BuildChannelList();
    void SetUpThdGrid();
    void Show(const PollDecision& d);
    void ShowChannelList(PollDecision::ChannelList rule);
    void Post(const PollRequest& request);
    void OnValueTab(int index);
    void OnEnergyTab(int index);
    void OnThdSelection(int column, int row);
    void OnChannel(int index);

    CModbusInterface& connection_;
    CMeasurandsKTA image_;
    std::unique_ptr<CMonitorWorker> worker_; // after image_: joined before the image goes
    CMonitorPollCycle cycle_;
    CRefreshPacer pacer_;
    MonitorSelections selections_;
    DialogHooks hooks_;
    CSharedPageTabs* valueTabs_ = nullptr;
    CSharedPageTabs* energyTabs_ = nullptr;
    CMaxMinPage* valuePage_ = nullptr;
    CEnergyPage* energyPage_ = nullptr;
    QComboBox* channelList_ = nullptr;
    bool utilitySelector_ = false;
    bool polling_ = false;
};
