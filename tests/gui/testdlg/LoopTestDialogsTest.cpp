#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "gui/testdlg/TestDialogSupport.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "testdlg/CLoopBackDialog.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CLoopTestPanel.h"
#include "testdlg/CLoopTestQHDialog.h"
#include "testdlg/CZNLoopTestDlg.h"

namespace {

constexpr int kLkta4to20mA = 50;
constexpr int kVoltageItem = 1;
constexpr int kFrequencyItem = 6;
constexpr int kTextOutOfRange = 11000;
constexpr int kTextPasscodeMismatch = 11019;
constexpr int kTextFrequencyRange = 11035;

SimOptions InLoopTest(int typeId)
{
    SimOptions options = DeviceOptions(typeId);
    options.scenario.loopTestChannels = {1};
    return options;
}

bool ShowsLoopTest(QWidget* dialog)
{
    return Control<QRadioButton>(dialog, CModeButtons::kLoopTestButton)->isChecked();
}

void Click(QWidget* dialog, int id)
{
    Control<QAbstractButton>(dialog, id)->click();
}

} // namespace

class LoopTestDialogsTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;

    static bool EnterOn(CLoopTestPanel& panel, int item, const QString& text, int system = 0)
    {
        return Enter(*panel.Editing(system), *panel.Grid(system), item, text);
    }

