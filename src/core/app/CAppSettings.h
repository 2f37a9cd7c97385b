#pragma once

#include <cstdint>

#include "app/CSettingsStore.h"
#include "device/ParameterSet.h"

// The application-wide settings of section "Settings" and the last parameter
// set: read once at start-up, written back when the main window's loop ends.
// The display language is only remembered here; loading the language is the
// user interface's business.
class CAppSettings {
public:
    static constexpr const char* kSection = "Settings";
    static constexpr int kAutomaticLanguage = -1;

    // Not owned: the store outlives the application's settings.
    explicit CAppSettings(CSettingsStore& store) : store_(store) {}

    // Reads the values and switches the last parameter set to the saved
    // variant with that variant's defaults. An id that names no variant is
    // passed to the variant change unchanged, which then keeps the default one.
    void Load();
    // Writes the device id of the last parameter set, the display language
    // now in force, and the report's hide flag and the download's verify
    // choice as 1 or 0.
    void Save();

    // The type id of the set's variant, resolving an unresolved identity
    // first; 0 when it names no variant.
    static std::uint16_t DeviceIdOf(const ParameterSet& set);

    std::uint16_t DeviceId() const { return deviceId_; }
    int DisplayLanguage() const { return displayLanguage_; }
    void SetDisplayLanguage(int languageIndex) { displayLanguage_ = languageIndex; }
    bool HideIgnoreParameters() const { return hideIgnoreParameters_; }
    void SetHideIgnoreParameters(bool hide) { hideIgnoreParameters_ = hide; }
    // "Verify after download" of the Connect dialog: a Download reads the
    // words it wrote back and compares them.
    bool VerifyDownload() const { return verifyDownload_; }
    void SetVerifyDownload(bool verify) { verifyDownload_ = verify; }

    ParameterSet& LastParameterSet() { return lastParameterSet_; }
    const ParameterSet& LastParameterSet() const { return lastParameterSet_; }

private:
    CSettingsStore& store_;
    std::uint16_t deviceId_ = 0;
    int displayLanguage_ = kAutomaticLanguage;
    bool hideIgnoreParameters_ = true;
    bool verifyDownload_ = true;
    ParameterSet lastParameterSet_;
};
