#include "config/AdvancedSettings.h"

#include <array>

#include "config/FormField.h"
#include "device/ParameterSet.h"
#include "text/TextIds.h"

namespace {
constexpr int kFrequencyTextBase = 2150;

constexpr int kTextCutoutVoltage = 15157;
constexpr int kTextCutoutCurrent = 15156;
constexpr int kTextSimplePowerFactor = 15356;

// Low-end cutout current words of channels 1-16 (QH) or circuits A-D (ZN).
constexpr std::array<int, 16> kChannelCutoutWords = {40, 50, 59, 68, 75, 78,  81,  84,
                                                     87, 90, 93, 96, 99, 102, 105, 108};
constexpr int kChannelsPerColumn = 8;
constexpr int kCircuits = 4;

constexpr Capabilities kFixedFrequencyList = CapZnpw | CapZm | CapZnepw;
constexpr Capabilities kNoVoltageCutout = CapZm | CapZnepw;
constexpr Capabilities kNoTariff = CapQg | CapQh | CapLktas | CapZm | CapZnpw | CapZnepw;

bool Has(Capabilities caps, Capabilities mask)
{
    return (caps & mask) != 0;
}

// Adds one label column and its value column beside it.
void AddChannelColumn(CutoutGridLayout& grid, int labelColumn, int firstChannel, int count,
                      int textBase)
{
    for (int row = 0; row < count; ++row) {
        grid.labels.push_back({textBase + row, labelColumn, row});
        const int word = kChannelCutoutWords[static_cast<size_t>(firstChannel + row)];
        grid.cells.push_back({labelColumn + 1, row, word});
    }
}

std::uint16_t Flag(bool value)
{
    return value ? 1 : 0;
}

// Reads one edit; the set is left untouched by a failure.
std::uint16_t ReadEdit(const std::string& text, const NumericField& limits, int controlId,
                       const std::function<void(int)>& focus)
{
    return static_cast<std::uint16_t>(ReadFormField(text, limits, controlId, focus));
}

void ApplyCutouts(const AdvancedControls& c, Capabilities caps, ParameterSet& set,
                  const std::function<void(int)>& focus)
{
    using namespace AdvancedControl;
    const AdvancedLayout layout = AdvancedLayoutFor(caps);
    if (layout.voltageEnabled)
        set[AdvancedWord::CutoutVoltage] =
            ReadEdit(c.cutoutVoltage, CutoutVoltageLimits(), CutoutVoltage, focus);
    if (layout.channelGrid)
        return; // the grid stores its cells as they are edited
    set[AdvancedWord::CutoutCurrent1] =
        ReadEdit(c.cutoutCurrent1, CutoutCurrentLimits(), CutoutCurrent1, focus);
    if (layout.secondInput)
        set[AdvancedWord::CutoutCurrent2] =
            ReadEdit(c.cutoutCurrent2, CutoutCurrentLimits(), CutoutCurrent2, focus);
}

void ApplyCalculation(const AdvancedControls& c, CalculationScheme scheme, ParameterSet& set,
                      const std::function<void(int)>& focus)
{
    if (scheme != CalculationScheme::MethodsOnly) {
        set[AdvancedWord::MeasurementMode] = Flag(c.simpleMeasurement);
        set[AdvancedWord::SimplePowerFactor] =
            ReadEdit(c.simplePowerFactor, SimplePowerFactorLimits(),
                     AdvancedControl::SimplePowerFactor, focus);
    }
    if (scheme == CalculationScheme::Zm) {
        // The ZM family always calculates this way; the buttons only show it.
        set[AdvancedWord::PhaseReactiveMethod] = 1;
        set[AdvancedWord::ApparentPowerMethod] = 0;
        return;
    }
    set[AdvancedWord::PhaseReactiveMethod] = Flag(c.qnSigmaUi);
    set[AdvancedWord::ApparentPowerMethod] = Flag(c.sSum);
}
} // namespace

int FrequencyInputTextId(FrequencyInput code)
{
    return kFrequencyTextBase + static_cast<int>(code);
}

AdvancedLayout AdvancedLayoutFor(Capabilities caps)
{
    AdvancedLayout layout;
    layout.voltageEnabled = !Has(caps, kNoVoltageCutout);
    if (Has(caps, kFixedFrequencyList)) {
        layout.frequencyEntries = {FrequencyInput::U1N, FrequencyInput::Fix50Hz,
                                   FrequencyInput::Fix60Hz};
    } else if (Has(caps, CapQh)) {
        layout.frequencyEnabled = false;
    } else {
        layout.frequencyEntries = {FrequencyInput::U1N, FrequencyInput::I1};
        if (Has(caps, CapGen3))
            layout.frequencyEntries.insert(layout.frequencyEntries.end(),
                                           {FrequencyInput::Fix50Hz, FrequencyInput::Fix60Hz});
    }
    layout.channelGrid = Has(caps, CapQh | CapZn);
    layout.secondInput = !layout.channelGrid && Has(caps, CapQgInput);
    layout.tariffEnabled = !Has(caps, kNoTariff);
    if (Has(caps, CapZn))
        layout.calculation = CalculationScheme::Zn;
    else if (Has(caps, CapZm))
        layout.calculation = CalculationScheme::Zm;
    return layout;
}

