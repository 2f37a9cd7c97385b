#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One entry of a selection list whose stored value is not the list position:
// the entry's text and the value it stands for.
struct CodedEntry {
    int textId = 0;
    int code = 0;

    bool operator==(const CodedEntry&) const = default;
};

// Position of the first entry holding the code, or -1.
int IndexOfCode(const std::vector<CodedEntry>& entries, int code);
// Position of the code, or the first entry when no entry holds it.
int IndexOfCodeOrFirst(const std::vector<CodedEntry>& entries, int code);
// The value of the entry at a list position; nullopt when nothing is selected.
std::optional<std::uint16_t> CodeAt(const std::vector<CodedEntry>& entries, int index);
// Entries for consecutive texts whose value is the position.
std::vector<CodedEntry> IndexedEntries(int firstTextId, int count);
