#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "utility/ScaledInput.h"

class CMeasurandsKTA;
class CModbusInterface;

// The preset of energy counters, operating timers and pulse counters.
enum class PresetKind { Timer = 1, Energy = 2, NetEnergy = 3, Counter = 4 };

// One presettable cell: its item, first register, name and kind.
struct EnergyPresetRow {
    int item;
    int reg;
    int nameId;
    PresetKind kind;
};
// The 36 rows: both tariffs' fourteen counters, then the eight pulse counters.
std::span<const EnergyPresetRow> EnergyPresetTable();
const EnergyPresetRow* FindEnergyPresetRow(int item);

// The units a device counts energy in: 0.1 (kWh, h) with a fraction of 1000
// thousandths, or on ZN 0.01 with a fraction of 100 hundredths.
enum class EnergyUnits { Tenths, Hundredths };

// What a cell accepts, in 0.0001 units for energy, 0.1 h (ZN 0.01 h) for the
// timer and counts for counters. ZN ranges are cut so that the integer part
// still fits its 32-bit register.
ScaledInput EnergyPresetInput(const EnergyPresetRow& row, EnergyUnits units);

// The registers a value is written as: integer part, and for kinds 1-3 the
// fraction (0 for the timer), a 32-bit fixed-point fraction of one integer
// step that the image's energy rule reads back as the typed digits.
struct PresetParts {
    std::int32_t integer = 0;
    std::optional<std::uint32_t> fraction;
};
// value as accepted by EnergyPresetInput; mathematical floor and a
// non-negative remainder for negative net energy.
PresetParts SplitPresetValue(PresetKind kind, std::int64_t value, EnergyUnits units);

// Writes one preset value of a cell (channel 0 or 1: +4000 for kinds 1-3; on
// ZN channel 1 is the second system) under the connection's access lock. Kinds 1-3 enter write mode
// 2 and leave it fully; kind 4 needs no unlock and never touches 4944. Nothing when the item has no
// row or the unlock was refused or cancelled; the written parts otherwise. Communication errors
// throw (after the write mode was left).
std::optional<PresetParts> WriteEnergyPreset(CModbusInterface& connection, int channel, int item,
                                             std::int64_t value, EnergyUnits units);

// The preset page's reads for one tab (0-3 the tariff tabs, 4 the counters)
// under the access lock: the word order, the identity into the image (the
// energy rule of ZN needs its model code), then the tab's blocks with their
// fractions; channel 1 reads the second input (ZN: the second system), 4000
// registers higher. counters is the device's counter count: without counters
// items 390-397 read as zero.
void ReadPresetTab(CModbusInterface& connection, int channel, int energyTab, int counters,
                   CMeasurandsKTA& image);

// The written parts into the page's image: the item and its fraction 56 items above.
void StorePreset(CMeasurandsKTA& image, int item, const PresetParts& parts);
