#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "text/NumericFieldReader.h"

struct ParameterSet;

// Control ids of "Energy Setting".
namespace PulseControl {
constexpr int EnergyCount = 1013;
constexpr int PulseWeight = 1063;
constexpr int PulseWeightUnit = 1064;
constexpr int PulseDuration = 1020;
constexpr int CircuitLabel = 1195;
constexpr int CircuitA = 1196; // B to D follow
} // namespace PulseControl

constexpr int kPulseOutputs = 4;
constexpr int kPulseCircuits = 4;
constexpr int kPulseDurationSteps = 20; // 100 to 2000 ms
constexpr int kPulseDurationStepMs = 100;

// The words of one pulse output. Outputs 3 and 4 have no circuits word.
struct PulseOutputWords {
    int energyCount = 0;
    int pulseRate = 0; // 32 bit
    int pulseDuration = 0;
    std::optional<int> circuits;
};
// Output 1 to 4; nullopt for any other number.
std::optional<PulseOutputWords> PulseOutputWordsOf(int output);

// One entry of the energy-count list: the code stored and its text.
struct EnergyCountEntry {
    std::uint16_t code = 0;
    int textId = 0;
};
// 12 entries on ZM and ZN, 36 (total, peak, off-peak) on the second-generation
// KTA/KTB and LKTA/LKTAS, else the nine first-generation kinds.
std::vector<EnergyCountEntry> EnergyCountEntriesFor(Capabilities caps);
// The entry that shows a stored code: the first one when none has it.
int EnergyCountIndex(const std::vector<EnergyCountEntry>& entries, std::uint16_t code);
// "kWh/pulse", "kVAh/pulse" or "kvarh/pulse" for a list index.
int PulseUnitTextId(int energyIndex);

// The pulse weight is kept in hundredths on ZN, else in tenths.
int PulseWeightScale(Capabilities caps);
NumericField PulseWeightLimits(Capabilities caps);
// The list entry of a stored duration (1-20), or -1 for a value outside it.
int PulseDurationIndex(std::uint16_t duration);
// Whether the circuit boxes apply to an output of the device.
bool PulseCircuitsUsed(Capabilities caps, int output);

// The state of the dialog's controls.
struct PulseControls {
    int energyIndex = 0;
    std::string pulseWeight;
    int durationIndex = -1;
    std::array<bool, kPulseCircuits> circuits{};
};
PulseControls PulseControlsOf(const ParameterSet& set, int output);

// Stores the controls of one output. An invalid pulse weight calls `focus`
// with its control id and throws the reader's message; the energy count is
// already stored then. A duration list without a selection keeps the word.
void ApplyPulseControls(const PulseControls& controls, int output, ParameterSet& set,
                        const std::function<void(int controlId)>& focus);
