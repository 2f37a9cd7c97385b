// The Connect dialog in each connection mode, the progress window at each
// quality of the infrared link and the passcode dialogs.
#include "WindowCatalog.h"
#include "app/CCommDialog.h"
#include "app/CEnterPasscodeDialog.h"
#include "app/CPasscodeSettingDialog.h"
#include "app/CProgressDialog.h"
#include "app/CProtectDialog.h"
#include "app/CSettingsStore.h"
#include "app/TransferQuality.h"
#include "background/ITransferConnection.h"

namespace {

CSerialPortList SamplePorts()
{
    CSerialPortList ports;
    ports.Store("ttyS0", {"/dev/ttyS0", "ttyS0", "", ""});
    ports.Store("ttyUSB0", {"/dev/ttyUSB0", "USB Serial Port (ttyUSB0)", "A7C4", "0005"});
    ports.Store("ttyUSB1", {"/dev/ttyUSB1", "IR Adapter (ttyUSB1)", "A7C4", "0004"});
    return ports;
}

std::unique_ptr<QWidget> ConnectDialogIn(ConnectionMode mode)
{
    ComSettings settings;
    settings.mode = mode;
    settings.address = 12;
    return std::make_unique<CCommDialog>(settings, SamplePorts());
}

// The window is shown without starting its job.
class CIdleConnection : public ITransferConnection {
public:
    void Open() override {}
    void Close() override {}
    void AbortForCancel() override {}
};

std::unique_ptr<QWidget> ProgressAt(TransferOperation operation, bool infrared, double rate)
{
    static CIdleConnection connection;
    CProgressDialog::Link link;
    link.infrared = infrared;
    link.successRate = [rate] { return rate; };
    auto dialog = std::make_unique<CProgressDialog>(
        operation, connection, [](IProgressSink&) { return true; }, link);
    dialog->ShowProgress(45);
    dialog->RefreshSuccessRate();
    return dialog;
}

} // namespace

void AddAppShellWindows(CWindowCatalog& catalog)
{
    catalog.Add("connect_config", [] { return ConnectDialogIn(ConnectionMode::Config); });
    catalog.Add("connect_infrared", [] { return ConnectDialogIn(ConnectionMode::Infrared); });
    catalog.Add("connect_rs485", [] { return ConnectDialogIn(ConnectionMode::Rs485); });
    catalog.Add("connect_tcp", [] { return ConnectDialogIn(ConnectionMode::Tcp); });
    catalog.Add("connect_download", [] {
        ComSettings settings;
        settings.mode = ConnectionMode::Tcp;
        return std::make_unique<CCommDialog>(settings, SamplePorts(), nullptr,
                                             ConnectPurpose::Download, true);
    });

    catalog.Add("progress_upload_tcp",
                [] { return ProgressAt(TransferOperation::Read, false, 100.0); });
    catalog.Add("progress_verify", [] {
        auto dialog = ProgressAt(TransferOperation::Write, false, 100.0);
        static_cast<CProgressDialog&>(*dialog).ShowPhase(TransferPhase::Verify);
        return dialog;
    });
    catalog.Add("progress_infrared_best",
                [] { return ProgressAt(TransferOperation::Write, true, 87.5); });
    catalog.Add("progress_infrared_fair",
                [] { return ProgressAt(TransferOperation::Read, true, 50.0); });
    catalog.Add("progress_infrared_poor",
                [] { return ProgressAt(TransferOperation::Read, true, 12.5); });
    catalog.Add("progress_infrared_none",
                [] { return ProgressAt(TransferOperation::Read, true, 0.0); });

    catalog.Add("passcode_enter", [] {
        static CMemorySettingsStore store;
        return std::make_unique<CEnterPasscodeDialog>(store);
    });
    catalog.Add("passcode_protect", [] { return std::make_unique<CProtectDialog>(); });
    catalog.Add("passcode_setting", [] { return std::make_unique<CPasscodeSettingDialog>(); });
}
