#pragma once

#include <cstdint>
#include <optional>

#include "utility/ScaledInput.h"

class CMeasurandsKTA;
class CModbusInterface;

// The energy preset of the QH family: a channel's record (29 values from its
// first register, low word first) starts with the active energy in and the
// reactive energy LAG, both in 0.1 units; the preset sets those two.
enum class QhEnergy { ActiveIn = 0, ReactiveLag = 1 };

enum class QhModule { Basic = 0, Extension = 1 };

// First register of channel 0-15's record (channels 8-15 on the extension module).
int QhEnergyRecordRegister(int channel);

// A presettable cell of the energy page: items 398 + 29c (active in) and
// 399 + 29c (reactive LAG) for c = 0-7 on the shown module.
struct QhPresetCell {
    int channel = 0; // 0-15
    QhEnergy quantity = QhEnergy::ActiveIn;
};
std::optional<QhPresetCell> QhPresetCellOf(int item, QhModule module);
// The item a cell shows on its module's page.
int QhPresetItem(const QhPresetCell& cell);

// The QH preset page's reads under the access lock, low word first: for each
// channel of the module the first two values of its record into items
// 398 + 29c and 399 + 29c, and the device clock 9104-9106 into items 1870
// (9104 in the low half, 9105 in the high half) and 1871 (9106).
void ReadQhPresetPage(CModbusInterface& connection, QhModule module, CMeasurandsKTA& image);

// 0.0 to 99999999.9 in 0.1 units, named "Active in" or "Reactive LAG".
ScaledInput QhPresetInput(QhEnergy quantity);

// Under the access lock: QH unlock, the value as one 32-bit value at its
// register, then the protection fully restored. False when the unlock was
// refused or cancelled; communication errors throw after the lock step ran.
bool WriteQhEnergyPreset(CModbusInterface& connection, const QhPresetCell& cell,
                         std::int64_t value);
