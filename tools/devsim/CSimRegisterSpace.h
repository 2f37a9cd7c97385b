#pragma once

#include <cstdint>
#include <vector>

// The 65536 registers of a simulated device. Values are held in canonical
// order: a 32-bit value keeps its low word at the lower address. The wire
// view (Read/Write) exchanges the two words of every registered pair while
// the device's word order is "high word first".
class CSimRegisterSpace {
public:
    enum Attribute : std::uint8_t {
        Present = 0x01,
        Writable = 0x02,
        PairLow = 0x04,   // first register of a 32-bit value
        PairHigh = 0x08,  // second register of a 32-bit value
        Protected = 0x10, // writes need the passcode unlock while a passcode is set
    };

    CSimRegisterSpace();

    void Define(int first, int count, std::uint8_t attributes);
    void Clear(int first, int count, std::uint8_t attributes);
    // Marks count consecutive 32-bit values starting at first as pairs.
    void DefinePairs(int first, int count32);

    bool IsPresent(int first, int count) const;
    bool AllHave(int first, int count, std::uint8_t attribute) const;
    bool AnyHas(int first, int count, std::uint8_t attribute) const;
    std::uint8_t Attributes(int address) const { return attributes_[Index(address)]; }

    void SetHighWordFirst(bool on) { highWordFirst_ = on; }
    bool HighWordFirst() const { return highWordFirst_; }

    // Canonical access for the device's own logic.
    std::uint16_t Get(int address) const { return values_[Index(address)]; }
    void Set(int address, std::uint16_t value) { values_[Index(address)] = value; }
    std::int32_t Get32(int address) const;
    void Set32(int address, std::int32_t value);

    // Wire access: what a read returns and where a written register lands.
    std::uint16_t WireRead(int address) const { return values_[Index(CanonicalOf(address))]; }
    void WireWrite(int address, std::uint16_t value)
    {
        values_[Index(CanonicalOf(address))] = value;
    }
    int CanonicalOf(int address) const;

private:
    static std::size_t Index(int address) { return static_cast<std::size_t>(address & 0xFFFF); }

    std::vector<std::uint16_t> values_;
    std::vector<std::uint8_t> attributes_;
    bool highWordFirst_ = false;
};
