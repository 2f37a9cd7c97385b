#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "comm/ComSettings.h"
#include "utility/DeviceClock.h"

enum class CliCommand { Identify, Upload, Download, Defaults, Report, Monitor, Reset, Clock, Info };
enum class CliResetTarget { Energy, MaxMin, Demand, Counter, Alarm };
// Circuits of --circuits in the chooser's box order.
enum class CliCircuit { A, B, C, D, Common };
enum class CliCompareSource { None, File, Device };

// What ormel-cli was asked to do.
struct CliOptions {
    CliCommand command = CliCommand::Identify;
    // Modbus/TCP or one of the serial modes, with the unit id and line settings.
    ComSettings connection;
    bool connectionGiven = false;
    bool verbose = false;
    bool help = false;

    std::string inputPath;  // -i
    std::string outputPath; // -o
    std::optional<std::uint32_t> passcode;
    bool verify = false; // download: read the written words back and compare
    int typeId = -1;
    CliCompareSource compare = CliCompareSource::None;
    std::string compareFile;
    std::string csvPath;
    bool showUnable = false;

    std::optional<int> channel; // --channel, 1-based
    // monitor: cycles to run (none: until interrupted) and the period of a cycle
    std::optional<long long> count;
    int intervalMs = 1000;
    // monitor --detail: the QH channel (1-16) whose detail window is printed
    std::optional<int> detail;
    // reset
    std::optional<CliResetTarget> resetTarget;
    std::optional<std::vector<CliCircuit>> circuits;
    // clock: --set or --sync
    std::optional<DeviceDateTime> clockSet;
    bool clockSync = false;
    // info
    std::optional<std::string> tag;
    // Answers the confirmation of a command that changes the device.
    bool yes = false;
};

// A command line that cannot be run as it stands; the message names the argument.
class CliUsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Options may stand before or after the command; an option of another command,
// a missing value or a missing required option throws CliUsageError.
CliOptions ParseCliCommandLine(const std::vector<std::string>& args);
const char* CliUsage();
