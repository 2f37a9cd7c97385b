#include "CSimQhMeasurements.h"

#include <algorithm>
#include <cmath>

#include "SimBcdClock.h"
#include "SimRegisters.h"
#include "SimSpectrum.h"

using namespace SimReg;

namespace {

constexpr int kCommon = 0;    // 8 values each: latest, maximum, minimum
constexpr int kCurrents = 64; // + 32c: 5 values each latest, maximum, minimum
constexpr int kPowers = 576;  // + 96c: 16 values each latest, maximum, minimum
constexpr int kDetail = 2112; // + 144c: demand, maximum and minimum demand with their times
constexpr int kDetailStride = 144;
constexpr int kDetailCurrentDemand = 3; // I, I1, I2, I3
constexpr int kDetailPowerDemand = 16;  // P, Q, S
constexpr int kMaxDemand = 28;          // + 5i: value, then its time in the clock layout
constexpr int kMinDemand = 83;          // + 5i
constexpr int kBasicRecords = 4416;     // energy records of channels 1-8
constexpr int kExtensionRecords = 5440; // channels 9-16, or the pulse inputs
constexpr int kRecordValues = 29;
constexpr int kRecordTotals = 3;  // the values a preset may write
constexpr int kVoltageThd = 6464; // 6 latest, 2 unused, 6 maximum
constexpr int kCurrentThd = 6480; // + 8c: 4 latest, 4 maximum
constexpr int kSpectrumRow = 16;  // row r at r x 16, 15 odd orders 3-31
constexpr int kFirstSpectrumRow = 413;
constexpr int kDemandSamples = 12;
constexpr std::array<double, 5> kSensorRatings = {50, 100, 200, 400, 600};
// Branch circuits differ in their loads: share of the scenario's load per channel.
constexpr std::array<double, 16> kLoadShare = {1.0,  0.55, 1.35, 0.8, 0.3,  1.15, 0.65, 0.9,
                                               0.45, 1.25, 0.7,  1.0, 0.35, 0.85, 1.1,  0.6};
constexpr double kServiceHours = 8000; // energy counted before the simulation starts

std::int32_t Round(double v)
{
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -2.0e9, 2.0e9)));
}

// 0.1 kWh (kvarh) per W over dt seconds.
double EnergyUnits(double watts, double dt)
{
    return watts / 1000 * dt / 3600 * 10;
}

int Slot(long long hour)
{
    return static_cast<int>(((hour % 24) + 24) % 24);
}

} // namespace

double CSimQhMeasurements::Moment::HourAt(double t) const
{
    const double h = std::fmod((t + calendarOffset) / 3600, 24);
    return h < 0 ? h + 24 : h;
}

CSimQhMeasurements::CSimQhMeasurements(int channels, int pulseInputs, const SimScenario& scenario)
    : channels_(std::clamp(channels, 1, kMaxChannels)),
      pulseInputs_(channels_ <= 8 ? std::clamp(pulseInputs, 0, kPulseInputs) : 0),
      scenario_(scenario)
{
}

int CSimQhMeasurements::EnergyRecord(int channel)
{
    const int within = channel % 8;
    const int base = channel < 8 ? kBasicRecords : kExtensionRecords;
    return base + (within / 2) * 256 + (within % 2) * 64;
}

void CSimQhMeasurements::DefineRegisters(CSimRegisterSpace& space) const
{
    using A = CSimRegisterSpace;
    space.Define(kCommon, 48, A::Present);
    space.Define(kCommon, 16, A::Writable | A::Protected);
    for (int c = 0; c < channels_; ++c) {
        space.Define(kCurrents + 32 * c, 30, A::Present);
        space.Define(kCurrents + 32 * c, 10, A::Writable | A::Protected);
        space.Define(kPowers + 96 * c, 96, A::Present);
        space.Define(kPowers + 96 * c, 32, A::Writable | A::Protected);
        space.Define(kDetail + kDetailStride * c, kDetailStride, A::Present);
        space.Define(EnergyRecord(c), 2 * kRecordValues, A::Present);
        space.Define(EnergyRecord(c), 2 * kRecordTotals, A::Writable | A::Protected);
        space.Define(kCurrentThd + 8 * c, 8, A::Present);
    }
    for (int input = 0; input < pulseInputs_; ++input) {
        space.Define(EnergyRecord(8 + input), 2 * kRecordValues, A::Present);
        space.Define(EnergyRecord(8 + input), 2, A::Writable | A::Protected);
    }
    space.Define(kVoltageThd, 14, A::Present);
    const int rows = 6 + 4 * channels_;
    space.Define(kFirstSpectrumRow * kSpectrumRow, rows * kSpectrumRow, A::Present);
}

