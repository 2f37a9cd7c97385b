#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>

#include "gui/monitor/MonitorWindowSupport.h"
#include "monitor/CEnergyPage.h"
#include "monitor/CMaxMinPage.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CSharedPageTabs.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {

constexpr int kKtaGen2 = 70;
constexpr int kQgCounters = 37; // four pulse counters, one input
constexpr int kQgTwoInputs = 38;
constexpr int kQh = 52;
constexpr int kMaximumBlock = 768;
constexpr int kSecondInputInstantaneous = 4000;
constexpr int kTextCommunicationError = 11016;
constexpr int kAddressList = 1093;
constexpr int kAddressLabel = 1094;

SimOptions Options(int typeId)
{
    SimOptions options;
    options.typeId = typeId;
    return options;
}

ColorRef TextColour(const QLabel& label)
{
    const QColor c = label.palette().color(QPalette::WindowText);
    return ColorRef(c.red()) | ColorRef(c.green()) << 8 | ColorRef(c.blue()) << 16;
}

} // namespace

class MonitorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void oneTurnWithMaxAndCounterPostsOnlyTheirCommands();
    void aTabChangeClearsTheValuesAndWaitsForTheirData();
    void aFailingCommandIsRepeatedAndShowsTheError();
    void aDeviceOfAnotherFamilyEndsTheWindowWithResultOne();
    void theAddressListFollowsTheConnectionMode_data();
    void theAddressListFollowsTheConnectionMode();
    void aChosenAddressIsStoredAndUsedByTheNextCommands();
    void aDeviceWithOneInputKeepsTheFirstChannel();
    void theSecondInputIsPolledAndSelectsTheUtilityRegister();
    void aThdRowChoosesTheSpectrumThatIsRead();
    void destroyingTheWindowMidCommandJoinsTheWorker();
};

void MonitorWindowTest::oneTurnWithMaxAndCounterPostsOnlyTheirCommands()
{
    MonitoredDevice m(Options(kQgCounters));
    CMyORMELDlg& window = m.Open();
    window.ValueTabs()->setCurrentIndex(1);
    window.EnergyTabs()->setCurrentIndex(4);
    QVERIFY(WaitForTurns(window, 1));
    std::vector<int> steps;
    QVERIFY(WaitForCommands(window, [&](int step, bool failed) {
        steps.push_back(failed ? -1 : step);
        return step == CMonitorPollCycle::kSteps - 1;
    }));
    // Commands 1, 3, 9, 7, 8, 10; command 10 reads nothing on a device without outputs.
    QCOMPARE(steps, (std::vector<int>{0, 2, 6, 7, 8, 9}));
    // The worker runs on while the log is read: look at the first whole turn.
    const std::vector<int> commands = CommandsIn(m.device.Sim().Log().Records());
    const auto first = std::find(commands.begin() + 1, commands.end(), 1);
    QVERIFY(commands.end() - first >= 5);
    QCOMPARE(std::vector<int>(first, first + 5), (std::vector<int>{1, 3, 9, 7, 8}));
}

void MonitorWindowTest::aTabChangeClearsTheValuesAndWaitsForTheirData()
{
    MonitoredDevice m(Options(kKtaGen2));
    CMyORMELDlg& window = m.Open();
    QVERIFY(!window.ValueTabs()->TabsEnabled());
    QVERIFY(WaitForTurns(window, 1));
    CDataGridView* top = window.ValuePage()->TopGrid();
    QVERIFY(window.ValueTabs()->TabsEnabled());
    QVERIFY(!top->ValueText(1, 1).isEmpty());

    window.ValueTabs()->setCurrentIndex(2);
    QVERIFY(top->Model().Values().empty());
    QVERIFY(!window.ValueTabs()->TabsEnabled());
    // The minimum of the total voltage arrives with step 3.
    QVERIFY(WaitForCommands(window, [](int step, bool failed) { return step == 3 && !failed; }));
    QVERIFY(window.ValueTabs()->TabsEnabled());
    QCOMPARE(top->ValueText(1, 1), QString::fromStdString(window.Image().FormatItem(309)));

    window.EnergyTabs()->setCurrentIndex(4);
    QCOMPARE(window.EnergyPage()->Caption()->text(), UiText(211));
    QVERIFY(window.EnergyPage()->UnitText()->isHidden());
    QVERIFY(!window.EnergyTabs()->TabsEnabled());
    QVERIFY(WaitForCommands(window, [](int step, bool failed) { return step == 6 && !failed; }));
    QVERIFY(window.EnergyTabs()->TabsEnabled());
    QCOMPARE(window.EnergyPage()->Device().TypeId(), kKtaGen2);
}

