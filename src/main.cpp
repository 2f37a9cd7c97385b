#include <QApplication>
#include <QFileInfo>

#include <cstdio>

#include "CPlatformTransportFactory.h"
#include "CQSettingsStore.h"
#include "app/AppIcon.h"
#include "app/ApplicationStore.h"
#include "app/CMyORMELApp.h"
#include "app/CQtPromptService.h"

// The main configuration window provides its run as
//   int RunMainConfigurationDialog(CMyORMELApp& app);
// (1: show it again in the new language, 0: closed).
#if __has_include("config_ui/CBasicParameterDialog.h")
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CMainWindowCommands.h"
#define ORMEL_HAS_MAIN_DIALOG 1
#endif

int main(int argc, char** argv)
{
    QApplication application(argc, argv); // the program takes nothing from its command line
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const std::string appName = executable.completeBaseName().toStdString();
    QCoreApplication::setOrganizationName(QStringLiteral("QZ"));
    QCoreApplication::setApplicationName(executable.completeBaseName());
    QApplication::setWindowIcon(AppIcon());

    CQSettingsStore store(appName);
    SetApplicationStore(&store);
    CQtPromptService prompts(store);
    SetPromptService(&prompts);
    CPlatformTransportFactory transports;
    SetTransportFactory(&transports);

    CMyORMELApp::Environment environment;
    environment.executableFolder = executable.absolutePath().toStdString();
    environment.applicationName = appName;
    CMyORMELApp app(store, environment);
#ifdef ORMEL_HAS_MAIN_DIALOG
    CMainWindowCommands commands(app.Settings());
    SetMainWindowCommands(&commands);
    const int exitCode = app.Run(&RunMainConfigurationDialog);
    SetMainWindowCommands(nullptr);
#else
    std::fprintf(stderr, "%s: this build has no main configuration window\n", appName.c_str());
    const int exitCode = 1;
#endif
    store.Sync();
    SetTransportFactory(nullptr);
    SetPromptService(nullptr);
    SetApplicationStore(nullptr);
    return exitCode;
}