int CSimQhMeasurements::LoopTestChannelOf(int address) const
{
    if (address >= kCommon && address < kCommon + 16)
        return 0;
    for (int c = 0; c < channels_; ++c)
        if ((address >= kCurrents + 32 * c && address < kCurrents + 32 * c + 10) ||
            (address >= kPowers + 96 * c && address < kPowers + 96 * c + 32))
            return c;
    return -1;
}

SimChannelSetup CSimQhMeasurements::SetupOf(const CSimRegisterSpace& space, int c) const
{
    SimChannelSetup s;
    s.wiring = space.Get(kQhWiring);
    s.ratedVoltage = std::min<double>(std::uint32_t(space.Get32(kQhPrimaryVoltage)), 400000.0);
    const int ct = c < 8 ? kQhCtBasic + 4 * c : kQhCtExtension + 4 * (c - 8);
    const int sensor = space.Get(ct + 1);
    const double rated = sensor >= 1 && sensor <= 5
                             ? kSensorRatings[static_cast<size_t>(sensor - 1)]
                             : std::clamp<double>(space.Get(ct), 1.0, 20000.0);
    s.ratedCurrent = {rated, rated, rated};
    s.frequency = scenario_.frequency;
    s.powerFactor = std::clamp(scenario_.powerFactor - 0.03 * (c % 3), 0.05, 1.0);
    s.leading = scenario_.leading;
    s.load = scenario_.load * kLoadShare[static_cast<size_t>(c)];
    s.seed = 0.77 * c;
    return s;
}

double CSimQhMeasurements::PulseRate(int input, double hourOfDay) const
{
    // Pulses per second of a water, gas or sub-meter on input DI1-DI8.
    return 0.02 * (input + 1) * SimDailyProfile(hourOfDay);
}

void CSimQhMeasurements::Start(CSimRegisterSpace& space, double seconds,
                               std::int64_t calendarSeconds)
{
    lastSeconds_ = seconds;
    hour_ = static_cast<long long>(std::floor(double(calendarSeconds) / 3600));
    const Moment now{seconds, double(calendarSeconds) - seconds};
    const double intoHour = double(calendarSeconds) - 3600.0 * double(hour_); // seconds
    for (int c = 0; c < channels_; ++c) {
        const SimChannelSetup setup = SetupOf(space, c);
        Record& r = state_[static_cast<size_t>(c)].record;
        // The last 24 hours, the running one counted up to now.
        for (int back = 0; back < 24; ++back) {
            const double mid = seconds - intoHour - 3600.0 * back + 1800;
            const SimPhaseValues m = SimComputePhases(setup, mid, now.HourAt(mid));
            r.hours[size_t(Slot(hour_ - back))] = EnergyUnits(m.pTot, back == 0 ? intoHour : 3600);
        }
        r.previousHour = r.hours[size_t(Slot(hour_ - 1))];
        const SimPhaseValues m = SimComputePhases(setup, seconds, now.HourAt(seconds));
        const double profile = SimDailyProfile(now.HourAt(seconds));
        r.totals = {EnergyUnits(m.pTot / profile, 3600 * kServiceHours),
                    EnergyUnits(std::max(m.qTot, 0.0) / profile, 3600 * kServiceHours),
                    EnergyUnits(std::max(-m.qTot, 0.0) / profile, 3600 * kServiceHours)};
    }
    for (int input = 0; input < pulseInputs_; ++input) {
        Record& r = pulses_[static_cast<size_t>(input)];
        for (int back = 0; back < 24; ++back) {
            const double mid = seconds - intoHour - 3600.0 * back + 1800;
            r.hours[size_t(Slot(hour_ - back))] =
                std::floor(PulseRate(input, now.HourAt(mid)) * (back == 0 ? intoHour : 3600));
        }
        r.previousHour = r.hours[size_t(Slot(hour_ - 1))];
        r.totals[0] = 10000.0 * (input + 1) + 24 * 3600 * PulseRate(input, 12);
    }
    Refresh(space, seconds, calendarSeconds);
}