// The fixed-frequency list has no "I1": a stored I1 shows as U1N, the
// device's own default, and OK then stores U1N.
int FrequencyListIndex(Capabilities caps, std::uint16_t code)
{
    const AdvancedLayout layout = AdvancedLayoutFor(caps);
    const int count = static_cast<int>(layout.frequencyEntries.size());
    int index = code;
    if (Has(caps, kFixedFrequencyList))
        index = code >= 2 ? code - 1 : 0;
    return index < count ? index : -1;
}

std::optional<std::uint16_t> FrequencyCodeOfIndex(Capabilities caps, int index)
{
    const AdvancedLayout layout = AdvancedLayoutFor(caps);
    if (!layout.frequencyEnabled)
        return std::uint16_t(0);
    if (index < 0 || index >= static_cast<int>(layout.frequencyEntries.size()))
        return std::nullopt;
    return static_cast<std::uint16_t>(layout.frequencyEntries[static_cast<size_t>(index)]);
}

const CutoutCell* CutoutGridLayout::CellAt(int column, int row) const
{
    for (const auto& cell : cells)
        if (cell.column == column && cell.row == row)
            return &cell;
    return nullptr;
}

CutoutGridLayout CutoutGridFor(Capabilities caps)
{
    CutoutGridLayout grid;
    if (Has(caps, CapQh)) {
        grid.columns = Has(caps, CapQhExt) ? 4 : 2;
        grid.rows = kChannelsPerColumn;
        AddChannelColumn(grid, 0, 0, kChannelsPerColumn, TextId::FirstChannel);
        if (Has(caps, CapQhExt))
            AddChannelColumn(grid, 2, kChannelsPerColumn, kChannelsPerColumn,
                             TextId::FirstChannel + kChannelsPerColumn);
    } else if (Has(caps, CapZn)) {
        grid.columns = 2;
        grid.rows = kCircuits;
        AddChannelColumn(grid, 0, 0, kCircuits, TextId::FirstCircuit);
    }
    return grid;
}

const NumericField& CutoutVoltageLimits()
{
    static const NumericField limits{10, 0, 999, kTextCutoutVoltage, std::nullopt};
    return limits;
}

const NumericField& CutoutCurrentLimits()
{
    static const NumericField limits{10, 0, 999, kTextCutoutCurrent, std::nullopt};
    return limits;
}

const NumericField& SimplePowerFactorLimits()
{
    static const NumericField limits{10000, 0, 10000, kTextSimplePowerFactor, std::nullopt};
    return limits;
}

std::string CutoutCellText(const CutoutCell& cell, const ParameterSet& set)
{
    return FormatScaledValue(set[cell.word], 10);
}

void ApplyCutoutCell(const CutoutCell& cell, const std::string& text, ParameterSet& set)
{
    set[cell.word] = static_cast<std::uint16_t>(ReadNumericField(text, CutoutCurrentLimits()));
}

AdvancedControls AdvancedControlsOf(const ParameterSet& set)
{
    const Capabilities caps = set.type.Caps();
    const AdvancedLayout layout = AdvancedLayoutFor(caps);
    AdvancedControls c;
    if (layout.voltageEnabled)
        c.cutoutVoltage = FormatScaledValue(set[AdvancedWord::CutoutVoltage], 10);
    if (!layout.channelGrid) {
        c.cutoutCurrent1 = FormatScaledValue(set[AdvancedWord::CutoutCurrent1], 10);
        if (layout.secondInput)
            c.cutoutCurrent2 = FormatScaledValue(set[AdvancedWord::CutoutCurrent2], 10);
    }
    c.frequencyIndex = FrequencyListIndex(caps, set[AdvancedWord::FrequencyInput]);
    c.tariffEnabled = layout.tariffEnabled && set[AdvancedWord::TariffFunction] != 0;
    c.powerFactorIeee = set[AdvancedWord::PowerFactorSign] != 0;
    c.reactiveInverted = set[AdvancedWord::ReactivePowerSign] != 0;
    c.qnSigmaUi = set[AdvancedWord::PhaseReactiveMethod] != 0;
    c.sSum = set[AdvancedWord::ApparentPowerMethod] != 0;
    if (layout.calculation == CalculationScheme::Zm) {
        c.qnSigmaUi = true; // what OK stores on this family
        c.sSum = false;
    }
    if (layout.calculation != CalculationScheme::MethodsOnly) {
        c.simpleMeasurement = set[AdvancedWord::MeasurementMode] != 0;
        c.simplePowerFactor = FormatScaledValue(set[AdvancedWord::SimplePowerFactor], 10000);
    }
    return c;
}

bool SimplePowerFactorEnabled(CalculationScheme scheme, bool simpleChecked)
{
    return scheme != CalculationScheme::MethodsOnly && simpleChecked;
}

void ApplyAdvancedControls(const AdvancedControls& controls, ParameterSet& set,
                           const std::function<void(int controlId)>& focus)
{
    const Capabilities caps = set.type.Caps();
    const AdvancedLayout layout = AdvancedLayoutFor(caps);
    ApplyCutouts(controls, caps, set, focus);
    if (const auto code = FrequencyCodeOfIndex(caps, controls.frequencyIndex))
        set[AdvancedWord::FrequencyInput] = *code;
    // Where the tariff buttons are disabled they show nothing, so they must
    // not decide the stored value either.
    if (layout.tariffEnabled)
        set[AdvancedWord::TariffFunction] = Flag(controls.tariffEnabled);
    set[AdvancedWord::PowerFactorSign] = Flag(controls.powerFactorIeee);
    set[AdvancedWord::ReactivePowerSign] = Flag(controls.reactiveInverted);
    ApplyCalculation(controls, layout.calculation, set, focus);
}
