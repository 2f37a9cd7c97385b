#include "comm/ComSettings.h"

#include "app/CSettingsStore.h"

namespace {
const char* const kSection = "ComSettings";
}

void ComSettings::Load(const CSettingsStore& store)
{
    // Start from the defaults so a value missing from the store never keeps
    // whatever this record held before.
    const ComSettings defaults;
    *this = defaults;
    auto getInt = [&](const char* key, int fallback) {
        return store.GetInt(kSection, key, fallback);
    };
    auto getString = [&](const char* key, const std::string& fallback) {
        return store.GetString(kSection, key, fallback);
    };
    mode = static_cast<ConnectionMode>(getInt("Mode", static_cast<int>(defaults.mode)));
    address = getInt("Address", defaults.address);
    comPortName = getString("COMPortName", defaults.comPortName);
    comPortDisplayName = getString("COMPortDisplayName", defaults.comPortDisplayName);
    irPortName = getString("IRCOMPortName", defaults.irPortName);
    irPortDisplayName = getString("IRCOMPortDisplayName", defaults.irPortDisplayName);
    configPortName = getString("ConfigCOMPortName", defaults.configPortName);
    configPortDisplayName = getString("ConfigCOMPortDisplayName", defaults.configPortDisplayName);
    baudIndex = getInt("Baudrate", defaults.baudIndex);
    // "Character" is written but never read: the line always runs 8 data bits.
    parity = static_cast<SerialParity>(getInt("Parity", static_cast<int>(defaults.parity)));
    stopIndex = getInt("Stop", defaults.stopIndex);
    serverAddress = getString("ServerAddress", defaults.serverAddress);
    servicePort = getString("ServicePort", defaults.servicePort);
}

void ComSettings::Save(CSettingsStore& store) const
{
    store.SetInt(kSection, "Mode", static_cast<int>(mode));
    store.SetInt(kSection, "Address", address);
    store.SetString(kSection, "COMPortName", comPortName);
    store.SetString(kSection, "COMPortDisplayName", comPortDisplayName);
    store.SetString(kSection, "IRCOMPortName", irPortName);
    store.SetString(kSection, "IRCOMPortDisplayName", irPortDisplayName);
    store.SetString(kSection, "ConfigCOMPortName", configPortName);
    store.SetString(kSection, "ConfigCOMPortDisplayName", configPortDisplayName);
    store.SetInt(kSection, "Baudrate", baudIndex);
    store.SetInt(kSection, "Character", characterIndex);
    store.SetInt(kSection, "Parity", static_cast<int>(parity));
    store.SetInt(kSection, "Stop", stopIndex);
    store.SetString(kSection, "ServerAddress", serverAddress);
    store.SetString(kSection, "ServicePort", servicePort);
}
