// The parameter report window for a variant of every family (its rows and
// value texts differ), and comparing with a file that differs.
#include "WindowCatalog.h"
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

ParameterSet SampleSet(int typeId = kKtaGen2)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

std::function<std::unique_ptr<QWidget>()> ReportOf(int typeId)
{
    return [typeId] {
        return std::make_unique<CCompareDialog>(SampleSet(typeId), ReportSettings(true));
    };
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

void AddCommandWindows(CWindowCatalog& catalog)
{
    catalog.Add("Report_ParameterReport", ReportOf(kKtaGen2));
    catalog.Add("Report_KTA_gen1", ReportOf(0));
    catalog.Add("Report_KTB", ReportOf(40));
    catalog.Add("Report_KTBL", ReportOf(45));
    catalog.Add("Report_KTBC", ReportOf(47));
    catalog.Add("Report_LKTA", ReportOf(53));
    catalog.Add("Report_LKTAS", ReportOf(68));
    catalog.Add("Report_QG_input2", ReportOf(38));
    catalog.Add("Report_QH_ext", ReportOf(64));
    catalog.Add("Report_ZM_Ao", ReportOf(80));
    catalog.Add("Report_ZNPW", ReportOf(83));
    catalog.Add("Report_ZNPW_U", ReportOf(85));
    catalog.Add("Report_ZNEPW", ReportOf(84));
    catalog.Add("Report_CompareWithFile", CompareWindow);
}