void MonitorWindowTest::aFailingCommandIsRepeatedAndShowsTheError()
{
    SimOptions options = Options(kKtaGen2);
    options.faults.exceptionAddress = kMaximumBlock;
    MonitoredDevice m(options);
    CMyORMELDlg& window = m.Open();
    window.ValueTabs()->setCurrentIndex(1);
    QVERIFY(WaitForCommands(window, [](int step, bool failed) { return step == 2 && failed; }));
    // The failing step is posted again and again; the cycle never passes it.
    int retries = 0;
    QVERIFY(WaitForCommands(
        window, [&](int step, bool failed) { return step != 2 || !failed || ++retries >= 3; }));
    QCOMPARE(retries, 3);
    QCOMPARE(window.Cycle().Step(), 2);
    QVERIFY(!window.ValueTabs()->TabsEnabled());

    // Red while the blink flag is off, white on red while it is on: two
    // ticks show both, each with the error text.
    QLabel* status = window.StatusLine().StatusText();
    std::vector<ColorRef> colours;
    std::vector<bool> filled;
    QSignalSpy ticks(&window, &CMonitorFrameDialog::Ticked);
    for (int i = 0; i < 2; ++i) {
        QVERIFY(ticks.wait(kWaitMs));
        QCOMPARE(status->text(), UiText(kTextCommunicationError));
        QCOMPARE(status->text().toStdString(), std::string("    Communication error    "));
        colours.push_back(TextColour(*status));
        filled.push_back(status->autoFillBackground());
    }
    QVERIFY(filled[0] != filled[1]);
    for (size_t i = 0; i < 2; ++i)
        QCOMPARE(colours[i], filled[i] ? ColorRef(0xFFFFFF) : ColorRef(0x0000FF));
}

void MonitorWindowTest::aDeviceOfAnotherFamilyEndsTheWindowWithResultOne()
{
    MonitoredDevice m(Options(kQh));
    CMyORMELDlg& window = m.Open();
    QSignalSpy finished(&window, &QDialog::finished);
    QVERIFY(finished.wait(kWaitMs));
    QCOMPARE(finished.front().front().toInt(), 1);
    QVERIFY(!window.IsPolling());
    QVERIFY(!window.Worker().IsRunning());
}

void MonitorWindowTest::theAddressListFollowsTheConnectionMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("selectedAddress");
    QTest::newRow("RS-485") << 0 << true << 17;
    QTest::newRow("Modbus/TCP") << 1 << true << 17;
    QTest::newRow("infrared") << 2 << false << 1;
    QTest::newRow("CONFIG") << 3 << false << 1;
}

void MonitorWindowTest::theAddressListFollowsTheConnectionMode()
{
    QFETCH(int, mode);
    QFETCH(bool, shown);
    QFETCH(int, selectedAddress);
    ComSettings settings;
    settings.mode = static_cast<ConnectionMode>(mode);
    settings.address = 17;
    // Nothing answers: the worker only fails while the window is looked at.
    settings.comPortName = settings.irPortName = settings.configPortName = "/nonexistent/tty";
    settings.serverAddress = "127.0.0.1";
    settings.servicePort = "1";
    InstallPlatformTransports();
    CModbusInterface connection(settings);
    CMemorySettingsStore store;
    CMyORMELDlg window(connection, store);
    window.show();
    auto* list = FindControl<QComboBox>(&window, kAddressList);
    QCOMPARE(list->count(), 247);
    QCOMPARE(list->itemText(246), QStringLiteral("247"));
    QCOMPARE(list->isVisible(), shown);
    QCOMPARE(FindControl<QLabel>(&window, kAddressLabel)->isVisible(), shown);
    QCOMPARE(list->currentText().toInt(), selectedAddress);
}

