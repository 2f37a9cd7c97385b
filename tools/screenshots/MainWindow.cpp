// The main configuration window for one variant of each layout.
#include <deque>

#include "Screenshots.h"
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

REGISTER_SCREENSHOT("MainWindow_KTA_gen2", MainWindowOf(70));
REGISTER_SCREENSHOT("MainWindow_KTB", MainWindowOf(39));
REGISTER_SCREENSHOT("MainWindow_QG", MainWindowOf(37));
REGISTER_SCREENSHOT("MainWindow_QH_ext", MainWindowOf(64));
REGISTER_SCREENSHOT("MainWindow_ZM_Ao", MainWindowOf(80));
REGISTER_SCREENSHOT("MainWindow_ZNPW", MainWindowOf(83));
REGISTER_SCREENSHOT("MainWindow_ZNEPW", MainWindowOf(84));
