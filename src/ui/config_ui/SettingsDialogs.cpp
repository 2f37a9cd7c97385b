#include "config_ui/SettingsDialogs.h"

#include "config_ui/AlarmDialogs.h"
#include "config_ui/DisplayDialogs.h"
#include "config_ui/InputDialogs.h"
#include "config_ui/InterfaceDialogs.h"

// Each group of settings dialogs registers its own buttons; one line per group.
void RegisterAllSettingsDialogs()
{
    RegisterInputDialogs();
    RegisterAlarmDialogs();
    RegisterDisplayDialogs();
    RegisterInterfaceDialogs();
}
