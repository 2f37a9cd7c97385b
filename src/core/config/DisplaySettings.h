#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/CodedList.h"
#include "device/Capabilities.h"
#include "device/ParameterWords.h"

struct ParameterSet;

// Words of the front display settings.
namespace DisplayWord {
constexpr int KeyLock = 0;
using ParameterWord::DataView;
using ParameterWord::EnergyView;
constexpr int EnergyUnit = 3;
constexpr int BacklightMode = 215;
constexpr int OffTimer = 216;
constexpr int Brightness = 217;
constexpr int UpdateRate = 218;
constexpr int DefaultTimer = 219; // 0: the preset timer is not used
using ParameterWord::MyDataView;
using ParameterWord::MyEnergyView;
constexpr int MyEnergyUnit = 222;
} // namespace DisplayWord

// Controls of "Display Setting".
namespace DisplayControl {
constexpr int BacklightMode = 1054;
constexpr int OffTimer = 1029;
constexpr int Brightness = 1042;
constexpr int UsePresetTimer = 1059;
constexpr int PresetTimer = 1060;
constexpr int DataView = 1061;
constexpr int UpdateRate = 1062;
constexpr int EnergyView = 1063;
constexpr int EnergyUnit = 1064;
constexpr int MyDataView = 1065;
constexpr int MyEnergyView = 1066;
constexpr int MyEnergyUnit = 1067;
constexpr int KeyLock = 1068;
constexpr int UpdateRateLabel = 1128;
constexpr int UpdateRateUnit = 1129;
} // namespace DisplayControl

enum class BacklightMode : std::uint16_t { Auto = 0, On = 1, Off = 2 };

constexpr int kBrightnessMin = 1;
constexpr int kBrightnessMax = 3;

// The second generations show peak and off-peak energy items and an update rate.
bool HasGen2Display(Capabilities caps);

// The lists of the dialog, in list order.
const std::vector<CodedEntry>& BacklightModeEntries();
const std::vector<CodedEntry>& EnergyUnitEntries();
const std::vector<CodedEntry>& KeyLockEntries();
// The energy display view items: 28 coded items on the second generations,
// else the 20 energy items whose value is their position.
const std::vector<CodedEntry>& EnergyViewEntries(Capabilities caps);
// The entry that shows an energy display view: the one holding the value on
// the second generations (the first when none does), else the value itself
// (-1, nothing selected, when it is not a position of the list).
int EnergyViewIndex(Capabilities caps, std::uint16_t value);

// The dialog's controls as texts, positions (-1: nothing selected) and checks.
struct DisplayForm {
    int backlightMode = -1;
    std::string offTimer;
    int brightness = kBrightnessMin;
    std::string dataView;
    int energyView = -1;
    int energyUnit = -1;
    int keyLock = -1;
    std::string updateRate; // empty without an update rate
    std::string myDataView;
    int myEnergyView = -1;
    int myEnergyUnit = -1;
    bool usePresetTimer = false;
    std::string presetTimer;
};

// What the dialog shows for a set.
DisplayForm DisplayFormOf(const ParameterSet& set);
// Whether the off timer may be edited: only while the backlight is "Auto".
bool OffTimerEnabled(int backlightModeIndex);

// Reads the form into the set in the device's order. The first invalid
// field is passed to `focus` and its message thrown; the words read before
// it stay stored. A list with nothing selected leaves its word as it was.
void ReadDisplayForm(const DisplayForm& form, ParameterSet& set,
                     const std::function<void(int controlId)>& focus);
