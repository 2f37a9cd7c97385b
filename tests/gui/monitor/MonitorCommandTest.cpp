#include <QPushButton>
#include <QTest>

#include <optional>

#include "app/CAppSettings.h"
#include "config/MainWindowControls.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CMainWindowCommands.h"
#include "gui/monitor/MonitorWindowSupport.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CPMDialog.h"
#include "monitor/MonitorWindows.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"

namespace {
constexpr int kKtb = 39;
constexpr int kKtaGen2 = 70;
constexpr int kQh = 52;
constexpr int kZnpw = 83;
} // namespace

// The Monitor button of the main window with the program's own opener.
class MonitorCommandTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;
    CMemorySettingsStore store_;
    std::unique_ptr<CAppSettings> settings_;
    std::unique_ptr<CMainWindowCommands> commands_;
    ParameterSet last_;
    std::unique_ptr<CBasicParameterDialog> window_;
    // Per monitor window: the main window's visibility and the turns it ran.
    std::vector<bool> mainVisible_;
    std::vector<int> results_;

    void MonitorThroughTheMainWindow(int typeId)
    {
        SimulatedTcpDevice device(DeviceOptions(typeId));
        prompts_->connects.push_back(device.Settings());
        FindControl<QPushButton>(window_.get(), MainControl::Monitor)->click();
    }

private slots:
    void init()
    {
        prompts_.emplace();
        settings_ = std::make_unique<CAppSettings>(store_);
        commands_ = std::make_unique<CMainWindowCommands>(*settings_);
        commands_->SetMonitorWindowOpener(&OpenMonitorWindow);
        last_ = SetOf(kKtb);
        window_ = std::make_unique<CBasicParameterDialog>(last_);
        window_->SetCommands(commands_.get());
        window_->show();
        mainVisible_.clear();
        results_.clear();
    }
    void cleanup()
    {
        window_.reset();
        prompts_.reset();
    }

    void theStandardMonitorRunsWhileTheMainWindowIsHidden();
    void resultOneIdentifiesTheDeviceAgainAndReopens();
    void theQhFamilyGetsTheMultiCircuitMonitor();
    void znDevicesGetTheirOwnMonitor();
};

void MonitorCommandTest::theStandardMonitorRunsWhileTheMainWindowIsHidden()
{
    const ParameterSet before = window_->WorkingSet();
    SetModalRunner([this](QDialog& d) {
        auto* monitor = qobject_cast<CMyORMELDlg*>(&d);
        if (!monitor)
            return int(QDialog::Rejected);
        mainVisible_.push_back(window_->isVisible());
        results_.push_back(WaitForTurns(*monitor, 2) ? 0 : -1);
        monitor->reject();
        return monitor->result();
    });
    MonitorThroughTheMainWindow(kKtaGen2);
    QCOMPARE(results_, std::vector<int>{0});
    QCOMPARE(mainVisible_, std::vector<bool>{false});
    QVERIFY(window_->isVisible());
    QVERIFY(prompts_->shown.empty());
    // The monitor follows the device; the edited set stays as it was.
    QCOMPARE(window_->WorkingSet().type.TypeId(), kKtb);
    QVERIFY(window_->WorkingSet().words == before.words);
}

void MonitorCommandTest::resultOneIdentifiesTheDeviceAgainAndReopens()
{
    std::vector<int> identified;
    SetModalRunner([&](QDialog& d) {
        auto* monitor = qobject_cast<CMyORMELDlg*>(&d);
        if (!monitor)
            return int(QDialog::Rejected);
        results_.push_back(WaitForTurns(*monitor, 1) ? 0 : -1);
        identified.push_back(monitor->Worker().ConnectedDevice().TypeId());
        monitor->done(results_.size() == 1 ? 1 : 0);
        return monitor->result();
    });
    MonitorThroughTheMainWindow(kKtaGen2);
    QCOMPARE(results_, (std::vector<int>{0, 0}));
    QCOMPARE(identified, (std::vector<int>{kKtaGen2, kKtaGen2}));
    QVERIFY(window_->isVisible());
}

void MonitorCommandTest::theQhFamilyGetsTheMultiCircuitMonitor()
{
    SetModalRunner([this](QDialog& d) {
        auto* monitor = qobject_cast<CPMDialog*>(&d);
        if (!monitor)
            return int(QDialog::Rejected);
        mainVisible_.push_back(window_->isVisible());
        QSignalSpy shown(monitor, &CPMDialog::ReadShown);
        results_.push_back(shown.wait(kWaitMs) ? monitor->Device().TypeId() : -1);
        monitor->done(0);
        return monitor->result();
    });
    MonitorThroughTheMainWindow(kQh);
    QCOMPARE(results_, std::vector<int>{kQh});
    QCOMPARE(mainVisible_, std::vector<bool>{false});
    QVERIFY(prompts_->shown.empty());
    QVERIFY(window_->isVisible());
}

void MonitorCommandTest::znDevicesGetTheirOwnMonitor()
{
    int znWindows = 0;
    SetModalRunner([&](QDialog& d) {
        znWindows += qobject_cast<CMyORMEL2Dlg*>(&d) != nullptr;
        return int(QDialog::Rejected);
    });
    MonitorThroughTheMainWindow(kZnpw);
    QCOMPARE(znWindows, 1);
    QVERIFY(prompts_->Texts().empty());
    QVERIFY(window_->isVisible());
}

QTEST_MAIN(MonitorCommandTest)
#include "MonitorCommandTest.moc"
