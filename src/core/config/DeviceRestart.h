#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/CDeviceType.h"
#include "device/Capabilities.h"

class CModbusInterface;

// The model name a device reports by its model code and option code ("KTBL",
// "QGEPW", "ZNPW-U", ...); empty for an unknown model code.
std::string DeviceModelName(std::uint16_t modelCode, std::uint16_t optionCode);

// LonWorks variants are configured and restarted by LonWorks tools only.
bool IsLonWorksModelName(const std::string& modelName);

// How a device of one model code is told to restart.
struct RestartCommand {
    int address = 0; // protocol address
    std::vector<std::uint16_t> values;
    // One attempt whose communication error is expected: the device restarts
    // before it answers. Otherwise the interface's retries and errors count.
    bool expectNoAnswer = false;
    int waitMs = 0; // after the write, for the device to come back
};

// Nothing (no values) for a model code that has no restart command.
RestartCommand RestartCommandFor(std::uint16_t modelCode);

// The registers the model name is read from: the identity block from 9597 and
// the option code with the I/O words from 9622.
constexpr int kRebootIdentityRegister = 9597;
constexpr int kRebootIdentityCount = 17;
constexpr int kRebootOptionRegister = 9622;
constexpr int kRebootOptionCount = 5;

// The connected device as a restart sees it before anything is asked.
struct RestartTarget {
    CDeviceType device;
    std::string modelName;

    // LonWorks variants are restarted by LonWorks tools, never by this program.
    bool Refused() const { return IsLonWorksModelName(modelName); }
};

// Opens the connection, identifies the device, reads the model name from its
// identity registers and closes the connection however that ends. Identify's
// and the reads' errors pass unchanged.
RestartTarget ReadRestartTarget(CModbusInterface& connection);

// The pause that lets a device come back after a restart.
using RestartWait = std::function<void(int milliseconds)>;

// Sends the restart command of the model code over the connection, opened
// and closed here, then waits as the command asks (an empty wait sleeps the
// calling thread). False, with nothing sent
// and the connection never opened, for a model code that has no command.
// The error of a single-attempt write is swallowed (the device restarts
// before it answers); any other error passes unchanged.
bool RestartDevice(CModbusInterface& connection, std::uint16_t modelCode, const RestartWait& wait);

enum class MonitorWindowKind {
    Standard,        // "CMyORMELDlg"
    Second,          // "CMyORMEL2Dlg": ZNPW and ZNEPW
    PowerManagement, // "CPMDialog", "Power Management Monitor": QH
};

// The monitor window that fits an identified device.
MonitorWindowKind MonitorWindowFor(Capabilities caps);