void CSimQhMeasurements::RollHour(long long hour)
{
    auto roll = [&](Record& r) {
        const bool forward = hour > hour_ && hour - hour_ < 24;
        for (long long h = forward ? hour_ + 1 : hour; h <= hour; ++h) {
            r.previousHour = r.hours[size_t(Slot(h - 1))];
            r.hours[size_t(Slot(h))] = 0;
        }
    };
    for (int c = 0; c < channels_; ++c)
        roll(state_[static_cast<size_t>(c)].record);
    for (int input = 0; input < pulseInputs_; ++input)
        roll(pulses_[static_cast<size_t>(input)]);
    hour_ = hour;
}

void CSimQhMeasurements::Refresh(CSimRegisterSpace& space, double seconds,
                                 std::int64_t calendarSeconds)
{
    const double dt = std::max(0.0, seconds - lastSeconds_);
    lastSeconds_ = seconds;
    const Moment now{seconds, double(calendarSeconds) - seconds};
    const auto hour = static_cast<long long>(std::floor(double(calendarSeconds) / 3600));
    std::array<SimChannelSetup, kMaxChannels> setups{};
    std::array<SimPhaseValues, kMaxChannels> values{};
    for (int c = 0; c < channels_; ++c) {
        setups[size_t(c)] = SetupOf(space, c);
        values[size_t(c)] = SimComputePhases(setups[size_t(c)], seconds, now.HourAt(seconds));
    }
    // What came in before the hour turned belongs to the hour that ended.
    const double intoHour = double(calendarSeconds) - 3600.0 * double(hour);
    const double early = hour > hour_ ? std::clamp(dt - intoHour, 0.0, dt) : 0.0;
    Count(values, now, early, Slot(hour_));
    if (hour != hour_)
        RollHour(hour);
    Count(values, now, dt - early, Slot(hour));
    for (int c = 0; c < channels_; ++c) {
        const SimPhaseValues& m = values[size_t(c)];
        currentPresent_[static_cast<size_t>(c)] = {m.i[0] > 0, m.i[1] > 0, m.i[2] > 0, m.in > 0};
        WriteChannel(space, c, m);
        WriteDemand(space, c, setups[size_t(c)], now, calendarSeconds);
        WriteRecord(space, EnergyRecord(c), state_[static_cast<size_t>(c)].record, hour);
    }
    WriteCommon(space, values[0]);
    WriteHarmonics(space, values[0], seconds);
    for (int input = 0; input < pulseInputs_; ++input)
        WriteRecord(space, EnergyRecord(8 + input), pulses_[static_cast<size_t>(input)], hour);
}

void CSimQhMeasurements::Count(const std::array<SimPhaseValues, kMaxChannels>& values,
                               const Moment& now, double dt, int slot)
{
    if (dt <= 0)
        return;
    for (int c = 0; c < channels_; ++c) {
        const SimPhaseValues& m = values[size_t(c)];
        Record& r = state_[static_cast<size_t>(c)].record;
        const double active = EnergyUnits(std::max(m.pTot, 0.0), dt);
        r.totals[0] += active;
        r.totals[1] += EnergyUnits(std::max(m.qTot, 0.0), dt);
        r.totals[2] += EnergyUnits(std::max(-m.qTot, 0.0), dt);
        r.hours[size_t(slot)] += active;
    }
    for (int input = 0; input < pulseInputs_; ++input) {
        Record& r = pulses_[static_cast<size_t>(input)];
        const double pulses = PulseRate(input, now.HourAt(now.seconds)) * dt;
        r.totals[0] += pulses;
        r.hours[size_t(slot)] += pulses;
    }
}

