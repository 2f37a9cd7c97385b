#pragma once

#include <cstdint>
#include <vector>

#include "device/Capabilities.h"
#include "device/ParameterWords.h"

// Words of the parameter set that the main window edits directly.
namespace MainWord {
using ParameterWord::ConfigurationMode;
using ParameterWord::System;
constexpr int CtPrimary = 33;
using ParameterWord::CtSecondary;
constexpr int VtPrimary = 36; // 32 bit
constexpr int VtSecondary = 38;
constexpr int BarCurrent = 109;
constexpr int BarVoltage = 110; // 32 bit
using ParameterWord::DemandCurrentInterval;
using ParameterWord::DemandPowerInterval;
} // namespace MainWord

// The wiring codes the System list offers, in list order.
std::vector<int> OfferedWiringCodes(Capabilities caps);
// String id of a wiring code's text; 0 for a code without one.
int WiringTextId(int code);
// The entry to select: the last one offering the code, else the last entry.
int WiringListIndex(const std::vector<int>& offered, int code);

enum class DemandSource { DiscreteInput = 0, InternalTimer = 1 };

// The demand source list of one interval and the entry that shows it.
struct DemandSourceList {
    std::vector<DemandSource> entries;
    int selected = 0;
};
// "Discrete input" is offered when the device has one, or when the interval
// is already 0 so that the 0 can be kept.
DemandSourceList DemandSourcesFor(Capabilities caps, std::uint16_t interval);
// String id of an entry's text.
int DemandSourceTextId(DemandSource source);
// The interval edit is used when "Internal timer" is chosen or is the only entry.
bool DemandIntervalEditEnabled(int entryCount, int selected);
// An interval of 0 (driven by the input) is shown as 30 minutes.
std::uint16_t DemandIntervalShown(std::uint16_t interval);
// The demand group is used by every family except ZN.
bool DemandGroupEnabled(Capabilities caps);

enum class InputLayout { VtCt, InputPage };
InputLayout InputLayoutFor(Capabilities caps);
bool BarGraphEnabled(Capabilities caps);

// Whether a button of the main window (command or settings button) is
// enabled for a device; true for commands that every device has.
bool MainButtonEnabled(int controlId, Capabilities caps);

// The DIP-switch check box and what it governs (input-page layout only).
struct DipSwitchState {
    bool checkBoxVisible = false;
    bool checked = false;
    bool systemListEnabled = true;
    bool channelGridEnabled = true;
};
DipSwitchState DipSwitchStateFor(Capabilities caps, std::uint16_t configurationMode);
// The configuration mode a click on the check box stores.
std::uint16_t ConfigurationModeOfCheckBox(bool checked);
