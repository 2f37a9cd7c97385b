#include <QApplication>
#include <QFileInfo>

#include "CPlatformTransportFactory.h"
#include "CPosixFileSystem.h"
#include "CQSettingsStore.h"
#include "app/AppIcon.h"
#include "app/ApplicationStore.h"
#include "app/CMyORMELApp.h"
#include "app/CQtPromptService.h"

#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CMainWindowCommands.h"
#include "config_ui/SettingsDialogs.h"

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
    CPosixFileSystem files;
    SetFileSystem(&files);

    CMyORMELApp::Environment environment;
    environment.executableFolder = executable.absolutePath().toStdString();
    environment.applicationName = appName;
    CMyORMELApp app(store, environment);
    RegisterAllSettingsDialogs();
    CMainWindowCommands commands(app.Settings());
    SetMainWindowCommands(&commands);
    // 1: the main window is shown again in the new language; 0: it was closed.
    const int exitCode = app.Run(&RunMainConfigurationDialog);
    SetMainWindowCommands(nullptr);
    store.Sync();
    SetFileSystem(nullptr);
    SetTransportFactory(nullptr);
    SetPromptService(nullptr);
    SetApplicationStore(nullptr);
    return exitCode;
}
