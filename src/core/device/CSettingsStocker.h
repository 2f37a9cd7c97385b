#pragma once

#include <array>

#include "device/ParameterSet.h"

// Converts a parameter set when the user picks another device variant, and
// keeps what one family's settings looked like while the set belongs to
// another, so switching there and back restores the user's edits.
class CSettingsStocker {
public:
    enum class Store : int {
        Ao4to20mA = 0, // analog output values of 4-20 mA variants
        Ao1to5V = 1,   // analog output values of 1-5 V variants
        ZmAo = 2,      // the ZM variant with one analog output, with its Output type
        Unused = 3,
        KtbDisplay = 4,     // display words 4-27 of KTB variants
        KtaGen2Display = 5, // display words 4-27 of second-generation KTA variants
    };
    static constexpr int kStoreCount = 6;

    CSettingsStocker();
    virtual ~CSettingsStocker() = default;

    // Switches set to the variant of typeId and brings every variant-dependent
    // word into the new variant's range. With reset, the variant-dependent
    // settings and the stored analog output values start from the defaults.
    void ChangeDeviceType(int typeId, ParameterSet& set, bool reset);

    const ParameterSet& StoredSet(Store store) const;

private:
    std::array<ParameterSet, kStoreCount> stores_;

    ParameterSet& Stored(Store store);
    void ResetAoStores();
    void ConvertDisplayLines(ParameterSet& set, Capabilities oldCaps, Capabilities newCaps);
    void ConvertAoValues(ParameterSet& set, Capabilities oldCaps, Capabilities newCaps);
};
