#include "utility/UtilityRules.h"

namespace {

constexpr std::uint16_t kModelQg = 4731;
constexpr std::size_t kCounterWord = 4; // "I/O word 5": number of pulse counters

constexpr int kTextChooseEnergyCircuits = 11038;
constexpr int kTextChooseMaxMinCircuits = 11039;

constexpr std::uint16_t kResetEnergy = 1;
constexpr std::uint16_t kResetMaxMin = 2;
constexpr std::uint16_t kResetDemand = 3;
constexpr std::uint16_t kResetFourCounters = 15;
constexpr std::uint16_t kResetEightCounters = 255;

constexpr int kResetRegister = 5329;
constexpr int kAltResetRegister = 5337;
constexpr int kEightCounterRegister = 5339;

int Counters(const CDeviceType& device)
{
    return device.ioWords[kCounterWord];
}

} // namespace

UtilityButtons UtilityWindowButtons(const CDeviceType& device)
{
    UtilityButtons b;
    b.counter = Counters(device) != 0;
    b.loopTest = device.modelCode == kModelQg || device.Has(CapZm | CapZnpw | CapZnepw);
    b.demand = !device.Has(CapZnpw | CapZnepw);
    b.clearAlarm = device.Has(CapKtaKtbMain | CapLkta) || (device.Has(CapZm) && device.Has(CapDo1));
    return b;
}

QhTestButtons QhMonitorTestButtons(std::uint16_t firmwareVersion)
{
    QhTestButtons b;
    b.loopTest = (firmwareVersion >= 140 && firmwareVersion <= 999) || firmwareVersion >= 1040;
    b.preset = firmwareVersion >= 130;
    return b;
}

bool UsesCircuitChooser(ResetKind kind, const CDeviceType& device)
{
    return (kind == ResetKind::Energy || kind == ResetKind::MaxMin) &&
           device.Has(CapZnpw | CapZnepw);
}

std::optional<ResetRequest> PlainResetRequest(ResetKind kind, const CDeviceType& device,
                                              bool windowSelector)
{
    const int selector = windowSelector ? 1 : 0;
    switch (kind) {
    case ResetKind::Energy:
        return ResetRequest{selector, kResetEnergy};
    case ResetKind::MaxMin:
        return ResetRequest{selector, kResetMaxMin};
    case ResetKind::Demand:
        return ResetRequest{selector, kResetDemand};
    case ResetKind::Counter:
        if (Counters(device) == 4)
            return ResetRequest{1, kResetFourCounters};
        if (Counters(device) == 8)
            return ResetRequest{1, kResetEightCounters};
        return std::nullopt;
    }
    return std::nullopt;
}

int ResetCommandRegister(const ResetRequest& request, const CDeviceType& device)
{
    if (request.selector == 0)
        return kResetRegister;
    if (Counters(device) == 8 && request.value == kResetEightCounters)
        return kEightCounterRegister;
    return kAltResetRegister;
}

CircuitChooserSetup CircuitChooserFor(ResetKind kind)
{
    if (kind == ResetKind::MaxMin)
        return {kTextChooseMaxMinCircuits, {16, 32, 64, 128, 256}};
    return {kTextChooseEnergyCircuits, {1, 2, 4, 8, 0}};
}

std::uint16_t CircuitChooserResult(const CircuitChooserSetup& setup, bool allCircuits,
                                   const std::array<bool, 5>& checked)
{
    std::uint16_t result = 0;
    for (std::size_t i = 0; i < setup.values.size(); ++i)
        if (allCircuits || checked[i])
            result |= setup.values[i];
    return result;
}

std::optional<ResetRequest> CircuitResetRequest(std::uint16_t chooserResult)
{
    if (chooserResult == 0)
        return std::nullopt;
    return ResetRequest{0, chooserResult};
}

QhReset QhResetFor(QhResetButton button, int channel)
{
    using namespace QhResetCode;
    switch (button) {
    case QhResetButton::HourlyEnergy:
        return {channel, kHourlyEnergy};
    case QhResetButton::Energy:
        return {channel, kEnergy};
    case QhResetButton::VoltageMaxMin:
        return {0, kVoltageMaxMin};
    case QhResetButton::CurrentMaxMin:
        return {channel, kCurrentMaxMin};
    case QhResetButton::PowerMaxMin:
        return {channel, kPowerMaxMin};
    case QhResetButton::PowerFactorMaxMin:
        return {channel, kPowerFactorMaxMin};
    case QhResetButton::FrequencyMaxMin:
        return {0, kFrequencyMaxMin};
    case QhResetButton::CurrentDemand:
        return {channel, kCurrentDemand};
    case QhResetButton::PowerDemand:
        return {channel, kPowerDemand};
    case QhResetButton::CurrentDemandMaxMin:
        return {channel, kCurrentDemandMaxMin};
    case QhResetButton::PowerDemandMaxMin:
        return {channel, kPowerDemandMaxMin};
    }
    return {channel, 0};
}
