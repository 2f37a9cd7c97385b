#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <optional>

#include "comm/CModbusInterface.h"
#include "gui/commands/SimulatedTcpDevice.h"
#include "monitor/CPMDetailDialog.h"
#include "monitor/CPMDialog.h"
#include "monitor/CQHMainPage.h"
#include "monitor/CQHMaxMinPage.h"
#include "monitor/CSharedPageTabs.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/UiText.h"

namespace {
constexpr int kWaitMs = 20000;

template <class Window> bool WaitForReads(Window& window, int reads)
{
    QSignalSpy shown(&window, &Window::ReadShown);
    const QDeadlineTimer deadline(kWaitMs);
    int ok = 0;
    for (qsizetype seen = 0;;) {
        while (seen < shown.size())
            if (!shown.at(seen++).at(0).toBool() && ++ok >= reads)
                return true;
        if (deadline.hasExpired() || !shown.wait(int(deadline.remainingTime())))
            return false;
    }
}

SimOptions Qh(int typeId, bool pulseInputs = false, int firmware = -1)
{
    SimOptions o = DeviceOptions(typeId);
    o.alternativeIo = pulseInputs;
    o.firmware = firmware;
    return o;
}

QString Header(CDataGridView* grid, int column, int row)
{
    for (const GridHeaderCell& h : grid->Model().Headers())
        if (h.column == column && h.row == row)
            return UiText(h.textId);
    return {};
}
} // namespace

// The multi-circuit monitor and its detail window against a simulated QH
// device in this process over Modbus/TCP.
class PMDialogTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;
    std::unique_ptr<SimulatedTcpDevice> device_;
    std::unique_ptr<CModbusInterface> connection_;

    CModbusInterface& Connect(const SimOptions& options)
    {
        device_ = std::make_unique<SimulatedTcpDevice>(options);
        connection_ = std::make_unique<CModbusInterface>(device_->Settings());
        return *connection_;
    }
    static CPMDialog::DialogHooks NoHooks() { return {}; }

private slots:
    void init() { prompts_.emplace(); }
    void cleanup()
    {
        connection_.reset();
        device_.reset();
        prompts_.reset();
    }

    void anEightChannelDeviceKeepsTheBasicModule();
    void theExtensionModuleShowsChannelsNineToSixteen();
    void pulseInputsReplaceTheExtensionModule();
    void firmwareAndHooksEnableLoopTestAndPreset_data();
    void firmwareAndHooksEnableLoopTestAndPreset();
    void aDialogInItsPlaceHidesTheRunningMonitor();
    void anEndWhileHiddenWaitsForTheDialogInItsPlace();
    void resetButtonsWriteTheChannelsCode();
    void detailWindowShowsOneChannel();
    void closingWaitsForTheReadInFlight();
};

void PMDialogTest::anEightChannelDeviceKeepsTheBasicModule()
{
    CPMDialog window(Connect(Qh(kQhModbus)));
    QVERIFY(!window.ModuleTabs()->TabsEnabled());
    QVERIFY(WaitForReads(window, 2));
    QVERIFY(!window.ModuleTabs()->TabsEnabled());
    QCOMPARE(window.ModuleTabs()->currentIndex(), 0);
    QCOMPARE(window.MainPage()->View(), QhCells::QhView::Basic);
    CQHMainPage* page = window.MainPage();
    QCOMPARE(Header(page->TopGrid(), 1, 0), QStringLiteral("1ch"));
    QVERIFY(!page->TopGrid()->ValueText(1, 25).isEmpty());
    QVERIFY(!page->BottomGrid()->ValueText(8, 5).isEmpty());
    QCOMPARE(window.ClockText()->text().size(), 19);
    QCOMPARE(window.ClockText()->text().mid(4, 1), QStringLiteral("/"));
    window.reject();
    QVERIFY(QTest::qWaitFor([&] { return !window.isVisible() || window.result() == 0; }, kWaitMs));
}

void PMDialogTest::theExtensionModuleShowsChannelsNineToSixteen()
{
    CPMDialog window(Connect(Qh(kQhModbusEx8)));
    QVERIFY(WaitForReads(window, 1));
    QVERIFY(window.ModuleTabs()->TabsEnabled());
    window.ModuleTabs()->setCurrentIndex(1);
    CQHMainPage* page = window.MainPage();
    QCOMPARE(page->View(), QhCells::QhView::Extension);
    QCOMPARE(page->ChannelBase(), 8);
    QCOMPARE(Header(page->TopGrid(), 1, 0), QStringLiteral("9ch"));
    QCOMPARE(Header(page->TopGrid(), 8, 0), QStringLiteral("16ch"));
    QVERIFY(page->TopGrid()->ValueText(1, 1).isEmpty()); // cleared until the module's read
    device_->Sim().Log().Clear();
    QVERIFY(WaitForReads(window, 2));
    QVERIFY(!page->TopGrid()->ValueText(8, 25).isEmpty());
    bool extensionRead = false;
    for (const SimRequestRecord& r : device_->Sim().Log().Records())
        extensionRead |= r.function == 4 && r.address == 6272;
    QVERIFY(extensionRead);
    for (int id : CQHMainPage::kDetailButtons)
        QVERIFY(FindControl<QPushButton>(page, id)->isEnabled());
}