private slots:
    void init() { prompts_.emplace(); }
    void cleanup() { prompts_.reset(); }

    // Typed values stay in the window while "Normal" is selected; "Loop Test"
    // switches the device in write mode 1 and writes them all in write mode 2.
    void valuesReachTheDeviceOnlyInLoopTest()
    {
        TestLink link(kQgModbusCounter);
        CLoopTestDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        dialog.Load();
        CLoopTestPanel& panel = *dialog.Panel();
        QVERIFY(!ShowsLoopTest(&dialog));
        QVERIFY(EnterOn(panel, kVoltageItem, "230"));
        QCOMPARE(panel.Value(kVoltageItem), 23000);
        QVERIFY(link.Writes().empty());

        Click(&dialog, CModeButtons::kLoopTestButton);
        QVERIFY(ShowsLoopTest(&dialog));
        const auto writes = link.Writes();
        QCOMPARE(writes.size(), size_t(7));
        QCOMPARE(writes[0], (std::pair<int, Words>{4944, {1}}));
        QCOMPARE(writes[1], (std::pair<int, Words>{5335, {1}}));
        QCOMPARE(writes[2], (std::pair<int, Words>{4944, {0}}));
        QCOMPARE(writes[3], (std::pair<int, Words>{4944, {2}}));
        QCOMPARE(writes[4].first, 0);
        QCOMPARE(writes[4].second[2], std::uint16_t(23000)); // item 1, low word first
        QCOMPARE(writes[5].first, 32);
        QCOMPARE(writes[6], (std::pair<int, Words>{4944, {0}}));
        QCOMPARE(link.Register(5335), std::uint16_t(1));

        // Frequency: 50 is 5000, 0 is the special value, 44.99 is refused.
        link.ClearLog();
        QVERIFY(EnterOn(panel, kFrequencyItem, "50"));
        QCOMPARE(link.CommandWrites().front().second[12], std::uint16_t(5000));
        QVERIFY(EnterOn(panel, kFrequencyItem, "0"));
        QCOMPARE(panel.Value(kFrequencyItem), 0);
        link.ClearLog();
        QVERIFY(EnterOn(panel, kFrequencyItem, "44.99"));
        QCOMPARE(prompts_->Texts(),
                 std::vector<std::string>{
                     FormatText(kTextFrequencyRange, {LoadText(1006), "45.00", "65.00", "0.00"})});
        CParEdit& editor = panel.Editing()->Editor();
        QVERIFY(editor.IsEditing());
        QCOMPARE(editor.Edit()->selectedText(), QStringLiteral("44.99"));
        QVERIFY(link.Writes().empty());

        // Closing keeps the device in loop test; "Normal" would switch it back.
        dialog.reject();
        QCOMPARE(link.Register(5335), std::uint16_t(1));
    }

    void passcode_data()
    {
        QTest::addColumn<std::uint32_t>("typed");
        QTest::newRow("right") << kPasscode;
        QTest::newRow("wrong") << 9999u;
    }
    // A refused unlock writes nothing and the window shows the mode the device is in.
    void passcode()
    {
        QFETCH(std::uint32_t, typed);
        const bool right = typed == kPasscode;
        TestLink link(kQgModbusCounter, kPasscode);
        CLoopTestDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        dialog.Load();
        prompts_->passcodes = {typed, typed};
        Click(&dialog, CModeButtons::kLoopTestButton);
        QCOMPARE(ShowsLoopTest(&dialog), right);
        QCOMPARE(link.Register(5335), std::uint16_t(right ? 1 : 0));
        QCOMPARE(link.WroteAt(0), right);
        if (!right) {
            QVERIFY(link.CommandWrites().empty());
            QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(kTextPasscodeMismatch)});
            QCOMPARE(prompts_->passcodeCount, 1);
        }
        QVERIFY(!link.device.Sim().Unlocked());
        QCOMPARE(link.Register(4944), std::uint16_t(0));
    }

    void lostLink_data()
    {
        QTest::addColumn<bool>("permanent");
        QTest::newRow("link back") << false;
        QTest::newRow("link gone") << true;
    }
    // A link lost while the values are written is reported; the device leaves
    // write mode when the link comes back, and stays in loop test.
    void lostLink()
    {
        QFETCH(bool, permanent);
        TestLink link(InLoopTest(kQgModbusCounter));
        CLoopTestDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        dialog.Load();
        QVERIFY(ShowsLoopTest(&dialog));
        link.ClearLog();
        {
            // Requests: 5735, 5333, 4944 = 2, 5735, then the first block: lost.
            CLostLink loss(5, permanent);
            QVERIFY(EnterOn(*dialog.Panel(), kVoltageItem, "230"));
            QVERIFY(loss.Happened());
        }
        QCOMPARE(prompts_->shown.size(), size_t(1));
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
        QVERIFY(!link.connection.IsOpen());
        QCOMPARE(dialog.Panel()->Value(kVoltageItem), 23000); // what was typed stays
        QCOMPARE(link.Register(5335), std::uint16_t(1));
        // Gone for good, the leave step could not reach the device either.
        QCOMPARE(link.Register(4944), std::uint16_t(permanent ? 2 : 0));
        QVERIFY(dialog.isVisible());
    }

    // A switch that fails on the way shows the error and the mode read back.
    void failedSwitchShowsTheDevicesMode()
    {
        TestLink link(kQgModbusCounter);
        CLoopTestDialog dialog(link.connection, link.device.Sim().Identity(), 0);
        dialog.show();
        dialog.Load();
        {
            CLostLink loss(4, false); // the write of 1 to 5335
            Click(&dialog, CModeButtons::kLoopTestButton);
        }
        QVERIFY(!ShowsLoopTest(&dialog));
        QCOMPARE(prompts_->shown.size(), size_t(1));
        QCOMPARE(link.Register(4944), std::uint16_t(0));
    }

    void secondInputUsesItsOwnRegisters()
    {
        TestLink link(kQgModbusInput2);
        CLoopTestDialog dialog(link.connection, link.device.Sim().Identity(), 1);
        dialog.show();
        dialog.Load();
        Click(&dialog, CModeButtons::kLoopTestButton);
        QVERIFY(link.WroteAt(5338) && link.WroteAt(4000) && link.WroteAt(4032));
        QVERIFY(!link.WroteAt(5335) && !link.WroteAt(0));
    }

    // Ao values of 4-20 mA outputs lie within 1.60-22.40 mA; the grid follows
    // the live outputs while "Normal" is selected.
    void loopBackOf4to20mAOutputs()
    {
        TestLink link(kLkta4to20mA);
        CLoopBackDialog dialog(link.connection, link.device.Sim().Identity());
        dialog.show();
        dialog.Load();
        QCOMPARE(Control<QLabel>(&dialog, CLoopBackDialog::kUnit)->text(), UiText(11053));
        CCellEditing& editing = *dialog.Editing();
        QVERIFY(Enter(editing, *dialog.Grid(), 1879, "1.59"));
        QCOMPARE(prompts_->Texts(),
                 std::vector<std::string>{FormatText(kTextOutOfRange, {"Ao1", "1.60", "22.40"})});
        editing.Close();
        QVERIFY(Enter(editing, *dialog.Grid(), 1879, "22.40"));
        QCOMPARE(dialog.Image().outputValues[0], std::int16_t(2240));
        QVERIFY(link.Writes().empty());

        dialog.SetLiveOutputs(0, {400, 800, 1200, 1600});
        dialog.OnTick();
        QCOMPARE(CellText(editing, *dialog.Grid(), 1880), QStringLiteral("8.00"));

        link.ClearLog();
        QVERIFY(Enter(editing, *dialog.Grid(), 1879, "12"));
        Click(&dialog, CModeButtons::kLoopTestButton);
        const std::vector<std::pair<int, Words>> expected = {
            {4944, {1}}, {5339, {1}}, {4944, {0}}, {4944, {1}}, {3136, {1200, 800, 1200, 1600}},
            {4944, {0}}};
        QCOMPARE(link.Writes(), expected);
        // In loop test the grid keeps what was typed.
        dialog.SetLiveOutputs(0, {400, 400, 400, 400});
        dialog.OnTick();
        QCOMPARE(CellText(editing, *dialog.Grid(), 1880), QStringLiteral("8.00"));
        dialog.reject();
        QCOMPARE(link.Register(5339), std::uint16_t(1));
    }

    void znWritesBothSystemsInTenthsOfAWatt()
    {
        TestLink link(InLoopTest(kZnpw));
        CZNLoopTestDlg dialog(link.connection, link.device.Sim().Identity(),
                              CZNLoopTestDlg::Mode::LoopTest);
        dialog.show();
        dialog.Load();
        QVERIFY(ShowsLoopTest(&dialog));
        // System 2's total active power, item 33 + 2.
        QVERIFY(EnterOn(*dialog.LoopTest(), 35, "123.4", 1));
        const auto writes = link.CommandWrites();
        QCOMPARE(writes.size(), size_t(4));
        const std::array<int, 4> blocks = {0, 32, 4000, 4032};
        for (std::size_t i = 0; i < blocks.size(); ++i)
            QCOMPARE(writes[i].first, blocks[i]);
        QCOMPARE(writes[2].second[4], std::uint16_t(1234));
        QCOMPARE(CellText(*dialog.LoopTest()->Editing(1), *dialog.LoopTest()->Grid(1), 35),
                 QStringLiteral("123.4"));
    }

    void qhLoopTestOfOneChannel()
    {
        TestLink link(kQhModbus);
        CLoopTestQHDialog dialog(link.connection);
        dialog.show();
        dialog.Load();
        QComboBox* channels = dialog.ChannelList();
        QCOMPARE(channels->count(), 8);
        QCOMPARE(channels->itemText(7), QStringLiteral("8ch"));
        if (dialog.RefreshInFlight())
            QVERIFY(WaitForSignal(dialog, &CLoopTestQHDialog::RefreshEnded));
        channels->setCurrentIndex(2);
        Click(&dialog, CModeButtons::kLoopTestButton);
        QVERIFY(ShowsLoopTest(&dialog));
        QCOMPARE(link.Register(9138), std::uint16_t(1));
        if (dialog.RefreshInFlight())
            QVERIFY(WaitForSignal(dialog, &CLoopTestQHDialog::RefreshEnded));

        link.ClearLog();
        QVERIFY(Enter(*dialog.Editing(), *dialog.Grid(), 886, "12.5"));
        QVERIFY(link.WroteAt(64 + 64) && link.WroteAt(576 + 192));
        QVERIFY(!link.WroteAt(0)); // channel 1 is not in loop test
        QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(25001)});
        QCOMPARE(dialog.Copy().Item(886), 12500);
        QCOMPARE(link.Register(8978), std::uint16_t(0));
        dialog.reject();
        QCOMPARE(link.Register(9138), std::uint16_t(1));
    }

    void qhWithoutASensibleChannelCountIsNotWritten()
    {
        SimOptions options = DeviceOptions(kQhModbus);
        CDeviceType row;
        row.SelectById(kQhModbus);
        std::array<std::uint16_t, 5> io{};
        std::copy(row.ioWords.begin(), row.ioWords.end(), io.begin());
        io[3] = 0;
        options.ioWords = io;
        TestLink link(options);
        CLoopTestQHDialog dialog(link.connection);
        dialog.show();
        dialog.Load();
        QCOMPARE(dialog.ChannelList()->count(), 0);
        QVERIFY(!dialog.Mode()->isEnabled() && !dialog.Grid()->isEnabled());
        QVERIFY(link.Writes().empty());
    }
};

QTEST_MAIN(LoopTestDialogsTest)
#include "LoopTestDialogsTest.moc"
