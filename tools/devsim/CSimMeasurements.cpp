#include "CSimMeasurements.h"

#include <algorithm>
#include <cmath>

#include "SimRegisters.h"
#include "SimSpectrum.h"

using namespace SimReg;

namespace {

constexpr int kDemandGroups = 5; // Latest, History1-History4
constexpr int kGroupStride = 16;
constexpr int kOutputCount = 4;
constexpr int kDemandSamples = 12;
constexpr double kNever = -1e18;
constexpr double kFixedOne = 4294967296.0; // one unit of an energy counter's last digit
constexpr std::array<double, 5> kSensorRatings = {50, 100, 200, 400, 600};

// A unit in service: hours run in each tariff before the simulation starts.
constexpr double kHoursHighTariff = 5200, kHoursLowTariff = 3300, kHoursSingleTariff = 8500;

std::int32_t Clamp32(double v)
{
    return static_cast<std::int32_t>(std::llround(std::clamp(v, -2.0e9, 2.0e9)));
}

std::uint16_t Turn(double degrees)
{
    const double d = std::fmod(std::fmod(degrees, 360) + 360, 360);
    return static_cast<std::uint16_t>(std::lround(d * 65536 / 360) & 0xFFFF);
}

// Primary current of an input: a sensor's rating, or the user-defined primary.
double PrimaryOf(const CSimRegisterSpace& space, int primary, int sensor)
{
    if (sensor >= 0) {
        const int type = space.Get(sensor);
        if (type >= 1 && type <= 5)
            return kSensorRatings[static_cast<size_t>(type - 1)];
    }
    return std::clamp<double>(space.Get(primary), 1.0, 20000.0);
}

// The 8 totals of register 0 and the 25 phase values of register 32, in device units.
struct Registers {
    std::array<std::int32_t, 8> totals{};
    std::array<std::int32_t, 25> phases{};
};

Registers ToRegisters(const SimPhaseValues& m, double powerScale)
{
    Registers r;
    r.totals = {Clamp32(m.iTot * 1000),       Clamp32(m.uTot * 100),
                Clamp32(m.pTot * powerScale), Clamp32(m.qTot * powerScale),
                Clamp32(m.sTot * powerScale), Clamp32(m.pfTot * 10000),
                Clamp32(m.f * 100),           m.leadTot ? 1 : 0};
    size_t n = 0;
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.i[k] * 1000);
    r.phases[n++] = Clamp32(m.in * 1000);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.ull[k] * 100);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.u[k] * 100);
    for (const auto* values : {&m.p, &m.q, &m.s})
        for (size_t k = 0; k < 3; ++k)
            r.phases[n++] = Clamp32((*values)[k] * powerScale);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = Clamp32(m.pf[k] * 10000);
    for (size_t k = 0; k < 3; ++k)
        r.phases[n++] = m.lead[k] ? 1 : 0;
    return r;
}

} // namespace

double CSimMeasurements::Clock::HourAt(double t) const
{
    const double h = std::fmod((t + calendarOffset) / 3600, 24);
    return h < 0 ? h + 24 : h;
}

CSimMeasurements::CSimMeasurements(const SimFeatures& features, const CDeviceType& type,
                                   const SimScenario& scenario)
    : features_(features), type_(type), scenario_(scenario)
{
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
        if (features_.demand)
            for (int g = 0; g < kDemandGroups; ++g) {
                define(base + kCurrentDemand + g * kGroupStride, 5, A::Present);
                define(base + kPowerDemand + g * kGroupStride, 3, A::Present);
            }
        for (int first : {kEnergyHigh, kEnergyLow})
            for (int at : {first, first + kEnergyFraction})
                define(base + at, kEnergyCounters, A::Present | A::Writable | A::Protected);
        define(mm + kMaximum, 7, A::Present);
        define(mm + kMaximumPhases, 22, A::Present);
        if (features_.demand)
            define(mm + kMaximumDemand, kDemandValues, A::Present);
        define(mm + kMinimum, 7, A::Present);
        define(mm + kMinimumPhases, 22, A::Present);
        if (!features_.zmpv) {
            define(mm + kThdMaximum, kThdRows, A::Present);
            define(c * kChannel2ThdOffset + kThdLatest, kThdRows, A::Present);
            for (int r = 0; r < kThdRows; ++r)
                space.Define(c * kChannel2ThdOffset + kSpectrum + 64 * r, kSimHarmonicOrders,
                             A::Present);
        }
        space.Define(kAngles + c * kChannel2AngleOffset, 6, A::Present);
    }
    if (features_.counters > 0)
        define(kCounters, kCounterCount, A::Present | A::Writable);
    if (features_.analogOutputs > 0) {
        space.Define(kOutputType, 1, A::Present);
        space.Define(kOutputValues, kOutputCount, A::Present | A::Writable | A::Protected);
    }
    if (features_.ratedMirror) {
        space.Define(kRatedCurrent, 3, A::Present);
        space.DefinePairs(kRatedVoltage, 1);
    }
}

