// The loop-test, loop-back and preset windows, each over a simulated device in
// this process, shown after their first reads: the loop test of a QG in loop
// test and of a ZN's two systems, the fixed outputs of an LKTA with 4-20 mA
// outputs, the presets of a QG's energy and counters, of a ZN and of a QH
// with its extension module, and the QH loop test.
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

#include <memory>

#include "SimulatedLink.h"
#include "WindowCatalog.h"
#include "comm/CModbusInterface.h"
#include "monitor/CSharedPageTabs.h"
#include "testdlg/CLoopBackDialog.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CLoopTestQHDialog.h"
#include "testdlg/CPresetDialog.h"
#include "testdlg/CPresetPanel.h"
#include "testdlg/CQHPresetDialog.h"
#include "testdlg/CZNLoopTestDlg.h"

namespace {

constexpr int kQgCounters = 37;
constexpr int kLkta4to20mA = 50;
constexpr int kQh = 52;
constexpr int kQhEx8 = 64;
constexpr int kZnpw = 83;
constexpr int kWaitLimitMs = 20000;

SimOptions Options(int typeId)
{
    SimOptions options;
    options.typeId = typeId;
    return options;
}

// Until the window's signal has come once, at most the wait limit.
template <class Window, class Signal> void WaitFor(Window& window, Signal signal)
{
    QEventLoop loop;
    QObject::connect(&window, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

std::function<std::unique_ptr<QWidget>()> LoopTestOf(SimOptions options)
{
    return [options] {
        auto* link = new CSimulatedLink(options);
        auto dialog = std::make_unique<CLoopTestDialog>(link->Connection(), link->Identity(), 0);
        link->setParent(dialog.get());
        dialog->Load();
        return dialog;
    };
}

std::unique_ptr<QWidget> LoopBackWindow()
{
    SimOptions options = Options(kLkta4to20mA);
    options.scenario.fixedOutputs = true;
    auto* link = new CSimulatedLink(options);
    auto dialog = std::make_unique<CLoopBackDialog>(link->Connection(), link->Identity());
    link->setParent(dialog.get());
    dialog->Load();
    return dialog;
}

std::function<std::unique_ptr<QWidget>()> PresetOf(int typeId, int tab)
{
    return [typeId, tab] {
        auto* link = new CSimulatedLink(Options(typeId));
        auto dialog = std::make_unique<CPresetDialog>(link->Connection(), link->Identity(), 0);
        link->setParent(dialog.get());
        dialog->Panel()->Tabs()->setCurrentIndex(tab);
        WaitFor(*dialog->Panel(), &CPresetPanel::ReadShown);
        if (dialog->Panel()->ReadInFlight())
            WaitFor(*dialog->Panel(), &CPresetPanel::ReadShown);
        return dialog;
    };
}

std::function<std::unique_ptr<QWidget>()> ZnOf(CZNLoopTestDlg::Mode mode)
{
    return [mode] {
        SimOptions options = Options(kZnpw);
        options.scenario.loopTestChannels = {1};
        auto* link = new CSimulatedLink(options);
        auto dialog = std::make_unique<CZNLoopTestDlg>(link->Connection(), link->Identity(), mode);
        link->setParent(dialog.get());
        dialog->Load();
        if (dialog->Preset())
            WaitFor(*dialog->Preset(), &CPresetPanel::ReadShown);
        return dialog;
    };
}

std::unique_ptr<QWidget> QhLoopTestWindow()
{
    SimOptions options = Options(kQh);
    options.scenario.loopTestChannels = {1};
    auto* link = new CSimulatedLink(options);
    auto dialog = std::make_unique<CLoopTestQHDialog>(link->Connection());
    link->setParent(dialog.get());
    dialog->Load();
    WaitFor(*dialog, &CLoopTestQHDialog::RefreshEnded);
    return dialog;
}

std::unique_ptr<QWidget> QhPresetWindow()
{
    auto* link = new CSimulatedLink(Options(kQhEx8));
    auto dialog = std::make_unique<CQHPresetDialog>(link->Connection(), link->Identity());
    link->setParent(dialog.get());
    WaitFor(*dialog, &CQHPresetDialog::ReadShown);
    return dialog;
}

} // namespace

void AddTestWindows(CWindowCatalog& catalog)
{
    SimOptions inLoopTest = Options(kQgCounters);
    inLoopTest.scenario.loopTestChannels = {1};
    catalog.Add("LoopTest_QG", LoopTestOf(inLoopTest));
    catalog.Add("LoopBack_LKTA_4to20mA", LoopBackWindow);
    catalog.Add("Preset_QG_energy", PresetOf(kQgCounters, 0));
    catalog.Add("Preset_QG_counters", PresetOf(kQgCounters, 4));
    catalog.Add("ZNLoopTest_ZNPW", ZnOf(CZNLoopTestDlg::Mode::LoopTest));
    catalog.Add("ZNPreset_ZNPW", ZnOf(CZNLoopTestDlg::Mode::Preset));
    catalog.Add("LoopTestQH_QH", QhLoopTestWindow);
    catalog.Add("PresetQH_QH_EX8", QhPresetWindow);
}
