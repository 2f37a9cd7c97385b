#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

#include "comm/CModbusInterface.h"
#include "gui/commands/SimulatedTcpDevice.h"
#include "gui/monitor/MonitorWindowSupport.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "utility/CDateDialog.h"
#include "utility/CDeviceInfoDialog.h"
#include "utility/CSelCircuitDlg.h"
#include "utility/CTagSettingDialog.h"
#include "utility/CUtilityDialog.h"
#include "utility/MonitorUtilityHooks.h"
#include "widgets/CDataGridView.h"
#include "widgets/ModalRunner.h"

namespace {

constexpr int kTextPasscodeMismatch = 11019;
constexpr int kTextErrorInputDate = 11030;
constexpr int kTextClearAlarm = 11037;
constexpr int kResetRegister = 5329;
constexpr int kClockRegister = 9104;

// Writes other than the passcode handshake (input 4942-4943, command 4944;
// on QH 8976-8977 and 8978).
std::vector<SimRequestRecord> CommandWrites(const SimulatedTcpDevice& device)
{
    auto handshake = [](int a) { return (a >= 4942 && a <= 4944) || (a >= 8976 && a <= 8978); };
    std::vector<SimRequestRecord> writes;
    for (const SimRequestRecord& w : device.Writes())
        if (!handshake(w.address))
            writes.push_back(w);
    return writes;
}

// A simulated device and the monitor's connection to it.
struct Link {
    explicit Link(int typeId, std::uint32_t passcode = 0)
        : device(DeviceOptions(typeId, passcode)), connection(device.Settings())
    {
    }
    SimulatedTcpDevice device;
    CModbusInterface connection;
};

// The dialogs a command opens, answered by the test instead of exec().
using DialogScript = std::function<int(QDialog&)>;

} // namespace

class UtilityDialogsTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;

    void Answer(DialogScript script) { SetModalRunner(std::move(script)); }
    static void Click(QWidget* dialog, int id) { Control<QPushButton>(dialog, id)->click(); }
    static QCheckBox* Box(CSelCircuitDlg& dialog, int index)
    {
        return Control<QCheckBox>(&dialog, CSelCircuitDlg::kCircuitA + index);
    }