SimChannelSetup CSimMeasurements::SetupOf(const CSimRegisterSpace& space, int channel) const
{
    SimChannelSetup s;
    s.wiring = space.Get(kWiring);
    s.ratedVoltage = std::min<double>(std::uint32_t(space.Get32(kPrimaryVoltage)), 400000.0);
    s.frequency = scenario_.frequency;
    s.powerFactor = scenario_.powerFactor;
    s.leading = scenario_.leading;
    s.load = scenario_.load * (channel == 0 ? 1.0 : 0.7);
    s.seed = 1.3 * channel;
    s.secondLeg = features_.kta ? 1 : 2;
    if (features_.simpleMeasurement && space.Get(kMeasurementMode) == 1) {
        s.simple = true;
        s.powerFactor = std::clamp(space.Get(kSimplePowerFactor) / 10000.0, 0.0, 1.0);
    }
    if (features_.zn) {
        // Circuits A and B belong to the first system, C and D to the second.
        const std::array<double, 4> circuits = {PrimaryOf(space, kPrimaryCurrent, kSensorType),
                                                PrimaryOf(space, kPrimaryCurrent2, kSensorType2),
                                                PrimaryOf(space, kPrimaryCurrentC, kSensorTypeC),
                                                PrimaryOf(space, kPrimaryCurrentD, kSensorTypeD)};
        const double a = circuits[size_t(2 * channel)], b = circuits[size_t(2 * channel + 1)];
        if (s.wiring == 17)
            s.wiring = channel == 0 ? 1 : 16; // single-phase 3-wire + two branched circuits
        s.branched = s.wiring == 0 || s.wiring == 16;
        s.ratedCurrent = s.branched ? std::array<double, 3>{a, b, b} : std::array{a, a, a};
        s.circuitReference = {space.Get(kCircuitReference + 2 * channel),
                              space.Get(kCircuitReference + 2 * channel + 1)};
        return s;
    }
    double rated = PrimaryOf(space, kPrimaryCurrent, features_.qg ? kSensorType : -1);
    if (channel == 1)
        rated = PrimaryOf(space, kPrimaryCurrent2, kSensorType2);
    s.ratedCurrent = {rated, rated, rated};
    return s;
}

int CSimMeasurements::TariffOf(const CSimRegisterSpace& space) const
{
    return space.IsPresent(kTariff, 1) && space.Get(kTariff) != 0 ? 1 : 0;
}

void CSimMeasurements::Start(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds)
{
    lastSeconds_ = seconds;
    const Clock clock{seconds, double(calendarSeconds) - seconds};
    const bool tariffs = space.IsPresent(kTariff, 1);
    for (int c = 0; c < features_.channels; ++c) {
        // The mean load over the unit's service, not this moment's.
        SimPhaseValues mean = SimComputePhases(SetupOf(space, c), seconds, clock.HourAt(seconds));
        const double profile = SimDailyProfile(clock.HourAt(seconds));
        mean.pTot /= profile;
        mean.qTot /= profile;
        mean.sTot /= profile;
        Channel& ch = channels_[static_cast<size_t>(c)];
        Accumulate(ch.energy[0], mean, 3600 * (tariffs ? kHoursHighTariff : kHoursSingleTariff));
        if (tariffs)
            Accumulate(ch.energy[1], mean, 3600 * kHoursLowTariff);
    }
    for (int k = 0; k < kCounterCount; ++k)
        counters_[static_cast<size_t>(k)] = 15000 + 4321 * k;
    Refresh(space, seconds, calendarSeconds);
}

