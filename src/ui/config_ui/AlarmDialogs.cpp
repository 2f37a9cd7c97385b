#include "config_ui/AlarmDialogs.h"

#include "config/MainWindowControls.h"
#include "config_ui/CAlarmDialog.h"
#include "config_ui/CTariffDialog.h"
#include "config_ui/SettingsDialogRegistry.h"

void RegisterAlarmDialogs()
{
    RegisterSettingsDialog(MainControl::Alarm, SettingsDialogOf<CAlarmDialog>());
    RegisterSettingsDialog(MainControl::Tariff, SettingsDialogOf<CTariffDialog>());
}
