#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/FormField.h"
#include "device/Capabilities.h"
#include "device/ParameterWords.h"
#include "text/NumericFieldReader.h"

struct ParameterSet;

// Words of the device's own field-bus settings.
namespace ModbusWord {
constexpr int DeviceAddress = 148;
constexpr int TransferRate = 149;
constexpr int Parity = 150;
constexpr int StopBits = 151;
constexpr int T15 = 152;
constexpr int T35 = 153;
using ParameterWord::LongRegister;
constexpr int Mode = 155;
constexpr int IpAddress = 156; // two words each
constexpr int SubnetMask = 158;
constexpr int DefaultGateway = 160;
constexpr int Port = 162;
constexpr int ConnectionTimeout = 163;
constexpr int RunLedTimeout = 164;
constexpr int CcLinkNode = 165;
constexpr int CcLinkRate = 166;
} // namespace ModbusWord

// Control ids of "Modbus Setting" (serial).
namespace ModbusControl {
constexpr int DeviceAddress = 1067;
constexpr int DeviceAddressLabel = 1094;
constexpr int TransferRate = 1014;
constexpr int TransferRateLabel = 1082;
constexpr int Parity = 1015;
constexpr int StopBits = 1016;
constexpr int Advanced = 1030;
constexpr int ModeLabel = 1150;
constexpr int ModeRtu = 1151;
constexpr int ModeAscii = 1152;
constexpr int RunLedLabel = 1153;
constexpr int RunLedUnit = 1154;
constexpr int RunLedTimeout = 1068;
} // namespace ModbusControl

// Control ids of "Advanced Modbus Setting".
namespace AdvancedModbusControl {
constexpr int Normal = 1038;
constexpr int Swap = 1039;
constexpr int TimerLabel = 1109;
constexpr int T15Label = 1110;
constexpr int T15 = 1017;
constexpr int T15Unit = 1111;
constexpr int T35Label = 1112;
constexpr int T35 = 1018;
constexpr int T35Unit = 1113;
constexpr int Warning = 1069;
} // namespace AdvancedModbusControl

// Control ids of "Modbus Setting" for Modbus/TCP.
namespace ModbusTcpControl {
constexpr int IpAddress = 1181;
constexpr int SubnetMask = 1182;
constexpr int DefaultGateway = 1183;
constexpr int Port = 1184;
constexpr int ConnectionTimeout = 1070;
constexpr int RunLedTimeout = 1068;
} // namespace ModbusTcpControl

// Control ids of "CC-Link Setting".
namespace CcLinkControl {
constexpr int NodeAddress = 1136;
constexpr int TransferRate = 1014;
} // namespace CcLinkControl

constexpr int kTransferRateCount = 6;
constexpr int kParityCount = 3;
constexpr int kStopBitsCount = 2;
constexpr int kCcLinkRateCount = 5;
constexpr int kDefaultModbusPort = 502;

// The Modbus button opens the Modbus/TCP settings on devices that have them.
bool UsesModbusTcpDialog(Capabilities caps);
// QG and QH keep address and rate on their switches; the dialog edits mode
// and RUN LED timeout instead, and has no advanced settings.
bool ModbusOnFieldBusModule(Capabilities caps);
// ZM and ZN fix the protocol timers.
bool ModbusTimersEditable(Capabilities caps);

NumericField DeviceAddressField();
NumericField RunLedTimeoutField();
NumericField T15Field();
// t3.5 must stay above the t1.5 just read.
NumericField T35Field(std::int64_t t15);
NumericField PortField();
NumericField ConnectionTimeoutField();
NumericField CcLinkNodeField();

// The forms below are read on OK as a whole: a refused field is passed to
// `focus` and its message thrown, and the set is left as it was.

// "Modbus Setting" (serial). A field-bus module shows mode and RUN LED
// timeout and leaves address and rate empty; the others the other way round.
struct ModbusForm {
    std::string deviceAddress;
    int transferRate = -1; // list positions; -1: nothing selected
    int parity = -1;
    int stopBits = -1;
    int mode = -1; // 0 RTU, 1 ASCII, -1 neither button checked
    std::string runLedTimeout;
};
ModbusForm ModbusFormOf(const ParameterSet& set);
void ReadModbusForm(const ModbusForm& form, ParameterSet& set, const FocusControl& focus);

// "Modbus Setting" for Modbus/TCP.
struct ModbusTcpForm {
    std::array<std::uint8_t, 4> ipAddress{};
    std::array<std::uint8_t, 4> subnetMask{};
    std::array<std::uint8_t, 4> defaultGateway{};
    std::string port;
    std::string connectionTimeout;
    std::string runLedTimeout;
};
ModbusTcpForm ModbusTcpFormOf(const ParameterSet& set);
void ReadModbusTcpForm(const ModbusTcpForm& form, ParameterSet& set, const FocusControl& focus);

// "Advanced Modbus Setting". Fixed timers are shown empty and never read.
struct AdvancedModbusForm {
    bool swap = false; // long registers high word first
    std::string t15;
    std::string t35;
};
AdvancedModbusForm AdvancedModbusFormOf(const ParameterSet& set);
void ReadAdvancedModbusForm(const AdvancedModbusForm& form, ParameterSet& set,
                            const FocusControl& focus);

// "CC-Link Setting".
struct CcLinkForm {
    std::string nodeAddress;
    int transferRate = -1;
};
CcLinkForm CcLinkFormOf(const ParameterSet& set);
void ReadCcLinkForm(const CcLinkForm& form, ParameterSet& set, const FocusControl& focus);
