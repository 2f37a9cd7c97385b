#pragma once

#include <QString>

#include <functional>
#include <string>

#include "app/CAppSettings.h"

class CSettingsStore;

// The program from start to end: reads the settings, selects the display
// language, shows the main configuration window again and again while it asks
// to be shown again, and writes the settings back.
class CMyORMELApp {
public:
    // Runs the main configuration window once, modally. 1: show it again (the
    // language was switched); any other result ends the program. The window
    // starts from Settings().LastParameterSet() and copies its working set
    // back there before it ends.
    using MainDialogRunner = std::function<int(CMyORMELApp&)>;

    struct Environment {
        std::string executableFolder; // where the language modules lie
        std::string applicationName;  // the executable's base name
        std::function<bool()> japaneseLocale = &CMyORMELApp::SystemLocaleIsJapanese;
    };

    // Not owned: the store outlives the application.
    CMyORMELApp(CSettingsStore& store, Environment environment);

    // Reads the settings, selects the saved language, runs the loop and
    // writes the settings. Returns the process's exit code.
    int Run(const MainDialogRunner& runMainDialog);

    // Frees a loaded language module, then loads the one of the row; a module
    // that cannot be loaded is reported and English is kept. -1 chooses from
    // the system locale.
    void SetDisplayLanguage(int languageIndex);
    int CurrentLanguage() const { return currentLanguage_; }
    // The Language button: switches to the next language and makes it the
    // setting to be saved. Returns the new index.
    int SwitchToNextLanguage();

    CAppSettings& Settings() { return settings_; }
    const CAppSettings& Settings() const { return settings_; }

    static bool SystemLocaleIsJapanese();

private:
    CAppSettings settings_;
    Environment environment_;
    int currentLanguage_ = 0;
};

// "ORMEL Version 1.0.0": the title of the main and the monitor windows.
QString GetAppTitle();
