#include "utility/TestInputs.h"
#include "monitor/MonitorTexts.h"

namespace {

using MonitorText::kActivePower;
using MonitorText::kApparentPower;
using MonitorText::kCurrent;
using MonitorText::kFrequency;
using MonitorText::kNeutralCurrent;
using MonitorText::kPowerFactor;
using MonitorText::kReactivePower;
using MonitorText::kVoltage;

constexpr std::int64_t kPowerLimit = 2000000000;

ScaledInput Current(int name)
{
    return {name, 1000, 0, 20000000, std::nullopt};
}
ScaledInput Voltage()
{
    return {kVoltage, 100, 0, 40000000, std::nullopt};
}
ScaledInput Power(int name, std::int64_t scale, bool signedPower)
{
    return {name, scale, signedPower ? -kPowerLimit : 0, kPowerLimit, std::nullopt};
}
ScaledInput PowerFactor()
{
    return {kPowerFactor, 10000, -10000, 10000, std::nullopt};
}
ScaledInput Frequency()
{
    return {kFrequency, 100, 4500, 6500, 0};
}

bool In(int item, int first, int last)
{
    return item >= first && item <= last;
}

} // namespace

std::optional<ScaledInput> MeasuredLoopTestInput(int item, bool znUnits)
{
    constexpr int kSystemItems = 33;
    if (znUnits && In(item, kSystemItems, 2 * kSystemItems - 1))
        item -= kSystemItems;
    const std::int64_t powerScale = znUnits ? 10 : 1;
    if (item == 0 || In(item, 8, 10))
        return Current(kCurrent);
    if (item == 11)
        return Current(kNeutralCurrent);
    if (item == 1 || In(item, 12, 17))
        return Voltage();
    if (item == 2 || In(item, 18, 20))
        return Power(kActivePower, powerScale, true);
    if (item == 3 || In(item, 21, 23))
        return Power(kReactivePower, powerScale, true);
    if (item == 4 || In(item, 24, 26))
        return Power(kApparentPower, powerScale, false);
    if (item == 5 || In(item, 27, 29))
        return PowerFactor();
    if (item == 6)
        return Frequency();
    return std::nullopt;
}

std::optional<ScaledInput> QhLoopTestInput(int item)
{
    if (In(item, 862, 868))
        return Voltage();
    if (item == 869)
        return Frequency();
    if (In(item, 886, 888) || item == 890)
        return Current(kCurrent);
    if (item == 889)
        return Current(kNeutralCurrent);
    if (In(item, 1006, 1009))
        return Power(kActivePower, 1, true);
    if (In(item, 1010, 1013))
        return Power(kReactivePower, 1, true);
    if (In(item, 1014, 1017))
        return Power(kApparentPower, 1, false);
    if (In(item, 1018, 1021))
        return PowerFactor();
    return std::nullopt;
}

ScaledInput AnalogOutputInput(std::uint16_t optionCode, std::uint16_t outputType, int output)
{
    const int name = MonitorText::kAo1 + output;
    switch (optionCode & 5) {
    case 5: // bipolar outputs, the type register tells which
        if (outputType == 1)
            return {name, 1000, -5750, 5750, std::nullopt};
        if (outputType == 2)
            return {name, 100, -1150, 1150, std::nullopt};
        return {name, 100, -100, 2300, std::nullopt};
    case 1: // 4-20 mA outputs
        return {name, 100, 160, 2240, std::nullopt};
    default: // 1-5 V outputs
        return {name, 1000, 400, 5600, std::nullopt};
    }
}
