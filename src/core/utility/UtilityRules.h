#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "device/CDeviceType.h"

// The rules of the "Utility" window and of the QH monitor's command buttons
// that need no device: which buttons a device offers, which command value a
// button sends, and the circuit chooser's result. Dialogs and ormel-cli ask
// these instead of testing models themselves.

// Buttons of the "Utility" window that may be enabled for a device.
struct UtilityButtons {
    bool energy = true;
    bool maxMin = true;
    bool demand = true;
    bool tagNo = true;
    bool loopTest = false;
    bool counter = true;
    bool preset = true;
    bool clearAlarm = false;
};
UtilityButtons UtilityWindowButtons(const CDeviceType& device);

// "Loop Test" and "Preset" of the multi-circuit monitor, by firmware version x 100.
struct QhTestButtons {
    bool loopTest = false;
    bool preset = false;
};
QhTestButtons QhMonitorTestButtons(std::uint16_t firmwareVersion);

enum class ResetKind { Energy, MaxMin, Demand, Counter };

// One run of the reset procedure: selector 0 sends value to register 5329,
// selector 1 to 5337 (5339 for the eight-counter reset).
struct ResetRequest {
    int selector = 0;
    std::uint16_t value = 0;
};

// Whether the button asks for circuits (ZNPW and ZNEPW energy and max/min)
// instead of "Are you sure?".
bool UsesCircuitChooser(ResetKind kind, const CDeviceType& device);

// The request of a button that does not use the circuit chooser, after
// "Are you sure?". windowSelector is the monitor window's flag (its second
// input is shown). Nothing for "Counter" on a device without four or eight counters.
std::optional<ResetRequest> PlainResetRequest(ResetKind kind, const CDeviceType& device,
                                              bool windowSelector);

// The register the reset procedure writes a request's value to.
int ResetCommandRegister(const ResetRequest& request, const CDeviceType& device);

// "Please select the circuit": the message and the value of each box, in the
// order "Circuit A", "Circuit B", "Circuit C", "Circuit D", "Circuit Common".
// A box whose value is 0 is hidden.
struct CircuitChooserSetup {
    int messageId = 0;
    std::array<std::uint16_t, 5> values{};
};
CircuitChooserSetup CircuitChooserFor(ResetKind kind);

// OK of the chooser: the bit-or of the checked boxes' values ("All circuits"
// checks all of them). 0 means the dialog stays open.
std::uint16_t CircuitChooserResult(const CircuitChooserSetup& setup, bool allCircuits,
                                   const std::array<bool, 5>& checked);

// The chosen circuits as a request of the reset procedure (always 5329); nothing for 0.
std::optional<ResetRequest> CircuitResetRequest(std::uint16_t chooserResult);

// Reset codes of the QH family, written to 8995 + channel after the unlock.
namespace QhResetCode {
constexpr std::uint16_t kEnergy = 1;
constexpr std::uint16_t kHourlyEnergy = 2;
constexpr std::uint16_t kCurrentDemand = 4;
constexpr std::uint16_t kPowerDemand = 8;
constexpr std::uint16_t kVoltageMaxMin = 16; // common to every channel: sent for channel 1
constexpr std::uint16_t kCurrentMaxMin = 32;
constexpr std::uint16_t kPowerMaxMin = 64;
constexpr std::uint16_t kPowerFactorMaxMin = 128;
constexpr std::uint16_t kFrequencyMaxMin = 256; // common to every channel: sent for channel 1
constexpr std::uint16_t kCurrentDemandMaxMin = 512;
constexpr std::uint16_t kPowerDemandMaxMin = 1024;
} // namespace QhResetCode

// The reset buttons of the multi-circuit monitor and its detail window.
enum class QhResetButton {
    HourlyEnergy,  // main page, first row
    Energy,        // main page, second row
    VoltageMaxMin, // "Instantaneous", "Reset max / min"
    CurrentMaxMin,
    PowerMaxMin,
    PowerFactorMaxMin,
    FrequencyMaxMin,
    CurrentDemand, // "Demand", "Reset demand"
    PowerDemand,
    CurrentDemandMaxMin, // "Demand", "Reset max / min"
    PowerDemandMaxMin,
};

// One QH reset: code to register 8995 + channel (0-based).
struct QhReset {
    int channel = 0;
    std::uint16_t code = 0;
};
// channel is the 0-based channel the button belongs to (main page: channel
// base + column; detail window: its channel).
QhReset QhResetFor(QhResetButton button, int channel);
