#include "device/CParameterEnumerationInterface.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <span>

#include "device/ParameterDescriptor.h"
#include "device/ParameterWords.h"
#include "device/UnitText.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kAlarmOutputBase = 2400;
constexpr int kLktaAlarmOutputBase = 2420;
constexpr int kSensorNameCount = 8; // six sensors, "Custom-1" and "Custom-2"
constexpr int kZnpwUSensorNameCount = 6;
constexpr int kCircuitCount = 4;
constexpr int kEnergyCountZmZnBase = 5700;
constexpr int kEnergyCountGen2Base = 5000;
constexpr int kEnergyCountKtaGen1Base = 5900;
constexpr int kZnPulseRateScale = 100;

// Variants whose CT inputs take a current sensor instead of a secondary current.
constexpr Capabilities kSensorFamilies = CapQg | CapQh | CapZm | CapZnpw | CapZnepw;

constexpr int kPulseRateWords[] = {197, 203, 208, 212};
constexpr int kOtherSensorWords[] = {48, 57, 66};
// The Modbus/TCP port runs to 65535; as a signed number it would read negative.
constexpr int kUnsignedWords[] = {162};

constexpr int kOledAutoOffSteps[] = {0, 600, 3000, 6000};
constexpr int kOledBrightnessSteps[] = {3, 10};

constexpr int kInputGroups[kCircuitCount] = {16003, 16046, 16047, 16048};

struct CurrentPair {
    int primary;
    int sensor;
};

// Primary current and sensor of the sixteen input blocks; Input5-Input16
// repeat a three-word block from word 73.
// clang-format off
constexpr std::array<CurrentPair, 16> kCurrentPairs = {{
    {33, 34}, {47, 48}, {56, 57}, {65, 66},
    {73, 74}, {76, 77}, {79, 80}, {82, 83}, {85, 86}, {88, 89},
    {91, 92}, {94, 95}, {97, 98}, {100, 101}, {103, 104}, {106, 107},
}};
// clang-format on

// Inputs of a ZN device that its wiring system leaves unused. A rule that names
// the second word of a two-word value blanks the whole row.
constexpr int kInput2Words[] = {46, 47, 48, 50, 52, 54};
constexpr int kInput4Words[] = {64, 65, 66, 68, 70, 72};
constexpr int kInput3Words[] = {55, 56, 57, 59, 61, 63};
constexpr int kCtLocationWords[] = {35, 49};
constexpr int kLaterCtLocationWords[] = {58, 67};

struct SystemBlankRule {
    std::span<const int> words;
    bool (*blankFor)(unsigned system);
};

constexpr SystemBlankRule kSystemBlankRules[] = {
    {kInput2Words, [](unsigned s) { return (s >= 1 && s <= 5) || s == 17; }},
    {kInput4Words, [](unsigned s) { return s >= 1 && s <= 5; }},
    {kInput3Words, [](unsigned s) { return s == 5; }},
    {kCtLocationWords, [](unsigned s) { return s != 0 && s != 16; }},
    {kLaterCtLocationWords, [](unsigned s) { return s != 0 && s != 16 && s != 17; }},
};

bool Contains(std::span<const int> list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

template <size_t N> int IndexIn(const int (&list)[N], int value)
{
    const auto it = std::find(std::begin(list), std::end(list), value);
    return it == std::end(list) ? 0 : static_cast<int>(it - std::begin(list));
}

bool IsPowerOfTen(int n)
{
    while (n > 1 && n % 10 == 0)
        n /= 10;
    return n == 1;
}

int ZerosOf(int scale)
{
    const std::string digits = std::to_string(scale);
    return static_cast<int>(std::count(digits.begin(), digits.end(), '0'));
}

// value / scale with as many decimals as the scale has zeros; powers of ten
// are done in integers so that no rounding can creep in.
std::string FormatScaled(std::int64_t value, int scale)
{
    if (scale <= 1)
        return std::to_string(value);
    const int decimals = ZerosOf(scale);
    if (!IsPowerOfTen(scale)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, double(value) / scale);
        return buf;
    }
    const std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    std::string fraction = std::to_string(magnitude % std::uint64_t(scale));
    fraction.insert(0, size_t(decimals) - fraction.size(), '0');
    return (value < 0 ? "-" : "") + std::to_string(magnitude / std::uint64_t(scale)) + "." +
           fraction;
}

int EnergyCountBase(Capabilities caps, int descriptorBase)
{
    if (caps & (CapZm | CapZnpw | CapZnepw))
        return kEnergyCountZmZnBase;
    if (caps & (CapKtaGen2 | CapKtbGen2 | CapLkta | CapLktas))
        return kEnergyCountGen2Base;
    if (caps & CapKta)
        return kEnergyCountKtaGen1Base;
    return descriptorBase;
}

int ChoiceTextId(int word, int base, unsigned value, Capabilities caps)
{
    if (Contains(ParameterWord::EnergyCount, word))
        return EnergyCountBase(caps, base) + int(value);
    if (base == kAlarmOutputBase && (caps & (CapLkta | CapLktas)))
        return kLktaAlarmOutputBase + int(value);
    if (word == ParameterWord::System && value > 15)
        return base - 9 + int(value);
    if (word == ParameterWord::OledAutoOff)
        return base + IndexIn(kOledAutoOffSteps, int(value));
    if (word == ParameterWord::OledBrightness)
        return base + IndexIn(kOledBrightnessSteps, int(value));
    return base + int(value);
}

