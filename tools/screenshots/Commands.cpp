// The parameter report window, alone and comparing with a file that differs.
#include "Screenshots.h"
#include "app/CAppSettings.h"
#include "app/CSettingsStore.h"
#include "config/MainWindowRules.h"
#include "config_ui/CCompareDialog.h"
#include "device/CSettingsStocker.h"

namespace {

constexpr int kKtaGen2 = 70;

CAppSettings& ReportSettings(bool hide)
{
    static CMemorySettingsStore store;
    static CAppSettings settings(store);
    settings.SetHideIgnoreParameters(hide);
    return settings;
}

ParameterSet SampleSet()
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(kKtaGen2, set, true);
    return set;
}

std::unique_ptr<QWidget> ReportWindow()
{
    return std::make_unique<CCompareDialog>(SampleSet(), ReportSettings(true));
}

std::unique_ptr<QWidget> CompareWindow()
{
    const ParameterSet pc = SampleSet();
    ParameterSet file = pc;
    file.Set32(MainWord::VtPrimary, pc.Get32(MainWord::VtPrimary) + 100);
    file[MainWord::BarCurrent] = static_cast<std::uint16_t>(pc[MainWord::BarCurrent] + 5);
    auto dialog = std::make_unique<CCompareDialog>(pc, ReportSettings(false));
    dialog->CompareWithFileSet(file, "/tmp/site-b.cfg");
    return dialog;
}

} // namespace

REGISTER_SCREENSHOT("Report_ParameterReport", ReportWindow);
REGISTER_SCREENSHOT("Report_CompareWithFile", CompareWindow);