void CSimQhMeasurements::WriteCommon(CSimRegisterSpace& space, const SimPhaseValues& m)
{
    // U12, U23, U31, U1N, U2N, U3N, Sigma, frequency
    const std::array<std::int32_t, 8> v = {
        Round(m.ull[0] * 100), Round(m.ull[1] * 100), Round(m.ull[2] * 100), Round(m.u[0] * 100),
        Round(m.u[1] * 100),   Round(m.u[2] * 100),   Round(m.uTot * 100),   Round(m.f * 100)};
    for (size_t i = 0; i < v.size(); ++i) {
        const std::uint32_t bit = 1u << i;
        commonMax_[i] = (commonValid_ & bit) ? std::max(commonMax_[i], v[i]) : v[i];
        commonMin_[i] = (commonValid_ & bit) ? std::min(commonMin_[i], v[i]) : v[i];
        commonValid_ |= bit;
        if (!loopTest_[0])
            space.Set32(kCommon + 2 * int(i), v[i]);
        space.Set32(kCommon + 16 + 2 * int(i), commonMax_[i]);
        space.Set32(kCommon + 32 + 2 * int(i), commonMin_[i]);
    }
}

void CSimQhMeasurements::WriteChannel(CSimRegisterSpace& space, int c, const SimPhaseValues& m)
{
    Channel& s = state_[static_cast<size_t>(c)];
    const std::array<std::int32_t, 5> currents = {Round(m.i[0] * 1000), Round(m.i[1] * 1000),
                                                  Round(m.i[2] * 1000), Round(m.in * 1000),
                                                  Round(m.iTot * 1000)};
    std::array<std::int32_t, 16> powers{};
    for (size_t k = 0; k < 3; ++k) {
        powers[k] = Round(m.p[k]);
        powers[4 + k] = Round(m.q[k]);
        powers[8 + k] = Round(m.s[k]);
        powers[12 + k] = Round(m.pf[k] * 10000);
    }
    powers[3] = Round(m.pTot);
    powers[7] = Round(m.qTot);
    powers[11] = Round(m.sTot);
    powers[15] = Round(m.pfTot * 10000);

    auto track = [](auto& max, auto& min, std::uint32_t& valid, const auto& v) {
        for (size_t k = 0; k < v.size(); ++k) {
            const std::uint32_t bit = 1u << k;
            max[k] = (valid & bit) ? std::max(max[k], v[k]) : v[k];
            min[k] = (valid & bit) ? std::min(min[k], v[k]) : v[k];
            valid |= bit;
        }
    };
    track(s.maxCurrent, s.minCurrent, s.currentValid, currents);
    track(s.maxPower, s.minPower, s.powerValid, powers);
    const bool test = loopTest_[static_cast<size_t>(c)];
    const int ci = kCurrents + 32 * c, pi = kPowers + 96 * c;
    for (size_t k = 0; k < currents.size(); ++k) {
        if (!test)
            space.Set32(ci + 2 * int(k), currents[k]);
        space.Set32(ci + 10 + 2 * int(k), s.maxCurrent[k]);
        space.Set32(ci + 20 + 2 * int(k), s.minCurrent[k]);
    }
    for (size_t k = 0; k < powers.size(); ++k) {
        if (!test)
            space.Set32(pi + 2 * int(k), powers[k]);
        space.Set32(pi + 32 + 2 * int(k), s.maxPower[k]);
        space.Set32(pi + 64 + 2 * int(k), s.minPower[k]);
    }
}

