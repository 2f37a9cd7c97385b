#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "CPosixFileSystem.h"
#include "SimulatedTcpDevice.h"
#include "app/CAppSettings.h"
#include "app/CProgressDialog.h"
#include "comm/CModbusInterface.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CCompareDialog.h"
#include "config_ui/CMainWindowCommands.h"
#include "device/CConfigFile.h"
#include "device/ParameterTransfer.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
constexpr std::uint32_t kPasscode = 4321;

constexpr int kTextPasscodeMismatch = 11019;
constexpr int kTextDifferentDevice = 11021;
constexpr int kTextNoReboot = 11045;
constexpr int kTextAskRestart = 11046;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Reads that cover reg; a download itself reads no parameter register.
int ReadsOf(SimulatedTcpDevice& device, int reg)
{
    const auto records = device.Sim().Log().Records();
    return static_cast<int>(std::count_if(records.begin(), records.end(), [reg](const auto& r) {
        return r.function == 4 && r.address <= reg && reg < r.address + r.count;
    }));
}

// Writes that are not the passcode handshake.
std::vector<SimRequestRecord> ParameterWrites(const std::vector<SimRequestRecord>& writes)
{
    std::vector<SimRequestRecord> result;
    for (const SimRequestRecord& w : writes)
        if (w.address < 4942 || w.address > 4945)
            result.push_back(w);
    return result;
}

} // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<CProgressAwarePrompts>> prompts_;
    CMemorySettingsStore store_;
    std::unique_ptr<CAppSettings> settings_;
    std::unique_ptr<CMainWindowCommands> commands_;
    ParameterSet last_;
    std::unique_ptr<CBasicParameterDialog> window_;
    bool cancelProgress_ = false;
    int progressRuns_ = 0;
    std::vector<int> waits_;
    QTemporaryDir dir_;

    void OpenWindow(int typeId)
    {
        last_ = SetOf(typeId);
        window_ = std::make_unique<CBasicParameterDialog>(last_);
        window_->SetCommands(commands_.get());
    }
    void Press(int controlId) { FindControl<QPushButton>(window_.get(), controlId)->click(); }
    void Connect(const SimulatedTcpDevice& device)
    {
        prompts_->connects.push_back(device.Settings());
    }
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

private slots:
    void init()
    {
        InstallPlatformFiles();
        prompts_.emplace();
        settings_ = std::make_unique<CAppSettings>(store_);
        commands_ = std::make_unique<CMainWindowCommands>(*settings_);
        commands_->SetRestartWait([this](int ms) { waits_.push_back(ms); });
        cancelProgress_ = false;
        progressRuns_ = 0;
        waits_.clear();
        SetModalRunner([this](QDialog& d) {
            if (!qobject_cast<CProgressDialog*>(&d))
                return int(QDialog::Rejected);
            ++progressRuns_;
            return RunProgressToEnd(d, *prompts_, cancelProgress_);
        });
        OpenWindow(kKtbGen3Modbus);
    }
    void cleanup()
    {
        window_.reset();
        prompts_.reset();
    }

    void uploadReplacesTheWorkingSetWithTheDevicesOwn();
    void cancelledUploadKeepsTheWorkingSet();
    void cancelledConnectDialogDoesNothing();
    void downloadToAProtectedDeviceWithTheRightPasscodeWritesAndRelocks();
    void downloadWithAWrongPasscodeWritesNothing();
    void downloadOfAnotherVariantIsRefusedAfterTheProgressWindowClosed();
    void writeTheDeviceIgnoredOpensTheReportOfThatParameter();
    void verifyChoiceIsRememberedAndAMatchShowsNothing();
    void commandsToAnAbsentDeviceReportACommunicationError();
    void rebootOfALonWorksVariantIsRefusedAndWritesNothing();
    void rebootOfZmWritesTheRestartPairWithoutWaiting();
    void rebootOfKtaWritesTheRestartCodeAndWaits();
    void rebootDeclinedWritesNothing();
    void openingABrokenFileKeepsTheWorkingSet();
    void saveThenOpenReproducesTheWorkingSet();
    void saveWithAnInvalidFieldAsksForThePathFirstAndWritesNothing();
    void reportShowsACopyOfTheEditedValues();
    void monitorIdentifiesAgainWhileTheWindowAsksToReopen();
};

