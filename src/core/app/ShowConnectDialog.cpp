#include "app/ShowConnectDialog.h"

#include "app/ApplicationStore.h"
#include "app/IPromptService.h"
#include "comm/CModbusInterface.h"
#include "comm/ComSettings.h"

bool ShowConnectDialog(CModbusInterface& master, CSettingsStore& store)
{
    ComSettings settings;
    settings.Load(store);
    if (!Prompts().ConnectDialog(settings))
        return false;
    settings.Save(store);
    master.SetSettings(settings);
    return true;
}

bool ShowConnectDialog(CModbusInterface& master)
{
    return ShowConnectDialog(master, ApplicationStore());
}
