#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "config/CodedList.h"
#include "device/ParameterWords.h"

struct ParameterSet;

// Words of the OLED display of the ZNEPW variants.
namespace ZneDisplayWord {
constexpr int AutoOff = ParameterWord::OledAutoOff;
constexpr int Brightness = ParameterWord::OledBrightness;
constexpr int FirstFormat = 174; // six format words, list positions
// Display activation of circuits A to D, 1 = active.
inline constexpr const std::array<int, 4>& Activation = ParameterWord::ActivateDisplay;
} // namespace ZneDisplayWord

namespace ZneDisplayControl {
constexpr int AutoOff = 1202;
constexpr int Brightness = 1203;
constexpr int FirstFormat = 1204;  // Energy 1204 ... Frequency 1209
constexpr int FirstCircuit = 1196; // Circuit A 1196 ... Circuit D 1199
} // namespace ZneDisplayControl

constexpr int kZneFormatCount = 6;
constexpr int kZneCircuitCount = 4;

// The value-mapped lists: auto off ("Off", "1min", "5min", "10min") and
// brightness ("Low", "Normal").
const std::vector<CodedEntry>& ZneAutoOffEntries();
const std::vector<CodedEntry>& ZneBrightnessEntries();
// The format lists (Energy, Power, Current, Voltage, Power factor,
// Frequency), whose value is the position.
const std::vector<CodedEntry>& ZneFormatEntries(int format);

// Positions (-1: nothing selected) and checks of the dialog.
struct ZneDisplayForm {
    int autoOff = 0;
    int brightness = 0;
    std::array<int, kZneFormatCount> formats{};
    std::array<bool, kZneCircuitCount> active{};
};

// Auto off and brightness select the entry of their value, the first when
// none holds it; the formats select by position.
ZneDisplayForm ZneDisplayFormOf(const ParameterSet& set);
// Circuit A is always shown active and stored so. A format list with nothing
// selected leaves its word as it was.
void ReadZneDisplayForm(const ZneDisplayForm& form, ParameterSet& set);
