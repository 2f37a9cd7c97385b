#include "config_ui/CMainWindowCommands.h"

#include <QApplication>
#include <QGuiApplication>

#include <array>
#include <chrono>
#include <thread>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "app/RunTransfer.h"
#include "app/ShowConnectDialog.h"
#include "comm/CModbusInterface.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CCompareDialog.h"
#include "device/CConfigFile.h"
#include "device/CPasscodeProtection.h"
#include "device/DeviceRegisters.h"
#include "device/ParameterTransfer.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"

namespace {

constexpr int kTextConfigurationFilter = 2700;
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

// Open for one series of requests; closed however the series ends.
class COpenConnection {
public:
    explicit COpenConnection(CModbusInterface& connection) : connection_(connection)
    {
        connection_.Open();
    }
    ~COpenConnection() { connection_.Close(); }
    COpenConnection(const COpenConnection&) = delete;
    COpenConnection& operator=(const COpenConnection&) = delete;

private:
    CModbusInterface& connection_;
};

FileDialogRequest ConfigurationFileRequest(bool save)
{
    FileDialogRequest request;
    request.save = save;
    request.filter = LoadText(kTextConfigurationFilter);
    request.defaultExtension = kConfigurationExtension;
    request.overwritePrompt = true;
    return request;
}

struct IdentifiedModel {
    CDeviceType device;
    std::string name;
};

// The identity and the model name as the device reports them.
IdentifiedModel ReadModel(CModbusInterface& connection)
{
    CWaitCursor waiting;
    COpenConnection open(connection);
    IdentifiedModel model;
    model.device.Identify(connection);
    std::array<std::uint16_t, kRebootIdentityCount> identity{};
    std::array<std::uint16_t, kRebootOptionCount> option{};
    connection.ReadHoldingRegisters(kRebootIdentityRegister, kRebootIdentityCount, identity.data());
    connection.ReadHoldingRegisters(kRebootOptionRegister, kRebootOptionCount, option.data());
    const std::uint16_t modelCode = identity[DeviceRegister::kModelCode - kRebootIdentityRegister];
    model.name = DeviceModelName(modelCode, option[0]);
    return model;
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
        throw CPrivateException(CommunicationErrorText(e.Text()));
    }
}

void PlainWait(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

CMainWindowCommands::CMainWindowCommands(CAppSettings& settings)
    : settings_(settings), restartWait_(&PlainWait)
{
}

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
    if (!ShowConnectDialog(connection))
        return;
    window.ReadControls();
    CPasscodeProtection protection;
    if (!AsCommunicationStep([&] { return protection.Unlock(connection); }))
        return;
    ParameterSet set = window.WorkingSet();
    // A failed or cancelled download leaves the relock to the destructor, so
    // that the download's own error is the one reported.
    if (!RunTransfer(
            connection, set, TransferOperation::Write,
            [](CModbusInterface& master, ParameterSet& s, IProgressSink& sink) {
                return WriteToDevice(s, master, sink);
            },
            &window))
        return;
    protection.Lock();
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
        COpenConnection open(connection);
        device.Identify(connection);
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
    const IdentifiedModel model = ReadModel(connection);
    if (IsLonWorksModelName(model.name)) {
        Prompts().ShowMessage(FormatText(kTextNoReboot, {model.name}), PromptIcon::Error,
                              PromptButtons::Ok);
        return;
    }
    if (!Prompts().AskYesNo(FormatText(kTextAskRestart, {model.name})))
        return;
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return;
    // Relocking a device that restarts would only wait for answers that never come.
    if (SendRestart(connection, RestartCommandFor(model.device.modelCode)))
        protection.Forget();
}

bool CMainWindowCommands::SendRestart(CModbusInterface& connection, const RestartCommand& command)
{
    if (command.values.empty())
        return false;
    CWaitCursor waiting;
    COpenConnection open(connection);
    const int count = static_cast<int>(command.values.size());
    if (!command.expectNoAnswer) {
        connection.WriteMultipleRegisters(command.address, count, command.values.data());
        return true;
    }
    try {
        connection.WriteMultipleRegisters(command.address, count, command.values.data(), 1);
    } catch (const CPrivateException&) {
        // The device restarts before it answers, or not at all: expected.
    }
    if (command.waitMs > 0 && restartWait_)
        restartWait_(command.waitMs);
    return true;
}
