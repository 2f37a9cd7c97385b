#include "config_ui/SettingsDialogRegistry.h"

#include <map>

#include "config/MainWindowControls.h"
#include "config_ui/CPasscodeSettingDialog.h"

namespace {
std::map<int, SettingsDialogFactory>& Registry()
{
    // The front-panel passcode dialog belongs to this window; the other
    // settings dialogs are registered by the code that builds them.
    static std::map<int, SettingsDialogFactory> registry = {
        {MainControl::Passcode, SettingsDialogOf<CPasscodeSettingDialog>()}};
    return registry;
}
} // namespace

void RegisterSettingsDialog(int controlId, SettingsDialogFactory factory)
{
    if (factory)
        Registry()[controlId] = std::move(factory);
    else
        Registry().erase(controlId);
}

const SettingsDialogFactory* FindSettingsDialog(int controlId)
{
    const auto it = Registry().find(controlId);
    return it == Registry().end() ? nullptr : &it->second;
}