void MainWindowCommandsTest::uploadReplacesTheWorkingSetWithTheDevicesOwn()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    ParameterSet expected;
    {
        CModbusInterface direct(device.Settings());
        direct.Open();
        SilentProgress sink;
        QVERIFY(ReadFromDevice(expected, direct, sink));
        direct.Close();
    }
    Connect(device);
    Press(MainControl::Upload);
    QCOMPARE(progressRuns_, 1);
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(window_->WorkingSet().type.TypeId(), kKtaGen3Modbus);
    QVERIFY(window_->WorkingSet().words == expected.words);
}

void MainWindowCommandsTest::cancelledUploadKeepsTheWorkingSet()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    const ParameterSet before = window_->WorkingSet();
    cancelProgress_ = true;
    Connect(device);
    Press(MainControl::Upload);
    QCOMPARE(progressRuns_, 1);
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(window_->WorkingSet().type.TypeId(), kKtbGen3Modbus);
    QVERIFY(window_->WorkingSet().words == before.words);
}

void MainWindowCommandsTest::cancelledConnectDialogDoesNothing()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    for (int id : {MainControl::Upload, MainControl::Download, MainControl::Protect,
                   MainControl::Reboot, MainControl::Monitor})
        Press(id);
    QCOMPARE(prompts_->connectCount, 5);
    QCOMPARE(prompts_->verifyOffered, std::vector<bool>{true}); // Download's dialog only
    QCOMPARE(progressRuns_, 0);
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(device.Sim().Log().Size(), std::size_t(0));
}

void MainWindowCommandsTest::downloadToAProtectedDeviceWithTheRightPasscodeWritesAndRelocks()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus, kPasscode));
    OpenWindow(kKtaGen3Modbus);
    Connect(device);
    prompts_->passcodes.push_back(kPasscode);
    Press(MainControl::Download);
    QCOMPARE(prompts_->passcodeCount, 1);
    QCOMPARE(progressRuns_, 1);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{});
    QVERIFY(!ParameterWrites(device.Writes()).empty());
    QVERIFY(!device.Sim().Unlocked());
}

void MainWindowCommandsTest::downloadWithAWrongPasscodeWritesNothing()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus, kPasscode));
    OpenWindow(kKtaGen3Modbus);
    Connect(device);
    prompts_->passcodes.push_back(kPasscode + 1);
    Press(MainControl::Download);
    QCOMPARE(progressRuns_, 0);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(kTextPasscodeMismatch)});
    QVERIFY(ParameterWrites(device.Writes()).empty());
    QVERIFY(!device.Sim().Unlocked());
}

void MainWindowCommandsTest::downloadOfAnotherVariantIsRefusedAfterTheProgressWindowClosed()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    Connect(device);
    Press(MainControl::Download);
    QCOMPARE(progressRuns_, 1);
    QCOMPARE(prompts_->shown.size(), std::size_t(1));
    QVERIFY(Contains(prompts_->shown[0].text, LoadText(kTextDifferentDevice)));
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    QCOMPARE(prompts_->shownWhileProgressOpen, std::vector<bool>{false});
    QVERIFY(ParameterWrites(device.Writes()).empty());
    QVERIFY(!device.Sim().Unlocked());
}

// Download and Protect talk to the device before any progress window opens;
// their failures read like those of a transfer, naming what to check.
void MainWindowCommandsTest::writeTheDeviceIgnoredOpensTheReportOfThatParameter()
{
    SimOptions options = DeviceOptions(kKtaGen3Modbus);
    options.faults.ignoreWriteAddress = 5603; // Primary voltage, low word
    SimulatedTcpDevice device(options);
    OpenWindow(kKtaGen3Modbus);
    FindControl<QLineEdit>(window_->findChild<QWidget*>("VtCtPanel"), MainControl::VtPrimary)
        ->setText("6600");
    std::optional<CParameterReport> shown;
    bool lockedWhenShown = false;
    SetModalRunner([&](QDialog& d) {
        if (auto* report = qobject_cast<CCompareDialog*>(&d)) {
            shown.emplace(report->Report());
            lockedWhenShown = !device.Sim().Unlocked();
            return int(QDialog::Rejected);
        }
        ++progressRuns_;
        return RunProgressToEnd(d, *prompts_, false);
    });
    Connect(device);
    Press(MainControl::Download);
    QCOMPARE(progressRuns_, 1);
    QVERIFY(prompts_->shown.empty());
    QVERIFY(shown.has_value());
    QVERIFY(lockedWhenShown);
    QCOMPARE(shown->DifferentCount(), 1);
    const ReportRow& row = shown->Rows()[static_cast<std::size_t>(shown->FirstDifferentRow())];
    QCOMPARE(row.word, int(MainWord::VtPrimary));
    QCOMPARE(shown->PcSet().Get32(MainWord::VtPrimary), 6600);
    QCOMPARE(shown->ComparisonSet()->Get32(MainWord::VtPrimary), 110);
}

