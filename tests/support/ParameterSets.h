#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"

// A set as the editor starts one for a variant: the variant's defaults.
inline ParameterSet SetOf(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

// A set that carries only the variant's identity: every word zero except the
// (word, value) pairs given, so a test sees exactly the words it sets.
inline ParameterSet ZeroedSetOf(int typeId, const std::vector<std::pair<int, int>>& words = {})
{
    ParameterSet set;
    set.type.SelectById(typeId);
    for (const auto& [word, value] : words)
        set[word] = static_cast<std::uint16_t>(value);
    return set;
}
