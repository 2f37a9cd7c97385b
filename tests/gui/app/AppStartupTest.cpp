#include <QTemporaryDir>
#include <QTest>

#include "app/CMyORMELApp.h"
#include "app/CSettingsStore.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"

namespace {
const std::string kBuiltModules = std::string(ORMEL_BINARY_DIR) + "/bin";
constexpr int kEnglishProbe = 20201; // "Connect"
} // namespace

class AppStartupTest : public QObject {
    Q_OBJECT

    CMemorySettingsStore store_;
    std::optional<CPromptFixture<>> prompts_;
    QTemporaryDir emptyFolder_;

    CMyORMELApp MakeApp(bool japaneseLocale, const std::string& folder = kBuiltModules)
    {
        CMyORMELApp::Environment env;
        env.executableFolder = folder;
        env.applicationName = "ORMEL";
        env.japaneseLocale = [japaneseLocale] { return japaneseLocale; };
        return CMyORMELApp(store_, env);
    }
    std::string Stored(const char* key) const { return store_.GetString("Settings", key, "?"); }

private slots:
    void init()
    {
        store_ = CMemorySettingsStore();
        prompts_.emplace();
    }
    void cleanup()
    {
        prompts_.reset();
        CStringTable::Instance().UseEnglish();
    }

    void firstStartTakesTheDefaults()
    {
        CMyORMELApp app = MakeApp(false);
        int passes = 0;
        bool english = false;
        bool hide = false;
        int deviceId = -1;
        app.Run([&](CMyORMELApp& a) {
            ++passes;
            english = a.CurrentLanguage() == 0 && CStringTable::Instance().IsEnglish();
            hide = a.Settings().HideIgnoreParameters();
            deviceId = CAppSettings::DeviceIdOf(a.Settings().LastParameterSet());
            return 0;
        });
        QCOMPARE(passes, 1);
        QVERIFY(english);
        QVERIFY(hide);
        QCOMPARE(deviceId, 0);
        QVERIFY(prompts_->shown.empty());
        QCOMPARE(Stored("DeviceId"), std::string("0"));
        QCOMPARE(Stored("DisplayLanguage"), std::string("-1"));
        QCOMPARE(Stored("HideIgnoreParameters"), std::string("1"));
    }

    void firstStartInAJapaneseLocaleLoadsTheModule()
    {
        CMyORMELApp app = MakeApp(true);
        int language = -1;
        std::string probe;
        app.Run([&](CMyORMELApp& a) {
            language = a.CurrentLanguage();
            probe = LoadText(kEnglishProbe);
            return 0;
        });
        QCOMPARE(language, 1);
        QVERIFY(probe != CStringTable::English().at(kEnglishProbe));
        QVERIFY(prompts_->shown.empty());
        QCOMPARE(Stored("DisplayLanguage"), std::string("-1"));
    }

    void missingModuleIsReportedOnceAndTheSettingKept()
    {
        store_.SetInt("Settings", "DisplayLanguage", 1);
        CMyORMELApp app = MakeApp(false, emptyFolder_.path().toStdString());
        bool english = false;
        app.Run([&](CMyORMELApp&) {
            english = CStringTable::Instance().IsEnglish();
            return 0;
        });
        QVERIFY(english);
        QCOMPARE(prompts_->shown.size(), std::size_t(1));
        QCOMPARE(prompts_->shown[0].text, std::string("Can't load language module"));
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
        QCOMPARE(Stored("DisplayLanguage"), std::string("1"));
    }

    void languageTwiceReturnsToEnglishKeepingEdits()
    {
        store_.SetInt("Settings", "DisplayLanguage", 0);
        CMyORMELApp app = MakeApp(false);
        std::vector<bool> english;
        app.Run([&](CMyORMELApp& a) {
            english.push_back(CStringTable::Instance().IsEnglish());
            ParameterSet& set = a.Settings().LastParameterSet();
            if (english.size() == 3)
                return 0;
            // The window hands its working set back before it asks to be shown again.
            set.words[29] = static_cast<std::uint16_t>(1000 + english.size());
            a.SwitchToNextLanguage();
            return 1;
        });
        QCOMPARE(english, (std::vector<bool>{true, false, true}));
        QCOMPARE(app.Settings().LastParameterSet().words[29], std::uint16_t(1002));
        QCOMPARE(Stored("DisplayLanguage"), std::string("0"));
        QVERIFY(prompts_->shown.empty());
    }

    void hideFlagIsWrittenAsExactlyOneOrZero()
    {
        store_.SetString("Settings", "HideIgnoreParameters", "5");
        CMyORMELApp app = MakeApp(false);
        bool hide = false;
        app.Run([&](CMyORMELApp& a) {
            hide = a.Settings().HideIgnoreParameters();
            return 0;
        });
        QVERIFY(hide);
        QCOMPARE(Stored("HideIgnoreParameters"), std::string("1"));
        CMyORMELApp second = MakeApp(false);
        second.Run([](CMyORMELApp& a) {
            a.Settings().SetHideIgnoreParameters(false);
            return 0;
        });
        QCOMPARE(Stored("HideIgnoreParameters"), std::string("0"));
    }

    void anyResultOtherThanOneEndsTheLoop()
    {
        CMyORMELApp app = MakeApp(false);
        int passes = 0;
        app.Run([&](CMyORMELApp&) { return ++passes == 1 ? 1 : -1; });
        QCOMPARE(passes, 2);
    }

    void titleCarriesTheVersion()
    {
        QCOMPARE(GetAppTitle(), QStringLiteral("ORMEL Version " ORMEL_VERSION));
    }
};

QTEST_MAIN(AppStartupTest)
#include "AppStartupTest.moc"
