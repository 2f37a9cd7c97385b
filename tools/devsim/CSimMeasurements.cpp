#include "CSimMeasurements.h"

#include <algorithm>
#include <cmath>

#include "SimRegisters.h"

using namespace SimReg;

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kSqrt3 = 1.7320508075688772;
constexpr double kDemandPeriod = 30.0; // seconds per demand interval
constexpr int kDemandGroups = 5;       // Latest, History1-History4
constexpr int kGroupStride = 16;
constexpr int kCounterCount = 8;
constexpr int kOutputCount = 4;

// Starting energy in kWh (kvarh, kVAh; hours for the timer), in counter order.
constexpr std::array<double, CSimMeasurements::kEnergyCounters> kInitialEnergy = {
    12345.6, 4567.8, 13456.7, 0, 0, 4567.8, 0, 0, 0, 8765.4, 4567.8, 0, 12345.6, 4567.8};
constexpr int kTimerCounter = 9;

std::int32_t Clamp32(double v)
{
    return static_cast<std::int32_t>(std::llround(std::clamp(v, -2.0e9, 2.0e9)));
}

double Wave(double t, double period, double phase)
{
    return std::sin(kTwoPi * t / period + phase);
}

std::int64_t FixedPoint(double lsd)
{
    return std::llround(lsd * 4294967296.0);
}

} // namespace

struct CSimMeasurements::Instant {
    std::array<double, 3> i{}, ull{}, upn{}, p{}, q{}, s{}, pf{}, phi{};
    double in = 0, f = 0;
    double iTot = 0, uTot = 0, pTot = 0, qTot = 0, sTot = 0, pfTot = 0;
};

CSimMeasurements::CSimMeasurements(const SimFeatures& features, const CDeviceType& type)
    : features_(features), type_(type)
{
    const double scale = features_.zn ? 100.0 : 10.0;
    for (Channel& ch : channels_)
        for (int tariff = 0; tariff < 2; ++tariff)
            for (int k = 0; k < kEnergyCounters; ++k)
                ch.energy[static_cast<size_t>(tariff)][static_cast<size_t>(k)] =
                    FixedPoint(kInitialEnergy[static_cast<size_t>(k)] * scale / (tariff + 1));
}

void CSimMeasurements::DefineRegisters(CSimRegisterSpace& space) const
{
    using A = CSimRegisterSpace;
    auto define = [&](int first, int count32, std::uint8_t attributes) {
        space.Define(first, 2 * count32, attributes);
        space.DefinePairs(first, count32);
    };
    for (int c = 0; c < features_.channels; ++c) {
        const int base = c * kChannel2Offset, mm = c * kChannel2MaxMinOffset;
        define(base + kTotals, 8, A::Present | A::Writable | A::Protected);
        define(base + kPhases, 25, A::Present | A::Writable | A::Protected);
        for (int g = 0; g < kDemandGroups; ++g) {
            define(base + kCurrentDemand + g * kGroupStride, 5, A::Present);
            define(base + kPowerDemand + g * kGroupStride, 3, A::Present);
        }
        for (int first : {kEnergyHigh, kEnergyLow})
            for (int at : {first, first + kEnergyFraction})
                define(base + at, kEnergyCounters, A::Present | A::Writable | A::Protected);
        define(mm + kMaximum, 7, A::Present);
        define(mm + kMaximumPhases, 22, A::Present);
        define(mm + kMaximumDemand, kDemandValues, A::Present);
        define(mm + kMinimum, 7, A::Present);
        define(mm + kMinimumPhases, 22, A::Present);
        define(mm + kThdMaximum, kThdRows, A::Present);
        define(c * kChannel2ThdOffset + kThdLatest, kThdRows, A::Present);
        for (int r = 0; r < kThdRows; ++r)
            space.Define(c * kChannel2ThdOffset + kSpectrum + 64 * r, kHarmonics, A::Present);
        space.Define(kAngles + c * kChannel2AngleOffset, 6, A::Present);
    }
    if (features_.counters > 0)
        define(kCounters, kCounterCount, A::Present | A::Writable);
    if (features_.analogOutputs > 0) {
        space.Define(kOutputType, 1, A::Present);
        space.Define(kOutputValues, kOutputCount, A::Present | A::Writable | A::Protected);
    }
}

