// The external interface dialogs, for the variants that change their layout.
#include "WindowCatalog.h"
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

void AddInterfaceDialogWindows(CWindowCatalog& catalog)
{
    catalog.Add("DiscreteInput_KTA_gen2", ShotOf<CDiscreteInputDialog>(70));
    catalog.Add("DiscreteOutput_KTA_Do4", ShotOf<CDiscreteOutputDialog>(78));
    catalog.Add("DiscreteOutput_KTB", ShotOf<CDiscreteOutputDialog>(39));
    catalog.Add("DiscreteOutput_ZNPW", ShotOf<CDiscreteOutputDialog>(83));
    catalog.Add("AnalogOutput_KTA_gen2", ShotOf<CAnalogOutputDialog>(71));
    catalog.Add("AnalogOutput_LKTA", ShotOf<CAnalogOutputDialog>(53));
    catalog.Add("AnalogOutput_ZM_Ao", ShotOf<CAnalogOutputDialog>(80));
    catalog.Add("Modbus_KTA_gen2", ShotOf<CModbusDialog>(70));
    catalog.Add("Modbus_QG", ShotOf<CModbusDialog>(37));
    catalog.Add("Modbus_QH_ext", ShotOf<CModbusDialog>(64));
    catalog.Add("AdvancedModbus_KTA_gen2", ShotOf<CAdvancedModbusDialog>(70));
    catalog.Add("AdvancedModbus_ZNEPW", ShotOf<CAdvancedModbusDialog>(84));
    catalog.Add("ModbusTcp_QH", ShotOf<CModbus2Dialog>(61));
    catalog.Add("CcLink_KTB", ShotOf<CCCLinkDialog>(29));
}
