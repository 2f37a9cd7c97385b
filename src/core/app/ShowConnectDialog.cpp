#include "app/ShowConnectDialog.h"

#include "app/ApplicationStore.h"
#include "app/IPromptService.h"
#include "comm/CModbusInterface.h"
#include "comm/ComSettings.h"

namespace {

template <typename Ask>
bool RunConnectDialog(CModbusInterface& master, CSettingsStore& store, Ask&& ask)
{
    ComSettings settings;
    settings.Load(store);
    if (!ask(settings))
        return false;
    settings.Save(store);
    master.SetSettings(settings);
    return true;
}

} // namespace

bool ShowConnectDialog(CModbusInterface& master, CSettingsStore& store)
{
    return RunConnectDialog(
        master, store, [](ComSettings& settings) { return Prompts().ConnectDialog(settings); });
}

bool ShowDownloadConnectDialog(CModbusInterface& master, bool& verify, CSettingsStore& store)
{
    bool choice = verify;
    if (!RunConnectDialog(master, store, [&](ComSettings& settings) {
            return Prompts().DownloadConnectDialog(settings, choice);
        }))
        return false;
    verify = choice;
    return true;
}

bool ShowDownloadConnectDialog(CModbusInterface& master, bool& verify)
{
    return ShowDownloadConnectDialog(master, verify, ApplicationStore());
}

bool ShowConnectDialog(CModbusInterface& master)
{
    return ShowConnectDialog(master, ApplicationStore());
}
