#pragma once

#include <cstdint>
#include <optional>

#include "utility/ScaledInput.h"

// What the cells of the test dialogs accept, by item number (the items the
// dialogs show). Nothing for a cell that is not editable.

// Measured-value loop test, items 0-32 (lead/lag items 7 and 30-32 are not
// editable). znUnits: the ZN family counts power in 0.1 W, so its power cells
// take one decimal; items 33-65 are then the second system's, laid out as 0-32.
std::optional<ScaledInput> MeasuredLoopTestInput(int item, bool znUnits);

// QH loop test, channel-relative items: voltages and frequency 862-869,
// currents 886-890, powers and power factors 1006-1021.
std::optional<ScaledInput> QhLoopTestInput(int item);

// An analog output of the loop-back dialog (output 0-3, names "Ao1"-"Ao4") by
// the device's option code and output type (register 3135).
ScaledInput AnalogOutputInput(std::uint16_t optionCode, std::uint16_t outputType, int output);
