// Feeds arbitrary bytes as a language module and formats every text it
// defines with a few inserts, as the windows do.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/CStringTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CStringTable::Table table;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CStringTable::Parse(text, table);
    for (const auto& [id, pattern] : table)
        (void)FormatMessage(pattern, {"a", 1, 2.5, -3});
    (void)FormatMessage(text, {"x", 42});
    return 0;
}
