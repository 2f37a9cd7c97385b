#pragma once

#include <cstdint>

#include "device/Capabilities.h"

struct ParameterSet;

// Word 28: the tariff the device counts energy in.
namespace TariffWord {
constexpr int Tariff = 28;
} // namespace TariffWord

enum class Tariff : std::uint16_t { High = 0, Low = 1 };

// Any non-zero word counts as the low (off-peak) tariff.
Tariff TariffOfWord(std::uint16_t word);
// The note points to the tariff function of the advanced settings, which QG
// does not have among its settings.
bool TariffNoteVisible(Capabilities caps);

// "Switch tariff": which of its two buttons is checked.
struct TariffForm {
    Tariff tariff = Tariff::High;
};
TariffForm TariffFormOf(const ParameterSet& set);
void ReadTariffForm(const TariffForm& form, ParameterSet& set);
