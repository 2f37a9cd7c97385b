#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <string>
#include <vector>

#include "CPlatformTransportFactory.h"
#include "CPosixFileSystem.h"
#include "CTerminalPrompts.h"
#include "CliCommandLine.h"
#include "CliCommands.h"
#include "app/CPrivateException.h"
#include "app/DebugLog.h"

namespace {

// Qt's own warnings (a serial port used from a plain thread, say) are
// diagnostics, not results: they go where --verbose sends the Modbus lines.
void QtMessagesToDebugLog(QtMsgType, const QMessageLogContext&, const QString& message)
{
    DebugOutput(message.toStdString() + "\n");
}

int Fail(const std::string& text)
{
    std::fprintf(stderr, "%s\n", TerminalText(text).c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    CliOptions options;
    try {
        options = ParseCliCommandLine({argv + 1, argv + argc});
    } catch (const CliUsageError& e) {
        std::fprintf(stderr, "ormel-cli: %s\n%s", e.what(), CliUsage());
        return 2;
    }
    if (options.help) {
        std::fputs(CliUsage(), stdout);
        return 0;
    }
    InstallPlatformTransports();
    InstallPlatformFiles();
    qInstallMessageHandler(QtMessagesToDebugLog);
    CTerminalPrompts prompts(stdin, stderr);
    prompts.SetConnection(options.connection);
    if (options.passcode)
        prompts.SetPasscode(*options.passcode);
    SetPromptService(&prompts);
    if (options.verbose)
        SetDebugSink([](const std::string& line) { std::fputs(line.c_str(), stderr); });

    try {
        RunCliCommand(options, stdout);
        return 0;
    } catch (const CliUsageError& e) { // refused once the device is known
        std::fprintf(stderr, "ormel-cli: %s\n", e.what());
        return 2;
    } catch (const CPrivateException& e) {
        if (!e.IsAbort())
            return Fail(e.Text());
        // The reason, such as a passcode mismatch, has been shown already.
        return prompts.ErrorShown() ? 1 : Fail("ormel-cli: cancelled");
    } catch (const std::exception& e) {
        return Fail(std::string("ormel-cli: ") + e.what());
    }
}