std::string AoValueText(int word, const ParameterSet& set, Capabilities caps)
{
    const std::int16_t value = static_cast<std::int16_t>(set[word]);
    if (caps & CapZmAo)
        return FormatScaled(value, set[ParameterWord::FirstAoWord] == 1 ? 1000 : 100);
    return FormatScaled(value, (caps & CapAo4to20mA) ? 100 : 1000);
}

std::string Ipv4Text(int word, const ParameterSet& set)
{
    const auto o = set.GetIpv4(word);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", o[0], o[1], o[2], o[3]);
    return buf;
}

std::string CircuitsText(std::uint16_t bits)
{
    std::string text;
    for (int i = 0; i < kCircuitCount; ++i) {
        if (!(bits & (1u << i)))
            continue;
        if (!text.empty())
            text += ", ";
        text += LoadText(TextId::FirstCircuit + i);
    }
    return text;
}

std::string Num16Text(int word, const ParameterDescriptor& d, const ParameterSet& set)
{
    if (Contains(kUnsignedWords, word))
        return std::to_string(set[word]);
    return FormatScaled(static_cast<std::int16_t>(set[word]), d.scale);
}

std::string Num32Text(int word, const ParameterDescriptor& d, const ParameterSet& set,
                      Capabilities caps)
{
    const bool znPulseRate = Contains(kPulseRateWords, word) && (caps & CapZn);
    return FormatScaled(set.Get32(word), znPulseRate ? kZnPulseRateScale : d.scale);
}

std::string FormatByType(int word, const ParameterDescriptor& d, const ParameterSet& set,
                         Capabilities caps)
{
    const std::int16_t signedValue = static_cast<std::int16_t>(set[word]);
    switch (d.type) {
    case ValueType::Num16:
        return Num16Text(word, d, set);
    case ValueType::Num32:
        return Num32Text(word, d, set, caps);
    case ValueType::Choice:
        return LoadText(ChoiceTextId(word, d.scale, set[word], caps));
    case ValueType::Passcode:
        return "****";
    case ValueType::Num16OrText:
        return signedValue == 0 ? LoadText(d.scale) : std::to_string(signedValue);
    case ValueType::Num16xFactor:
        return std::to_string(std::int64_t(signedValue) * d.scale);
    case ValueType::AoValue:
        return AoValueText(word, set, caps);
    case ValueType::Ipv4:
        return Ipv4Text(word, set);
    case ValueType::BitSet:
        return CircuitsText(set[word]);
    case ValueType::UnitText:
        return UnitText(set, word);
    }
    return {};
}

bool BlankedBySystem(int row, const ParameterSet& set, Capabilities caps)
{
    if (!(caps & CapZn))
        return false;
    const unsigned system = set[ParameterWord::System];
    for (const SystemBlankRule& rule : kSystemBlankRules) {
        const bool named = std::any_of(rule.words.begin(), rule.words.end(),
                                       [row](int w) { return ParameterRowStart(w) == row; });
        if (named && rule.blankFor(system))
            return true;
    }
    return false;
}

// The sensor then gives the rating; the primary current setting is unused.
bool PrimaryCurrentHidden(int row, const ParameterSet& set, Capabilities caps)
{
    if (!(caps & kSensorFamilies))
        return false;
    return std::any_of(kCurrentPairs.begin(), kCurrentPairs.end(), [&](const CurrentPair& p) {
        return p.primary == row && set[p.sensor] != 0;
    });
}

// A sensor code past its list (from a foreign file or a newer device) shows
// as its number rather than as the name of whatever text follows the list.
std::string SensorText(int base, std::uint16_t value)
{
    const int count = base == TextId::FirstSensor ? kSensorNameCount : kZnpwUSensorNameCount;
    return value < count ? LoadText(base + value) : std::to_string(value);
}

// Sensor words whose name list differs from the descriptor's; 0 when none.
int SensorTextBase(int row, Capabilities caps)
{
    if (row == ParameterWord::CtSecondary && (caps & kSensorFamilies))
        return (caps & CapZnpwU) ? TextId::FirstZnpwUSensor : TextId::FirstSensor;
    if (Contains(kOtherSensorWords, row) && (caps & CapZnpw) && (caps & CapZnpwU))
        return TextId::FirstZnpwUSensor;
    return 0;
}

} // namespace

int ParameterRowStart(int word)
{
    if (word > 0 && GetParameterDescriptor(word).secondWord)
        return word - 1;
    return word;
}

std::string CParameterEnumerationInterface::GroupText(int word, const ParameterSet& set) const
{
    const int groupId = GetParameterDescriptor(word).groupId;
    if (set.type.Has(CapZn)) {
        const auto it = std::find(std::begin(kInputGroups), std::end(kInputGroups), groupId);
        if (it != std::end(kInputGroups))
            return LoadText(TextId::FirstCircuit + int(it - std::begin(kInputGroups)));
    }
    return LoadText(groupId);
}

std::string CParameterEnumerationInterface::NameText(int word) const
{
    return LoadText(GetParameterDescriptor(word).nameId);
}

std::string CParameterEnumerationInterface::ValueText(int word, const ParameterSet& set) const
{
    if (word < 0 || word >= kParameterWords)
        return {};
    const int row = ParameterRowStart(word);
    const ParameterDescriptor& d = GetParameterDescriptor(row);
    const Capabilities caps = set.type.Caps();
    if (!DescriptorApplies(d, caps))
        return {};
    if (BlankedBySystem(row, set, caps) || PrimaryCurrentHidden(row, set, caps))
        return {};
    if (const int sensorBase = SensorTextBase(row, caps))
        return SensorText(sensorBase, set[row]);
    return FormatByType(row, d, set, caps);
}

const CParameterEnumerationInterface& DefaultParameterEnumeration()
{
    static const CParameterEnumerationInterface instance;
    return instance;
}
