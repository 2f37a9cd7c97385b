#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "background/CSimpleFunctor.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorFrameDialog.h"
#include "monitor/ZnMonitorCells.h"
#include "monitor/ZnMonitorChain.h"
#include "monitor/ZnMonitorJobs.h"

class CBackgroundExecutor;
class CModbusInterface;
class CSettingsStore;
class CSharedPageTabs;
class CZNMaxMinPage;

// The live monitor of the ZN family. Both systems of the device (circuits A
// and B, circuits C and D) are shown at once: the value page on tab 1001
// ("Trend", "Max", "Min", "Energy") has a grid per system, the THD grid a
// block of rows per system, and a click on the vector chart steps through the
// circuits. The reads run as a chain of jobs on the background executor
// (device information, page values, THD, spectrum, device information, ...);
// each job's completion shows what it read and posts the next, so one job is
// in flight while the window is open.
//
// Result 1 (a device of another family was found) asks the caller to identify
// the device again and open the monitor that fits; closing gives 0. Closing
// cuts the running job short and ends the window only once the executor is
// idle, so no job outlives the window and no notification reaches it after.
class CMyORMEL2Dlg final : public CMonitorFrameDialog {
    Q_OBJECT
public:
    // What "Utility" (1075) and "Loop Test" (1186) run, modally, with this
    // window's connection and the device its jobs identified. A button
    // without a hook is disabled.
    using DialogHook = std::function<void(CMyORMEL2Dlg& window)>;
    struct DialogHooks {
        DialogHook utility;
        DialogHook loopTest;
    };
    // The hooks every window made afterwards starts with (the program sets them once).
    static void SetDefaultDialogHooks(DialogHooks hooks);

    // connection: the Monitor command's interface, not owned; every job opens
    // and closes it. store: where a changed device address is saved.
    // executor: where the jobs run (the process's executor by default).
    CMyORMEL2Dlg(CModbusInterface& connection, CSettingsStore& store, QWidget* parent = nullptr);
    CMyORMEL2Dlg(CModbusInterface& connection, CSettingsStore& store, CBackgroundExecutor& executor,
                 QWidget* parent);
    // Saves a changed device address to the application's store.
    explicit CMyORMEL2Dlg(CModbusInterface& connection, QWidget* parent = nullptr);
    ~CMyORMEL2Dlg() override;

    void SetDialogHooks(DialogHooks hooks);

    CModbusInterface& Connection() { return connection_; }
    // The device the last device-information job identified.
    CDeviceType ConnectedDevice() const { return jobs_.ConnectedDevice(); }
    // Read it on the GUI thread, from a handler of JobShown.
    const CMeasurandsKTA& Image() const { return *image_; }
    const CZnMonitorChain& Chain() const { return chain_; }
    const ZnJobSelections& Selections() const { return selections_; }
    bool JobInFlight() const { return inFlight_; }
    bool IsPolling() const { return polling_; }

    CSharedPageTabs* ValueTabs() const { return valueTabs_; }
    CZNMaxMinPage* ValuePage() const { return valuePage_; }

    // Ends the window once the job in flight has come back.
    void done(int result) override;

signals:
    // A job's completion has been handled.
    void JobShown(ZnJob job, bool failed);

protected:
    void OnObservedUpdate(CObservable* source) override;
    void OnTimer() override;
    void OnDeviceAddressChanged(int address) override;
    void OnUtility() override;
    void OnLoopTest() override;
    void StopPolling() override;

private:
    void BuildPage();
    void SetUpThdGrid();
    void Post(ZnJob job);
    void RunJob(); // on the executor thread
    void Show(const ZnJobDecision& d);
    void ShowThd(ZnJobDecision::ThdGrid rule);
    void OnValueTab(int index);
    void OnThdSelection(int column, int row);
    void WaitForExecutor() const;

    CModbusInterface& connection_;
    CBackgroundExecutor& executor_;
    // 128 KiB of items: on the heap.
    std::unique_ptr<CMeasurandsKTA> image_ = std::make_unique<CMeasurandsKTA>();
    CZnMonitorJobs jobs_;
    CZnMonitorChain chain_;
    ZnJobSelections selections_;
    DialogHooks hooks_;
    // Written on the GUI thread before a post, read by the job it posts.
    ZnJob postedJob_ = ZnJob::DeviceInformation;
    ZnJobSelections postedSelections_;
    std::atomic<bool> completed_{false}; // written by the job, read in its completion
    CSimpleFunctor item_;
    CSharedPageTabs* valueTabs_ = nullptr;
    CZNMaxMinPage* valuePage_ = nullptr;
    ZnMonitorCells::GridCells thdLayout_;
    int thdWiring_ = -1;
    bool inFlight_ = false;
    bool closing_ = false;
    int closeResult_ = 0;
    bool polling_ = false;
};
