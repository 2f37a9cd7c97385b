#pragma once

// String-table ids of the measured-value texts and the monitor's status lines.
namespace MonitorText {
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
