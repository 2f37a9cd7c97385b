#include <QApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

#include "CPlatformTransportFactory.h"
#include "CPosixFileSystem.h"
#include "CQSettingsStore.h"
#include "app/AppIcon.h"
#include "app/ApplicationStore.h"
#include "app/CMyORMELApp.h"
#include "app/CQtPromptService.h"
#include "app/DebugLog.h"

#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CMainWindowCommands.h"
#include "config_ui/SettingsDialogs.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CMyORMELDlg.h"
#include "monitor/CPMDialog.h"
#include "monitor/MonitorWindows.h"
#include "testdlg/TestWindows.h"
#include "utility/MonitorUtilityHooks.h"
#include "utility/UtilityTestWindows.h"

// The diagnostics channel, silent unless QT_LOGGING_RULES="ormel.diagnostics.debug=true".
Q_LOGGING_CATEGORY(lcDiagnostics, "ormel.diagnostics", QtInfoMsg)

int main(int argc, char** argv)
{
    QApplication application(argc, argv); // the program takes nothing from its command line
    if (lcDiagnostics().isDebugEnabled()) {
        SetDebugSink([](const std::string& line) {
            qCDebug(lcDiagnostics, "%s",
                    QString::fromStdString(line).trimmed().toUtf8().constData());
        });
    }
    // ORMEL_QUIT_AFTER_MS=N leaves every window N ms after start, so that a smoke test of an
    // installed program ends by itself. exit(), not quit(): the windows run their own loops.
    bool quitAfterSet = false;
    const int quitAfterMs = qEnvironmentVariableIntValue("ORMEL_QUIT_AFTER_MS", &quitAfterSet);
    if (quitAfterSet && quitAfterMs >= 0)
        QTimer::singleShot(quitAfterMs, &application, [] { QCoreApplication::exit(0); });
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
    commands.SetMonitorWindowOpener(&OpenMonitorWindow);
    SetUtilityTestWindows({.loopTest = &RunLoopTestWindow, .preset = &RunPresetWindow});
    CMyORMELDlg::SetDefaultDialogHooks(
        {.utility = &RunMonitorUtilityDialog, .loopTest = &RunMonitorLoopBackWindow});
    // The ZN monitor's "Loop Test" opens the ZN loop-test and preset window in its
    // loop-test mode, over the monitor's connection.
    CMyORMEL2Dlg::SetDefaultDialogHooks(
        {.utility = &RunZnMonitorUtilityDialog, .loopTest = [](CMyORMEL2Dlg& window) {
             RunZnLoopTestWindow(window.Connection(), window.ConnectedDevice(), &window);
         }});
    CPMDialog::SetDefaultDialogHooks(
        {.loopTest = &RunQhLoopTestWindow, .preset = &RunQhPresetWindow});
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
