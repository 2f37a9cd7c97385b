#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "background/CBackgroundExecutor.h"
#include "gui/monitor/MonitorWindowSupport.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/CZNMaxMinPage.h"
#include "support/CatalogueIds.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CVectorChart.h"
#include "widgets/UiText.h"

Q_DECLARE_METATYPE(ZnJob)

namespace {

constexpr int kTextSystem2 = 1505;
constexpr int kTextCommunicationError = 11016;

SimOptions Options(int typeId, int wiring = -1)
{
    SimOptions options;
    options.typeId = typeId;
    options.scenario.wiring = wiring;
    return options;
}

// Until `done` accepts a shown job, given as (job, failed); false on time-out.
template <typename Done> bool WaitForJobs(CMyORMEL2Dlg& window, Done done)
{
    QSignalSpy shown(&window, &CMyORMEL2Dlg::JobShown);
    const QDeadlineTimer deadline(kWaitMs);
    for (qsizetype seen = 0;;) {
        while (seen < shown.size()) {
            const QList<QVariant>& args = shown.at(seen++);
            if (done(args.at(0).value<ZnJob>(), args.at(1).toBool()))
                return true;
        }
        if (deadline.hasExpired() || !shown.wait(int(deadline.remainingTime())))
            return false;
    }
}

// Until `turns` chains have ended with a successful spectrum job.
bool WaitForTurns(CMyORMEL2Dlg& window, int turns)
{
    int completed = 0;
    return WaitForJobs(window, [&](ZnJob job, bool failed) {
        return job == ZnJob::Spectrum && !failed && ++completed >= turns;
    });
}

struct MonitoredZnDevice {
    explicit MonitoredZnDevice(SimOptions options) : device(options), connection(device.Settings())
    {
    }
    CMyORMEL2Dlg& Open()
    {
        window = std::make_unique<CMyORMEL2Dlg>(connection, store);
        return *window;
    }
    SimulatedTcpDevice device;
    CModbusInterface connection;
    CMemorySettingsStore store;
    std::unique_ptr<CMyORMEL2Dlg> window; // last: closed before the link goes
};

bool HasHeader(const CDataGridView& grid, int textId)
{
    for (const GridHeaderCell& h : grid.Headers())
        if (h.textId == textId)
            return true;
    return false;
}

} // namespace

class ZnMonitorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<ZnJob>(); }
    void theChainShowsBothSystemsAndTheirThd();
    void theEnergyTabReadsTheEnergyBlocks();
    void aThdCellChoosesTheSpectrumOfItsSystem();
    void aFailedJobShowsTheErrorAndTheChainGoesOn();
    void aDeviceOfAnotherFamilyEndsTheWindowWithResultOne();
    void closingMidJobEndsTheWindowWhenTheExecutorIsIdle();
    void destroyingTheWindowMidJobWaitsForTheExecutor();
    void buttonsWithoutHooksAreDisabled();
};

void ZnMonitorWindowTest::theChainShowsBothSystemsAndTheirThd()
{
    MonitoredZnDevice m(Options(kZnpw, 3));
    CMyORMEL2Dlg& window = m.Open();
    QVERIFY(!window.ValueTabs()->TabsEnabled());
    QVERIFY(WaitForTurns(window, 1));
    QVERIFY(window.ValueTabs()->TabsEnabled());
    CZNMaxMinPage* page = window.ValuePage();
    QVERIFY(HasHeader(*page->BottomGrid(), kTextSystem2));
    QVERIFY(!page->TopGrid()->ValueText(1, 1).isEmpty());    // U of system 1
    QVERIFY(!page->BottomGrid()->ValueText(1, 1).isEmpty()); // U of system 2
    QVERIFY(HasHeader(*window.ThdGrid(), kTextSystem2));
    QVERIFY(window.ThdGrid()->ShowingData());
    QVERIFY(!window.Graph()->Hidden());
    QCOMPARE(window.DeviceInformationGrid()->ValueText(1, 2), QStringLiteral("ZNPW"));
    // The chart steps through the circuits the wiring has: A, then C.
    QCOMPARE(window.Chart()->Circuit(), 0);
    QVERIFY(window.Chart()->SelectNextCircuit());
    QCOMPARE(window.Chart()->Circuit(), 2);
}

void ZnMonitorWindowTest::theEnergyTabReadsTheEnergyBlocks()
{
    MonitoredZnDevice m(Options(kZnepw, 5));
    CMyORMEL2Dlg& window = m.Open();
    QVERIFY(WaitForTurns(window, 1));
    // Four-wire three-phase: one system only.
    QVERIFY(window.ValuePage()->BottomGrid()->isHidden());
    window.ValueTabs()->setCurrentIndex(3);
    QVERIFY(!window.ValueTabs()->TabsEnabled());
    QVERIFY(window.ValuePage()->TopGrid()->ValueText(1, 1).isEmpty());
    m.device.Sim().Log().Clear();
    QVERIFY(WaitForJobs(window, [&](ZnJob job, bool) {
        return job == ZnJob::PageValues && window.Selections().pageMode == 3;
    }));
    QVERIFY(ReadsAt(m.device.Sim().Log().Records(), 4224));
    QVERIFY(window.ValueTabs()->TabsEnabled());
    QVERIFY(!window.ValuePage()->TopGrid()->ValueText(1, 1).isEmpty());
}

