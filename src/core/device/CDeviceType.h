#pragma once

#include <cstdint>

#include "device/DeviceTypeRecord.h"

class CModbusInterface;

// A device identity: what the identification registers report, plus the
// catalogue row it resolved to. Embedded in every parameter set.
class CDeviceType {
public:
    CDeviceType() = default;
    virtual ~CDeviceType() = default;
    CDeviceType(const CDeviceType&) = default;
    CDeviceType& operator=(const CDeviceType&) = default;

    std::uint16_t modelCode = 0;
    std::uint16_t firmwareVersion = 0;
    std::uint16_t optionCode = 0; // stored masked with kOptionCodeMask
    IoWords ioWords{};

    // Sets the catalogue index from the identity fields, or -1 when no row matches.
    void Resolve();
    // Fills the identity from the row of typeId (firmware = the row's lowest
    // version) and stores the row index; an unknown id leaves the object as it was.
    void SelectById(int typeId);
    // Reads registers 9600, 9601, 9622 and 9623-9627 of a connected device, one
    // request each, and resolves. Returns the high half of the capability word.
    // A device the catalogue does not know throws 11023; read errors pass unchanged.
    std::uint32_t Identify(CModbusInterface& connection);

    // Row index in storage order, resolving first if needed; -1 when unresolved.
    int CatalogueIndex() const;
    // The resolved row, or nullptr.
    const DeviceTypeRecord* Record() const;
    // Type id of the resolved row, or -1.
    int TypeId() const;

    Capabilities Caps() const;
    std::uint32_t CapsLow() const { return static_cast<std::uint32_t>(Caps()); }
    std::uint32_t CapsHigh() const { return static_cast<std::uint32_t>(Caps() >> 32); }
    bool Has(Capabilities mask) const { return (Caps() & mask) != 0; }

    // Identity fields equal (the cached index is not compared).
    bool SameIdentity(const CDeviceType& other) const;

private:
    // A cache of Resolve(); readers that find it negative resolve first.
    mutable std::int32_t catalogueIndex_ = -1;
    std::int32_t Match() const;
};
