#pragma once

#include <iterator>
#include <string>

// The display languages. Row 0 uses the texts built into the program; a row
// with a module suffix loads "<app><suffix>" from the executable's folder.
struct LanguageRow {
    const char* name;
    const char* moduleSuffix; // empty: no module
};

inline constexpr LanguageRow kLanguageTable[] = {
    {"English", ""},
    {"Japanese", "_jpn.txt"},
};
inline constexpr int kLanguageCount = static_cast<int>(std::size(kLanguageTable));

// The row in force for a requested index: -1 (automatic) takes Japanese only
// for a Japanese locale; an index the table lacks falls back to row 0.
int ResolveLanguageIndex(int requested, bool japaneseLocale);

// The Language button: the next row with a name, wrapping to row 0.
int NextLanguageIndex(int current);

// Full path of the row's module, or empty when the row has none.
std::string LanguageModulePath(const std::string& executableFolder,
                               const std::string& applicationName, int languageIndex);