void MonitorWindowTest::aChosenAddressIsStoredAndUsedByTheNextCommands()
{
    MonitoredDevice m(Options(kKtaGen2));
    m.store.SetInt("ComSettings", "Mode", 1);
    CMyORMELDlg& window = m.Open();
    QVERIFY(WaitForTurns(window, 1));
    window.AddressList()->setCurrentIndex(41);
    QVERIFY(WaitForTurns(window, 1));
    window.reject();
    ComSettings stored;
    stored.Load(m.store);
    QCOMPARE(stored.address, 42);
    QCOMPARE(stored.mode, ConnectionMode::Tcp);
    QCOMPARE(m.connection.Settings().address, 42);
}

void MonitorWindowTest::aDeviceWithOneInputKeepsTheFirstChannel()
{
    SimOptions options = Options(kKtaGen2);
    // The second input's loop-test word and angles answer, so that the
    // device information reads alike whichever channel the worker takes.
    options.memoryBlocks = {{5338, 1}, {30100, 6}};
    MonitoredDevice m(options);
    CMyORMELDlg& window = m.Open();
    window.ChannelList()->setCurrentIndex(1);
    QCOMPARE(window.Worker().Channel(), 1);
    QVERIFY(WaitForTurns(window, 1));
    QCOMPARE(window.ChannelList()->currentIndex(), 0);
    QCOMPARE(window.ChannelList()->currentText(), QStringLiteral("1ch"));
    QVERIFY(!window.ChannelList()->isEnabled());
    QCOMPARE(window.Worker().Channel(), 0);
    QVERIFY(!window.UtilitySelector());
}

void MonitorWindowTest::theSecondInputIsPolledAndSelectsTheUtilityRegister()
{
    MonitoredDevice m(Options(kQgTwoInputs));
    CMyORMELDlg& window = m.Open();
    QVERIFY(WaitForTurns(window, 1));
    QVERIFY(window.ChannelList()->isEnabled());
    QVERIFY(!ReadsAt(m.device.Sim().Log().Records(), kSecondInputInstantaneous));
    window.ChannelList()->setCurrentIndex(1);
    QCOMPARE(window.ChannelList()->currentText(), QStringLiteral("2ch"));
    QVERIFY(window.UtilitySelector());
    m.device.Sim().Log().Clear();
    QVERIFY(WaitForTurns(window, 1));
    QVERIFY(ReadsAt(m.device.Sim().Log().Records(), kSecondInputInstantaneous));
    QVERIFY(window.ChannelList()->isEnabled());
    window.ChannelList()->setCurrentIndex(0);
    QVERIFY(!window.UtilitySelector());
}

void MonitorWindowTest::aThdRowChoosesTheSpectrumThatIsRead()
{
    MonitoredDevice m(Options(kKtaGen2));
    CMyORMELDlg& window = m.Open();
    window.show();
    QVERIFY(WaitForTurns(window, 1));
    CDataGridView* grid = window.ThdGrid();
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 3).center());
    QCOMPARE(window.Selections().thdRow, 2);
    // Header cells choose nothing.
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(0, 5).center());
    QCOMPARE(window.Selections().thdRow, 2);
    m.device.Sim().Log().Clear();
    QVERIFY(WaitForTurns(window, 1));
    QVERIFY(ReadsAt(m.device.Sim().Log().Records(), 1536 + 64 * 2));
    QVERIFY(!ReadsAt(m.device.Sim().Log().Records(), 1536));
}

void MonitorWindowTest::destroyingTheWindowMidCommandJoinsTheWorker()
{
    SimOptions options = Options(kKtaGen2);
    options.faults.delayMs = 50; // every answer is late: a command is nearly always waiting
    MonitoredDevice m(options);
    CMyORMELDlg& window = m.Open();
    int shown = 0;
    QObject counter;
    connect(&window, &CMyORMELDlg::CommandShown, &counter, [&] { ++shown; });
    int seen = 0;
    QVERIFY(WaitForCommands(window, [&](int, bool) { return ++seen >= 2; }));
    // The next command has sent its first request and waits for the answer.
    const std::size_t sent = m.device.Sim().Log().Size();
    QVERIFY(m.device.Sim().Log().WaitForSize(sent + 1, std::chrono::milliseconds(kWaitMs)));
    const int before = shown;
    m.window.reset();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(shown, before);
}

QTEST_MAIN(MonitorWindowTest)
#include "MonitorWindowTest.moc"