int CSimMeasurements::InstantaneousChannelOf(int address) const
{
    for (int c = 0; c < features_.channels; ++c) {
        const int a = address - c * kChannel2Offset;
        if ((a >= kTotals && a < kTotals + 16) || (a >= kPhases && a < kPhases + 50))
            return c;
    }
    return -1;
}

CSimMeasurements::Ratings CSimMeasurements::RatingsOf(const CSimRegisterSpace& space) const
{
    double current = 0, voltage = 0;
    switch (type_.modelCode) {
    case 4711:
    case 4751:
        current = space.Get(6752);
        voltage = space.Get32(6753);
        break;
    case 4721:
        current = space.Get32(6768) / 1000.0;
        voltage = space.Get32(6772) / 100.0;
        break;
    case 4731: {
        static constexpr int kSensorRatings[] = {50, 100, 200, 400, 600};
        const int sensor = space.Get(5602);
        current = sensor >= 1 && sensor <= 5 ? kSensorRatings[sensor - 1] : space.Get(5601);
        voltage = space.Get32(5603);
        break;
    }
    default:
        current = space.Get(5601);
        voltage = space.Get32(5603);
        break;
    }
    if (current <= 0)
        current = 5;
    if (voltage <= 0)
        voltage = 110;
    return {std::min(current, 20000.0), std::min(voltage, 400000.0)};
}

CSimMeasurements::Instant CSimMeasurements::Compute(const Ratings& r, double t, int channel) const
{
    Instant m;
    const double shift = 0.9 * channel;
    for (size_t k = 0; k < 3; ++k) {
        const double phase = 0.7 * double(k) + shift;
        const double load = 0.55 + 0.25 * Wave(t, 40, phase) + 0.05 * Wave(t, 7.3, double(k));
        m.i[k] = r.current * load;
        m.ull[k] = r.voltage * (1 + 0.01 * Wave(t, 23, double(k)));
        m.upn[k] = m.ull[k] / kSqrt3;
        m.pf[k] = 0.92 + 0.05 * Wave(t, 31, phase);
        m.phi[k] = std::acos(m.pf[k]);
        m.s[k] = m.upn[k] * m.i[k];
        m.p[k] = m.s[k] * m.pf[k];
        m.q[k] = m.s[k] * std::sin(m.phi[k]);
        m.iTot += m.i[k] / 3;
        m.uTot += m.ull[k] / 3;
        m.pTot += m.p[k];
        m.qTot += m.q[k];
        m.sTot += m.s[k];
    }
    m.pfTot = m.sTot > 0 ? m.pTot / m.sTot : 1;
    m.in = r.current * (0.04 + 0.02 * Wave(t, 13, shift));
    m.f = 50 + 0.05 * Wave(t, 17, shift);
    return m;
}

namespace {

// The 8 totals of register 0 and the 25 phase values of register 32, in device units.
struct Registers {
    std::array<std::int32_t, 8> totals{};
    std::array<std::int32_t, 25> phases{};
};

} // namespace

static Registers ToRegisters(const CSimMeasurements::Instant& m, double powerScale)
{
    Registers r;
    r.totals = {Clamp32(m.iTot * 1000),       Clamp32(m.uTot * 100),
                Clamp32(m.pTot * powerScale), Clamp32(m.qTot * powerScale),
                Clamp32(m.sTot * powerScale), Clamp32(m.pfTot * 10000),
                Clamp32(m.f * 100),           0};
    size_t n = 0;
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.i[k] * 1000);
    r.phases[n++] = Clamp32(m.in * 1000);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.ull[k] * 100);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.upn[k] * 100);
    for (const auto* values : {&m.p, &m.q, &m.s})
        for (size_t k = 0; k < 3; ++k)
            r.phases[n++] = Clamp32((*values)[k] * powerScale);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.pf[k] * 10000);
    return r; // the three lead/lag words stay 0: the simulated loads lag
}

