#include "app/CMyORMELApp.h"

#include <QLocale>

#include "app/DebugLog.h"
#include "app/DisplayLanguage.h"
#include "app/IPromptService.h"
#include "text/CStringTable.h"

namespace {
constexpr int kMsgCantLoadLanguageModule = 20200;
constexpr int kJapanese = 1;
constexpr int kShowAgain = 1;
constexpr const char* kProductName = "ORMEL";
} // namespace

CMyORMELApp::CMyORMELApp(CSettingsStore& store, Environment environment)
    : settings_(store), environment_(std::move(environment))
{
}

int CMyORMELApp::Run(const MainDialogRunner& runMainDialog)
{
    settings_.Load();
    SetDisplayLanguage(settings_.DisplayLanguage());
    while (runMainDialog(*this) == kShowAgain) {
    }
    settings_.Save();
    return 0;
}

void CMyORMELApp::SetDisplayLanguage(int languageIndex)
{
    const bool japaneseLocale = environment_.japaneseLocale ? environment_.japaneseLocale() : false;
    currentLanguage_ = ResolveLanguageIndex(languageIndex, japaneseLocale);

    CStringTable& table = CStringTable::Instance();
    table.UseEnglish();
    const std::string path = LanguageModulePath(environment_.executableFolder,
                                                environment_.applicationName, currentLanguage_);
    if (!path.empty()) {
        std::string error;
        if (table.LoadLanguageModule(path, &error)) {
            DebugPrintf("Language module %s loaded\n", path.c_str());
        } else {
            const std::string text = LoadText(kMsgCantLoadLanguageModule);
            DebugPrintf("%s %s: %s\n", text.c_str(), path.c_str(), error.c_str());
            Prompts().Error(text);
        }
    }
    QLocale::setDefault(currentLanguage_ == kJapanese && !table.IsEnglish()
                            ? QLocale(QLocale::Japanese, QLocale::Japan)
                            : QLocale::system());
}

int CMyORMELApp::SwitchToNextLanguage()
{
    const int next = NextLanguageIndex(currentLanguage_);
    SetDisplayLanguage(next);
    settings_.SetDisplayLanguage(next);
    return next;
}

bool CMyORMELApp::SystemLocaleIsJapanese()
{
    return QLocale::system().language() == QLocale::Japanese;
}

QString GetAppTitle()
{
    return QStringLiteral("%1 Version %2")
        .arg(QLatin1String(kProductName), QLatin1String(ORMEL_VERSION));
}
