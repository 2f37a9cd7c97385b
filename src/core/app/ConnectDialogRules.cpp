#include "app/ConnectDialogRules.h"

#include "text/NumericFieldReader.h"
#include "text/TextIds.h"

namespace {
constexpr int kMinDeviceAddress = 1;
constexpr int kMaxDeviceAddress = 247; // highest Modbus unit id
} // namespace

ConnectVisibility VisibilityForMode(ConnectionMode mode)
{
    switch (mode) {
    case ConnectionMode::Rs485:
        return {true, true, false, true, false};
    case ConnectionMode::Tcp:
        return {true, false, false, false, true};
    case ConnectionMode::Infrared:
        return {false, true, false, false, false};
    case ConnectionMode::Config:
        break;
    }
    return {false, true, true, false, false};
}

ConnectionMode DialogModeFor(ConnectionMode storedMode)
{
    switch (storedMode) {
    case ConnectionMode::Rs485:
    case ConnectionMode::Tcp:
    case ConnectionMode::Config:
        return storedMode;
    case ConnectionMode::Infrared:
        break;
    }
    return ConnectionMode::Infrared;
}

int BaudItemFor(int baudIndex)
{
    return baudIndex >= 0 && baudIndex <= 4 ? baudIndex : 5;
}

int ParityItemFor(SerialParity parity)
{
    const int stored = static_cast<int>(parity);
    return stored >= 0 && stored <= 1 ? stored : 2;
}

int StopItemFor(int stopIndex)
{
    return stopIndex != 0 ? 1 : 0;
}

std::string InitialAddressText(const ComSettings& settings)
{
    const bool withoutAddress =
        settings.Mode() == ConnectionMode::Infrared || settings.Mode() == ConnectionMode::Config;
    return std::to_string(withoutAddress ? 1 : settings.address);
}

int ReadDeviceAddress(const std::string& text)
{
    NumericField field;
    field.scale = 1;
    field.minimum = kMinDeviceAddress;
    field.maximum = kMaxDeviceAddress;
    field.nameId = TextId::DeviceAddressName;
    return static_cast<int>(ReadNumericField(text, field));
}

std::string RememberedDisplayName(const ComSettings& settings, ConnectionMode mode)
{
    switch (mode) {
    case ConnectionMode::Rs485:
        return settings.comPortDisplayName;
    case ConnectionMode::Infrared:
        return settings.irPortDisplayName;
    case ConnectionMode::Config:
        return settings.configPortDisplayName;
    case ConnectionMode::Tcp:
        break;
    }
    return {};
}

void AddRememberedPorts(CSerialPortList& ports, const ComSettings& settings)
{
    const std::pair<const std::string*, const std::string*> remembered[] = {
        {&settings.comPortName, &settings.comPortDisplayName},
        {&settings.irPortName, &settings.irPortDisplayName},
        {&settings.configPortName, &settings.configPortDisplayName},
    };
    for (const auto& [name, displayName] : remembered) {
        if (name->empty())
            continue;
        bool listed = false;
        for (const SerialPortEntry& entry : ports.Entries())
            listed = listed || entry.path == *name;
        if (listed)
            continue;
        // Keyed like the discovered ports (the name without its folder), so it sorts among them.
        std::string key = *name;
        if (key.rfind("/dev/", 0) == 0)
            key.erase(0, 5);
        ports.StoreRemembered(key, {*name, displayName->empty() ? *name : *displayName, "", ""});
    }
}

void StorePort(ComSettings& settings, ConnectionMode mode, const SerialPortEntry& port)
{
    switch (mode) {
    case ConnectionMode::Rs485:
        settings.comPortName = port.path;
        settings.comPortDisplayName = port.displayName;
        break;
    case ConnectionMode::Infrared:
        settings.irPortName = port.path;
        settings.irPortDisplayName = port.displayName;
        break;
    case ConnectionMode::Config:
        settings.configPortName = port.path;
        settings.configPortDisplayName = port.displayName;
        break;
    case ConnectionMode::Tcp:
        break;
    }
}

bool OffersVerifyAfterDownload(ConnectPurpose purpose)
{
    return purpose == ConnectPurpose::Download;
}
