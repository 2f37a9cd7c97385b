#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "comm/ComSettings.h"
#include "comm/PortNames.h"

// The maker's USB adapters, known by the USB ids of the device behind a port.
inline constexpr const char* kAdapterVendorId = "A7C4";
inline constexpr const char* kConfigCableProductId = "0005";
inline constexpr const char* kInfraredAdapterProductId = "0004";

struct SerialPortEntry {
    std::string path;        // what the serial transport opens
    std::string displayName; // what the Connect dialog lists
    std::string vendorId;    // four upper-case hex digits, or empty
    std::string productId;
};

// The serial ports of the PC in port order. Indexes are those of the Connect
// dialog's port list; an index outside the list reads as empty.
class CSerialPortList {
public:
    // Stores an entry under its port name; a port stored twice keeps the later entry.
    void Store(const std::string& portName, SerialPortEntry entry);
    // Stores a port the system did not report but the settings remember
    // (a virtual line, or an adapter that has gone or moved).
    void StoreRemembered(const std::string& portName, SerialPortEntry entry);

    int Count() const { return static_cast<int>(entries_.size()); }
    std::vector<SerialPortEntry> Entries() const;
    std::string PathAt(int index) const;
    std::string DisplayNameAt(int index) const;

    // Index of the first of the maker's adapters with this product id, or -1.
    int FindAdapter(const std::string& productId) const;

    // The port the Connect dialog selects for a mode: the last reported entry
    // shown under the name remembered for the mode, else the mode's adapter,
    // else the remembered port the system did not report, else -1. A port that
    // has moved is then found at its new place rather than at its old name.
    int IndexForMode(ConnectionMode mode, const std::string& rememberedDisplayName) const;

private:
    const SerialPortEntry* At(int index) const;
    int LastNamed(const std::string& displayName, bool reported) const;

    std::map<std::string, SerialPortEntry, PortNameLess> entries_;
    std::set<std::string, PortNameLess> unreported_;
};
