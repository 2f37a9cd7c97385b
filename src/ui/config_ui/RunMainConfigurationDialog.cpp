// The application shell runs the main window through this function; it is
// built only together with the shell.
#if __has_include("app/CMyORMELApp.h")
#include "app/CMyORMELApp.h"
#include "config_ui/CBasicParameterDialog.h"

int RunMainConfigurationDialog(CMyORMELApp& app)
{
    CBasicParameterDialog dialog(app.Settings().LastParameterSet());
    dialog.setWindowTitle(GetAppTitle());
    dialog.SetLanguageSwitch([&app] { app.SwitchToNextLanguage(); });
    return dialog.exec();
}
#endif