void ZnMonitorWindowTest::aThdCellChoosesTheSpectrumOfItsSystem()
{
    MonitoredZnDevice m(Options(kZnpw, 1));
    CMyORMEL2Dlg& window = m.Open();
    window.show();
    QVERIFY(WaitForTurns(window, 1));
    CDataGridView* grid = window.ThdGrid();
    // Single-phase 3-wire: system 1 in rows 1-4, system 2's heading in row 5,
    // its current 1 in row 6.
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 6).center());
    QCOMPARE(window.Selections().thdItem, 288);
    QVERIFY(window.Graph()->Hidden());
    QCOMPARE(window.Graph()->Row(), 10);
    // A heading cell chooses nothing.
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 5).center());
    QCOMPARE(window.Selections().thdItem, 288);
    m.device.Sim().Log().Clear();
    QVERIFY(WaitForTurns(window, 1));
    QVERIFY(ReadsAt(m.device.Sim().Log().Records(), 8536));
    QVERIFY(!ReadsAt(m.device.Sim().Log().Records(), 1536));
    QVERIFY(!window.Graph()->Hidden());
}

void ZnMonitorWindowTest::aFailedJobShowsTheErrorAndTheChainGoesOn()
{
    SimOptions options = Options(kZnpw, 0);
    options.faults.exceptionAddress = 8280; // THD of system 2
    MonitoredZnDevice m(options);
    CMyORMEL2Dlg& window = m.Open();
    std::vector<std::pair<ZnJob, bool>> jobs;
    QVERIFY(WaitForJobs(window, [&](ZnJob job, bool failed) {
        jobs.emplace_back(job, failed);
        return jobs.size() == 6;
    }));
    QCOMPARE(jobs[2], std::pair(ZnJob::Thd, true));
    QCOMPARE(jobs[3], std::pair(ZnJob::Spectrum, false));
    QVERIFY(!window.Chain().ErrorFlag());
    QVERIFY(WaitForJobs(window, [](ZnJob job, bool) { return job == ZnJob::Thd; }));
    QCOMPARE(window.StatusLine().StatusTextId(), kTextCommunicationError);
}

void ZnMonitorWindowTest::aDeviceOfAnotherFamilyEndsTheWindowWithResultOne()
{
    MonitoredZnDevice m(Options(kKtaGen3Modbus));
    CMyORMEL2Dlg& window = m.Open();
    QSignalSpy finished(&window, &QDialog::finished);
    QVERIFY(finished.wait(kWaitMs));
    QCOMPARE(finished.at(0).at(0).toInt(), 1);
    QVERIFY(!window.IsPolling());
    QVERIFY(CBackgroundExecutor::Instance().IsIdle());
}

void ZnMonitorWindowTest::closingMidJobEndsTheWindowWhenTheExecutorIsIdle()
{
    SimOptions options = Options(kZnpw, 0);
    options.faults.delayMs = 50;
    MonitoredZnDevice m(options);
    CMyORMEL2Dlg& window = m.Open();
    QSignalSpy finished(&window, &QDialog::finished);
    QVERIFY(window.JobInFlight());
    window.reject();
    // The job in flight still owns the image: the window waits for it.
    QCOMPARE(finished.size(), 0);
    QVERIFY(finished.wait(kWaitMs));
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QVERIFY(CBackgroundExecutor::Instance().IsIdle());
    QVERIFY(!window.IsPolling());
    // Nothing is posted after the end.
    const std::size_t requests = m.device.Sim().Log().Size();
    QTest::qWait(150);
    QCOMPARE(m.device.Sim().Log().Size(), requests);
}

void ZnMonitorWindowTest::destroyingTheWindowMidJobWaitsForTheExecutor()
{
    SimOptions options = Options(kZnpw, 0);
    options.faults.delayMs = 50; // every answer is late: a job is nearly always waiting
    MonitoredZnDevice m(options);
    CMyORMEL2Dlg& window = m.Open();
    int shown = 0;
    QObject counter;
    connect(&window, &CMyORMEL2Dlg::JobShown, &counter, [&] { ++shown; });
    int seen = 0;
    QVERIFY(WaitForJobs(window, [&](ZnJob, bool) { return ++seen >= 2; }));
    const std::size_t sent = m.device.Sim().Log().Size();
    QVERIFY(m.device.Sim().Log().WaitForSize(sent + 1, std::chrono::milliseconds(kWaitMs)));
    const int before = shown;
    m.window.reset();
    // The job had ended before the window went; its notification is dropped.
    QVERIFY(CBackgroundExecutor::Instance().IsIdle());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(shown, before);
}

void ZnMonitorWindowTest::buttonsWithoutHooksAreDisabled()
{
    MonitoredZnDevice m(Options(kZnpw));
    CMyORMEL2Dlg& window = m.Open();
    window.SetDialogHooks({});
    QVERIFY(!window.LoopTestButton()->isEnabled());
    QVERIFY(!window.UtilityButton()->isEnabled());
    int utility = 0;
    window.SetDialogHooks({.utility = [&](CMyORMEL2Dlg&) { ++utility; }, .loopTest = {}});
    QVERIFY(window.UtilityButton()->isEnabled());
    window.UtilityButton()->click();
    QCOMPARE(utility, 1);
}

QTEST_MAIN(ZnMonitorWindowTest)
#include "ZnMonitorWindowTest.moc"
