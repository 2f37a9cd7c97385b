#pragma once

#include <QDialog>
#include <QSignalSpy>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CDeviceSimulator.h"
#include "CPlatformTransportFactory.h"
#include "CSimTcpServer.h"
#include "app/CProgressDialog.h"
#include "background/IProgressSink.h"
#include "comm/ComSettings.h"
#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"
#include "support/DeviceOptions.h"
#include "support/DialogTestHelpers.h"
#include "support/ScriptedPrompts.h"

// A simulated device in this process behind Modbus/TCP on loopback.
class SimulatedTcpDevice {
public:
    explicit SimulatedTcpDevice(SimOptions options)
        : sim_(std::make_unique<CDeviceSimulator>(options)),
          server_(std::make_unique<CSimTcpServer>(*sim_, "127.0.0.1", 0))
    {
        InstallPlatformTransports();
    }

    // What the Connect dialog hands back for this device.
    ComSettings Settings() const
    {
        ComSettings settings;
        settings.mode = ConnectionMode::Tcp;
        settings.serverAddress = "127.0.0.1";
        settings.servicePort = std::to_string(server_->Port());
        settings.address = 1;
        return settings;
    }

    CDeviceSimulator& Sim() { return *sim_; }
    std::vector<SimRequestRecord> Writes() const
    {
        std::vector<SimRequestRecord> writes;
        for (const SimRequestRecord& r : sim_->Log().Records())
            if (r.function == 16)
                writes.push_back(r);
        return writes;
    }

private:
    std::unique_ptr<CDeviceSimulator> sim_;
    std::unique_ptr<CSimTcpServer> server_;
};

// Prompts that also note whether a progress window was open when a message appeared.
class CProgressAwarePrompts : public CScriptedPrompts {
public:
    bool progressOpen = false;
    std::vector<bool> shownWhileProgressOpen;

    PromptResult ShowMessage(const std::string& text, PromptIcon icon,
                             PromptButtons buttons) override
    {
        shownWhileProgressOpen.push_back(progressOpen);
        return CScriptedPrompts::ShowMessage(text, icon, buttons);
    }
};

// Runs a progress window without a nested exec(): waits until its job ends,
// cancelling first when asked to.
inline int RunProgressToEnd(QDialog& dialog, CProgressAwarePrompts& prompts, bool cancel)
{
    constexpr int kWaitMs = 20000;
    QSignalSpy finished(&dialog, &QDialog::finished);
    prompts.progressOpen = true;
    if (cancel)
        dialog.reject();
    if (finished.isEmpty())
        finished.wait(kWaitMs);
    prompts.progressOpen = false;
    return finished.isEmpty() ? -1 : finished.front().front().toInt();
}

// Reads a device directly, for the expected result of an upload.
class SilentProgress : public IProgressSink {
public:
    void ReportProgress(double) override {}
    bool IsCancelRequested() const override { return false; }
};
