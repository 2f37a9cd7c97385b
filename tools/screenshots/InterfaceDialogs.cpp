// The external interface dialogs, for the variants that change their layout.
#include "Screenshots.h"
#include "config_ui/CAdvancedModbusDialog.h"
#include "config_ui/CAnalogOutputDialog.h"
#include "config_ui/CCCLinkDialog.h"
#include "config_ui/CDiscreteInputDialog.h"
#include "config_ui/CDiscreteOutputDialog.h"
#include "config_ui/CModbus2Dialog.h"
#include "config_ui/CModbusDialog.h"
#include "device/CSettingsStocker.h"

namespace {
ParameterSet InterfaceSet(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

template <typename Dialog> std::function<std::unique_ptr<QWidget>()> ShotOf(int typeId)
{
    return [typeId] { return std::make_unique<Dialog>(InterfaceSet(typeId)); };
}
} // namespace

REGISTER_SCREENSHOT("DiscreteInput_KTA_gen2", ShotOf<CDiscreteInputDialog>(70));
REGISTER_SCREENSHOT("DiscreteOutput_KTA_Do4", ShotOf<CDiscreteOutputDialog>(78));
REGISTER_SCREENSHOT("DiscreteOutput_KTB", ShotOf<CDiscreteOutputDialog>(39));
REGISTER_SCREENSHOT("DiscreteOutput_ZNPW", ShotOf<CDiscreteOutputDialog>(83));
REGISTER_SCREENSHOT("AnalogOutput_KTA_gen2", ShotOf<CAnalogOutputDialog>(71));
REGISTER_SCREENSHOT("AnalogOutput_LKTA", ShotOf<CAnalogOutputDialog>(53));
REGISTER_SCREENSHOT("AnalogOutput_ZM_Ao", ShotOf<CAnalogOutputDialog>(80));
REGISTER_SCREENSHOT("Modbus_KTA_gen2", ShotOf<CModbusDialog>(70));
REGISTER_SCREENSHOT("Modbus_QG", ShotOf<CModbusDialog>(37));
REGISTER_SCREENSHOT("Modbus_QH_ext", ShotOf<CModbusDialog>(64));
REGISTER_SCREENSHOT("AdvancedModbus_KTA_gen2", ShotOf<CAdvancedModbusDialog>(70));
REGISTER_SCREENSHOT("AdvancedModbus_ZNEPW", ShotOf<CAdvancedModbusDialog>(84));
REGISTER_SCREENSHOT("ModbusTcp_QH", ShotOf<CModbus2Dialog>(61));
REGISTER_SCREENSHOT("CcLink_KTB", ShotOf<CCCLinkDialog>(29));
