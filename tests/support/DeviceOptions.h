#pragma once

#include <cstdint>

#include "SimOptions.h"

// A simulated device of one variant, protected by a Modbus passcode unless it is 0.
inline SimOptions DeviceOptions(int typeId, std::uint32_t passcode = 0)
{
    SimOptions options;
    options.typeId = typeId;
    options.passcode = passcode;
    return options;
}
