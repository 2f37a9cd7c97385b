// "Other Setting", "Energy Setting" and "Conversion Value Settings" for the
// variants that change their layout.
#include "Screenshots.h"
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

REGISTER_SCREENSHOT("OtherSetting_KTA_gen2", OtherSettingOf(70));
REGISTER_SCREENSHOT("OtherSetting_LKTA", OtherSettingOf(53));
REGISTER_SCREENSHOT("OtherSetting_QG_input2", OtherSettingOf(38));
REGISTER_SCREENSHOT("OtherSetting_QH_ext", OtherSettingOf(64));
REGISTER_SCREENSHOT("OtherSetting_ZM_Ao", OtherSettingOf(80));
REGISTER_SCREENSHOT("OtherSetting_ZNPW", OtherSettingOf(83));
REGISTER_SCREENSHOT("OtherSetting_ZNEPW", OtherSettingOf(84));
REGISTER_SCREENSHOT("EnergySetting_KTA_gen2", EnergySettingOf(70));
REGISTER_SCREENSHOT("EnergySetting_KTB", EnergySettingOf(39));
REGISTER_SCREENSHOT("EnergySetting_ZNEPW", EnergySettingOf(84));
REGISTER_SCREENSHOT("ConversionValue_ZNPW", ConversionOf(83));
REGISTER_SCREENSHOT("ConversionValue_ZNEPW", ConversionOf(84));
