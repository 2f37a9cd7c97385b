#include "CQSettingsStore.h"

#include <QSettings>
#include <QString>

namespace {
QString Key(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section + "/" + key);
}
} // namespace

CQSettingsStore::CQSettingsStore(const std::string& applicationName)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("QZ"),
                                            QString::fromStdString(applicationName)))
{
}

CQSettingsStore::~CQSettingsStore() = default;

bool CQSettingsStore::Contains(const std::string& section, const std::string& key) const
{
    return settings_->contains(Key(section, key));
}

std::string CQSettingsStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const
{
    const QVariant v = settings_->value(Key(section, key));
    return v.isValid() ? v.toString().toStdString() : defaultValue;
}

void CQSettingsStore::SetString(const std::string& section, const std::string& key,
                                const std::string& value)
{
    settings_->setValue(Key(section, key), QString::fromStdString(value));
}

void CQSettingsStore::Remove(const std::string& section, const std::string& key)
{
    settings_->remove(Key(section, key));
}

void CQSettingsStore::Sync()
{
    settings_->sync();
}