private slots:
    void init() { prompts_.emplace(); }
    void cleanup() { prompts_.reset(); }

    void EnergyResetOfCircuitsBAndDWrites10()
    {
        Link link(kZnpw);
        CUtilityDialog dialog(link.connection, link.device.Sim().Identity(), false);
        Answer([](QDialog& d) {
            auto& chooser = dynamic_cast<CSelCircuitDlg&>(d);
            Control<QCheckBox>(&chooser, CSelCircuitDlg::kAllCircuits)->setChecked(false);
            for (int i : {0, 2})
                Box(chooser, i)->setChecked(false);
            chooser.accept();
            return chooser.result();
        });
        Click(&dialog, CUtilityDialog::kEnergy);

        const std::vector<SimRequestRecord> writes = CommandWrites(link.device);
        QCOMPARE(writes.size(), size_t(1));
        QCOMPARE(writes[0].address, kResetRegister);
        QCOMPARE(writes[0].values, std::vector<std::uint16_t>{10});
        QVERIFY(prompts_->shown.empty());
    }

    void ChooserOpensWithAllCircuitsAndStaysOpenWithoutOne()
    {
        CSelCircuitDlg chooser(CircuitChooserFor(ResetKind::Energy));
        chooser.show();
        auto* all = Control<QCheckBox>(&chooser, CSelCircuitDlg::kAllCircuits);
        QVERIFY(all->isChecked());
        for (int i = 0; i < 4; ++i)
            QVERIFY(Box(chooser, i)->isChecked() && !Box(chooser, i)->isEnabled());
        QVERIFY(!Box(chooser, 4)->isVisible()); // the energy of "Circuit Common" has no meaning

        all->setChecked(false);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(Box(chooser, i)->isEnabled());
            Box(chooser, i)->setChecked(false);
        }
        QSignalSpy finished(&chooser, &QDialog::finished);
        Click(&chooser, CSelCircuitDlg::kOk);
        QVERIFY(finished.isEmpty());
        QVERIFY(chooser.isVisible());

        all->setChecked(true);
        QCOMPARE(chooser.Result(), std::uint16_t(15));
    }

    void SetAcceptsALeapDayAndRefusesOneThatDoesNotExist()
    {
        Link link(kQhModbus);
        CDateDialog dialog(link.connection);
        auto type = [&](const QStringList& fields) {
            for (int i = 0; i < fields.size(); ++i)
                dialog.Edit(static_cast<DateField>(i))->setText(fields[i]);
            Click(&dialog, CDateDialog::kSet);
        };

        type({"2023", "02", "29", "10", "15", "30"});
        QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(kTextErrorInputDate)});
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
        QCOMPARE(dialog.focusWidget(), dialog.Edit(DateField::Day));
        QVERIFY(CommandWrites(link.device).empty());

        type({"2024", "02", "29", "10", "15", "30"});
        const std::vector<SimRequestRecord> writes = CommandWrites(link.device);
        QCOMPARE(prompts_->shown.size(), size_t(1));
        QCOMPARE(writes.size(), size_t(1));
        QCOMPARE(writes[0].address, kClockRegister);
        QCOMPARE(writes[0].values, (std::vector<std::uint16_t>{0x2402, 0x2910, 0x1530}));
    }

    void DateDialogShowsTheDeviceClock()
    {
        Link link(kQhModbus);
        CDateDialog dialog(link.connection);
        QSignalSpy shown(&dialog, &CDateDialog::DeviceTimeShown);
        QVERIFY(shown.wait(kWaitMs));
        const QString text = Control<QLabel>(&dialog, CDateDialog::kDeviceTime)->text();
        QVERIFY2(QRegularExpression(R"(^20\d\d/\d\d/\d\d \d\d:\d\d:\d\d$)").match(text).hasMatch(),
                 qPrintable(text));
        dialog.reject();
    }

    void ButtonsFollowTheDevice_data()
    {
        QTest::addColumn<int>("typeId");
        QTest::addColumn<QList<int>>("disabled");
        const int demand = CUtilityDialog::kDemand, loop = CUtilityDialog::kLoopTest;
        const int clear = CUtilityDialog::kClearAlarm, counter = CUtilityDialog::kCounter;
        QTest::newRow("KTA") << kKtaGen3Modbus << QList<int>{loop, counter};
        QTest::newRow("ZNPW") << kZnpw << QList<int>{demand, clear, counter};
        QTest::newRow("QG counters") << kQgModbusCounter << QList<int>{clear};
        QTest::newRow("LKTA") << kLktaModbus << QList<int>{loop, counter};
    }
    void ButtonsFollowTheDevice()
    {
        QFETCH(int, typeId);
        QFETCH(QList<int>, disabled);
        CDeviceType device;
        device.SelectById(typeId);
        CModbusInterface connection;
        CUtilityDialog dialog(connection, device, false);
        auto noop = [](CModbusInterface&, const CDeviceType&, QWidget*) {};
        dialog.SetTestWindows({noop, noop});
        for (int id = CUtilityDialog::kEnergy; id <= CUtilityDialog::kClearAlarm; ++id)
            QVERIFY2(Control<QPushButton>(&dialog, id)->isEnabled() != disabled.contains(id),
                     qPrintable(QString::number(id)));

        dialog.SetTestWindows({});
        QVERIFY(!Control<QPushButton>(&dialog, CUtilityDialog::kPreset)->isEnabled());
    }

    void CommandsAnsweredNoWriteNothing()
    {
        Link link(kKtaGen3Modbus);
        CUtilityDialog dialog(link.connection, link.device.Sim().Identity(), false);
        for (int id : {CUtilityDialog::kEnergy, CUtilityDialog::kMaxMin, CUtilityDialog::kDemand,
                       CUtilityDialog::kClearAlarm})
            Click(&dialog, id);
        QVERIFY(link.device.Writes().empty());
        QCOMPARE(prompts_->shown.size(), size_t(4));
        // Clearing the alarms asks with "No" as the default answer.
        QCOMPARE(prompts_->shown.back().text, LoadText(kTextClearAlarm));
        QCOMPARE(prompts_->shown.back().buttons, PromptButtons::YesNoDefaultNo);
    }

    void MonitorOnChannel2ResetsTheSecondInput()
    {
        MonitoredDevice m(DeviceOptions(kQgModbusInput2));
        CMyORMELDlg& window = m.Open();
        window.SetDialogHooks({.utility = &RunMonitorUtilityDialog, .loopTest = {}});
        QVERIFY(WaitForTurns(window, 1)); // the first turn identifies the device
        window.ChannelList()->setCurrentIndex(1);
        prompts_->answers = {PromptResult::Yes};
        Answer([](QDialog& d) {
            Click(&dynamic_cast<CUtilityDialog&>(d), CUtilityDialog::kMaxMin);
            return int(QDialog::Rejected);
        });
        Click(&window, 1075);
        const std::vector<SimRequestRecord> writes = CommandWrites(m.device);
        QCOMPARE(writes.size(), size_t(1));
        QCOMPARE(writes[0].address, 5337);
        QCOMPARE(writes[0].values, std::vector<std::uint16_t>{2});
    }

    void WrongPasscodeWritesNoCommand()
    {
        Link link(kKtaGen3Modbus, 1234);
        CUtilityDialog dialog(link.connection, link.device.Sim().Identity(), false);
        prompts_->answers = {PromptResult::Yes};
        prompts_->passcodes = {9999u};
        Click(&dialog, CUtilityDialog::kEnergy);
        QVERIFY(CommandWrites(link.device).empty());
        QCOMPARE(prompts_->shown.back().text, LoadText(kTextPasscodeMismatch));
        QVERIFY(!link.device.Sim().Unlocked());
    }

    void CommunicationErrorReadsAsTheMonitorsMessage()
    {
        Link link(kKtaGen3Modbus);
        ComSettings unreachable = link.device.Settings();
        unreachable.servicePort = "1"; // nothing listens there
        CModbusInterface connection(unreachable);
        CUtilityDialog dialog(connection, link.device.Sim().Identity(), false);
        prompts_->answers = {PromptResult::Yes};
        Click(&dialog, CUtilityDialog::kDemand);
        QCOMPARE(prompts_->shown.size(), size_t(2));
        QCOMPARE(prompts_->shown[1].icon, PromptIcon::Error);
        const std::string prefix = LoadText(11025).substr(0, 20);
        QVERIFY(prompts_->shown[1].text.starts_with(prefix));
    }

    void DeviceInformationShowsTheNewTag()
    {
        Link link(kQhModbus);
        CDeviceInfoDialog dialog(link.connection);
        const CDataGridView* grid = dialog.Grid();
        QVERIFY(!grid->ValueText(1, 2).isEmpty()); // the model was read on opening
        Answer([](QDialog& d) {
            Control<QLineEdit>(&d, CTagSettingDialog::kTag)->setText("PUMP-3");
            d.accept();
            return d.result();
        });
        Click(&dialog, CDeviceInfoDialog::kTagNo);
        QCOMPARE(grid->ValueText(1, 0), QString("PUMP-3"));
        QVERIFY(prompts_->shown.empty());
    }
};

QTEST_MAIN(UtilityDialogsTest)
#include "UtilityDialogsTest.moc"
