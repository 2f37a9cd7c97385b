// The display settings dialogs, for the variants that change their layout.
#include "Screenshots.h"
#include "config_ui/CBarDialog.h"
#include "config_ui/CDisplayDialog.h"
#include "config_ui/CDisplayExpressionDialog.h"
#include "config_ui/CDisplaySigmaDialog.h"
#include "config_ui/CShortCutMenuDialog.h"
#include "config_ui/CZNEDisplayDialog.h"
#include "device/CSettingsStocker.h"

namespace {
ParameterSet SampleSet(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

template <typename Dialog> std::function<std::unique_ptr<QWidget>()> DialogOf(int typeId)
{
    return [typeId] { return std::make_unique<Dialog>(SampleSet(typeId)); };
}
} // namespace

REGISTER_SCREENSHOT("Display_KTA_gen2", DialogOf<CDisplayDialog>(70));
REGISTER_SCREENSHOT("Display_KTA_gen1", DialogOf<CDisplayDialog>(0));
REGISTER_SCREENSHOT("Display_ZNEPW", DialogOf<CZNEDisplayDialog>(84));
REGISTER_SCREENSHOT("Display_Bar_KTB", DialogOf<CBarDialog>(39));
REGISTER_SCREENSHOT("Display_Sigma_KTA_gen2", DialogOf<CDisplaySigmaDialog>(70));
REGISTER_SCREENSHOT("Display_Sigma_KTB", DialogOf<CDisplaySigmaDialog>(39));
REGISTER_SCREENSHOT("Display_Expression_KTA_gen2", DialogOf<CDisplayExpressionDialog>(70));
REGISTER_SCREENSHOT("Display_Expression_KTB", DialogOf<CDisplayExpressionDialog>(39));
REGISTER_SCREENSHOT("Display_ShortCut_KTA_gen2", DialogOf<CShortCutMenuDialog>(70));
