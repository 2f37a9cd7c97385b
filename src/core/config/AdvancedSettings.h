#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "device/ParameterWords.h"
#include "grid/CGridModel.h"
#include "text/NumericFieldReader.h"

struct ParameterSet;

// Words of the parameter set that "Other Setting" edits.
namespace AdvancedWord {
using ParameterWord::FrequencyInput;
constexpr int CutoutCurrent1 = 40;
constexpr int CutoutVoltage = 41;
constexpr int CutoutCurrent2 = 50;
constexpr int PowerFactorSign = 180;
constexpr int ReactivePowerSign = 181;
using ParameterWord::PhaseReactiveMethod;
constexpr int ApparentPowerMethod = 183;
constexpr int MeasurementMode = 184;
constexpr int SimplePowerFactor = 185;
constexpr int TariffFunction = 201;
} // namespace AdvancedWord

// Control ids of "Other Setting".
namespace AdvancedControl {
constexpr int CutoutVoltage = 1015;
constexpr int CutoutVoltageLabel = 1189;
constexpr int CutoutVoltageUnit = 1190;
constexpr int CutoutCurrent1Label = 1162;
constexpr int CutoutCurrent1 = 1016;
constexpr int CutoutCurrent1Unit = 1163;
constexpr int CutoutCurrent2Label = 1155;
constexpr int CutoutCurrent2 = 1017;
constexpr int CutoutCurrent2Unit = 1156;
constexpr int ChannelGrid = 1164;
constexpr int FrequencyLabel = 1176;
constexpr int Frequency = 1060;
constexpr int TariffLabel = 1149;
constexpr int TariffEnable = 1055;
constexpr int TariffDisable = 1056;
constexpr int PfStandard = 1026;
constexpr int PfIeee = 1027;
constexpr int QStandard = 1028;
constexpr int QInverted = 1029;
constexpr int QnLabel = 1194;
constexpr int QnVector = 1030;
constexpr int QnSigmaUi = 1031;
constexpr int SLabel = 1193;
constexpr int SVector = 1032;
constexpr int SSum = 1033;
constexpr int MeasurementLabel = 1192;
constexpr int StandardMeasurement = 1034;
constexpr int SimpleMeasurement = 1035;
constexpr int SimplePowerFactorLabel = 1191;
constexpr int SimplePowerFactor = 1018;
} // namespace AdvancedControl

enum class FrequencyInput : std::uint16_t { U1N = 0, I1 = 1, Fix50Hz = 2, Fix60Hz = 3 };
int FrequencyInputTextId(FrequencyInput code);

// Which calculation options a family lets the user choose.
enum class CalculationScheme {
    MethodsOnly, // Qn and S methods; no measurement mode
    Zm,          // measurement mode; Qn and S are fixed by the device
    Zn,          // measurement mode and both methods
};

// What "Other Setting" shows for a device.
struct AdvancedLayout {
    bool voltageEnabled = true;
    bool frequencyEnabled = true;
    std::vector<FrequencyInput> frequencyEntries; // list order
    bool channelGrid = false;                     // per-channel cutouts instead of 1ch/2ch
    bool secondInput = false;                     // 2ch edit shown
    bool tariffEnabled = true;
    CalculationScheme calculation = CalculationScheme::MethodsOnly;
};
AdvancedLayout AdvancedLayoutFor(Capabilities caps);

// The list entry that shows a stored frequency input, or -1 when the list
// has none for it (then nothing is selected and OK keeps the stored code).
int FrequencyListIndex(Capabilities caps, std::uint16_t code);
// The code OK stores for a list selection; nullopt keeps the stored code.
std::optional<std::uint16_t> FrequencyCodeOfIndex(Capabilities caps, int index);

// A cutout cell of the channel grid and the word it edits.
struct CutoutCell {
    int column = 0;
    int row = 0;
    int word = 0;
};
// The channel grid: labels in columns 0 (and 2 for channels 9-16), values
// beside them, no header row.
struct CutoutGridLayout {
    int columns = 0;
    int rows = 0;
    std::vector<GridHeaderCell> labels;
    std::vector<CutoutCell> cells;

    bool Empty() const { return cells.empty(); }
    const CutoutCell* CellAt(int column, int row) const;
};
CutoutGridLayout CutoutGridFor(Capabilities caps);

// Every low-end cutout is 0.0-99.9 % in tenths.
const NumericField& CutoutVoltageLimits();
const NumericField& CutoutCurrentLimits();
const NumericField& SimplePowerFactorLimits();

std::string CutoutCellText(const CutoutCell& cell, const ParameterSet& set);
// Stores a cutout typed into a cell; throws the reader's message when invalid.
void ApplyCutoutCell(const CutoutCell& cell, const std::string& text, ParameterSet& set);

// The state of the dialog's controls (what opening shows, what OK reads).
struct AdvancedControls {
    std::string cutoutVoltage;
    std::string cutoutCurrent1;
    std::string cutoutCurrent2;
    int frequencyIndex = -1;
    bool tariffEnabled = false;
    bool powerFactorIeee = false;
    bool reactiveInverted = false;
    bool qnSigmaUi = false;
    bool sSum = false;
    bool simpleMeasurement = false;
    std::string simplePowerFactor;
};
AdvancedControls AdvancedControlsOf(const ParameterSet& set);

// The edit for the power factor at simple measurement is used only while
// "Simple measuremant" is checked, and only where the mode can be chosen.
bool SimplePowerFactorEnabled(CalculationScheme scheme, bool simpleChecked);

// Stores the controls into the set in the dialog's reading order. The first
// invalid field calls `focus` with its control id and throws the reader's
// message; words read before it are already stored.
void ApplyAdvancedControls(const AdvancedControls& controls, ParameterSet& set,
                           const std::function<void(int controlId)>& focus);
