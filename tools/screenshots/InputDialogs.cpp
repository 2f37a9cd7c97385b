// "Other Setting", "Energy Setting" and "Conversion Value Settings" for the
// variants that change their layout.
#include "WindowCatalog.h"
#include "config_ui/CAdvancedDialog.h"
#include "config_ui/CConvDialog.h"
#include "config_ui/CPulseDialog.h"
#include "device/CSettingsStocker.h"

namespace {
ParameterSet SampleSet(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

std::function<std::unique_ptr<QWidget>()> OtherSettingOf(int typeId)
{
    return [typeId] { return std::make_unique<CAdvancedDialog>(SampleSet(typeId)); };
}

std::function<std::unique_ptr<QWidget>()> EnergySettingOf(int typeId)
{
    return [typeId] { return std::make_unique<CPulseDialog>(SampleSet(typeId), 1); };
}

std::function<std::unique_ptr<QWidget>()> ConversionOf(int typeId)
{
    return [typeId] { return std::make_unique<CConvDialog>(SampleSet(typeId)); };
}
} // namespace

void AddInputDialogWindows(CWindowCatalog& catalog)
{
    catalog.Add("OtherSetting_KTA_gen2", OtherSettingOf(70));
    catalog.Add("OtherSetting_LKTA", OtherSettingOf(53));
    catalog.Add("OtherSetting_QG_input2", OtherSettingOf(38));
    catalog.Add("OtherSetting_QH_ext", OtherSettingOf(64));
    catalog.Add("OtherSetting_ZM_Ao", OtherSettingOf(80));
    catalog.Add("OtherSetting_ZNPW", OtherSettingOf(83));
    catalog.Add("OtherSetting_ZNEPW", OtherSettingOf(84));
    catalog.Add("EnergySetting_KTA_gen2", EnergySettingOf(70));
    catalog.Add("EnergySetting_KTB", EnergySettingOf(39));
    catalog.Add("EnergySetting_ZNEPW", EnergySettingOf(84));
    catalog.Add("ConversionValue_ZNPW", ConversionOf(83));
    catalog.Add("ConversionValue_ZNEPW", ConversionOf(84));
}
