#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "background/CObservable.h"

// The measured-value image of a monitor window: 32768 signed 32-bit items
// addressed by item number, plus the device facts the windows need to render
// them. The monitor worker writes it, the window reads it only while handling
// the notification that follows a finished command, so the two never overlap.
//
// Everything starts at zero, so a cell shows its zero rendering ("0.000",
// "lag", ...) until the first command that fills it.
class CMeasurandsKTA : public CObservable {
public:
    static constexpr int kItemCount = 32768;
    // Items 0-1882 have a format kind; every item at or past this renders empty.
    static constexpr int kFormattedItems = 1883;
    static constexpr int kSpectrumRows = 20;
    static constexpr int kSpectrumValues = 30; // orders 2-31, 0.1 % of the fundamental
    static constexpr int kAngleCount = 12;

    CMeasurandsKTA() = default;
    ~CMeasurandsKTA() override = default;
    CMeasurandsKTA(const CMeasurandsKTA&) = default;
    CMeasurandsKTA& operator=(const CMeasurandsKTA&) = default;

    // Out-of-range items read as 0 and ignore writes.
    std::int32_t Item(int item) const;
    void SetItem(int item, std::int32_t value);

    // Display text of one item; never fails, empty for items it does not render.
    std::string FormatItem(int item) const;

    // Item values and the fields below are public data: the poll commands
    // fill them field by field, exactly as the registers arrive.
    std::array<std::int32_t, kItemCount> items{};
    std::array<std::array<std::uint16_t, kSpectrumValues>, kSpectrumRows> spectrum{};
    // Phase angles as fractions of a full turn (degrees = value x 360 / 65536).
    // [0..5] block A (registers 30000-30005, 30100-30105 on channel 2);
    // [6..11] block B (registers 30100-30105, the second ZN system).
    std::array<std::uint16_t, kAngleCount> angles{};
    // Registers 5991 (1 = simple measurement) and 5992 (its power factor x 10000).
    std::array<std::uint16_t, 2> modelWords{};
    std::uint16_t wiringSystem = 0;               // register 5600, index into texts 1600-1608
    std::uint16_t loopTestWord = 0;               // register 5335 (5338 on channel 2)
    std::int32_t ratedCurrent = 0;                // primary current rating, A
    std::int32_t ratedVoltage = 0;                // primary voltage rating, V
    std::array<std::int32_t, 4> circuitRatings{}; // primary current of circuits A-D (ZN)
    std::uint16_t modelCode = 0;                  // register 9600
    std::uint16_t firmwareVersion = 0;            // register 9601, version x 100
    std::array<char, 8> serial{};                 // registers 9602-9605, not terminated
    std::array<char, 16> tag{};                   // registers 9606-9613, not terminated
    std::uint16_t optionCode = 0;                 // register 9622, unmasked
    // Registers 9623-9626: [2] = analog outputs, [3] = input channels. The
    // "I/O word n" of the device descriptions is ioWords[n - 1].
    std::array<std::uint16_t, 4> ioWords{};
    std::array<std::uint16_t, 3> versionTriple{}; // registers 9597-9599, zero when absent
    std::uint32_t storedPasscode = 0;             // registers 5333-5334, non-zero when protected
    std::uint16_t outputType = 0; // 0 "0 - 20mA DC", 1 "-5 - +5V DC", 2 "-10 - +10V DC"
    std::array<std::int16_t, 4> outputValues{}; // Ao1-Ao4, registers 3136-3139
    std::uint16_t fixedOutput = 0; // register 5339, non-zero while the outputs are fixed

private:
    std::string FormatEnergy(int item) const;
    std::string FormatOutput(int output) const;
    std::string FormatDeviceInformation(int item) const;
};
