#include "config_ui/SettingsDialogRegistry.h"

#include <map>

#include "app/CPasscodeSettingDialog.h"
#include "config/MainWindowControls.h"

namespace {
constexpr int kPanelPasscodeWord = 29;

// "Passcode Setting" hands back the passcode alone; it lands in word 29.
SettingsDialogHandle PanelPasscodeDialog(const ParameterSet& working, QWidget* parent)
{
    auto dialog = std::make_unique<CPasscodeSettingDialog>(parent);
    CPasscodeSettingDialog* d = dialog.get();
    return {std::move(dialog), [d, working] {
                ParameterSet set = working;
                set[kPanelPasscodeWord] = static_cast<std::uint16_t>(d->Passcode());
                return set;
            }};
}

std::map<int, SettingsDialogFactory>& Registry()
{
    // The front-panel passcode dialog belongs to this window; the other
    // settings dialogs are registered by the code that builds them.
    static std::map<int, SettingsDialogFactory> registry = {
        {MainControl::Passcode, &PanelPasscodeDialog}};
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
