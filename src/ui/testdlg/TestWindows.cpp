#include "testdlg/TestWindows.h"

#include "device/CDeviceType.h"
#include "device/Capabilities.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CMyORMELDlg.h"
#include "testdlg/CLoopBackDialog.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CLoopTestQHDialog.h"
#include "testdlg/CPresetDialog.h"
#include "testdlg/CQHPresetDialog.h"
#include "testdlg/CZNLoopTestDlg.h"
#include "utility/DeviceCommand.h"
#include "widgets/ModalRunner.h"

namespace {

bool IsZn(const CDeviceType& device)
{
    return device.Has(CapZnpw | CapZnepw);
}

// Runs a window whose first reads may fail: then only the error is shown.
template <class Dialog> void RunLoaded(Dialog& dialog)
{
    if (RunDeviceCommand([&] { dialog.Load(); }))
        RunModal(dialog);
}

} // namespace

int MonitorChannelOf(QWidget* window)
{
    for (QWidget* w = window; w; w = w->parentWidget())
        if (auto* monitor = qobject_cast<CMyORMELDlg*>(w))
            return monitor->Worker().Channel() == 1 ? 1 : 0;
    return 0;
}

void RunLoopTestWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    if (device.Has(CapQh)) {
        RunQhLoopTestWindow(connection, device, parent);
        return;
    }
    if (IsZn(device)) {
        RunZnLoopTestWindow(connection, device, parent);
        return;
    }
    CLoopTestDialog dialog(connection, device, MonitorChannelOf(parent), parent);
    RunLoaded(dialog);
}

void RunPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    if (device.Has(CapQh)) {
        RunQhPresetWindow(connection, device, parent);
        return;
    }
    if (IsZn(device)) {
        RunZnPresetWindow(connection, device, parent);
        return;
    }
    CPresetDialog dialog(connection, device, MonitorChannelOf(parent), parent);
    RunModal(dialog);
}

void RunLoopBackWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    CLoopBackDialog dialog(connection, device, parent);
    RunLoaded(dialog);
}

void RunQhLoopTestWindow(CModbusInterface& connection, const CDeviceType&, QWidget* parent)
{
    CLoopTestQHDialog dialog(connection, parent);
    RunLoaded(dialog);
}

void RunQhPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    CQHPresetDialog dialog(connection, device, parent);
    RunModal(dialog);
}

void RunZnLoopTestWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    CZNLoopTestDlg dialog(connection, device, CZNLoopTestDlg::Mode::LoopTest, parent);
    RunLoaded(dialog);
}

void RunZnPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent)
{
    CZNLoopTestDlg dialog(connection, device, CZNLoopTestDlg::Mode::Preset, parent);
    RunModal(dialog);
}

void RunMonitorLoopBackWindow(CMyORMELDlg& window)
{
    CLoopBackDialog dialog(window.Connection(), window.Worker().ConnectedDevice(), &window);
    if (!RunDeviceCommand([&] { dialog.Load(); }))
        return;
    // Only the analog-output command writes the output fields of the image,
    // and the window posts it again only after its next turn: right after it
    // has been shown they stay as they are while the next commands run.
    constexpr int kOutputStep = CMonitorPollCycle::kSteps - 1;
    QObject::connect(
        &window, &CMyORMELDlg::CommandShown, &dialog, [&window, &dialog](int step, bool failed) {
            if (step == kOutputStep && !failed)
                dialog.SetLiveOutputs(window.Image().outputType, window.Image().outputValues);
        });
    RunModal(dialog);
}
