#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CSettingsStore;

constexpr std::int64_t kMaxModbusPasscode = 999999999;

// The "Enter Modbus Passcode" edit read as a C integer literal (decimal, 0x
// hexadecimal, leading-0 octal). Trailing characters, a negative value or a
// value above 999999999 give 0.
std::uint32_t ParseModbusPasscodeLiteral(const std::string& text);

// The remembered Modbus passcode ("Passcode" in section "Settings"; -1 means
// none). It is kept as passcode + 1000000000 under a keyed, invertible
// modular-exponentiation transform, so the registry never holds it plainly.
std::int32_t EncodeRememberedPasscode(std::uint32_t passcode);
std::optional<std::uint32_t> DecodeRememberedPasscode(std::int32_t stored);

std::optional<std::uint32_t> LoadRememberedPasscode(const CSettingsStore& store);
void SaveRememberedPasscode(CSettingsStore& store, std::uint32_t passcode);
void ForgetRememberedPasscode(CSettingsStore& store);
