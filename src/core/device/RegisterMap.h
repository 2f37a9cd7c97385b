#pragma once

#include <cstdint>
#include <vector>

#include "device/CDeviceType.h"

enum class RegisterWidth : std::uint8_t { Bits16 = 16, Bits32 = 32 };

// One block of device holding registers and the parameter-set words it holds.
// For a 32-bit entry count is in values: it covers 2 x count registers and words.
struct RegisterBlock {
    std::uint16_t reg;
    std::uint16_t count;
    std::uint16_t firstWord;
    RegisterWidth width;
    bool endsBlock; // download sends the pending write request after this entry
    std::uint32_t capsLow;
    std::uint32_t capsHigh;

    bool Is32Bit() const { return width == RegisterWidth::Bits32; }
    int RegisterCount() const { return Is32Bit() ? 2 * count : count; }
    int WordCount() const { return RegisterCount(); }
    int EndRegister() const { return reg + RegisterCount(); } // exclusive
    int EndWord() const { return firstWord + WordCount(); }   // exclusive
    Capabilities Caps() const { return CapMask(capsLow, capsHigh); }
};

using RegisterMapEntry = RegisterBlock;

// QH devices place their parameters elsewhere and have no word-order register
// (register 5735 lies inside their energy records), so transfers of a QH set
// must neither read nor honour it.
enum class RegisterMapKind : std::uint8_t { Main, Qh };

constexpr int kMainRegisterMapEntries = 131;
constexpr int kQhRegisterMapEntries = 43;

const std::vector<RegisterBlock>& MainRegisterMap();
const std::vector<RegisterBlock>& QhRegisterMap();
const std::vector<RegisterBlock>& RegisterMapOf(RegisterMapKind kind);

// The QH map for a variant with CapQh; every other variant, and an unresolved
// identity, uses the main map.
RegisterMapKind RegisterMapKindFor(const CDeviceType& type);
const std::vector<RegisterBlock>& RegisterMapFor(const CDeviceType& type);
bool HasWordOrderRegister(const CDeviceType& type);

// Either half of the entry's mask meets the same half of the capability word.
// An unresolved identity has no capabilities, so nothing applies to it.
bool EntryApplies(const RegisterBlock& entry, Capabilities caps);
bool EntryApplies(const RegisterBlock& entry, const CDeviceType& type);