void CSimMeasurements::Refresh(CSimRegisterSpace& space, double seconds,
                               std::int64_t calendarSeconds)
{
    const double dt = std::max(0.0, seconds - lastSeconds_);
    lastSeconds_ = seconds;
    const Clock clock{seconds, double(calendarSeconds) - seconds};
    const int tariff = TariffOf(space);
    SimPhaseValues first;
    double firstRated = 1;
    for (int c = 0; c < features_.channels; ++c) {
        Channel& ch = channels_[static_cast<size_t>(c)];
        const SimChannelSetup setup = SetupOf(space, c);
        const SimPhaseValues m = SimComputePhases(setup, seconds, clock.HourAt(seconds));
        if (c == 0) {
            first = m;
            firstRated = setup.ratedCurrent[0];
        }
        if (!loopTest_[static_cast<size_t>(c)])
            WriteInstant(space, c, m);
        TrackMaxMin(ch, m);
        if (features_.demand)
            WriteDemand(space, c, setup, clock);
        WriteMaxMin(space, c);
        Accumulate(ch.energy[static_cast<size_t>(tariff)], m, dt);
        WriteEnergy(space, c);
        if (!features_.zmpv)
            WriteHarmonics(space, c, m, seconds);
        WriteAngles(space, c, m);
    }
    WriteCounters(space, dt);
    WriteOutputs(space, first, firstRated);
    if (features_.ratedMirror)
        WriteRatedMirror(space);
}

void CSimMeasurements::WriteInstant(CSimRegisterSpace& space, int channel,
                                    const SimPhaseValues& m) const
{
    const int base = channel * kChannel2Offset;
    const Registers regs = ToRegisters(m, PowerScale());
    for (size_t i = 0; i < regs.totals.size(); ++i)
        space.Set32(base + kTotals + 2 * int(i), regs.totals[i]);
    for (size_t i = 0; i < regs.phases.size(); ++i)
        space.Set32(base + kPhases + 2 * int(i), regs.phases[i]);
}

void CSimMeasurements::TrackMaxMin(Channel& ch, const SimPhaseValues& m) const
{
    const Registers regs = ToRegisters(m, PowerScale());
    std::array<std::int32_t, kMaxMinValues> v{};
    std::copy_n(regs.totals.begin(), 7, v.begin());
    std::copy_n(regs.phases.begin(), 22, v.begin() + 7);
    for (size_t i = 0; i < v.size(); ++i) {
        const std::uint32_t bit = 1u << i;
        const bool valid = ch.maxMinValid & bit;
        ch.maximum[i] = valid ? std::max(ch.maximum[i], v[i]) : v[i];
        ch.minimum[i] = valid ? std::min(ch.minimum[i], v[i]) : v[i];
        ch.maxMinValid |= bit;
    }
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
    if (features_.demand)
        for (int i = 0; i < kDemandValues; ++i)
            space.Set32(mm + kMaximumDemand + 2 * i, ch.maxDemand[static_cast<size_t>(i)]);
}

