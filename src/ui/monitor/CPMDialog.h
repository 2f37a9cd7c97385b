#pragma once

#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

#include "app/CObserverDialog.h"
#include "monitor/CQhMonitorCycle.h"
#include "monitor/CQhReadJob.h"
#include "monitor/QhMonitorJobs.h"

class CBackgroundExecutor;
class CMeasurandsKTA;
class CModbusInterface;
class CMonitorStatusLine;
class CQHMainPage;
class CSharedPageTabs;
class QLabel;
class QPushButton;

// The multi-circuit monitor of the QH family (template 160): the main page on
// tab 1159 ("Basic Module", "Extension Module"), the device clock with "..."
// (Set Date and Time), "Device Info", "Loop Test" and "Preset", the status
// line. Its read job runs on the background executor, one at a time, posted
// again by each completion while the window is open; while a dialog it opens
// runs in its place (detail, loop test, preset) nothing is posted, and the
// job follows when that dialog has closed.
//
// Result 1 asks the caller to identify the device again and open the monitor
// that fits (a device of another family answered); closing gives 0 once the
// job in flight has finished.
class CPMDialog : public CObserverDialog {
    Q_OBJECT
public:
    enum ControlId {
        kModuleTabs = 1159,
        kClock = 1165,
        kSetClock = 1167,
        kDeviceInfo = 1175,
        kLoopTest = 1030,
        kPreset = 1031,
        kStatus = 1074,
    };

    // What "Loop Test" (after question 11036) and "Preset" run: the QH
    // loop-test and preset dialogs, modally over the monitor, on its
    // connection. Without a hook the button stays disabled.
    using DialogHook = std::function<void(CModbusInterface& connection, const CDeviceType& device,
                                          QWidget* parent)>;
    struct DialogHooks {
        DialogHook loopTest;
        DialogHook preset;
    };
    // The hooks every window made afterwards starts with (the program sets them once).
    static void SetDefaultDialogHooks(DialogHooks hooks);

    // connection: the Monitor command's, not owned. executor: where the read
    // jobs run, the application's when null.
    explicit CPMDialog(CModbusInterface& connection, QWidget* parent = nullptr,
                       CBackgroundExecutor* executor = nullptr);
    ~CPMDialog() override;

    void SetDialogHooks(DialogHooks hooks);

    CModbusInterface& Connection() { return connection_; }
    const CDeviceType& Device() const { return cycle_.Device(); }
    const CMeasurandsKTA& Image() const { return *image_; }
    const CQhMonitorCycle& Cycle() const { return cycle_; }
    CSharedPageTabs* ModuleTabs() const { return tabs_; }
    CQHMainPage* MainPage() const { return page_; }
    QLabel* ClockText() const { return clock_; }
    QPushButton* LoopTestButton() const { return loopTest_; }
    QPushButton* PresetButton() const { return preset_; }
    // Set while a dialog of this window runs in its place.
    bool Busy() const { return busy_; }

    // Ends at once when no job is in flight, else when it has finished (the
    // connection's pending call is cut short).
    void reject() override;

signals:
    // A read job has finished and its result is shown.
    void ReadShown(bool failed);

protected:
    void OnObservedUpdate(CObservable* source) override;

private:
    void BuildLayout();
    QWidget* BuildControlRow();
    void Post();
    void Show(const QhMonitorDecision& d, const QhMonitorRead& read);
    void ShowStatus();
    void ApplyButtons();
    void OnModuleTab(int index);
    void OnDetail(int channel);
    void OnReset(QhResetButton button, int channel);
    void OnLoopTest();
    void OnPreset();
    // Runs a dialog in place of the monitor: hidden, busy, then a fresh read.
    template <class Run> void RunInstead(Run&& run);
    // Ends the window, once the dialog that runs in its place has closed.
    void End(int result);

    CModbusInterface& connection_;
    CBackgroundExecutor& executor_;
    std::unique_ptr<CMeasurandsKTA> image_;
    CQhReadJob<QhMonitorRead> job_;
    CQhMonitorCycle cycle_;
    DialogHooks hooks_;
    QhTestButtons firmwareButtons_;
    CSharedPageTabs* tabs_ = nullptr;
    CQHMainPage* page_ = nullptr;
    QLabel* clock_ = nullptr;
    QPushButton* loopTest_ = nullptr;
    QPushButton* preset_ = nullptr;
    std::unique_ptr<CMonitorStatusLine> statusLine_;
    QTimer timer_;
    bool busy_ = false;
    bool closing_ = false;
    std::optional<int> pendingEnd_;
};
