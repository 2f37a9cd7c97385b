// The main configuration window for a variant of every family, and for the
// variants that change its layout.
#include <deque>

#include "WindowCatalog.h"
#include "config_ui/CBasicParameterDialog.h"
#include "device/CSettingsStocker.h"

namespace {
// The window keeps a reference to the application's set: keep one per shot.
ParameterSet& SampleSet(int typeId)
{
    static std::deque<ParameterSet> sets;
    ParameterSet& set = sets.emplace_back();
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

std::function<std::unique_ptr<QWidget>()> MainWindowOf(int typeId)
{
    return [typeId] { return std::make_unique<CBasicParameterDialog>(SampleSet(typeId)); };
}
} // namespace

void AddMainWindows(CWindowCatalog& catalog)
{
    catalog.Add("MainWindow_KTA_gen2", MainWindowOf(70));
    catalog.Add("MainWindow_KTA_gen1", MainWindowOf(0));
    catalog.Add("MainWindow_KTB", MainWindowOf(39));
    catalog.Add("MainWindow_KTBL", MainWindowOf(45));
    catalog.Add("MainWindow_KTBC", MainWindowOf(47));
    catalog.Add("MainWindow_LKTA", MainWindowOf(53));
    // LKTAS is not offered in the model lists; an uploaded or opened set
    // keeps it.
    catalog.Add("MainWindow_LKTAS", MainWindowOf(68));
    catalog.Add("MainWindow_QG", MainWindowOf(37));
    catalog.Add("MainWindow_QH_ext", MainWindowOf(64));
    catalog.Add("MainWindow_ZM_Ao", MainWindowOf(80));
    catalog.Add("MainWindow_ZNPW", MainWindowOf(83));
    // ZNPW-U names its current sensors from a list of its own.
    catalog.Add("MainWindow_ZNPW_U", MainWindowOf(85));
    catalog.Add("MainWindow_ZNEPW", MainWindowOf(84));
}
