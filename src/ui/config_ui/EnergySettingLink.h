#pragma once

#include "device/ParameterSet.h"

class QWidget;

// Opens the Energy Setting of pulse output `output` (0-3) on `set`, which it
// changes only when the user confirms. Returns true when it did.
bool RunEnergySetting(ParameterSet& set, int output, QWidget* parent);
