#include "config_ui/CMainWindowCommands.h"

#include <QApplication>
#include <QGuiApplication>

#include "app/CAppSettings.h"
#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "app/RunTransfer.h"
#include "app/ShowConnectDialog.h"
#include "comm/CModbusInterface.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CCompareDialog.h"
#include "device/CConfigFile.h"
#include "device/CPasscodeProtection.h"
#include "device/ConnectedDevice.h"
#include "device/DownloadVerify.h"
#include "device/ParameterTransfer.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "widgets/ModalRunner.h"

namespace {

constexpr int kTextNoReboot = 11045;
constexpr int kTextAskRestart = 11046;
constexpr const char* kConfigurationExtension = "cfg";
constexpr int kMonitorAgain = 1;

class CWaitCursor {
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

FileDialogRequest ConfigurationFileRequest(bool save)
{
    FileDialogRequest request;
    request.save = save;
    request.filter = LoadText(TextId::ConfigurationFilter);
    request.defaultExtension = kConfigurationExtension;
    request.overwritePrompt = true;
    return request;
}

// The passcode handshake fails like the transfer it belongs to: with the
// communication-error text that tells the user what to check.
template <typename Step> bool AsCommunicationStep(Step&& step)
{
    try {
        return step();
    } catch (const CPrivateException& e) {
        if (e.IsAbort())
            throw;
        throw CPrivateException(CommunicationErrorText(e.Text()), e.Kind());
    }
}

// The report of a verified download that found differences: the downloaded
// set beside what the device holds.
void ShowVerifyDifferences(const ParameterSet& set, const DownloadVerification& verification,
                           CAppSettings& settings, QWidget* parent)
{
    CCompareDialog report(set, settings, parent);
    report.CompareWithDeviceSet(verification.readBack);
    // A download writes some variants words that the report does not show for
    // them; there the report alone would count fewer differences, or none.
    const int differing = static_cast<int>(DifferingRows(set, verification).size());
    if (report.Report().DifferentCount() != differing)
        Prompts().ShowMessage(FormatText(TextId::NotMatching, {differing}), PromptIcon::Warning,
                              PromptButtons::Ok);
    RunModal(report);
}

} // namespace

CMainWindowCommands::CMainWindowCommands(CAppSettings& settings) : settings_(settings) {}

void CMainWindowCommands::Upload(CBasicParameterDialog& window)
{
    CModbusInterface connection;
    if (!ShowConnectDialog(connection))
        return;
    ParameterSet uploaded;
    if (RunTransfer(
            connection, uploaded, TransferOperation::Read,
            [](CModbusInterface& master, ParameterSet& set, IProgressSink& sink) {
                return ReadFromDevice(set, master, sink);
            },
            &window))
        window.ReplaceWorkingSet(uploaded);
}

void CMainWindowCommands::Download(CBasicParameterDialog& window)
{
    CModbusInterface connection;
    bool verify = settings_.VerifyDownload();
    if (!ShowDownloadConnectDialog(connection, verify))
        return;
    settings_.SetVerifyDownload(verify);
    window.ReadControls();
    CPasscodeProtection protection;
    if (!AsCommunicationStep([&] { return protection.Unlock(connection); }))
        return;
    ParameterSet set = window.WorkingSet();
    // Filled on the job thread, read here once the progress window has closed.
    std::optional<DownloadVerification> verification;
    // A failed or cancelled download leaves the relock to the destructor, so
    // that the download's own error is the one reported.
    if (!RunTransfer(
            connection, set, TransferOperation::Write,
            [&](CModbusInterface& master, ParameterSet& s, IProgressSink& sink) {
                WrittenWords written;
                if (!WriteToDevice(s, master, sink, written))
                    return false;
                if (!verify)
                    return true;
                verification = VerifyDownload(master, s, written, sink);
                return verification.has_value();
            },
            &window))
        return;
    protection.Lock();
    // A verified download that matches says no more than an unverified one.
    if (verification && !verification->Matches())
        ShowVerifyDifferences(set, *verification, settings_, &window);
}

void CMainWindowCommands::Protect(CBasicParameterDialog&)
{
    CModbusInterface connection;
    if (!ShowConnectDialog(connection))
        return;
    CPasscodeProtection protection;
    AsCommunicationStep([&] { return protection.ChangeProtection(connection); });
}

void CMainWindowCommands::Report(CBasicParameterDialog& window)
{
    window.ReadControls();
    CCompareDialog report(window.WorkingSet(), settings_, &window);
    RunModal(report);
}

void CMainWindowCommands::SaveFile(CBasicParameterDialog& window)
{
    const std::optional<std::string> path = Prompts().AskFileName(ConfigurationFileRequest(true));
    if (!path)
        return;
    window.ReadControls();
    CConfigFile::SaveToFile(window.WorkingSet(), *path);
}

void CMainWindowCommands::OpenFile(CBasicParameterDialog& window)
{
    const std::optional<std::string> path = Prompts().AskFileName(ConfigurationFileRequest(false));
    if (!path)
        return;
    ParameterSet loaded;
    CConfigFile::LoadFromFile(loaded, *path);
    window.ReplaceWorkingSet(loaded);
}

void CMainWindowCommands::Monitor(CBasicParameterDialog& window)
{
    CModbusInterface connection;
    if (!ShowConnectDialog(connection))
        return;
    bool hidden = false;
    try {
        while (RunMonitorOnce(window, connection, hidden) == kMonitorAgain) {
        }
    } catch (...) {
        if (hidden)
            window.show();
        throw;
    }
    if (hidden)
        window.show();
}

int CMainWindowCommands::RunMonitorOnce(CBasicParameterDialog& window, CModbusInterface& connection,
                                        bool& hidden)
{
    CDeviceType device;
    {
        CWaitCursor waiting;
        device = IdentifyConnectedDevice(connection);
    }
    // The monitor follows the connected device, not the variant being edited.
    if (!openMonitor_)
        return 0;
    window.hide();
    hidden = true;
    return openMonitor_(MonitorWindowFor(device.Caps()), device, connection, &window);
}

void CMainWindowCommands::Reboot(CBasicParameterDialog&)
{
    CModbusInterface connection;
    if (!ShowConnectDialog(connection))
        return;
    RestartTarget target;
    {
        CWaitCursor waiting;
        target = ReadRestartTarget(connection);
    }
    if (target.Refused()) {
        Prompts().ShowMessage(FormatText(kTextNoReboot, {target.modelName}), PromptIcon::Error,
                              PromptButtons::Ok);
        return;
    }
    if (!Prompts().AskYesNo(FormatText(kTextAskRestart, {target.modelName})))
        return;
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return;
    bool restarted = false;
    {
        CWaitCursor waiting;
        restarted = RestartDevice(connection, target.device.modelCode, restartWait_);
    }
    // Relocking a device that restarts would only wait for answers that never come.
    if (restarted)
        protection.Forget();
}
