#include "config/ModbusSettingsRules.h"

namespace {
constexpr int kNameDeviceAddress = 15200;
constexpr int kNameT15 = 15204;
constexpr int kNameT35 = 15205;
constexpr int kNameRunLedTimeout = 15208;
constexpr int kNameConnectionTimeout = 15212;
constexpr int kNamePort = 15213;
constexpr int kNameNodeAddress = 15690;

// Timers in tenths of a character time, timeouts in tenths of a second.
constexpr std::int64_t kT15Min = 1;
constexpr std::int64_t kT15Max = 59;
constexpr std::int64_t kT35Max = 60;
constexpr std::int64_t kTimeoutMax = 32000;
} // namespace

bool UsesModbusTcpDialog(Capabilities caps)
{
    return (caps & CapModbusTcp) != 0;
}

bool ModbusOnFieldBusModule(Capabilities caps)
{
    return (caps & (CapQg | CapQh)) != 0;
}

bool ModbusTimersEditable(Capabilities caps)
{
    return (caps & CapZmZnModbus) == 0;
}

NumericField DeviceAddressField()
{
    return {1, 1, 247, kNameDeviceAddress, {}};
}

NumericField RunLedTimeoutField()
{
    return {10, 0, kTimeoutMax, kNameRunLedTimeout, {}};
}

NumericField T15Field()
{
    return {10, kT15Min, kT15Max, kNameT15, {}};
}

NumericField T35Field(std::int64_t t15)
{
    return {10, t15 + 1, kT35Max, kNameT35, {}};
}

NumericField PortField()
{
    return {1, 0, 65535, kNamePort, {}};
}

NumericField ConnectionTimeoutField()
{
    return {10, 10, kTimeoutMax, kNameConnectionTimeout, {}};
}

NumericField CcLinkNodeField()
{
    return {1, 1, 64, kNameNodeAddress, {}};
}
