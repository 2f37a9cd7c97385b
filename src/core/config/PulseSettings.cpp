#include "config/PulseSettings.h"

#include "config/FormField.h"
#include "device/ParameterSet.h"

namespace {
constexpr int kTextPulseRate = 15451;
constexpr int kTextUnitKwh = 2200;
constexpr int kTextUnitKvarh = 2201;
constexpr int kTextUnitKvah = 2202;

constexpr int kEnergyKindsPerBlock = 12;
constexpr int kFirstGenerationKinds = 9;

// The twelve energy kinds of a block, as offsets of code and text: EP, EQ, ES,
// EP-, EQ-, EQ+LAG, EQ+LEAD, EQ-LAG, EQ-LEAD, EQ+P, EQ-P, EQA.
constexpr std::array<int, kEnergyKindsPerBlock> kEnergyKinds = {0, 1, 2, 3,  4,  5,
                                                                6, 7, 8, 10, 11, 13};

constexpr std::array<PulseOutputWords, kPulseOutputs> kOutputWords = {{
    {196, 197, 199, 200},
    {202, 203, 205, 206},
    {207, 208, 210, std::nullopt},
    {211, 212, 214, std::nullopt},
}};

constexpr Capabilities kZmZn = CapZm | CapZnpw | CapZnepw;
constexpr Capabilities kTariffBlocks = CapKtaGen2 | CapKtbGen2 | CapLkta | CapLktas;

bool Has(Capabilities caps, Capabilities mask)
{
    return (caps & mask) != 0;
}

void AddBlock(std::vector<EnergyCountEntry>& entries, int codeBase, int textBase)
{
    for (int kind : kEnergyKinds)
        entries.push_back({static_cast<std::uint16_t>(codeBase + kind), textBase + kind});
}
} // namespace

std::optional<PulseOutputWords> PulseOutputWordsOf(int output)
{
    if (output < 1 || output > kPulseOutputs)
        return std::nullopt;
    return kOutputWords[static_cast<size_t>(output - 1)];
}

std::vector<EnergyCountEntry> EnergyCountEntriesFor(Capabilities caps)
{
    std::vector<EnergyCountEntry> entries;
    if (Has(caps, kZmZn)) {
        AddBlock(entries, 200, 5900);
    } else if (Has(caps, kTariffBlocks)) {
        AddBlock(entries, 0, 5000);   // total
        AddBlock(entries, 200, 5200); // peak
        AddBlock(entries, 300, 5300); // off peak
    } else {
        for (int code = 0; code < kFirstGenerationKinds; ++code)
            entries.push_back({static_cast<std::uint16_t>(code), 5900 + code});
    }
    return entries;
}

int EnergyCountIndex(const std::vector<EnergyCountEntry>& entries, std::uint16_t code)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == code)
            return static_cast<int>(i);
    return 0;
}

int PulseUnitTextId(int energyIndex)
{
    switch (energyIndex % kEnergyKindsPerBlock) {
    case 0:
    case 3:
        return kTextUnitKwh;
    case 2:
        return kTextUnitKvah;
    default:
        return kTextUnitKvarh;
    }
}

int PulseWeightScale(Capabilities caps)
{
    return Has(caps, CapZn) ? 100 : 10;
}

NumericField PulseWeightLimits(Capabilities caps)
{
    return {PulseWeightScale(caps), 1, 100000, kTextPulseRate, std::nullopt};
}

int PulseDurationIndex(std::uint16_t duration)
{
    if (duration < 1 || duration > kPulseDurationSteps)
        return -1;
    return duration - 1;
}

bool PulseCircuitsUsed(Capabilities caps, int output)
{
    const auto words = PulseOutputWordsOf(output);
    return Has(caps, CapZn) && words && words->circuits;
}

PulseControls PulseControlsOf(const ParameterSet& set, int output)
{
    PulseControls c;
    const auto words = PulseOutputWordsOf(output);
    if (!words)
        return c;
    const Capabilities caps = set.type.Caps();
    c.energyIndex = EnergyCountIndex(EnergyCountEntriesFor(caps), set[words->energyCount]);
    c.pulseWeight = FormatScaledValue(set.Get32(words->pulseRate), PulseWeightScale(caps));
    c.durationIndex = PulseDurationIndex(set[words->pulseDuration]);
    if (PulseCircuitsUsed(caps, output))
        for (int bit = 0; bit < kPulseCircuits; ++bit)
            c.circuits[static_cast<size_t>(bit)] = (set[*words->circuits] >> bit) & 1;
    return c;
}

void ApplyPulseControls(const PulseControls& controls, int output, ParameterSet& set,
                        const std::function<void(int controlId)>& focus)
{
    const auto words = PulseOutputWordsOf(output);
    if (!words)
        return;
    const Capabilities caps = set.type.Caps();
    const auto entries = EnergyCountEntriesFor(caps);
    if (controls.energyIndex >= 0 && controls.energyIndex < static_cast<int>(entries.size()))
        set[words->energyCount] = entries[static_cast<size_t>(controls.energyIndex)].code;
    set.Set32(words->pulseRate,
              static_cast<std::int32_t>(ReadFormField(controls.pulseWeight, PulseWeightLimits(caps),
                                                      PulseControl::PulseWeight, focus)));
    if (controls.durationIndex >= 0 && controls.durationIndex < kPulseDurationSteps)
        set[words->pulseDuration] = static_cast<std::uint16_t>(controls.durationIndex + 1);
    if (!PulseCircuitsUsed(caps, output))
        return;
    std::uint16_t bits = 0;
    for (int bit = 0; bit < kPulseCircuits; ++bit)
        if (controls.circuits[static_cast<size_t>(bit)])
            bits = static_cast<std::uint16_t>(bits | (1u << bit));
    set[*words->circuits] = bits;
}
