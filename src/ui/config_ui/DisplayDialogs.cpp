#include "config_ui/DisplayDialogs.h"

#include "config/MainWindowControls.h"
#include "config_ui/CBarDialog.h"
#include "config_ui/CDisplayDialog.h"
#include "config_ui/CDisplayExpressionDialog.h"
#include "config_ui/CDisplaySigmaDialog.h"
#include "config_ui/CShortCutMenuDialog.h"
#include "config_ui/CZNEDisplayDialog.h"
#include "config_ui/SettingsDialogRegistry.h"

void RegisterDisplayDialogs()
{
    RegisterSettingsDialog(MainControl::Display, [](const ParameterSet& working, QWidget* parent) {
        if (working.type.Has(CapZnepw))
            return SettingsDialogOf<CZNEDisplayDialog>()(working, parent);
        return SettingsDialogOf<CDisplayDialog>()(working, parent);
    });
    RegisterSettingsDialog(MainControl::ExtBar, SettingsDialogOf<CBarDialog>());
    RegisterSettingsDialog(MainControl::SigmaDisp, SettingsDialogOf<CDisplaySigmaDialog>());
    RegisterSettingsDialog(MainControl::Expression, SettingsDialogOf<CDisplayExpressionDialog>());
    RegisterSettingsDialog(MainControl::ShortCut, SettingsDialogOf<CShortCutMenuDialog>());
}
