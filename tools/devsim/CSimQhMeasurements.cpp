#include "CSimQhMeasurements.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kCommon = 0;    // 8 values each: latest, maximum, minimum
constexpr int kCurrents = 64; // + 32c: 5 values each latest, maximum, minimum
constexpr int kPowers = 576;  // + 96c: 16 values each latest, maximum, minimum
constexpr int kDetail = 2112; // + 144c: demand, maximum and minimum demand
constexpr int kDetailStride = 144;
constexpr int kBasicRecords = 4416;     // energy records of channels 1-8
constexpr int kExtensionRecords = 5440; // channels 9-16, or the pulse inputs
constexpr int kRecordValues = 29;
constexpr int kVoltageThd = 6464; // 14 registers
constexpr int kCurrentThd = 6480; // + 8c
constexpr int kSpectrumRow = 16;  // row r at r x 16, 15 odd orders 3-31
constexpr int kFirstSpectrumRow = 413;
constexpr double kRatedVoltage = 200, kRatedCurrent = 100;

double Wave(double t, double period, double phase)
{
    return std::sin(kTwoPi * t / period + phase);
}

std::int32_t Round(double v)
{
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -2.0e9, 2.0e9)));
}

void Set32(CSimRegisterSpace& space, int address, std::int32_t v)
{
    space.Set32(address, v);
}

} // namespace

CSimQhMeasurements::CSimQhMeasurements(int channels, int pulseInputs)
    : channels_(std::clamp(channels, 1, kMaxChannels)), pulseInputs_(pulseInputs)
{
    for (int c = 0; c < kMaxChannels; ++c)
        state_[static_cast<size_t>(c)].activeEnergy = 1000.0 * (c + 1) + 0.5;
}

int CSimQhMeasurements::EnergyRecord(int channel) const
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
        space.Define(kCurrentThd + 8 * c, 8, A::Present);
    }
    if (channels_ <= 8 && pulseInputs_ > 0)
        for (int c = 8; c < 16; ++c)
            space.Define(EnergyRecord(c), 2 * kRecordValues, A::Present);
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

void CSimQhMeasurements::ResetChannel(int channel)
{
    Channel& s = state_[static_cast<size_t>(channel)];
    s.activeEnergy = s.reactiveEnergy = 0;
    s.hours.fill(0);
    s.maxMinValid = false;
}

void CSimQhMeasurements::Refresh(CSimRegisterSpace& space, double seconds,
                                 std::int64_t calendarSeconds)
{
    const double dt = std::max(0.0, seconds - lastSeconds_);
    lastSeconds_ = seconds;
    const int hour = static_cast<int>((calendarSeconds / 3600) % 24);
    if (!loopTest_[0])
        WriteCommon(space, seconds);
    for (int c = 0; c < channels_; ++c)
        WriteChannel(space, c, seconds, dt, hour);
    WriteHarmonics(space, seconds);
    if (channels_ <= 8 && pulseInputs_ > 0)
        WritePulses(space, seconds);
}

void CSimQhMeasurements::WriteCommon(CSimRegisterSpace& space, double t)
{
    // Sigma, 1-N, 2-N, 3-N, 1-2, 2-3, 3-1, frequency
    std::array<std::int32_t, 8> v{};
    for (int k = 0; k < 3; ++k) {
        const double ull = kRatedVoltage * (1 + 0.01 * Wave(t, 23, k));
        v[size_t(4 + k)] = Round(ull * 100);
        v[size_t(1 + k)] = Round(ull / std::sqrt(3.0) * 100);
    }
    v[0] = (v[4] + v[5] + v[6]) / 3;
    v[7] = Round((50 + 0.05 * Wave(t, 17, 0)) * 100);
    for (size_t i = 0; i < v.size(); ++i) {
        commonMax_[i] = commonValid_ ? std::max(commonMax_[i], v[i]) : v[i];
        commonMin_[i] = commonValid_ ? std::min(commonMin_[i], v[i]) : v[i];
        Set32(space, kCommon + 2 * int(i), v[i]);
        Set32(space, kCommon + 16 + 2 * int(i), commonMax_[i]);
        Set32(space, kCommon + 32 + 2 * int(i), commonMin_[i]);
    }
    commonValid_ = true;
}

