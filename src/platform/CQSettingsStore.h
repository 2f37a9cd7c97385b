#pragma once

#include <memory>
#include <string>

#include "app/CSettingsStore.h"

class QSettings;

// Settings of the current user under organisation "QZ" and the application's
// name (the executable's base name): the registry on Windows,
// ~/.config/QZ/<app>.conf here.
class CQSettingsStore : public CSettingsStore {
public:
    explicit CQSettingsStore(const std::string& applicationName);
    ~CQSettingsStore() override;

    bool Contains(const std::string& section, const std::string& key) const override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void SetString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void Remove(const std::string& section, const std::string& key) override;
    void Sync();

private:
    std::unique_ptr<QSettings> settings_;
};
