#include "app/CMyORMELApp.h"
#include "config_ui/CBasicParameterDialog.h"

int RunMainConfigurationDialog(CMyORMELApp& app)
{
    CBasicParameterDialog dialog(app.Settings().LastParameterSet());
    dialog.setWindowTitle(GetAppTitle());
    dialog.SetLanguageSwitch([&app] { app.SwitchToNextLanguage(); });
    return dialog.exec();
}
