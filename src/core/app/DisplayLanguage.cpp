#include "app/DisplayLanguage.h"

namespace {
constexpr int kJapanese = 1;
}

int ResolveLanguageIndex(int requested, bool japaneseLocale)
{
    if (requested < 0)
        return japaneseLocale ? kJapanese : 0;
    // A stored index beyond the table would otherwise name no language at all.
    return requested < kLanguageCount ? requested : 0;
}

int NextLanguageIndex(int current)
{
    const int next = current + 1;
    if (next >= 0 && next < kLanguageCount && kLanguageTable[next].name[0] != '\0')
        return next;
    return 0;
}

std::string LanguageModulePath(const std::string& executableFolder,
                               const std::string& applicationName, int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= kLanguageCount)
        return {};
    const std::string suffix = kLanguageTable[languageIndex].moduleSuffix;
    if (suffix.empty())
        return {};
    return executableFolder + "/" + applicationName + suffix;
}
