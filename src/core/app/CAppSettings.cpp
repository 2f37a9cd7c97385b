#include "app/CAppSettings.h"

#include "device/CSettingsStocker.h"

namespace {
constexpr const char* kDeviceId = "DeviceId";
constexpr const char* kDisplayLanguage = "DisplayLanguage";
constexpr const char* kHideIgnoreParameters = "HideIgnoreParameters";
constexpr const char* kVerifyDownload = "VerifyDownload";
} // namespace

void CAppSettings::Load()
{
    // The id is kept as 16 bits; higher bits of a stored value are dropped.
    deviceId_ = static_cast<std::uint16_t>(store_.GetInt(kSection, kDeviceId, 0));
    displayLanguage_ = store_.GetInt(kSection, kDisplayLanguage, kAutomaticLanguage);
    hideIgnoreParameters_ = store_.GetInt(kSection, kHideIgnoreParameters, 1) != 0;
    verifyDownload_ = store_.GetInt(kSection, kVerifyDownload, 1) != 0;

    // A fresh stocker: nothing the user edited before this start is restored.
    CSettingsStocker stocker;
    stocker.ChangeDeviceType(deviceId_, lastParameterSet_, true);
}

void CAppSettings::Save()
{
    deviceId_ = DeviceIdOf(lastParameterSet_);
    store_.SetInt(kSection, kDeviceId, deviceId_);
    store_.SetInt(kSection, kDisplayLanguage, displayLanguage_);
    store_.SetInt(kSection, kHideIgnoreParameters, hideIgnoreParameters_ ? 1 : 0);
    store_.SetInt(kSection, kVerifyDownload, verifyDownload_ ? 1 : 0);
}

std::uint16_t CAppSettings::DeviceIdOf(const ParameterSet& set)
{
    const int typeId = set.type.TypeId();
    return typeId < 0 ? 0 : static_cast<std::uint16_t>(typeId);
}
