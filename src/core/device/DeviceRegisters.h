#pragma once

// Device holding registers (0-based protocol addresses) that identification,
// transfers and the passcode use besides the register maps.
namespace DeviceRegister {

constexpr int kModelCode = 9600;
constexpr int kFirmwareVersion = 9601; // version x 100
constexpr int kOptionCode = 9622;
constexpr int kIoWords = 9623; // 5 registers

// 32-bit word order: 1 = high word first. Not on QH devices.
constexpr int kWordOrder = 5735;

// DIP switch state, bit 0.
constexpr int kDipSwitchQg = 20302;
constexpr int kDipSwitchQh = 25502;

// Modbus passcode: 32-bit input, command (1 = request access, 0 = lock), stored passcode.
constexpr int kPasscodeInput = 4942;
constexpr int kPasscodeCommand = 4944;
constexpr int kStoredPasscode = 5333;
constexpr int kQhPasscodeInput = 8976;
constexpr int kQhPasscodeCommand = 8978;
constexpr int kQhStoredPasscode = 8993;

} // namespace DeviceRegister
