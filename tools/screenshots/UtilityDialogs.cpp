// The utility windows of the monitors: "Utility" for the families whose
// buttons differ, the circuit chooser of both multi-circuit resets, and the
// clock, device information and tag windows read from a simulated device in
// this process.
#include <QEventLoop>
#include <QTimer>

#include <memory>

#include "SimulatedLink.h"
#include "WindowCatalog.h"
#include "comm/CModbusInterface.h"
#include "utility/CDateDialog.h"
#include "utility/CDeviceInfoDialog.h"
#include "utility/CSelCircuitDlg.h"
#include "utility/CTagSettingDialog.h"
#include "utility/CUtilityDialog.h"

namespace {

constexpr int kKtaGen3 = 70;
constexpr int kQgCounters = 37;
constexpr int kLkta = 49;
constexpr int kQh = 52;
constexpr int kZnpw = 83;
constexpr int kWaitLimitMs = 20000;

// protectedDevice: a Modbus passcode is set (a QH variant has one to set).
SimOptions UtilityOptions(int typeId, bool protectedDevice = false)
{
    SimOptions options;
    options.typeId = typeId;
    options.passcode = protectedDevice ? 1234 : 0;
    options.scenario.tag = "FEEDER-07";
    return options;
}

std::function<std::unique_ptr<QWidget>()> UtilityOf(int typeId)
{
    return [typeId] {
        auto* link = new CSimulatedLink(UtilityOptions(typeId));
        auto dialog = std::make_unique<CUtilityDialog>(link->Connection(), link->Identity(), false);
        link->setParent(dialog.get());
        // The program installs the test windows at start; the shot shows the
        // buttons as they are then. Never clicked here.
        auto shown = [](CModbusInterface&, const CDeviceType&, QWidget*) {};
        dialog->SetTestWindows({shown, shown});
        return dialog;
    };
}

std::function<std::unique_ptr<QWidget>()> ChooserOf(ResetKind kind)
{
    return [kind] { return std::make_unique<CSelCircuitDlg>(CircuitChooserFor(kind)); };
}

std::unique_ptr<QWidget> DateWindow()
{
    auto* link = new CSimulatedLink(UtilityOptions(kQh));
    auto dialog = std::make_unique<CDateDialog>(link->Connection());
    link->setParent(dialog.get());
    QEventLoop loop;
    QObject::connect(dialog.get(), &CDateDialog::DeviceTimeShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return dialog;
}

std::unique_ptr<QWidget> DeviceInfoWindow()
{
    auto* link = new CSimulatedLink(UtilityOptions(kQh, true));
    auto dialog = std::make_unique<CDeviceInfoDialog>(link->Connection());
    link->setParent(dialog.get());
    return dialog;
}

} // namespace

void AddUtilityWindows(CWindowCatalog& catalog)
{
    catalog.Add("Utility_KTA", UtilityOf(kKtaGen3));
    catalog.Add("Utility_ZNPW", UtilityOf(kZnpw));
    catalog.Add("Utility_QG_counters", UtilityOf(kQgCounters));
    catalog.Add("Utility_LKTA", UtilityOf(kLkta));
    catalog.Add("SelCircuit_Energy", ChooserOf(ResetKind::Energy));
    catalog.Add("SelCircuit_MaxMin", ChooserOf(ResetKind::MaxMin));
    catalog.Add("DateTime_QH", DateWindow);
    catalog.Add("DeviceInfo_QH", DeviceInfoWindow);
    catalog.Add("TagSetting", [] { return std::make_unique<CTagSettingDialog>("FEEDER-07"); });
}