void CSimQhMeasurements::WriteDemand(CSimRegisterSpace& space, int c, const SimChannelSetup& setup,
                                     const Moment& now, std::int64_t calendarSeconds)
{
    Channel& s = state_[static_cast<size_t>(c)];
    auto interval = [&](int reg) { return 60.0 * std::clamp<int>(space.Get(reg), 1, 60); };
    auto average = [&](double from, double to, auto pick) {
        const bool instant = to - from < 1;
        const int samples = instant ? 1 : kDemandSamples;
        std::array<double, 5> sum{};
        for (int j = 0; j < samples; ++j) {
            const double t = instant ? to : from + (j + 0.5) * (to - from) / samples;
            const auto v = pick(SimComputePhases(setup, t, now.HourAt(t)));
            for (size_t k = 0; k < v.size(); ++k)
                sum[k] += v[k] / samples;
        }
        return sum;
    };
    const double t = now.seconds;
    // A demand moves slowly: the device works it out again once a second.
    if (!(t >= s.demandAt && t < s.demandAt + 1)) {
        s.currentDemand =
            average(std::max(t - interval(kQhCurrentInterval), s.currentDemandFrom), t,
                    [](const SimPhaseValues& m) {
                        return std::array<double, 5>{m.iTot, m.i[0], m.i[1], m.i[2], m.in};
                    });
        s.powerDemand = average(std::max(t - interval(kQhPowerInterval), s.powerDemandFrom), t,
                                [](const SimPhaseValues& m) {
                                    return std::array<double, 5>{m.pTot, m.qTot, m.sTot, 0, 0};
                                });
        s.demandAt = t;
    }
    const auto& current = s.currentDemand;
    const auto& power = s.powerDemand;
    const int d = kDetail + kDetailStride * c;
    for (int k = 0; k < 4; ++k)
        space.Set32(d + kDetailCurrentDemand + 2 * k, Round(current[size_t(k)] * 1000));
    for (int k = 0; k < 3; ++k)
        space.Set32(d + kDetailPowerDemand + 2 * k, Round(power[size_t(k)]));

    // I, I1, I2, I3, IN, P, Q, S, each with the moment it was reached.
    const std::array<std::int32_t, 8> demand = {Round(current[0] * 1000), Round(current[1] * 1000),
                                                Round(current[2] * 1000), Round(current[3] * 1000),
                                                Round(current[4] * 1000), Round(power[0]),
                                                Round(power[1]),          Round(power[2])};
    for (size_t k = 0; k < demand.size(); ++k) {
        const std::uint32_t bit = 1u << k;
        const bool valid = s.demandValid & bit;
        if (!valid || demand[k] > s.maxDemand[k].value)
            s.maxDemand[k] = {demand[k], calendarSeconds};
        if (!valid || demand[k] < s.minDemand[k].value)
            s.minDemand[k] = {demand[k], calendarSeconds};
        s.demandValid |= bit;
        for (const auto& [offset, e] :
             {std::pair{kMaxDemand, s.maxDemand[k]}, std::pair{kMinDemand, s.minDemand[k]}}) {
            const int at = d + offset + 5 * int(k);
            space.Set32(at, e.value);
            const SimClockWords when = SimEncodeClock(e.at);
            for (int w = 0; w < 3; ++w)
                space.Set(at + 2 + w, when[static_cast<size_t>(w)]);
        }
    }
}

void CSimQhMeasurements::WriteRecord(CSimRegisterSpace& space, int first, const Record& r,
                                     long long hour) const
{
    // Active in, reactive LAG, reactive LEAD, the running hour, the hour before, 00-01 .. 23-00.
    for (int k = 0; k < kRecordTotals; ++k)
        space.Set32(first + 2 * k, Round(std::floor(r.totals[static_cast<size_t>(k)])));
    space.Set32(first + 6, Round(std::floor(r.hours[size_t(Slot(hour))])));
    space.Set32(first + 8, Round(std::floor(r.previousHour)));
    for (int h = 0; h < 24; ++h)
        space.Set32(first + 10 + 2 * h, Round(std::floor(r.hours[size_t(h)])));
}

