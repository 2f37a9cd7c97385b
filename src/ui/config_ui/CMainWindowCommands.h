#pragma once

#include <functional>

#include "config/DeviceRestart.h"
#include "config_ui/IMainWindowCommands.h"
#include "device/CDeviceType.h"

class CAppSettings;
class CModbusInterface;
class QWidget;

// The device and file commands of the main configuration window. Every
// device command runs the Connect dialog first and talks through an interface
// of its own that lives only as long as the command.
class CMainWindowCommands : public IMainWindowCommands {
public:
    // Opens the monitor window that fits an identified device and runs it
    // modally with the command's interface; returns the window's result
    // (1: identify the device again and reopen).
    using MonitorWindowOpener = std::function<int(MonitorWindowKind kind, const CDeviceType& device,
                                                  CModbusInterface& connection, QWidget* parent)>;
    // The pause that lets a device come back after a restart; by default
    // the GUI thread sleeps, as it always has during a restart.
    using RestartWait = ::RestartWait;

    // Not owned: the application's settings hold the report's hide flag.
    explicit CMainWindowCommands(CAppSettings& settings);

    // The monitoring windows install their opener here; until then Monitor
    // identifies the device and shows the main window again.
    void SetMonitorWindowOpener(MonitorWindowOpener opener) { openMonitor_ = std::move(opener); }
    void SetRestartWait(RestartWait wait) { restartWait_ = std::move(wait); }

    void Upload(CBasicParameterDialog& window) override;
    void Download(CBasicParameterDialog& window) override;
    void Protect(CBasicParameterDialog& window) override;
    void Report(CBasicParameterDialog& window) override;
    void SaveFile(CBasicParameterDialog& window) override;
    void OpenFile(CBasicParameterDialog& window) override;
    void Monitor(CBasicParameterDialog& window) override;
    void Reboot(CBasicParameterDialog& window) override;

private:
    int RunMonitorOnce(CBasicParameterDialog& window, CModbusInterface& connection, bool& hidden);

    CAppSettings& settings_;
    MonitorWindowOpener openMonitor_;
    RestartWait restartWait_;
};
