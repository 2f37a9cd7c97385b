#pragma once

#include <map>
#include <string>

// Per-user settings, addressed by section and key ("Settings"/"DeviceId").
// The platform layer stores them with QSettings; tests use the memory store.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;
    virtual bool Contains(const std::string& section, const std::string& key) const = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual void SetString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    virtual void Remove(const std::string& section, const std::string& key) = 0;

    // Integers are kept as decimal text; a value that does not read as one gives the default.
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    void SetInt(const std::string& section, const std::string& key, int value);
};

class CMemorySettingsStore : public CSettingsStore {
public:
    bool Contains(const std::string& section, const std::string& key) const override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void Remove(const std::string& section, const std::string& key) override;

    const std::map<std::string, std::string>& Values() const { return values_; }

private:
    static std::string Path(const std::string& section, const std::string& key)
    {
        return section + "/" + key;
    }
    std::map<std::string, std::string> values_;
};
