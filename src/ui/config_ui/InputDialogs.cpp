#include "config_ui/InputDialogs.h"

#include "config/MainWindowControls.h"
#include "config_ui/CAdvancedDialog.h"
#include "config_ui/CConvDialog.h"
#include "config_ui/SettingsDialogRegistry.h"

void RegisterInputDialogs()
{
    RegisterSettingsDialog(MainControl::Others, SettingsDialogOf<CAdvancedDialog>());
    RegisterSettingsDialog(MainControl::ConvValue, SettingsDialogOf<CConvDialog>());
}
