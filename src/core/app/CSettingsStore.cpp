#include "app/CSettingsStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

int CSettingsStore::GetInt(const std::string& section, const std::string& key,
                           int defaultValue) const
{
    if (!Contains(section, key))
        return defaultValue;
    const std::string text = GetString(section, key, "");
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

void CSettingsStore::SetInt(const std::string& section, const std::string& key, int value)
{
    SetString(section, key, std::to_string(value));
}

bool CMemorySettingsStore::Contains(const std::string& section, const std::string& key) const
{
    return values_.count(Path(section, key)) != 0;
}

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) const
{
    auto it = values_.find(Path(section, key));
    return it == values_.end() ? defaultValue : it->second;
}

void CMemorySettingsStore::SetString(const std::string& section, const std::string& key,
                                     const std::string& value)
{
    values_[Path(section, key)] = value;
}

void CMemorySettingsStore::Remove(const std::string& section, const std::string& key)
{
    values_.erase(Path(section, key));
}
