#pragma once

#include <cstdint>

// How an item of the measured-value image is rendered. The numbers 0-18 are
// the kinds the item tables use; the last two are our own.
enum class FormatKind : std::uint8_t {
    Current = 0,         // A, thousandths
    Voltage = 1,         // V, hundredths
    ActivePower = 2,     // W (ZN: tenths)
    ReactivePower = 3,   // var
    ApparentPower = 4,   // VA
    PowerFactor = 5,     // ten-thousandths
    Frequency = 6,       // Hz, hundredths
    LeadLag = 7,         // "lead" / "lag"
    ActiveEnergy = 8,    // kWh, integer part with a 32-bit fraction 56 items higher
    ReactiveEnergy = 9,  // kvarh
    ApparentEnergy = 10, // kVAh
    OperatingTimer = 11, // hours, tenths (ZN: hundredths)
    Thd = 12,            // %, tenths
    Count = 13,
    AnalogOutput = 14,  // by output type, items 1879-1882
    CircuitWiring = 15, // "1-N", "3-N", "1-3"
    Tenths = 16,
    BcdDate = 17,            // year, month, day
    BcdTime = 18,            // hour from the preceding item, minute, second
    DeviceInformation = 100, // items 1873-1878, rendered by item number
    None = 255,              // fractions and items nothing shows
};

// Kind of an item; None for items past the table (1883 and beyond) or negative.
FormatKind FormatKindOf(int item);
