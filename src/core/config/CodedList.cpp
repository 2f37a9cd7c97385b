#include "config/CodedList.h"

int IndexOfCode(const std::vector<CodedEntry>& entries, int code)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == code)
            return static_cast<int>(i);
    return -1;
}

int IndexOfCodeOrFirst(const std::vector<CodedEntry>& entries, int code)
{
    const int index = IndexOfCode(entries, code);
    return index < 0 && !entries.empty() ? 0 : index;
}

std::optional<std::uint16_t> CodeAt(const std::vector<CodedEntry>& entries, int index)
{
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return std::nullopt;
    return static_cast<std::uint16_t>(entries[static_cast<size_t>(index)].code);
}

std::vector<CodedEntry> IndexedEntries(int firstTextId, int count)
{
    std::vector<CodedEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({firstTextId + i, i});
    return entries;
}
