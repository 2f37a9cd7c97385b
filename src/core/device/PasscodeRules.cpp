#include "device/PasscodeRules.h"

#include <cstdlib>

#include "app/CSettingsStore.h"

namespace {

// 2^31 - 1 is prime and larger than every passcode + 1000000000, so x -> x^e
// is a bijection on the stored range and the result fits a signed registry integer.
constexpr std::uint64_t kModulus = 2147483647;
constexpr std::uint64_t kStoreExponent = 65537;
constexpr std::uint64_t kReadExponent = 1431677609; // inverse of 65537 mod (2^31 - 2)
constexpr std::uint32_t kPasscodeOffset = 1000000000;

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent)
{
    std::uint64_t result = 1;
    base %= kModulus;
    while (exponent) {
        if (exponent & 1)
            result = result * base % kModulus;
        base = base * base % kModulus;
        exponent >>= 1;
    }
    return result;
}

} // namespace

std::uint32_t ParseModbusPasscodeLiteral(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const long long v = std::strtoll(begin, &end, 0);
    if (end == begin || *end != '\0' || v < 0 || v > kMaxModbusPasscode)
        return 0;
    return static_cast<std::uint32_t>(v);
}

std::int32_t EncodeRememberedPasscode(std::uint32_t passcode)
{
    return static_cast<std::int32_t>(
        PowMod(std::uint64_t(passcode) + kPasscodeOffset, kStoreExponent));
}

std::optional<std::uint32_t> DecodeRememberedPasscode(std::int32_t stored)
{
    if (stored <= 0 || std::uint64_t(stored) >= kModulus)
        return std::nullopt;
    const std::uint64_t plain = PowMod(std::uint64_t(stored), kReadExponent);
    if (plain < kPasscodeOffset || plain > kPasscodeOffset + kMaxModbusPasscode)
        return std::nullopt; // written by another build or tampered with
    return static_cast<std::uint32_t>(plain - kPasscodeOffset);
}

std::optional<std::uint32_t> LoadRememberedPasscode(const CSettingsStore& store)
{
    const int stored = store.GetInt("Settings", "Passcode", -1);
    if (stored == -1)
        return std::nullopt;
    return DecodeRememberedPasscode(stored);
}

void SaveRememberedPasscode(CSettingsStore& store, std::uint32_t passcode)
{
    store.SetInt("Settings", "Passcode", EncodeRememberedPasscode(passcode));
}

void ForgetRememberedPasscode(CSettingsStore& store)
{
    store.SetInt("Settings", "Passcode", -1);
}
