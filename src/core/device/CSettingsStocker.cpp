#include "device/CSettingsStocker.h"

#include <optional>

#include "device/ParameterWords.h"
#include "device/UnitText.h"

namespace {

constexpr int kDo1Function = 186;
constexpr int kDo2Function = 190;
constexpr int kPo1EnergyCount = 196;
constexpr int kPo1PulseCircuit = 200;
constexpr int kPo2EnergyCount = 202;
constexpr int kPo2PulseCircuit = 206;

constexpr int kFirstAlarmOutput = ParameterWord::FirstAlarmItem + ParameterWord::AlarmOutputOffset;

// Four analog output blocks; offsets within a block.
constexpr int kAoInput = 1;
constexpr int kAoAdjustSpan = 3;
constexpr int kAoInput100 = 7;
constexpr int kAoFirstTableY = 10;

constexpr int AoWord(int block, int offset)
{
    return ParameterWord::FirstAoWord + block * ParameterWord::AoBlockWords + offset;
}

// Output 0%, Output 100% and Table Y[0]-Y[9] of every block: the values whose
// meaning depends on the output's electrical range.
constexpr std::array<int, 48> AoValueWords()
{
    std::array<int, 48> words{};
    size_t n = 0;
    for (int b = 0; b < ParameterWord::AoOutputs; ++b) {
        words[n++] = AoWord(b, ParameterWord::AoOutput0Offset);
        words[n++] = AoWord(b, ParameterWord::AoOutput100Offset);
        for (int i = 0; i < ParameterWord::AoTablePoints; ++i)
            words[n++] = AoWord(b, kAoFirstTableY + 2 * i);
    }
    return words;
}
constexpr std::array<int, 48> kAoValueWords = AoValueWords();

struct AoRange {
    std::uint16_t output0;
    std::uint16_t output100;
    std::uint16_t tableY;
};
constexpr AoRange kAo4to20mA = {400, 2000, 400};
constexpr AoRange kAo1to5V = {1000, 5000, 1000};
constexpr AoRange kZmAo = {400, 2000, 0};

void ResetAoBlocks(ParameterSet& set, const AoRange& range)
{
    for (int b = 0; b < ParameterWord::AoOutputs; ++b) {
        set[AoWord(b, kAoAdjustSpan)] = 10000;
        set[AoWord(b, ParameterWord::AoOutput0Offset)] = range.output0;
        set[AoWord(b, kAoInput100)] = 10000;
        set[AoWord(b, ParameterWord::AoOutput100Offset)] = range.output100;
        for (int i = 0; i < ParameterWord::AoTablePoints; ++i)
            set[AoWord(b, kAoFirstTableY + 2 * i)] = range.tableY;
    }
}

void CopyWords(const ParameterSet& from, ParameterSet& to, int first, int count)
{
    for (int n = first; n < first + count; ++n)
        to[n] = from[n];
}

void ZeroIfBetween(std::uint16_t& word, int low, int high)
{
    if (word >= low && word <= high)
        word = 0;
}

void LimitTo(std::uint16_t& word, std::uint16_t limit, std::uint16_t replacement)
{
    if (word > limit)
        word = replacement;
}

// What the conversion needs to know about the variants before and after.
struct Change {
    Capabilities oldCaps;
    Capabilities newCaps;