void PMDialogTest::pulseInputsReplaceTheExtensionModule()
{
    CPMDialog window(Connect(Qh(kQhModbus, true)));
    QVERIFY(WaitForReads(window, 1));
    QVERIFY(window.ModuleTabs()->TabsEnabled());
    window.ModuleTabs()->setCurrentIndex(1);
    CQHMainPage* page = window.MainPage();
    QCOMPARE(page->View(), QhCells::QhView::PulseInputs);
    QCOMPARE(Header(page->TopGrid(), 1, 0), QStringLiteral("DI1"));
    QCOMPARE(Header(page->TopGrid(), 8, 0), QStringLiteral("DI8"));
    QCOMPARE(Header(page->BottomGrid(), 0, 5), UiText(211));
    QVERIFY(WaitForReads(window, 2));
    QVERIFY(!page->BottomGrid()->ValueText(1, 5).isEmpty());
    QVERIFY(page->BottomGrid()->ValueText(1, 0).isEmpty());
    for (int id : CQHMainPage::kHourlyResetButtons)
        QVERIFY(!FindControl<QPushButton>(page, id)->isEnabled());
    QVERIFY(page->TopUnitText()->isHidden());
    window.ModuleTabs()->setCurrentIndex(0);
    QVERIFY(FindControl<QPushButton>(page, CQHMainPage::kEnergyResetButtons[0])->isEnabled());
}

void PMDialogTest::firmwareAndHooksEnableLoopTestAndPreset_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<bool>("hooks");
    QTest::addColumn<bool>("loopTest");
    QTest::addColumn<bool>("preset");
    QTest::newRow("139") << 139 << true << false << true;
    QTest::newRow("129") << 129 << true << false << false;
    QTest::newRow("140") << 140 << true << true << true;
    QTest::newRow("140 without hooks") << 140 << false << false << false;
}

void PMDialogTest::firmwareAndHooksEnableLoopTestAndPreset()
{
    QFETCH(int, firmware);
    QFETCH(bool, hooks);
    QFETCH(bool, loopTest);
    QFETCH(bool, preset);
    int opened = 0;
    CPMDialog::DialogHooks h;
    if (hooks) {
        h.loopTest = [&](CModbusInterface&, const CDeviceType&, QWidget*) { ++opened; };
        h.preset = h.loopTest;
    }
    CPMDialog window(Connect(Qh(kQhModbus, false, firmware)));
    window.SetDialogHooks(h);
    QVERIFY(!window.LoopTestButton()->isEnabled());
    QVERIFY(WaitForReads(window, 1));
    QCOMPARE(window.LoopTestButton()->isEnabled(), loopTest);
    QCOMPARE(window.PresetButton()->isEnabled(), preset);
    if (!preset)
        return;
    window.show();
    window.PresetButton()->click();
    QCOMPARE(opened, 1);
    QVERIFY(window.isVisible());
    QVERIFY(!window.Busy());
    if (!loopTest)
        return;
    prompts_->answers = {PromptResult::No};
    window.LoopTestButton()->click();
    QCOMPARE(opened, 1);
    prompts_->answers = {PromptResult::Yes};
    window.LoopTestButton()->click();
    QCOMPARE(opened, 2);
    QCOMPARE(prompts_->Texts().back(), LoadText(11036));
}

void PMDialogTest::aDialogInItsPlaceHidesTheRunningMonitor()
{
    CPMDialog window(Connect(Qh(kQhModbus, false, 200)));
    bool hiddenMeanwhile = false, busyMeanwhile = false, visibleAfter = false;
    int readsMeanwhile = 0;
    CPMDialog::DialogHooks h;
    h.preset = [&](CModbusInterface&, const CDeviceType& device, QWidget* parent) {
        hiddenMeanwhile = parent == &window && !window.isVisible();
        busyMeanwhile = window.Busy() && device.TypeId() == kQhModbus;
        // No read of the monitor follows while its place is taken.
        const auto before = device_->Sim().Log().Records().size();
        QTest::qWait(100);
        readsMeanwhile = int(device_->Sim().Log().Records().size() - before);
    };
    window.SetDialogHooks(h);
    int reads = 0;
    connect(&window, &CPMDialog::ReadShown, this, [&] {
        ++reads;
        if (reads == 1)
            QTimer::singleShot(0, &window, [&] {
                window.PresetButton()->click();
                visibleAfter = window.isVisible();
                // The read that follows the dialog ends the window.
                window.reject();
            });
    });
    QTimer::singleShot(kWaitMs, &window, [&] { window.done(-1); });
    // The real modal run: hiding the window must not end it.
    QCOMPARE(window.exec(), 0);
    QVERIFY(hiddenMeanwhile);
    QVERIFY(busyMeanwhile);
    QVERIFY(readsMeanwhile <= 29); // at most the read that was in flight
    QVERIFY(visibleAfter);
    QVERIFY(reads >= 2);
}

