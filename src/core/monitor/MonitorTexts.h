#pragma once

// String-table ids of the measured-value texts and the monitor's status lines.
namespace MonitorText {
// Item names of the device's tables; the test inputs name their values the same way.
constexpr int kVoltage = 1000;
constexpr int kCurrent = 1001;
constexpr int kActivePower = 1002;
constexpr int kReactivePower = 1003;
constexpr int kApparentPower = 1004;
constexpr int kPowerFactor = 1005;
constexpr int kFrequency = 1006;
constexpr int kNeutralCurrent = 1007;
constexpr int kActiveIn = 1401;
constexpr int kReactiveLag = 1403;
constexpr int kAo1 = 3801; // then Ao2-Ao4

// Device information.
constexpr int kFirmwareVersion = 3300;
constexpr int kSerial = 3301;
constexpr int kTagNo = 3302;
constexpr int kSupportInformation = 3303;
constexpr int kModel = 3304;
constexpr int kModbusPasscode = 3305;
constexpr int kProtectionEnabled = 3400;
constexpr int kProtectionDisabled = 3401;
constexpr int kNotSupported = 3402;
constexpr int kCircuitWiringFirst = 6100; // "1-N", "3-N", "1-3"
constexpr int kCircuitWiringCount = 3;
constexpr int kLag = 24500;
constexpr int kLead = 24501;

constexpr int kCommunicationError = 11016;
constexpr int kCommunicating = 11024;
constexpr int kFixedAo = 11034;
constexpr int kUnitVolt = 11052;
constexpr int kUnitMilliampere = 11053;
} // namespace MonitorText