void CSimMeasurements::Refresh(CSimRegisterSpace& space, double seconds)
{
    const double dt = std::max(0.0, seconds - lastSeconds_);
    lastSeconds_ = seconds;
    const Ratings r = RatingsOf(space);
    Instant first;
    for (int c = 0; c < features_.channels; ++c) {
        Channel& ch = channels_[static_cast<size_t>(c)];
        const Instant m = Compute(r, seconds, c);
        if (c == 0)
            first = m;
        if (!loopTest_[static_cast<size_t>(c)])
            WriteInstant(space, c * kChannel2Offset, m);
        TrackMaxMin(ch, m);
        WriteMaxMin(space, c);
        WriteDemand(space, r, seconds, c);
        Integrate(ch, m, dt);
        WriteEnergy(space, c);
        WriteHarmonics(space, seconds, c);
        WriteAngles(space, m, c);
    }
    WriteCounters(space, dt);
    WriteOutputs(space, first);
}

double CSimMeasurements::PowerScale() const
{
    return features_.zn ? 10.0 : 1.0;
}

void CSimMeasurements::WriteInstant(CSimRegisterSpace& space, int base, const Instant& m) const
{
    const Registers regs = ToRegisters(m, PowerScale());
    for (size_t i = 0; i < regs.totals.size(); ++i)
        space.Set32(base + kTotals + 2 * int(i), regs.totals[i]);
    for (size_t i = 0; i < regs.phases.size(); ++i)
        space.Set32(base + kPhases + 2 * int(i), regs.phases[i]);
}

void CSimMeasurements::TrackMaxMin(Channel& ch, const Instant& m)
{
    const Registers regs = ToRegisters(m, PowerScale());
    std::array<std::int32_t, kMaxMinValues> v{};
    std::copy_n(regs.totals.begin(), 7, v.begin());
    std::copy_n(regs.phases.begin(), 22, v.begin() + 7);
    for (size_t i = 0; i < v.size(); ++i) {
        ch.maximum[i] = ch.maxMinValid ? std::max(ch.maximum[i], v[i]) : v[i];
        ch.minimum[i] = ch.maxMinValid ? std::min(ch.minimum[i], v[i]) : v[i];
    }
    ch.maxMinValid = true;
}

