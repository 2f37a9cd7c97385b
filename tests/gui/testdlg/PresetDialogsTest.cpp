#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <array>
#include <memory>
#include <optional>
#include <typeinfo>

#include "gui/monitor/MonitorWindowSupport.h"
#include "gui/testdlg/TestDialogSupport.h"
#include "monitor/CEnergyPage.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CSharedPageTabs.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "testdlg/CLoopBackDialog.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CLoopTestQHDialog.h"
#include "testdlg/CPresetDialog.h"
#include "testdlg/CPresetPanel.h"
#include "testdlg/CQHPresetDialog.h"
#include "testdlg/CZNLoopTestDlg.h"
#include "testdlg/TestWindows.h"
#include "widgets/ModalRunner.h"

namespace {

constexpr int kActiveIn = 66;
constexpr int kCounter4 = 393;
constexpr int kCounterTab = 4;
constexpr std::uint32_t kFraction678 = 2911987827; // floor(678 x 2^32 / 1000) + 1

// Until a read of the panel has been shown that began after everything before it.
bool WaitForFreshRead(CPresetPanel& panel)
{
    for (int i = 0; i < 3; ++i)
        if (!WaitForSignal(panel, &CPresetPanel::ReadShown))
            return false;
    return true;
}

bool EnterOn(CPresetPanel& panel, int item, const QString& text)
{
    return Enter(*panel.Editing(), *panel.Page()->Grid(), item, text);
}

QString Shown(CPresetPanel& panel, int item)
{
    return CellText(*panel.Editing(), *panel.Page()->Grid(), item);
}

// Until the page shows the item: cells take values once they have been read.
bool WaitForCell(CPresetPanel& panel, int item)
{
    return QTest::qWaitFor([&] { return !Shown(panel, item).isEmpty(); }, kDialogWaitMs);
}

} // namespace

class PresetDialogsTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;

