#include "config/ModbusSettingsRules.h"

#include "config/DiscreteIoRules.h"
#include "device/ParameterSet.h"
#include "text/TextIds.h"

namespace {
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

constexpr int kTenths = 10;

std::uint16_t Word(std::int64_t value)
{
    return static_cast<std::uint16_t>(value);
}

std::string Tenths(std::uint16_t word)
{
    return FormatScaledValue(word, kTenths);
}

// A list with nothing selected keeps its word.
void StorePosition(ParameterSet& set, int word, int position)
{
    if (position >= 0)
        set[word] = Word(position);
}
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
    return {1, 1, 247, TextId::DeviceAddressName, {}};
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

ModbusForm ModbusFormOf(const ParameterSet& set)
{
    ModbusForm form;
    if (ModbusOnFieldBusModule(set.type.Caps())) {
        form.mode = set[ModbusWord::Mode] != 0 ? 1 : 0;
        form.runLedTimeout = Tenths(set[ModbusWord::RunLedTimeout]);
    } else {
        form.deviceAddress = std::to_string(set[ModbusWord::DeviceAddress]);
        form.transferRate = ChoiceListIndex(set[ModbusWord::TransferRate], kTransferRateCount);
    }
    form.parity = ChoiceListIndex(set[ModbusWord::Parity], kParityCount);
    form.stopBits = set[ModbusWord::StopBits] != 0 ? 1 : 0;
    return form;
}

void ReadModbusForm(const ModbusForm& form, ParameterSet& set, const FocusControl& focus)
{
    ParameterSet read = set;
    if (ModbusOnFieldBusModule(set.type.Caps())) {
        read[ModbusWord::Mode] = form.mode == 1 ? 1 : 0;
        read[ModbusWord::RunLedTimeout] = Word(ReadFormField(
            form.runLedTimeout, RunLedTimeoutField(), ModbusControl::RunLedTimeout, focus));
    } else {
        read[ModbusWord::DeviceAddress] = Word(ReadFormField(
            form.deviceAddress, DeviceAddressField(), ModbusControl::DeviceAddress, focus));
        StorePosition(read, ModbusWord::TransferRate, form.transferRate);
    }
    StorePosition(read, ModbusWord::Parity, form.parity);
    StorePosition(read, ModbusWord::StopBits, form.stopBits);
    set = read;
}

ModbusTcpForm ModbusTcpFormOf(const ParameterSet& set)
{
    ModbusTcpForm form;
    form.ipAddress = set.GetIpv4(ModbusWord::IpAddress);
    form.subnetMask = set.GetIpv4(ModbusWord::SubnetMask);
    form.defaultGateway = set.GetIpv4(ModbusWord::DefaultGateway);
    form.port = std::to_string(set[ModbusWord::Port]);
    form.connectionTimeout = Tenths(set[ModbusWord::ConnectionTimeout]);
    form.runLedTimeout = Tenths(set[ModbusWord::RunLedTimeout]);
    return form;
}

void ReadModbusTcpForm(const ModbusTcpForm& form, ParameterSet& set, const FocusControl& focus)
{
    ParameterSet read = set;
    read.SetIpv4(ModbusWord::IpAddress, form.ipAddress);
    read.SetIpv4(ModbusWord::SubnetMask, form.subnetMask);
    read.SetIpv4(ModbusWord::DefaultGateway, form.defaultGateway);
    read[ModbusWord::Port] =
        Word(ReadFormField(form.port, PortField(), ModbusTcpControl::Port, focus));
    read[ModbusWord::ConnectionTimeout] =
        Word(ReadFormField(form.connectionTimeout, ConnectionTimeoutField(),
                           ModbusTcpControl::ConnectionTimeout, focus));
    read[ModbusWord::RunLedTimeout] = Word(ReadFormField(form.runLedTimeout, RunLedTimeoutField(),
                                                         ModbusTcpControl::RunLedTimeout, focus));
    set = read;
}

AdvancedModbusForm AdvancedModbusFormOf(const ParameterSet& set)
{
    AdvancedModbusForm form;
    form.swap = set[ModbusWord::LongRegister] != 0;
    if (ModbusTimersEditable(set.type.Caps())) {
        form.t15 = Tenths(set[ModbusWord::T15]);
        form.t35 = Tenths(set[ModbusWord::T35]);
    }
    return form;
}

void ReadAdvancedModbusForm(const AdvancedModbusForm& form, ParameterSet& set,
                            const FocusControl& focus)
{
    ParameterSet read = set;
    read[ModbusWord::LongRegister] = form.swap ? 1 : 0;
    if (ModbusTimersEditable(set.type.Caps())) {
        const std::int64_t t15 =
            ReadFormField(form.t15, T15Field(), AdvancedModbusControl::T15, focus);
        read[ModbusWord::T15] = Word(t15);
        read[ModbusWord::T35] =
            Word(ReadFormField(form.t35, T35Field(t15), AdvancedModbusControl::T35, focus));
    }
    set = read;
}

CcLinkForm CcLinkFormOf(const ParameterSet& set)
{
    return {std::to_string(set[ModbusWord::CcLinkNode]),
            ChoiceListIndex(set[ModbusWord::CcLinkRate], kCcLinkRateCount)};
}

void ReadCcLinkForm(const CcLinkForm& form, ParameterSet& set, const FocusControl& focus)
{
    ParameterSet read = set;
    read[ModbusWord::CcLinkNode] =
        Word(ReadFormField(form.nodeAddress, CcLinkNodeField(), CcLinkControl::NodeAddress, focus));
    StorePosition(read, ModbusWord::CcLinkRate, form.transferRate);
    set = read;
}
