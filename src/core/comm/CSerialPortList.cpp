#include "comm/CSerialPortList.h"

#include <iterator>

void CSerialPortList::Store(const std::string& portName, SerialPortEntry entry)
{
    entries_[portName] = std::move(entry);
    unreported_.erase(portName);
}

void CSerialPortList::StoreRemembered(const std::string& portName, SerialPortEntry entry)
{
    entries_[portName] = std::move(entry);
    unreported_.insert(portName);
}

std::vector<SerialPortEntry> CSerialPortList::Entries() const
{
    std::vector<SerialPortEntry> out;
    out.reserve(entries_.size());
    for (const auto& [name, entry] : entries_)
        out.push_back(entry);
    return out;
}

const SerialPortEntry* CSerialPortList::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &std::next(entries_.begin(), index)->second;
}

std::string CSerialPortList::PathAt(int index) const
{
    const SerialPortEntry* entry = At(index);
    return entry ? entry->path : std::string();
}

std::string CSerialPortList::DisplayNameAt(int index) const
{
    const SerialPortEntry* entry = At(index);
    return entry ? entry->displayName : std::string();
}

int CSerialPortList::FindAdapter(const std::string& productId) const
{
    int index = 0;
    for (const auto& [name, entry] : entries_) {
        if (entry.vendorId == kAdapterVendorId && entry.productId == productId)
            return index;
        ++index;
    }
    return -1;
}

int CSerialPortList::LastNamed(const std::string& displayName, bool reported) const
{
    int found = -1;
    int index = 0;
    for (const auto& [name, entry] : entries_) {
        if (entry.displayName == displayName && unreported_.contains(name) != reported)
            found = index;
        ++index;
    }
    return found;
}

int CSerialPortList::IndexForMode(ConnectionMode mode,
                                  const std::string& rememberedDisplayName) const
{
    if (mode == ConnectionMode::Tcp)
        return -1;
    if (const int found = LastNamed(rememberedDisplayName, true); found >= 0)
        return found;
    const int adapter = FindAdapter(mode == ConnectionMode::Infrared ? kInfraredAdapterProductId
                                                                     : kConfigCableProductId);
    if (adapter >= 0)
        return adapter;
    return LastNamed(rememberedDisplayName, false);
}