void CSimMeasurements::WriteMaxMin(CSimRegisterSpace& space, int channel) const
{
    const Channel& ch = channels_[static_cast<size_t>(channel)];
    const int mm = channel * kChannel2MaxMinOffset;
    for (int i = 0; i < kMaxMinValues; ++i) {
        const int at = i < 7 ? 2 * i : kMaximumPhases - kMaximum + 2 * (i - 7);
        space.Set32(mm + kMaximum + at, ch.maximum[static_cast<size_t>(i)]);
        space.Set32(mm + kMinimum + at, ch.minimum[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < kDemandValues; ++i)
        space.Set32(mm + kMaximumDemand + 2 * i, ch.maxDemand[static_cast<size_t>(i)]);
}

void CSimMeasurements::WriteDemand(CSimRegisterSpace& space, const Ratings& r, double t,
                                   int channel)
{
    Channel& ch = channels_[static_cast<size_t>(channel)];
    const int base = channel * kChannel2Offset;
    const double periodEnd = std::floor(t / kDemandPeriod) * kDemandPeriod;
    for (int g = 0; g < kDemandGroups; ++g) {
        const double at = g == 0 ? t : periodEnd - (g - 1) * kDemandPeriod;
        const bool valid = at >= demandResetAt_ && at >= 0;
        // A demand value is the mean over half a period: the average of its two ends.
        const Instant a = Compute(r, at, channel), b = Compute(r, at - kDemandPeriod / 2, channel);
        auto mean = [&](double x, double y) { return valid ? (x + y) / 2 : 0.0; };
        const std::array<std::int32_t, 5> currents = {
            Clamp32(mean(a.iTot, b.iTot) * 1000), Clamp32(mean(a.i[0], b.i[0]) * 1000),
            Clamp32(mean(a.i[1], b.i[1]) * 1000), Clamp32(mean(a.i[2], b.i[2]) * 1000),
            Clamp32(mean(a.in, b.in) * 1000)};
        const std::array<std::int32_t, 3> powers = {Clamp32(mean(a.pTot, b.pTot) * PowerScale()),
                                                    Clamp32(mean(a.qTot, b.qTot) * PowerScale()),
                                                    Clamp32(mean(a.sTot, b.sTot) * PowerScale())};
        for (size_t i = 0; i < currents.size(); ++i)
            space.Set32(base + kCurrentDemand + g * kGroupStride + 2 * int(i), currents[i]);
        for (size_t i = 0; i < powers.size(); ++i)
            space.Set32(base + kPowerDemand + g * kGroupStride + 2 * int(i), powers[i]);
        if (g == 0) {
            // I, I1-I3, IN, P in, P out, Q lag, Q lead, S: nothing is exported or leading.
            const std::array<std::int32_t, kDemandValues> latest = {
                currents[0], currents[1], currents[2], currents[3], currents[4],
                powers[0],   0,           powers[1],   0,           powers[2]};
            for (size_t i = 0; i < latest.size(); ++i)
                ch.maxDemand[i] = std::max(ch.maxDemand[i], latest[i]);
        }
    }
}

void CSimMeasurements::Integrate(Channel& ch, const Instant& m, double dt)
{
    const double scale = features_.zn ? 100.0 : 10.0; // counter units per kWh or hour
    const double hours = dt / 3600.0;
    const double ep = m.pTot / 1000 * hours * scale;
    const double eq = m.qTot / 1000 * hours * scale;
    const double es = m.sTot / 1000 * hours * scale;
    // EP, EQ, ES, EP-, EQ-, EQ+LAG, EQ+LEAD, EQ-LAG, EQ-LEAD, TIMER, EQ+P, EQ-P, EPA, EQA
    const std::array<double, kEnergyCounters> add = {ep, eq, es, 0, 0, eq, 0, 0, 0, hours * scale,
                                                     eq, 0,  ep, eq};
    auto& high = ch.energy[0];
    for (size_t k = 0; k < add.size(); ++k)
        high[k] += FixedPoint(add[k]);
}

void CSimMeasurements::WriteEnergy(CSimRegisterSpace& space, int channel) const
{
    const Channel& ch = channels_[static_cast<size_t>(channel)];
    const int base = channel * kChannel2Offset;
    for (int tariff = 0; tariff < 2; ++tariff) {
        const int first = base + (tariff == 0 ? kEnergyHigh : kEnergyLow);
        for (int k = 0; k < kEnergyCounters; ++k) {
            const std::int64_t v = ch.energy[static_cast<size_t>(tariff)][static_cast<size_t>(k)];
            space.Set32(first + 2 * k, static_cast<std::int32_t>(v >> 32));
            space.Set32(first + kEnergyFraction + 2 * k,
                        static_cast<std::int32_t>(static_cast<std::uint32_t>(v & 0xFFFFFFFF)));
        }
    }
}

void CSimMeasurements::WriteHarmonics(CSimRegisterSpace& space, double t, int channel)
{
    Channel& ch = channels_[static_cast<size_t>(channel)];
    for (int row = 0; row < kThdRows; ++row) {
        // Currents carry more distortion than voltages; odd orders dominate and fall with order.
        const double amplitude = (row < 4 ? 40.0 : 15.0) * (1 + 0.3 * Wave(t, 19, row + channel));
        double sum = 0;
        for (int i = 0; i < kHarmonics; ++i) {
            const int order = i + 2;
            const double h = order % 2 ? amplitude * 3 / order : (order == 2 ? 2.0 : 0.0);
            const auto value = static_cast<std::uint16_t>(std::lround(h));
            space.Set(channel * kChannel2ThdOffset + kSpectrum + 64 * row + i, value);
            sum += double(value) * value;
        }
        const auto thd = static_cast<std::int32_t>(std::lround(std::sqrt(sum)));
        auto& max = ch.maxThd[static_cast<size_t>(row)];
        max = std::max(max, thd);
        space.Set32(channel * kChannel2ThdOffset + kThdLatest + 2 * row, thd);
        space.Set32(channel * kChannel2MaxMinOffset + kThdMaximum + 2 * row, max);
    }
}

void CSimMeasurements::WriteAngles(CSimRegisterSpace& space, const Instant& m, int channel) const
{
    // U1, U2, U3, I1, I2, I3 as fractions of a full turn; each current lags its voltage.
    static constexpr std::array<double, 3> kVoltageAngles = {0, 240, 120};
    const int first = kAngles + channel * kChannel2AngleOffset;
    auto turn = [](double degrees) {
        const double d = std::fmod(std::fmod(degrees, 360) + 360, 360);
        return static_cast<std::uint16_t>(std::lround(d * 65536 / 360) & 0xFFFF);
    };
    for (size_t k = 0; k < 3; ++k) {
        space.Set(first + int(k), turn(kVoltageAngles[k]));
        space.Set(first + 3 + int(k), turn(kVoltageAngles[k] - m.phi[k] * 360 / kTwoPi));
    }
}

void CSimMeasurements::WriteCounters(CSimRegisterSpace& space, double dt)
{
    if (features_.counters <= 0)
        return;
    for (int k = 0; k < std::min(features_.counters, kCounterCount); ++k) {
        auto& c = counters_[static_cast<size_t>(k)];
        c = std::fmod(c + dt * 0.5 * (k + 1), 4294967296.0);
        space.Set32(kCounters + 2 * k, static_cast<std::int32_t>(static_cast<std::uint32_t>(c)));
    }
}

void CSimMeasurements::WriteOutputs(CSimRegisterSpace& space, const Instant& m) const
{
    if (features_.analogOutputs <= 0)
        return;
    const int option = type_.optionCode & 5;
    int outputType = option == 1 ? 0 : option == 4 ? 1 : std::min<int>(space.Get(7007), 2);
    space.Set(kOutputType, static_cast<std::uint16_t>(outputType));
    if (outputsFixed_)
        return;
    const double rated = RatingsOf(space).current;
    for (int k = 0; k < kOutputCount; ++k) {
        const double x = std::clamp(m.i[static_cast<size_t>(k % 3)] / rated, 0.0, 1.0);
        double v;
        if (option == 1)
            v = 400 + 1600 * x; // 4-20 mA in 0.01 mA
        else if (option == 4)
            v = 1000 + 4000 * x; // 1-5 V in 0.001 V
        else if (outputType == 0)
            v = 2000 * x; // 0-20 mA in 0.01 mA
        else if (outputType == 1)
            v = -5000 + 10000 * x; // -5..+5 V in 0.001 V
        else
            v = -1000 + 2000 * x; // -10..+10 V in 0.01 V
        space.Set(kOutputValues + k, static_cast<std::uint16_t>(std::lround(v)));
    }
}

void CSimMeasurements::OnPreset(const CSimRegisterSpace& space, int address, int count)
{
    auto touches = [&](int reg) { return reg + 1 >= address && reg < address + count; };
    for (int c = 0; c < features_.channels; ++c)
        for (int tariff = 0; tariff < 2; ++tariff) {
            const int first = c * kChannel2Offset + (tariff == 0 ? kEnergyHigh : kEnergyLow);
            for (int k = 0; k < kEnergyCounters; ++k) {
                const int reg = first + 2 * k, frac = reg + kEnergyFraction;
                if (!touches(reg) && !touches(frac))
                    continue;
                const auto high = std::uint64_t(std::uint32_t(space.Get32(reg)));
                const auto low = std::uint64_t(std::uint32_t(space.Get32(frac)));
                channels_[static_cast<size_t>(c)]
                    .energy[static_cast<size_t>(tariff)][static_cast<size_t>(k)] =
                    static_cast<std::int64_t>((high << 32) | low);
            }
        }
    if (features_.counters > 0)
        for (int k = 0; k < kCounterCount; ++k)
            if (touches(kCounters + 2 * k))
                counters_[static_cast<size_t>(k)] = std::uint32_t(space.Get32(kCounters + 2 * k));
}

void CSimMeasurements::ResetEnergy(int channelMask)
{
    for (int c = 0; c < features_.channels; ++c)
        if (channelMask & (1 << c))
            for (auto& tariff : channels_[static_cast<size_t>(c)].energy)
                tariff.fill(0);
}

void CSimMeasurements::ResetMaxMin(int channelMask)
{
    for (int c = 0; c < features_.channels; ++c)
        if (channelMask & (1 << c)) {
            channels_[static_cast<size_t>(c)].maxMinValid = false;
            channels_[static_cast<size_t>(c)].maxThd.fill(0);
        }
}

void CSimMeasurements::ResetDemand()
{
    demandResetAt_ = lastSeconds_;
    for (Channel& ch : channels_)
        ch.maxDemand.fill(0);
}

void CSimMeasurements::ResetCounters(int counterMask)
{
    for (int k = 0; k < kCounterCount; ++k)
        if (counterMask & (1 << k))
            counters_[static_cast<size_t>(k)] = 0;
}
