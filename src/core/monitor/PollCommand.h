#pragma once

#include <cstdint>

// The commands a monitor window posts to its worker (wParam of the command
// message); command 8 takes the THD row 0-9 as its argument.
enum class PollCommand : std::int32_t {
    Stop = 0,
    DeviceInformation = 1,
    InstantaneousAndDemand = 2,
    Maximum = 3,
    Minimum = 4,
    EnergyHighTariff = 5,
    EnergyLowTariff = 6,
    Thd = 7,
    Spectrum = 8,
    Counters = 9,
    AnalogOutputs = 10,
};

constexpr std::int32_t CommandNumber(PollCommand c)
{
    return static_cast<std::int32_t>(c);
}