// Checked by default, a match shows nothing; left unchecked, nothing is read
// back and the next Download's dialog opens unchecked.
void MainWindowCommandsTest::verifyChoiceIsRememberedAndAMatchShowsNothing()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    OpenWindow(kKtaGen3Modbus);
    Connect(device);
    Press(MainControl::Download);
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(ReadsOf(device, 5600), 1);

    device.Sim().Log().Clear();
    Connect(device);
    prompts_->verifyChoices.push_back(false);
    Press(MainControl::Download);
    QCOMPARE(ReadsOf(device, 5600), 0);
    Connect(device);
    Press(MainControl::Download);
    QCOMPARE(progressRuns_, 3);
    QCOMPARE(prompts_->verifyOffered, (std::vector<bool>{true, true, false}));
    settings_->Save();
    QCOMPARE(store_.GetString(CAppSettings::kSection, "VerifyDownload", ""), std::string("0"));
}

void MainWindowCommandsTest::commandsToAnAbsentDeviceReportACommunicationError()
{
    ComSettings gone;
    {
        SimulatedTcpDevice device(DeviceOptions(kKtbGen3Modbus));
        gone = device.Settings();
    }
    const std::string communicationError = CommunicationErrorText("");
    for (int command : {MainControl::Download, MainControl::Protect}) {
        prompts_->shown.clear();
        prompts_->connects.push_back(gone);
        Press(command);
        QCOMPARE(progressRuns_, 0);
        QCOMPARE(prompts_->shown.size(), std::size_t(1));
        QVERIFY(prompts_->shown[0].text.rfind(communicationError, 0) == 0);
        QVERIFY(prompts_->shown[0].text.size() > communicationError.size());
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    }
}

void MainWindowCommandsTest::rebootOfALonWorksVariantIsRefusedAndWritesNothing()
{
    SimulatedTcpDevice device(DeviceOptions(kKtblGen1LonWorks));
    Connect(device);
    Press(MainControl::Reboot);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{FormatText(kTextNoReboot, {"KTBL"})});
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    QVERIFY(device.Writes().empty());
    QCOMPARE(device.Sim().Restarts(), 0);
}

void MainWindowCommandsTest::rebootOfZmWritesTheRestartPairWithoutWaiting()
{
    SimulatedTcpDevice device(DeviceOptions(kZmAo));
    Connect(device);
    prompts_->answers.push_back(PromptResult::Yes);
    Press(MainControl::Reboot);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{FormatText(kTextAskRestart, {"ZMPW"})});
    const auto writes = ParameterWrites(device.Writes());
    QCOMPARE(writes.size(), std::size_t(1));
    QCOMPARE(writes[0].address, 9000);
    QCOMPARE(writes[0].values, (std::vector<std::uint16_t>{3333, 4444}));
    QCOMPARE(device.Sim().Restarts(), 1);
    QVERIFY(waits_.empty());
}

void MainWindowCommandsTest::rebootOfKtaWritesTheRestartCodeAndWaits()
{
    SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
    Connect(device);
    prompts_->answers.push_back(PromptResult::Yes);
    Press(MainControl::Reboot);
    const auto writes = ParameterWrites(device.Writes());
    QCOMPARE(writes.size(), std::size_t(1));
    QCOMPARE(writes[0].address, 5330);
    QCOMPARE(writes[0].values, std::vector<std::uint16_t>{10001});
    QCOMPARE(device.Sim().Restarts(), 1);
    QCOMPARE(waits_, std::vector<int>{3000});
    // The device restarted without answering; that is not reported.
    QCOMPARE(prompts_->shown.size(), std::size_t(1));
}

void MainWindowCommandsTest::rebootDeclinedWritesNothing()
{
    SimulatedTcpDevice device(DeviceOptions(kZmAo));
    Connect(device);
    prompts_->answers.push_back(PromptResult::No);
    Press(MainControl::Reboot);
    QVERIFY(device.Writes().empty());
}

