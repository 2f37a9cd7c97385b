#include "config/DeviceRestart.h"

#include <array>
#include <chrono>
#include <regex>
#include <thread>

#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceRegisters.h"

namespace {

constexpr std::uint16_t kModelKta = 4711;
constexpr std::uint16_t kModelLkta = 4712;
constexpr std::uint16_t kModelLktas = 4713;
constexpr std::uint16_t kModelKtb = 4721;
constexpr std::uint16_t kModelQg = 4731;
constexpr std::uint16_t kModelQh = 4741;
constexpr std::uint16_t kModelZm = 4751;
constexpr std::uint16_t kModelZnpw = 4761;
constexpr std::uint16_t kModelZnepw = 4762;

constexpr std::uint16_t kOptionLonWorks = 0x80;
constexpr std::uint16_t kOptionCcLink = 0x100;
constexpr std::uint16_t kOptionEthernet = 0x400;
constexpr std::uint16_t kOptionPv = 0x800;
constexpr std::uint16_t kOptionSensorU = 0x1000;

constexpr std::uint16_t kRestartCode = 10001;
constexpr int kRestartRegister = 5330;
constexpr int kQhRestartRegister = 8992;
constexpr int kRestartPairRegister = 9000;
constexpr std::uint16_t kRestartPairFirst = 3333;
constexpr std::uint16_t kRestartPairSecond = 4444;
constexpr int kRestartWaitMs = 3000;

// The families with communication variants: LonWorks, CC-Link, Ethernet, else Modbus.
std::string VariantName(std::uint16_t option, const char* lon, const char* cc, const char* eth,
                        const char* plain)
{
    if (option & kOptionLonWorks)
        return lon;
    if (option & kOptionCcLink)
        return cc;
    if (eth && (option & kOptionEthernet))
        return eth;
    return plain;
}

} // namespace

std::string DeviceModelName(std::uint16_t modelCode, std::uint16_t optionCode)
{
    switch (modelCode) {
    case kModelKta:
        return "KTA";
    case kModelKtb:
        return VariantName(optionCode, "KTBL", "KTBC", nullptr, "KTB");
    case kModelQg:
        return VariantName(optionCode, "QGLPW", "QGCPW", "QGEPW", "QGMPW");
    case kModelLkta:
        return "LKTA";
    case kModelLktas:
        return "LKTAS";
    case kModelQh:
        return VariantName(optionCode, "QHLPW", "QHCPW", "QHEPW", "QHMPW");
    case kModelZm:
        return (optionCode & kOptionPv) ? "ZMPV" : "ZMPW";
    case kModelZnpw:
        return (optionCode & kOptionSensorU) ? "ZNPW-U" : "ZNPW";
    case kModelZnepw:
        return "ZNEPW";
    default:
        return {};
    }
}

bool IsLonWorksModelName(const std::string& modelName)
{
    static const std::regex lonWorks("KTBL.*|QGL.*|QHL.*");
    return std::regex_match(modelName, lonWorks);
}

RestartCommand RestartCommandFor(std::uint16_t modelCode)
{
    switch (modelCode) {
    case kModelKta:
    case kModelLkta:
    case kModelLktas:
    case kModelKtb:
    case kModelQg:
        return {kRestartRegister, {kRestartCode}, true, kRestartWaitMs};
    case kModelQh:
        return {kQhRestartRegister, {kRestartCode}, true, kRestartWaitMs};
    case kModelZm:
    case kModelZnpw:
    case kModelZnepw:
        return {kRestartPairRegister, {kRestartPairFirst, kRestartPairSecond}, false, 0};
    default:
        return {};
    }
}

RestartTarget ReadRestartTarget(CModbusInterface& connection)
{
    COpenConnection open(connection);
    RestartTarget target;
    target.device.Identify(connection);
    std::array<std::uint16_t, kRebootIdentityCount> identity{};
    std::array<std::uint16_t, kRebootOptionCount> option{};
    connection.ReadHoldingRegisters(kRebootIdentityRegister, kRebootIdentityCount, identity.data());
    connection.ReadHoldingRegisters(kRebootOptionRegister, kRebootOptionCount, option.data());
    const std::uint16_t modelCode = identity[DeviceRegister::kModelCode - kRebootIdentityRegister];
    target.modelName = DeviceModelName(modelCode, option[0]);
    return target;
}

bool RestartDevice(CModbusInterface& connection, std::uint16_t modelCode, const RestartWait& wait)
{
    const RestartCommand command = RestartCommandFor(modelCode);
    if (command.values.empty())
        return false;
    COpenConnection open(connection);
    const int count = static_cast<int>(command.values.size());
    if (!command.expectNoAnswer) {
        connection.WriteMultipleRegisters(command.address, count, command.values.data());
        return true;
    }
    try {
        connection.WriteMultipleRegisters(command.address, count, command.values.data(), 1);
    } catch (const CPrivateException&) {
        // The device restarts before it answers, or not at all: expected.
    }
    if (command.waitMs <= 0)
        return true;
    if (wait)
        wait(command.waitMs);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(command.waitMs));
    return true;
}

MonitorWindowKind MonitorWindowFor(Capabilities caps)
{
    if (caps & CapQh)
        return MonitorWindowKind::PowerManagement;
    if (caps & (CapZnpw | CapZnepw))
        return MonitorWindowKind::Second;
    return MonitorWindowKind::Standard;
}