void CSimQhMeasurements::WriteChannel(CSimRegisterSpace& space, int c, double t, double dt,
                                      int hour)
{
    Channel& s = state_[static_cast<size_t>(c)];
    const double u = kRatedVoltage / std::sqrt(3.0);
    std::array<double, 3> i{}, p{}, q{}, sa{}, pf{};
    for (size_t k = 0; k < 3; ++k) {
        i[k] = kRatedCurrent * (0.5 + 0.3 * Wave(t, 45, 0.8 * c + double(k)));
        pf[k] = 0.9 + 0.06 * Wave(t, 29, 0.5 * c + double(k));
        sa[k] = u * i[k];
        p[k] = sa[k] * pf[k];
        q[k] = sa[k] * std::sin(std::acos(pf[k]));
    }
    const double pTot = p[0] + p[1] + p[2], qTot = q[0] + q[1] + q[2], sTot = sa[0] + sa[1] + sa[2];
    const std::array<std::int32_t, 5> currents = {Round(i[0] * 1000), Round(i[1] * 1000),
                                                  Round(i[2] * 1000), Round(kRatedCurrent * 40),
                                                  Round((i[0] + i[1] + i[2]) / 3 * 1000)};
    std::array<std::int32_t, 16> powers{};
    for (size_t k = 0; k < 3; ++k) {
        powers[k] = Round(p[k]);
        powers[4 + k] = Round(q[k]);
        powers[8 + k] = Round(sa[k]);
        powers[12 + k] = Round(pf[k] * 10000);
    }
    powers[3] = Round(pTot);
    powers[7] = Round(qTot);
    powers[11] = Round(sTot);
    powers[15] = Round(pTot / sTot * 10000);

    const int ci = kCurrents + 32 * c, pi = kPowers + 96 * c;
    for (size_t k = 0; k < currents.size(); ++k) {
        s.maxCurrent[k] = s.maxMinValid ? std::max(s.maxCurrent[k], currents[k]) : currents[k];
        s.minCurrent[k] = s.maxMinValid ? std::min(s.minCurrent[k], currents[k]) : currents[k];
        if (!loopTest_[static_cast<size_t>(c)])
            Set32(space, ci + 2 * int(k), currents[k]);
        Set32(space, ci + 10 + 2 * int(k), s.maxCurrent[k]);
        Set32(space, ci + 20 + 2 * int(k), s.minCurrent[k]);
    }
    for (size_t k = 0; k < powers.size(); ++k) {
        s.maxPower[k] = s.maxMinValid ? std::max(s.maxPower[k], powers[k]) : powers[k];
        s.minPower[k] = s.maxMinValid ? std::min(s.minPower[k], powers[k]) : powers[k];
        if (!loopTest_[static_cast<size_t>(c)])
            Set32(space, pi + 2 * int(k), powers[k]);
        Set32(space, pi + 32 + 2 * int(k), s.maxPower[k]);
        Set32(space, pi + 64 + 2 * int(k), s.minPower[k]);
    }
    s.maxMinValid = true;

    // Demand (I, I1-I3; P, Q, S), then eight maximum and eight minimum demand values.
    const int d = kDetail + kDetailStride * c;
    for (int k = 0; k < 4; ++k)
        Set32(space, d + 3 + 2 * k, k == 0 ? currents[4] : currents[size_t(k - 1)]);
    const std::array<std::int32_t, 8> demand = {currents[4], currents[0], currents[1], currents[2],
                                                currents[3], powers[3],   powers[7],   powers[11]};
    for (int k = 0; k < 3; ++k)
        Set32(space, d + 16 + 2 * k, demand[size_t(5 + k)]);
    for (int k = 0; k < 8; ++k) {
        Set32(space, d + 28 + 5 * k, Round(demand[size_t(k)] * 1.1));
        Set32(space, d + 83 + 5 * k, Round(demand[size_t(k)] * 0.7));
    }

    const double addActive = pTot / 1000 * dt / 3600 * 10,
                 addReactive = qTot / 1000 * dt / 3600 * 10;
    s.activeEnergy += addActive;
    s.reactiveEnergy += addReactive;
    s.hours[size_t(hour)] += addActive;
    const int r = EnergyRecord(c);
    Set32(space, r, Round(std::floor(s.activeEnergy)));
    Set32(space, r + 2, Round(std::floor(s.reactiveEnergy)));
    Set32(space, r + 6, Round(s.hours[size_t(hour)]));
    for (int h = 0; h < 24; ++h)
        Set32(space, r + 10 + 2 * h, Round(s.hours[size_t(h)]));
}

void CSimQhMeasurements::WriteHarmonics(CSimRegisterSpace& space, double t) const
{
    auto row = [&](int r, double amplitude) {
        double sum = 0;
        for (int k = 0; k < 15; ++k) {
            const int order = 3 + 2 * k;
            const auto v = static_cast<std::uint16_t>(std::lround(amplitude * 3 / order));
            space.Set(r * kSpectrumRow + k, v);
            sum += double(v) * v;
        }
        return static_cast<std::uint16_t>(std::lround(std::sqrt(sum)));
    };
    for (int k = 0; k < 6; ++k) {
        const std::uint16_t thd = row(kFirstSpectrumRow + k, 15 * (1 + 0.2 * Wave(t, 19, k)));
        space.Set(kVoltageThd + k, thd);
        space.Set(kVoltageThd + 8 + k, std::max(space.Get(kVoltageThd + 8 + k), thd));
    }
    for (int c = 0; c < channels_; ++c)
        for (int k = 0; k < 4; ++k) {
            const int r = kFirstSpectrumRow + 6 + 4 * c + k;
            const std::uint16_t thd = row(r, 40 * (1 + 0.3 * Wave(t, 21, c + k)));
            space.Set(kCurrentThd + 8 * c + k, thd);
            space.Set(kCurrentThd + 8 * c + 4 + k,
                      std::max(space.Get(kCurrentThd + 8 * c + 4 + k), thd));
        }
}

void CSimQhMeasurements::WritePulses(CSimRegisterSpace& space, double t) const
{
    for (int input = 0; input < 8; ++input) {
        const int r = EnergyRecord(8 + input);
        const auto count = static_cast<std::int32_t>(t * 0.5 * (input + 1));
        Set32(space, r, count);
        Set32(space, r + 6, count % 3600);
    }
}