void CSimQhMeasurements::WriteHarmonics(CSimRegisterSpace& space, const SimPhaseValues& common,
                                        double t)
{
    // The detail window shows the odd orders 3-31 only.
    auto row = [&](int r, SimHarmonicSource source, double seed, bool present) {
        const SimSpectrumValues all = SimSpectrum(source, t, seed);
        std::array<std::uint16_t, 15> odd{};
        for (size_t k = 0; k < odd.size() && present; ++k)
            odd[k] = all[2 * k + 1];
        for (int k = 0; k < 15; ++k)
            space.Set(r * kSpectrumRow + k, odd[static_cast<size_t>(k)]);
        return SimThd(odd.data(), 15);
    };
    // U12, U23, U31, U1N, U2N, U3N
    const std::array<double, 6> voltages = {common.ull[0], common.ull[1], common.ull[2],
                                            common.u[0],   common.u[1],   common.u[2]};
    for (int k = 0; k < 6; ++k) {
        const std::uint16_t thd = row(kFirstSpectrumRow + k, SimHarmonicSource::Voltage, 0.9 * k,
                                      voltages[size_t(k)] > 0);
        auto& max = maxVoltageThd_[size_t(k)];
        max = std::max(max, thd);
        space.Set(kVoltageThd + k, thd);
        space.Set(kVoltageThd + 8 + k, max);
    }
    for (int c = 0; c < channels_; ++c) {
        Channel& s = state_[static_cast<size_t>(c)];
        const auto& present = currentPresent_[static_cast<size_t>(c)];
        for (int k = 0; k < 4; ++k) {
            const int r = kFirstSpectrumRow + 6 + 4 * c + k;
            const SimHarmonicSource source =
                k == 3 ? SimHarmonicSource::Neutral : SimHarmonicSource::Current;
            const std::uint16_t thd = row(r, source, 0.6 * c + 0.9 * k, present[size_t(k)]);
            auto& max = s.maxThd[size_t(k)];
            max = std::max(max, thd);
            space.Set(kCurrentThd + 8 * c + k, thd);
            space.Set(kCurrentThd + 8 * c + 4 + k, max);
        }
    }
}

void CSimQhMeasurements::Reset(int channel, std::uint16_t code)
{
    Channel& s = state_[static_cast<size_t>(std::clamp(channel, 0, channels_ - 1))];
    if (code & ResetEnergy)
        s.record.totals.fill(0);
    if (code & ResetHourly) {
        s.record.hours.fill(0);
        s.record.previousHour = 0;
    }
    if (code & ResetCurrentDemand)
        s.currentDemandFrom = lastSeconds_;
    if (code & ResetPowerDemand)
        s.powerDemandFrom = lastSeconds_;
    if (code & (ResetCurrentDemand | ResetPowerDemand))
        s.demandAt = -1e18;
    if (code & ResetVoltageMaxMin) {
        commonValid_ &= ~0x7Fu;
        maxVoltageThd_.fill(0);
    }
    if (code & ResetFrequencyMaxMin)
        commonValid_ &= ~0x80u;
    if (code & ResetCurrentMaxMin) {
        s.currentValid = 0;
        s.maxThd.fill(0);
    }
    if (code & ResetPowerMaxMin)
        s.powerValid &= ~0x0FFFu;
    if (code & ResetPowerFactorMaxMin)
        s.powerValid &= ~0xF000u;
    if (code & ResetCurrentDemandMaxMin)
        s.demandValid &= ~0x1Fu;
    if (code & ResetPowerDemandMaxMin)
        s.demandValid &= ~0xE0u;
}

void CSimQhMeasurements::OnPreset(const CSimRegisterSpace& space, int address, int count)
{
    auto preset = [&](int first, int values, Record& r) {
        if (address >= first + 2 * values || address + count <= first)
            return;
        for (int k = 0; k < values; ++k)
            r.totals[static_cast<size_t>(k)] = std::uint32_t(space.Get32(first + 2 * k));
    };
    for (int c = 0; c < channels_; ++c)
        preset(EnergyRecord(c), kRecordTotals, state_[static_cast<size_t>(c)].record);
    for (int input = 0; input < pulseInputs_; ++input)
        preset(EnergyRecord(8 + input), 1, pulses_[static_cast<size_t>(input)]);
}