void CSimMeasurements::Accumulate(EnergySet& e, const SimPhaseValues& m, double dt) const
{
    const double hours = dt / 3600;
    const double k = EnergyScale() / 1000 * hours; // counter units per W over dt
    const double p = m.pTot, q = m.qTot, in = std::max(p, 0.0), out = std::max(-p, 0.0);
    const double lag = std::max(q, 0.0), lead = std::max(-q, 0.0);
    // EP, EQ, ES, EP-, EQ-, EQ+LAG, EQ+LEAD, EQ-LAG, EQ-LEAD, TIMER, EQ+P, EQ-P, EPA, EQA
    const std::array<double, kEnergyCounters> add = {in * k,
                                                     lag * k,
                                                     m.sTot * k,
                                                     out * k,
                                                     lead * k,
                                                     p >= 0 ? lag * k : 0,
                                                     p >= 0 ? lead * k : 0,
                                                     p < 0 ? lag * k : 0,
                                                     p < 0 ? lead * k : 0,
                                                     m.iTot > 0 ? hours * EnergyScale() : 0,
                                                     p >= 0 ? std::abs(q) * k : 0,
                                                     p < 0 ? std::abs(q) * k : 0,
                                                     p * k,
                                                     std::abs(q) * k};
    for (size_t i = 0; i < add.size(); ++i)
        e[i] += std::llround(add[i] * kFixedOne);
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

CSimMeasurements::Demand CSimMeasurements::Average(const SimChannelSetup& setup, const Clock& clock,
                                                   double from, double to) const
{
    Demand d;
    const bool instant = to - from < 1;
    const int samples = instant ? 1 : kDemandSamples;
    for (int j = 0; j < samples; ++j) {
        const double t = instant ? to : from + (j + 0.5) * (to - from) / samples;
        const SimPhaseValues m = SimComputePhases(setup, t, clock.HourAt(t));
        const std::array<double, 5> current = {m.iTot, m.i[0], m.i[1], m.i[2], m.in};
        const std::array<double, 3> power = {m.pTot, m.qTot, m.sTot};
        for (size_t i = 0; i < current.size(); ++i)
            d.current[i] += current[i] / samples;
        for (size_t i = 0; i < power.size(); ++i)
            d.power[i] += power[i] / samples;
    }
    return d;
}

void CSimMeasurements::UpdateHistory(History& h, const SimChannelSetup& setup, const Clock& clock,
                                     double interval, double resetAt) const
{
    const auto block = static_cast<long long>(std::floor(clock.seconds / interval));
    if (h.valid && h.block == block && h.interval == interval && h.resetAt == resetAt)
        return;
    h = {block, interval, resetAt, true, {}};
    for (int g = 0; g < 4; ++g) {
        const double end = double(block - g) * interval, start = end - interval;
        if (start >= resetAt)
            h.values[static_cast<size_t>(g)] = Average(setup, clock, start, end);
    }
}

void CSimMeasurements::WriteDemand(CSimRegisterSpace& space, int channel,
                                   const SimChannelSetup& setup, const Clock& clock)
{
    Channel& ch = channels_[static_cast<size_t>(channel)];
    auto interval = [&](int reg) {
        const int minutes = space.IsPresent(reg, 1) ? space.Get(reg) : 30;
        return 60.0 * std::clamp(minutes, 1, 60);
    };
    const double tc = interval(kCurrentInterval), tp = interval(kPowerInterval);
    const double t = clock.seconds, resetAt = ch.demandResetAt;
    UpdateHistory(ch.currentHistory, setup, clock, tc, resetAt);
    UpdateHistory(ch.powerHistory, setup, clock, tp, resetAt);
    // A demand moves slowly: the device works it out again once a second.
    if (!(t >= ch.latestAt && t < ch.latestAt + 1)) {
        ch.latest.current = Average(setup, clock, std::max(t - tc, resetAt), t).current;
        ch.latest.power = Average(setup, clock, std::max(t - tp, resetAt), t).power;
        ch.latestAt = t;
    }
    std::array<Demand, kDemandGroups> groups{};
    groups[0] = ch.latest;
    for (size_t g = 1; g < groups.size(); ++g) {
        groups[g].current = ch.currentHistory.values[g - 1].current;
        groups[g].power = ch.powerHistory.values[g - 1].power;
    }
    const int base = channel * kChannel2Offset;
    for (int g = 0; g < kDemandGroups; ++g) {
        const Demand& d = groups[static_cast<size_t>(g)];
        for (int i = 0; i < 5; ++i)
            space.Set32(base + kCurrentDemand + g * kGroupStride + 2 * i,
                        Clamp32(d.current[static_cast<size_t>(i)] * 1000));
        for (int i = 0; i < 3; ++i)
            space.Set32(base + kPowerDemand + g * kGroupStride + 2 * i,
                        Clamp32(d.power[static_cast<size_t>(i)] * PowerScale()));
        // I, I1-I3, IN, P in, P out, Q LAG, Q LEAD, S: no shown demand exceeds its maximum.
        const double p = d.power[0], q = d.power[1];
        const std::array<double, kDemandValues> peak = {d.current[0] * 1000,
                                                        d.current[1] * 1000,
                                                        d.current[2] * 1000,
                                                        d.current[3] * 1000,
                                                        d.current[4] * 1000,
                                                        std::max(p, 0.0) * PowerScale(),
                                                        std::max(-p, 0.0) * PowerScale(),
                                                        std::max(q, 0.0) * PowerScale(),
                                                        std::max(-q, 0.0) * PowerScale(),
                                                        d.power[2] * PowerScale()};
        for (size_t i = 0; i < peak.size(); ++i)
            ch.maxDemand[i] = std::max(ch.maxDemand[i], Clamp32(peak[i]));
    }
}

void CSimMeasurements::WriteHarmonics(CSimRegisterSpace& space, int channel,
                                      const SimPhaseValues& m, double t)
{
    Channel& ch = channels_[static_cast<size_t>(channel)];
    // I1, I2, I3, IN, U12, U23, U31, U1N, U2N, U3N: a quantity the wiring lacks has no spectrum.
    const std::array<bool, kThdRows> present = {
        m.i[0] > 0,   m.i[1] > 0,   m.i[2] > 0, m.in > 0,   m.ull[0] > 0,
        m.ull[1] > 0, m.ull[2] > 0, m.u[0] > 0, m.u[1] > 0, m.u[2] > 0};
    for (int row = 0; row < kThdRows; ++row) {
        const SimHarmonicSource source = row < 3    ? SimHarmonicSource::Current
                                         : row == 3 ? SimHarmonicSource::Neutral
                                                    : SimHarmonicSource::Voltage;
        SimSpectrumValues values{};
        if (present[static_cast<size_t>(row)])
            values = SimSpectrum(source, t, 0.9 * row + 2.1 * channel);
        const int first = channel * kChannel2ThdOffset + kSpectrum + 64 * row;
        for (int i = 0; i < kSimHarmonicOrders; ++i)
            space.Set(first + i, values[static_cast<size_t>(i)]);
        const std::int32_t thd = SimThd(values.data(), kSimHarmonicOrders);
        auto& max = ch.maxThd[static_cast<size_t>(row)];
        max = std::max(max, thd);
        space.Set32(channel * kChannel2ThdOffset + kThdLatest + 2 * row, thd);
        space.Set32(channel * kChannel2MaxMinOffset + kThdMaximum + 2 * row, max);
    }
}

void CSimMeasurements::WriteAngles(CSimRegisterSpace& space, int channel,
                                   const SimPhaseValues& m) const
{
    // I1, U1N, I2, U2N, I3, U3N as fractions of a full turn; absent phases read 0.
    const int first = kAngles + channel * kChannel2AngleOffset;
    for (size_t k = 0; k < 3; ++k) {
        space.Set(first + 2 * int(k), m.currentSlot[k] ? Turn(m.iAngle[k]) : 0);
        space.Set(first + 2 * int(k) + 1, m.voltageSlot[k] ? Turn(m.uAngle[k]) : 0);
    }
}

void CSimMeasurements::WriteCounters(CSimRegisterSpace& space, double dt)
{
    if (features_.counters <= 0)
        return;
    for (int k = 0; k < features_.counters; ++k) {
        // Pulses of a water, gas or sub-meter: a few per minute.
        auto& c = counters_[static_cast<size_t>(k)];
        c = std::fmod(c + dt * 0.05 * (k + 1), 4294967296.0);
        space.Set32(kCounters + 2 * k, static_cast<std::int32_t>(static_cast<std::uint32_t>(c)));
    }
}

void CSimMeasurements::WriteOutputs(CSimRegisterSpace& space, const SimPhaseValues& m,
                                    double rated) const
{
    if (features_.analogOutputs <= 0)
        return;
    const int option = type_.optionCode & 5;
    const int outputType = option == 1   ? 0
                           : option == 4 ? 1
                                         : std::min<int>(space.Get(kOutputTypeSetting), 2);
    space.Set(kOutputType, static_cast<std::uint16_t>(outputType));
    if (outputsFixed_)
        return;
    for (int k = 0; k < kOutputCount; ++k) {
        // Each output carries a phase current at 0-100 % of the rating.
        const double x = std::clamp(m.i[static_cast<size_t>(k % 3)] / rated, 0.0, 1.0);
        double v;
        if (option == 1)
            v = 400 + 1600 * x; // 4-20 mA in 0.01 mA
        else if (option == 4)
            v = 1000 + 4000 * x; // 1-5 V in 0.001 V
        else if (outputType == 0)
            v = 2000 * x; // 0-20 mA in 0.01 mA
        else if (outputType == 1)
            v = 5000 * x; // 0-5 V of the -5..+5 V range in 0.001 V
        else
            v = 1000 * x; // 0-10 V of the -10..+10 V range in 0.01 V
        space.Set(kOutputValues + k, static_cast<std::uint16_t>(std::lround(v)));
    }
}

void CSimMeasurements::WriteRatedMirror(CSimRegisterSpace& space) const
{
    space.Set(kRatedCurrent, space.Get(kPrimaryCurrent));
    space.Set32(kRatedVoltage, space.Get32(kPrimaryVoltage));
}

bool CSimMeasurements::OutputValueAllowed(const CSimRegisterSpace& space, std::int16_t value) const
{
    auto within = [value](int low, int high) { return value >= low && value <= high; };
    switch (type_.optionCode & 5) {
    case 5:
        switch (space.Get(kOutputType)) {
        case 1:
            return within(-5750, 5750);
        case 2:
            return within(-1150, 1150);
        default:
            return within(-100, 2300);
        }
    case 1:
        return within(160, 2240); // 4-20 mA outputs
    default:
        return within(400, 5600); // 1-5 V outputs
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

void CSimMeasurements::OnPreset(CSimRegisterSpace& space, int address, int count)
{
    auto touches = [&](int reg) { return reg + 1 >= address && reg < address + count; };
    for (int c = 0; c < features_.channels; ++c)
        for (int tariff = 0; tariff < 2; ++tariff) {
            const int first = c * kChannel2Offset + (tariff == 0 ? kEnergyHigh : kEnergyLow);
            for (int k = 0; k < kEnergyCounters; ++k) {
                const int reg = first + 2 * k, frac = reg + kEnergyFraction;
                if (!touches(reg) && !touches(frac))
                    continue;
                // A new integer part starts a new count: the fraction follows, or stays 0.
                if (!touches(frac))
                    space.Set32(frac, 0);
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

void CSimMeasurements::ResetMaxMin(int channelMask, std::uint32_t positions)
{
    for (int c = 0; c < features_.channels; ++c) {
        if (!(channelMask & (1 << c)))
            continue;
        Channel& ch = channels_[static_cast<size_t>(c)];
        ch.maxMinValid &= ~positions;
        // Current rows follow the circuits, voltage rows the common quantities.
        for (int row = 0; row < kThdRows; ++row) {
            const bool voltage = row >= 4;
            if ((voltage && (positions & kCommonMaxMin)) ||
                (!voltage && (positions & ~kCommonMaxMin)))
                ch.maxThd[static_cast<size_t>(row)] = 0;
        }
    }
}

void CSimMeasurements::ResetDemand(int channelMask)
{
    for (int c = 0; c < features_.channels; ++c) {
        if (!(channelMask & (1 << c)))
            continue;
        Channel& ch = channels_[static_cast<size_t>(c)];
        ch.demandResetAt = lastSeconds_;
        ch.maxDemand.fill(0);
        ch.currentHistory.valid = ch.powerHistory.valid = false;
        ch.latestAt = kNever;
    }
}

void CSimMeasurements::ResetCounters(int counterMask)
{
    for (int k = 0; k < kCounterCount; ++k)
        if (counterMask & (1 << k))
            counters_[static_cast<size_t>(k)] = 0;
}