private slots:
    void init() { prompts_.emplace(); }
    void cleanup() { prompts_.reset(); }

    void activeInKeepsEveryTypedDigit_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<std::uint32_t>("passcode");
        QTest::addColumn<std::uint32_t>("typed");
        QTest::newRow("input 1, unprotected") << 0 << 0u << 0u;
        QTest::newRow("input 2, right passcode") << 1 << kPasscode << kPasscode;
        QTest::newRow("input 1, wrong passcode") << 0 << kPasscode << 9999u;
    }
    void activeInKeepsEveryTypedDigit()
    {
        QFETCH(int, channel);
        QFETCH(std::uint32_t, passcode);
        QFETCH(std::uint32_t, typed);
        const bool granted = typed == passcode;
        TestLink link(kQgModbusInput2, passcode);
        CPresetDialog dialog(link.connection, link.device.Sim().Identity(), channel);
        dialog.show();
        CPresetPanel& panel = *dialog.Panel();
        QVERIFY(WaitForSignal(panel, &CPresetPanel::ReadShown));
        panel.Stop(); // the counters keep counting: no reads while the preset is checked
        if (panel.ReadInFlight())
            QVERIFY(WaitForSignal(panel, &CPresetPanel::ReadShown));
        const QString before = Shown(panel, kActiveIn);
        link.ClearLog();
        prompts_->passcodes = {typed};

        QVERIFY(EnterOn(panel, kActiveIn, "1234.5678"));
        const int reg = 128 + 4000 * channel;
        std::vector<std::pair<int, Words>> expected = {{reg, Low32(12345)},
                                                       {reg + 64, Low32(kFraction678)}};
        if (!granted)
            expected.clear();
        QCOMPARE(link.CommandWrites(), expected);
        QCOMPARE(Shown(panel, kActiveIn), granted ? QStringLiteral("1234.5678") : before);
        QVERIFY(!link.device.Sim().Unlocked());
        QCOMPARE(link.Register(4944), std::uint16_t(0));
        if (granted) {
            // Write mode 2, left fully: 0 to the command register and to the passcode input.
            const auto writes = link.Writes();
            QCOMPARE(writes[writes.size() - 2], (std::pair<int, Words>{4944, {0}}));
            QCOMPARE(writes.back(), (std::pair<int, Words>{4942, {0, 0}}));
            // The device counts on from the preset value.
            panel.Start();
            QVERIFY(WaitForFreshRead(panel));
            const double read = Shown(panel, kActiveIn).toDouble();
            QVERIFY2(read >= 1234.5678 && read < 1235, qPrintable(Shown(panel, kActiveIn)));
        } else {
            QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(11019)});
        }
    }

    void counterPresetLeavesTheCommandRegisterAlone()
    {
        TestLink link(kQgModbusCounter);
        CPresetDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        CPresetPanel& panel = *dialog.Panel();
        panel.Tabs()->setCurrentIndex(kCounterTab);
        QVERIFY(!panel.Page()->UnitText()->isVisible());
        QVERIFY(WaitForCell(panel, kCounter4));
        link.ClearLog();
        QVERIFY(EnterOn(panel, kCounter4, "4711"));
        QCOMPARE(link.Writes(), (std::vector<std::pair<int, Words>>{{3142, Low32(4711)}}));
        QCOMPARE(prompts_->passcodeCount, 0);
        QCOMPARE(Shown(panel, kCounter4), QStringLiteral("4711"));
    }

    void deviceWithoutCountersShowsZerosOnly()
    {
        TestLink link(kQgModbusInput2);
        CPresetDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        CPresetPanel& panel = *dialog.Panel();
        panel.Tabs()->setCurrentIndex(kCounterTab);
        QVERIFY(WaitForFreshRead(panel));
        QCOMPARE(Shown(panel, kCounter4), QStringLiteral("0"));
        QVERIFY(!EnterOn(panel, kCounter4, "1"));
        QVERIFY(link.Writes().empty());
    }

    // A link lost between integer part and fraction is reported; the write
    // mode is left fully on the next connection and the program goes on.
    void lostLinkInAPreset()
    {
        TestLink link(kQgModbusInput2);
        CPresetDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        QVERIFY(WaitForCell(*dialog.Panel(), kActiveIn));
        dialog.Panel()->Stop(); // no reads of the page in between
        if (dialog.Panel()->ReadInFlight())
            QVERIFY(WaitForSignal(*dialog.Panel(), &CPresetPanel::ReadShown));
        link.ClearLog();
        {
            // Requests: 5735, 5333, 4944 = 2, 5735, the integer part, then the fraction: lost.
            CLostLink loss(6, false);
            QVERIFY(EnterOn(*dialog.Panel(), kActiveIn, "1.5"));
            QVERIFY(loss.Happened());
        }
        QCOMPARE(prompts_->shown.size(), size_t(1));
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
        const std::vector<std::pair<int, Words>> expected = {
            {4944, {2}}, {128, Low32(15)}, {4944, {0}}, {4942, {0, 0}}};
        QCOMPARE(link.Writes(), expected);
        QVERIFY(!link.connection.IsOpen());
        QVERIFY(dialog.isVisible());
    }

    void znPresetOfTheSecondSystemCountsHundredths()
    {
        TestLink link(kZnpw);
        CZNLoopTestDlg dialog(link.connection, link.device.Sim().Identity(),
                              CZNLoopTestDlg::Mode::Preset);
        dialog.show();
        dialog.SystemList()->setCurrentIndex(1);
        CPresetPanel& panel = *dialog.Preset();
        QCOMPARE(panel.Channel(), 1);
        QVERIFY(WaitForCell(panel, kActiveIn));
        link.ClearLog();
        QVERIFY(EnterOn(panel, kActiveIn, "1234.5678"));
        // floor(78 x 2^32 / 100) + 1
        QCOMPARE(link.CommandWrites(), (std::vector<std::pair<int, Words>>{
                                           {4128, Low32(123456)}, {4192, Low32(3350074491u)}}));
        QCOMPARE(Shown(panel, kActiveIn), QStringLiteral("1234.5678"));
    }

    void qhPresetOfAChannelsRecord()
    {
        TestLink link(kQhModbusEx8);
        CQHPresetDialog dialog(link.connection, link.device.Sim().Identity());
        dialog.show();
        QVERIFY(dialog.Tabs()->isTabEnabled(1));
        QVERIFY(WaitForSignal(dialog, &CQHPresetDialog::ReadShown));
        QVERIFY(QRegularExpression(R"(^20\d\d/\d\d/\d\d \d\d:\d\d:\d\d$)")
                    .match(dialog.Clock()->text())
                    .hasMatch());
        link.ClearLog();
        QVERIFY(Enter(*dialog.Editing(), *dialog.Grid(), 398 + 29 * 2, "1234.5"));
        QCOMPARE(link.CommandWrites(), (std::vector<std::pair<int, Words>>{{4672, Low32(12345)}}));
        QCOMPARE(link.Register(8978), std::uint16_t(0));

        dialog.Tabs()->setCurrentIndex(1);
        QCOMPARE(dialog.Grid()->Model().HeaderAt(1, 0), std::optional<int>(5508)); // "9ch"
        QVERIFY(QTest::qWaitFor([&] { return !dialog.Grid()->ValueText(1, 2).isEmpty(); },
                                kDialogWaitMs));
        link.ClearLog();
        QVERIFY(Enter(*dialog.Editing(), *dialog.Grid(), 399, "7"));
        QCOMPARE(link.CommandWrites(), (std::vector<std::pair<int, Words>>{{5442, Low32(70)}}));

        TestLink eight(kQhModbus);
        CQHPresetDialog basic(eight.connection, eight.device.Sim().Identity());
        QVERIFY(!basic.Tabs()->isTabEnabled(1));
    }

    // Each opener runs the window that fits the device.
    void openersPickTheWindowOfTheFamily_data()
    {
        QTest::addColumn<int>("typeId");
        QTest::addColumn<bool>("preset");
        QTest::addColumn<QString>("window");
        QTest::newRow("QG loop test") << kQgModbusCounter << false << "CLoopTestDialog";
        QTest::newRow("ZN loop test") << kZnpw << false << "CZNLoopTestDlg";
        QTest::newRow("QH loop test") << kQhModbus << false << "CLoopTestQHDialog";
        QTest::newRow("QG preset") << kQgModbusCounter << true << "CPresetDialog";
        QTest::newRow("ZN preset") << kZnpw << true << "CZNLoopTestDlg";
        QTest::newRow("QH preset") << kQhModbus << true << "CQHPresetDialog";
    }
    void openersPickTheWindowOfTheFamily()
    {
        QFETCH(int, typeId);
        QFETCH(bool, preset);
        QFETCH(QString, window);
        TestLink link(typeId);
        QString opened;
        SetModalRunner([&](QDialog& d) {
            opened = QString::fromLatin1(d.metaObject()->className());
            return int(QDialog::Rejected);
        });
        (preset ? RunPresetWindow : RunLoopTestWindow)(link.connection,
                                                       link.device.Sim().Identity(), nullptr);
        QCOMPARE(opened, window);
        QVERIFY(prompts_->shown.empty());
    }

    void aWindowWhoseFirstReadsFailIsNotOpened()
    {
        TestLink link(kQgModbusCounter);
        ComSettings unreachable = link.device.Settings();
        unreachable.servicePort = "1"; // nothing listens there
        CModbusInterface connection(unreachable);
        bool opened = false;
        SetModalRunner([&](QDialog&) {
            opened = true;
            return int(QDialog::Rejected);
        });
        RunLoopTestWindow(connection, link.device.Sim().Identity(), nullptr);
        QVERIFY(!opened);
        QCOMPARE(prompts_->shown.size(), size_t(1));
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    }

    // From the monitor showing channel 2 the loop test switches the second input.
    void monitorOnChannel2TestsTheSecondInput()
    {
        MonitoredDevice m(DeviceOptions(kQgModbusInput2));
        CMyORMELDlg& window = m.Open();
        QVERIFY(WaitForTurns(window, 1));
        window.ChannelList()->setCurrentIndex(1);
        SetModalRunner([](QDialog& d) {
            Control<QAbstractButton>(&d, CModeButtons::kLoopTestButton)->click();
            return int(QDialog::Rejected);
        });
        RunLoopTestWindow(window.Connection(), window.Worker().ConnectedDevice(), &window);
        QCOMPARE(m.device.Sim().ReadRegisters(5338, 1).front(), std::uint16_t(1));
        QCOMPARE(m.device.Sim().ReadRegisters(5335, 1).front(), std::uint16_t(0));
    }

    // "Loop Test" of the standard monitor: while "Normal" is selected the grid
    // follows the outputs the monitor reads.
    void monitorLoopBackFollowsTheLiveOutputs()
    {
        MonitoredDevice m(DeviceOptions(kLktaAo2));
        CMyORMELDlg& window = m.Open();
        QVERIFY(WaitForTurns(window, 1));
        std::array<std::int16_t, 4> shown{};
        std::array<std::int16_t, 4> live{};
        SetModalRunner([&](QDialog& d) {
            auto& dialog = dynamic_cast<CLoopBackDialog&>(d);
            if (WaitForTurns(window, 1)) {
                live = window.Image().outputValues;
                dialog.OnTick();
                shown = dialog.Image().outputValues;
            }
            return int(QDialog::Rejected);
        });
        RunMonitorLoopBackWindow(window);
        QCOMPARE(shown, live);
        QVERIFY(live[0] != 0);
    }
};

QTEST_MAIN(PresetDialogsTest)
#include "PresetDialogsTest.moc"
