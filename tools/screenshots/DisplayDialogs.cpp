// The display settings dialogs, for the variants that change their layout.
#include "WindowCatalog.h"
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

void AddDisplayDialogWindows(CWindowCatalog& catalog)
{
    catalog.Add("Display_KTA_gen2", DialogOf<CDisplayDialog>(70));
    catalog.Add("Display_KTA_gen1", DialogOf<CDisplayDialog>(0));
    catalog.Add("Display_ZNEPW", DialogOf<CZNEDisplayDialog>(84));
    catalog.Add("Display_Bar_KTB", DialogOf<CBarDialog>(39));
    catalog.Add("Display_Sigma_KTA_gen2", DialogOf<CDisplaySigmaDialog>(70));
    catalog.Add("Display_Sigma_KTB", DialogOf<CDisplaySigmaDialog>(39));
    catalog.Add("Display_Expression_KTA_gen2", DialogOf<CDisplayExpressionDialog>(70));
    catalog.Add("Display_Expression_KTB", DialogOf<CDisplayExpressionDialog>(39));
    catalog.Add("Display_ShortCut_KTA_gen2", DialogOf<CShortCutMenuDialog>(70));
}
