#pragma once

#include <array>
#include <cstdint>

#include "device/Capabilities.h"
#include "device/ParameterSet.h"

// How a parameter word is read and shown. The values 0-9 are fixed.
enum class ValueType {
    Num16 = 0,    // signed 16-bit number divided by the scale
    Num32,        // signed 32-bit number over two words, low word first, divided by the scale
    Choice,       // text id = scale (text base) + value
    Passcode,     // never shown
    Num16OrText,  // number, or the text whose id is the scale when the value is 0
    Num16xFactor, // value multiplied by the scale
    AoValue,      // analog output value; its decimals depend on the output type
    Ipv4,         // address over two words
    BitSet,       // one item per set bit
    UnitText,     // four characters over two words
};

// The meaning of one word of the parameter set. The second word of a
// two-word value repeats group, name, type, scale and mask of the first.
struct ParameterDescriptor {
    int groupId; // text id 16000-16060
    int nameId;  // text id 15000-15702 or 3849-3877
    ValueType type;
    int scale; // divisor, factor or text base, by type
    std::uint32_t maskLow;
    std::uint32_t maskHigh;
    // Holding register that carries this very word (the first register + 1 for
    // the second word of a pair); -1 when the map does not transfer it.
    int mainRegister;
    int qhRegister;
    std::uint16_t defaultWord; // what a default-constructed set holds
    bool secondWord;           // the second word of a Num32, Ipv4 or UnitText value

    Capabilities Mask() const { return CapMask(maskLow, maskHigh); }
};

// Words a value of this type covers: 2 for Num32, Ipv4 and UnitText, else 1.
int ValueWordCount(ValueType type);

const std::array<ParameterDescriptor, kParameterWords>& ParameterDescriptors();

// The descriptor of a word; a word outside 0-474 gets one that applies to no device.
const ParameterDescriptor& GetParameterDescriptor(int word);

// A word applies to a device when its mask intersects the device's capabilities.
bool DescriptorApplies(const ParameterDescriptor& descriptor, Capabilities caps);
bool DescriptorApplies(int word, const CDeviceType& type);
