#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "CSimRegisterSpace.h"

// Measured values of the multi-circuit QH family: common voltages and
// frequency, per channel currents, powers and demand, hourly energy records,
// pulse-input records, THD and spectra. QH registers are never word-swapped.
class CSimQhMeasurements {
public:
    static constexpr int kMaxChannels = 16;

    CSimQhMeasurements(int channels, int pulseInputs);

    void DefineRegisters(CSimRegisterSpace& space) const;
    void Refresh(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds);

    // Channel whose loop test lets a master write this register (-1: none;
    // the common voltages belong to channel 1).
    int LoopTestChannelOf(int address) const;
    void SetLoopTest(int channel, bool on) { loopTest_[static_cast<std::size_t>(channel)] = on; }
    bool LoopTest(int channel) const { return loopTest_[static_cast<std::size_t>(channel)]; }
    void ResetChannel(int channel);

private:
    struct Channel {
        double activeEnergy = 0;   // 0.1 kWh
        double reactiveEnergy = 0; // 0.1 kvarh
        std::array<double, 24> hours{};
        std::array<std::int32_t, 5> maxCurrent{}, minCurrent{};
        std::array<std::int32_t, 16> maxPower{}, minPower{};
        bool maxMinValid = false;
    };

    int EnergyRecord(int channel) const;
    void WriteCommon(CSimRegisterSpace& space, double t);
    void WriteChannel(CSimRegisterSpace& space, int c, double t, double dt, int hour);
    void WriteHarmonics(CSimRegisterSpace& space, double t) const;
    void WritePulses(CSimRegisterSpace& space, double t) const;

    int channels_;
    int pulseInputs_;
    std::array<Channel, kMaxChannels> state_{};
    std::array<bool, kMaxChannels> loopTest_{};
    std::array<std::int32_t, 8> commonMax_{}, commonMin_{};
    bool commonValid_ = false;
    double lastSeconds_ = 0;
};
