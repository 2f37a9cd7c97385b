#include "config_ui/InterfaceDialogs.h"

#include "config/MainWindowControls.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/CAnalogOutputDialog.h"
#include "config_ui/CCCLinkDialog.h"
#include "config_ui/CDiscreteInputDialog.h"
#include "config_ui/CDiscreteOutputDialog.h"
#include "config_ui/CModbus2Dialog.h"
#include "config_ui/CModbusDialog.h"
#include "config_ui/SettingsDialogRegistry.h"

void RegisterInterfaceDialogs()
{
    RegisterSettingsDialog(MainControl::Di, SettingsDialogOf<CDiscreteInputDialog>());
    RegisterSettingsDialog(MainControl::DoPo, SettingsDialogOf<CDiscreteOutputDialog>());
    RegisterSettingsDialog(MainControl::Ao, SettingsDialogOf<CAnalogOutputDialog>());
    RegisterSettingsDialog(MainControl::Modbus, [](const ParameterSet& working, QWidget* parent) {
        if (UsesModbusTcpDialog(working.type.Caps()))
            return SettingsDialogOf<CModbus2Dialog>()(working, parent);
        return SettingsDialogOf<CModbusDialog>()(working, parent);
    });
    RegisterSettingsDialog(MainControl::CcLink, SettingsDialogOf<CCCLinkDialog>());
}