    bool Had(Capabilities mask) const { return (oldCaps & mask) != 0; }
    bool Has(Capabilities mask) const { return (newCaps & mask) != 0; }
    bool KtaGen1Target() const { return Has(CapKta) && !Has(CapKtaGen2); }
    bool KtbGen1Target() const { return Has(CapKtb) && !Has(CapKtbGen2); }
    bool Gen1Target() const { return KtaGen1Target() || KtbGen1Target(); }
    bool KtbWithout3P4W() const { return Has(CapKtb) && !Has(Cap3P4W); }
};

void ResetVariantSettings(ParameterSet& set, const Change& c)
{
    set[ParameterWord::System] = c.Has(CapQg | CapZm) ? 3 : 5;
    set[ParameterWord::DemandCurrentInterval] = 30;
    set[ParameterWord::DemandPowerInterval] = 30;
    set[ParameterWord::MyDataView] = 0;
    if (c.Has(CapKtbGen2))
        set[ParameterWord::PowerFormat] = 1;
}

void ClearUnsupportedViews(ParameterSet& set, const Change& c)
{
    for (const int n : {ParameterWord::DataView, ParameterWord::MyDataView}) {
        if (c.KtaGen1Target()) {
            ZeroIfBetween(set[n], 320, 335);
        } else if (c.KtbWithout3P4W()) {
            ZeroIfBetween(set[n], 272, 287);
            ZeroIfBetween(set[n], 800, 815);
            ZeroIfBetween(set[n], 1072, 1087);
        }
    }
    if (c.Gen1Target()) {
        LimitTo(set[ParameterWord::EnergyView], 19, 0);
        LimitTo(set[ParameterWord::MyEnergyView], 19, 0);
    }
}

// IN and THDIN need the neutral, which only 3-phase 4-wire KTB variants measure.
constexpr bool NeedsNeutral(std::uint16_t item)
{
    return item == 11 || item == 33;
}

void ClearUnsupportedDisplayLines(ParameterSet& set, const Change& c)
{
    if (c.KtbGen1Target()) {
        for (int n = ParameterWord::FirstSigmaLine + 3;
             n < ParameterWord::FirstSigmaLine + ParameterWord::SigmaLines; n += 4)
            LimitTo(set[n], 119, 0);
    }
    if (c.KtbWithout3P4W()) {
        for (int n = ParameterWord::FirstSigmaLine;
             n < ParameterWord::FirstSigmaLine + ParameterWord::SigmaLines; ++n)
            if (NeedsNeutral(set[n]))
                set[n] = 0;
    }
}

void LimitSystem(ParameterSet& set, const Change& c)
{
    if (c.Has(Cap3P4W))
        return;
    const std::uint16_t limit = c.Has(CapKtb) ? 3 : 5;
    LimitTo(set[ParameterWord::System], limit, limit);
}

// Sensor-input families select a CT sensor in word 34; the others enter a
// secondary current there.
void ConvertSecondaryCurrent(ParameterSet& set, const Change& c)
{
    constexpr Capabilities kSensorFamilies = CapHigh(0xD50);
    if (c.Has(kSensorFamilies) && !c.Had(kSensorFamilies))
        set[ParameterWord::CtSecondary] = 5;
    else if (!c.Has(kSensorFamilies) && c.Had(kSensorFamilies))
        set[ParameterWord::CtSecondary] = 0;
}

void ConvertInputDependentWords(ParameterSet& set, const Change& c)
{
    if (!c.Has(CapDi1)) {
        for (const int n :
             {ParameterWord::DemandCurrentInterval, ParameterWord::DemandPowerInterval})
            if (set[n] == 0)
                set[n] = 1;
    }
    if (c.Has(CapDi1) && c.Gen1Target())
        LimitTo(set[ParameterWord::DiscreteInputFunction], 2, 0);
}

int DiscreteOutputCount(const Change& c)
{
    if (c.Has(CapDo4))
        return 4;
    if (c.Has(CapDo3))
        return 3;
    if (c.Has(CapDo2))
        return 2;
    return c.Has(CapDo1) ? 1 : 0;
}

void LimitOutputs(ParameterSet& set, const Change& c)
{
    const int outputs = DiscreteOutputCount(c);
    if (c.Gen1Target()) {
        for (int i = 0; i < outputs; ++i)
            LimitTo(set[ParameterWord::EnergyCount[i]], 8, 0);
    }
    // Alarm Output values 2..5 drive Do1..Do4 besides the display.
    const auto lastOutput = static_cast<std::uint16_t>(outputs + 1);
    for (int k = 0; k < ParameterWord::AlarmItems; ++k)
        LimitTo(set[kFirstAlarmOutput + k * ParameterWord::AlarmItemWords], lastOutput, 1);
}

void ClearUnsupportedAoInputs(ParameterSet& set, const Change& c)
{
    if (!c.Has(CapAoType) || !c.KtbWithout3P4W())
        return;
    for (int b = 0; b < ParameterWord::AoOutputs; ++b)
        if (NeedsNeutral(set[AoWord(b, kAoInput)]))
            set[AoWord(b, kAoInput)] = 0;
}

void LimitFrequencyInput(ParameterSet& set, const Change& c)
{
    if (c.Had(CapGen3) && !c.Has(CapGen3))
        LimitTo(set[ParameterWord::FrequencyInput], 1, 0);
}

void EnterZnFamily(ParameterSet& set, const Change& c)
{
    if (!c.Has(CapZn) || c.Had(CapZn))
        return;
    if (set[ParameterWord::System] == 5)
        set[ParameterWord::System] = 3;
    set[kPo1EnergyCount] = 200;
    set[kPo2EnergyCount] = 210;
    for (const int n : {ParameterWord::PhaseReactiveMethod, kDo1Function, kDo2Function})
        set[n] = 1;
    set[kPo1PulseCircuit] = 15;
    set[kPo2PulseCircuit] = 15;
    set[ParameterWord::OledAutoOff] = 6000;
    set[ParameterWord::OledBrightness] = 10;
    for (int i = 0; i < 4; ++i) {
        set[ParameterWord::ActivateDisplay[i]] = 1;
        set.Set32(ParameterWord::ConvValueCoef[i], 555);
        SetUnitText(set, ParameterWord::ConvValueUnit[i], "  kG");
    }
}

// No variant has more than one kind of analog output.
std::optional<CSettingsStocker::Store> AoStoreOf(Capabilities caps)
{
    if (caps & CapAo4to20mA)
        return CSettingsStocker::Store::Ao4to20mA;
    if (caps & CapAo1to5V)
        return CSettingsStocker::Store::Ao1to5V;
    if (caps & CapZmAo)
        return CSettingsStocker::Store::ZmAo;
    return std::nullopt;
}

} // namespace