void MainWindowCommandsTest::openingABrokenFileKeepsTheWorkingSet()
{
    // A file of a real variant with one value that is not a number.
    const std::string path = Path("broken.cfg");
    CConfigFile::SaveToFile(SetOf(kKtaGen3Modbus), path);
    std::string text;
    {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto key = text.find("\nL");
    QVERIFY(key != std::string::npos);
    text.insert(text.find('=', key) + 1, "x");
    std::ofstream(path, std::ios::trunc) << text;
    window_->WorkingSet()[29] = 1234;
    const ParameterSet before = window_->WorkingSet();
    prompts_->fileNames.push_back(path);
    Press(MainControl::OpenFile);
    QCOMPARE(prompts_->shown.size(), std::size_t(1));
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    QVERIFY(window_->WorkingSet().words == before.words);
    QCOMPARE(window_->WorkingSet().type.TypeId(), kKtbGen3Modbus);
}

void MainWindowCommandsTest::saveThenOpenReproducesTheWorkingSet()
{
    OpenWindow(kKtaGen3Modbus);
    window_->WorkingSet()[29] = 1234;
    window_->RefreshControls();
    const ParameterSet saved = window_->WorkingSet();
    const std::string path = Path("round.cfg");
    prompts_->fileNames.push_back(path);
    Press(MainControl::SaveFile);
    QVERIFY(prompts_->shown.empty());

    OpenWindow(kKtbGen3Modbus);
    prompts_->fileNames.push_back(path);
    Press(MainControl::OpenFile);
    QVERIFY(prompts_->shown.empty());
    QCOMPARE(window_->WorkingSet().type.TypeId(), kKtaGen3Modbus);
    QVERIFY(window_->WorkingSet().words == saved.words);
}

void MainWindowCommandsTest::saveWithAnInvalidFieldAsksForThePathFirstAndWritesNothing()
{
    FindControl<QLineEdit>(window_->findChild<QWidget*>("VtCtPanel"), MainControl::CtPrimary)
        ->setText("0");
    const std::string path = Path("invalid.cfg");
    prompts_->fileNames.push_back(path);
    Press(MainControl::SaveFile);
    QVERIFY(prompts_->fileNames.empty());
    QCOMPARE(prompts_->shown.size(), std::size_t(1));
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
}

void MainWindowCommandsTest::reportShowsACopyOfTheEditedValues()
{
    auto* edit =
        FindControl<QLineEdit>(window_->findChild<QWidget*>("VtCtPanel"), MainControl::VtPrimary);
    edit->setText("4321");
    std::optional<ParameterSet> shown;
    SetModalRunner([&](QDialog& d) {
        if (auto* report = qobject_cast<CCompareDialog*>(&d)) {
            shown = report->Report().PcSet();
            report->CompareWithFile(); // nothing chosen: stays a report
        }
        return int(QDialog::Rejected);
    });
    Press(MainControl::Report);
    QVERIFY(shown.has_value());
    QCOMPARE(shown->Get32(MainWord::VtPrimary), 4321);
    QVERIFY(shown->words == window_->WorkingSet().words);
}

void MainWindowCommandsTest::monitorIdentifiesAgainWhileTheWindowAsksToReopen()
{
    SimulatedTcpDevice device(DeviceOptions(kQhModbusEx8));
    window_->show();
    std::vector<MonitorWindowKind> opened;
    std::vector<bool> mainVisible;
    std::vector<int> identifiedTypes;
    commands_->SetMonitorWindowOpener(
        [&](MonitorWindowKind kind, const CDeviceType& identified, CModbusInterface&, QWidget*) {
            opened.push_back(kind);
            mainVisible.push_back(window_->isVisible());
            identifiedTypes.push_back(identified.TypeId());
            return opened.size() < 2 ? 1 : 0;
        });
    Connect(device);
    Press(MainControl::Monitor);
    QCOMPARE(opened, (std::vector<MonitorWindowKind>(2, MonitorWindowKind::PowerManagement)));
    QCOMPARE(mainVisible, (std::vector<bool>{false, false}));
    QCOMPARE(identifiedTypes, (std::vector<int>{kQhModbusEx8, kQhModbusEx8}));
    QVERIFY(window_->isVisible());
    QVERIFY(prompts_->shown.empty());
}

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