void PMDialogTest::anEndWhileHiddenWaitsForTheDialogInItsPlace()
{
    CPMDialog window(Connect(Qh(kQhModbus, false, 200)));
    bool shownAgain = false;
    CPMDialog::DialogHooks h;
    h.preset = [&](CModbusInterface&, const CDeviceType&, QWidget*) {
        // A read that ends the window (closing, or another family) while it is hidden.
        window.reject();
        QTest::qWait(50);
        connect(&window, &CPMDialog::ReadShown, this, [&] { shownAgain = true; });
    };
    window.SetDialogHooks(h);
    bool clicked = false;
    connect(&window, &CPMDialog::ReadShown, this, [&] {
        if (!std::exchange(clicked, true))
            QTimer::singleShot(0, &window, [&] { window.PresetButton()->click(); });
    });
    QTimer::singleShot(kWaitMs, &window, [&] { window.done(-1); });
    QCOMPARE(window.exec(), 0);
    QVERIFY(!window.isVisible());
    QVERIFY(!shownAgain);
}

void PMDialogTest::resetButtonsWriteTheChannelsCode()
{
    CPMDialog window(Connect(Qh(kQhModbusEx8)));
    QVERIFY(WaitForReads(window, 1));
    window.ModuleTabs()->setCurrentIndex(1);
    CQHMainPage* page = window.MainPage();
    auto commandWrites = [&] {
        std::vector<std::pair<int, std::vector<std::uint16_t>>> w;
        for (const SimRequestRecord& r : device_->Writes())
            if (r.address < 8976 || r.address > 8978)
                w.push_back({r.address, r.values});
        return w;
    };
    prompts_->answers = {PromptResult::No};
    FindControl<QPushButton>(page, CQHMainPage::kHourlyResetButtons[2])->click();
    QVERIFY(commandWrites().empty());
    QCOMPARE(prompts_->Texts().back(), LoadText(11017));
    prompts_->answers = {PromptResult::Yes, PromptResult::Yes};
    FindControl<QPushButton>(page, CQHMainPage::kHourlyResetButtons[2])->click();
    FindControl<QPushButton>(page, CQHMainPage::kEnergyResetButtons[7])->click();
    using W = std::vector<std::pair<int, std::vector<std::uint16_t>>>;
    QCOMPARE(commandWrites(), (W{{8995 + 10, {2}}, {8995 + 15, {1}}}));
}

void PMDialogTest::detailWindowShowsOneChannel()
{
    CPMDetailDialog detail(Connect(Qh(kQhModbusEx8)), 11);
    QCOMPARE(detail.windowTitle(), UiText(24316) + QStringLiteral(" (12ch)"));
    QCOMPARE(detail.Graph()->Step(), 2);
    QVERIFY(WaitForReads(detail, 1));
    QVERIFY(!detail.Page()->TopGrid()->ValueText(1, 1).isEmpty());
    QVERIFY(!detail.ThdGrid()->ValueText(1, 1).isEmpty());
    QVERIFY(!detail.Graph()->Hidden());

    device_->Sim().Log().Clear();
    detail.Tabs()->setCurrentIndex(2); // "Min"
    detail.show();
    CDataGridView* grid = detail.ThdGrid();
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(1, 9).center()); // "Voltage 2"
    QVERIFY(WaitForReads(detail, 2));
    QCOMPARE(Header(detail.Page()->BottomGrid(), 1, 0), UiText(1255));
    QVERIFY(!detail.Page()->BottomGrid()->ValueText(1, 1).isEmpty());
    bool minimum = false, spectrum = false;
    for (const SimRequestRecord& r : device_->Sim().Log().Records()) {
        minimum |= r.address == 2195 + 144 * 11;
        spectrum |= r.address == (409 + 8) * 16 && r.count == 15;
    }
    QVERIFY(minimum);
    QVERIFY(spectrum);
    QCOMPARE(detail.Graph()->Row(), 8);

    prompts_->answers = {PromptResult::Yes};
    FindControl<QPushButton>(detail.Page(), CQHMaxMinPage::kCurrentDemandMaxMin)->click();
    bool reset = false;
    for (const SimRequestRecord& r : device_->Writes())
        reset |= r.address == 8995 + 11 && r.values == std::vector<std::uint16_t>{512};
    QVERIFY(reset);
}

void PMDialogTest::closingWaitsForTheReadInFlight()
{
    SimOptions slow = Qh(kQhModbus);
    slow.faults.delayMs = 30;
    CPMDialog window(Connect(slow));
    window.show();
    QSignalSpy finished(&window, &QDialog::finished);
    window.reject();
    // The read under way ends the window; nothing follows it.
    QVERIFY(finished.wait(kWaitMs));
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QTest::qWait(100);
    const auto before = device_->Sim().Log().Records().size();
    QTest::qWait(200);
    QCOMPARE(device_->Sim().Log().Records().size(), before);
}

QTEST_MAIN(PMDialogTest)
#include "PMDialogTest.moc"