CSettingsStocker::CSettingsStocker()
{
    // Each analog output store starts with its own range's values, so the
    // first switch to a 1-5 V or ZM variant never restores 4-20 mA values.
    ResetAoStores();
}

const ParameterSet& CSettingsStocker::StoredSet(Store store) const
{
    return stores_[static_cast<size_t>(store)];
}

ParameterSet& CSettingsStocker::Stored(Store store)
{
    return stores_[static_cast<size_t>(store)];
}

void CSettingsStocker::ResetAoStores()
{
    ResetAoBlocks(Stored(Store::Ao4to20mA), kAo4to20mA);
    ResetAoBlocks(Stored(Store::Ao1to5V), kAo1to5V);
    ResetAoBlocks(Stored(Store::ZmAo), kZmAo);
    Stored(Store::ZmAo)[ParameterWord::FirstAoWord] = 0;
}

void CSettingsStocker::ChangeDeviceType(int typeId, ParameterSet& set, bool reset)
{
    const Capabilities oldCaps = set.type.Caps();
    set.type.SelectById(typeId);
    const Change c{oldCaps, set.type.Caps()};

    if (reset) {
        ResetVariantSettings(set, c);
        ResetAoStores();
    }
    ClearUnsupportedViews(set, c);
    ConvertDisplayLines(set, c.oldCaps, c.newCaps);
    LimitSystem(set, c);
    ConvertSecondaryCurrent(set, c);
    ConvertInputDependentWords(set, c);
    LimitOutputs(set, c);
    ClearUnsupportedAoInputs(set, c);
    ConvertAoValues(set, c.oldCaps, c.newCaps);
    LimitFrequencyInput(set, c);
    EnterZnFamily(set, c);
}

void CSettingsStocker::ConvertDisplayLines(ParameterSet& set, Capabilities oldCaps,
                                           Capabilities newCaps)
{
    const Change c{oldCaps, newCaps};
    if (c.Had(CapKtaGen2))
        CopyWords(set, Stored(Store::KtaGen2Display), ParameterWord::FirstSigmaLine,
                  ParameterWord::SigmaLines);
    else if (c.Had(CapKtb))
        CopyWords(set, Stored(Store::KtbDisplay), ParameterWord::FirstSigmaLine,
                  ParameterWord::SigmaLines);

    if (c.Has(CapKtaGen2)) {
        CopyWords(Stored(Store::KtaGen2Display), set, ParameterWord::FirstSigmaLine,
                  ParameterWord::SigmaLines);
    } else if (c.Has(CapKtb)) {
        CopyWords(Stored(Store::KtbDisplay), set, ParameterWord::FirstSigmaLine,
                  ParameterWord::SigmaLines);
        ClearUnsupportedDisplayLines(set, c);
    }
}

void CSettingsStocker::ConvertAoValues(ParameterSet& set, Capabilities oldCaps,
                                       Capabilities newCaps)
{
    if (const auto from = AoStoreOf(oldCaps)) {
        ParameterSet& store = Stored(*from);
        for (const int n : kAoValueWords)
            store[n] = set[n];
        if (*from == Store::ZmAo)
            store[ParameterWord::FirstAoWord] = set[ParameterWord::FirstAoWord];
    }
    if (const auto to = AoStoreOf(newCaps)) {
        const ParameterSet& store = Stored(*to);
        for (const int n : kAoValueWords)
            set[n] = store[n];
        if (*to == Store::ZmAo)
            set[ParameterWord::FirstAoWord] = store[ParameterWord::FirstAoWord];
    }
}
