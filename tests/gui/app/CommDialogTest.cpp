#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/CCommDialog.h"
#include "app/CQtPromptService.h"
#include "app/CSettingsStore.h"
#include "app/ShowConnectDialog.h"
#include "comm/CModbusInterface.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

CSerialPortList Ports()
{
    CSerialPortList ports;
    ports.Store("ttyS0", {"/dev/ttyS0", "ttyS0", "", ""});
    ports.Store("ttyUSB0", {"/dev/ttyUSB0", "Cable (ttyUSB0)", "A7C4", "0005"});
    ports.Store("ttyUSB1", {"/dev/ttyUSB1", "IR (ttyUSB1)", "A7C4", "0004"});
    ports.Store("ttyUSB2", {"/dev/ttyUSB2", "Other (ttyUSB2)", "0403", "6001"});
    return ports;
}

struct Dialog {
    explicit Dialog(const ComSettings& s, CSerialPortList ports = Ports())
        : dialog(s, std::move(ports))
    {
        dialog.show();
    }
    template <typename T> T* Get(int id)
    {
        T* w = FindControl<T>(&dialog, id);
        if (!w)
            qFatal("control %d missing", id);
        return w;
    }
    void Choose(int radioId) { Get<QRadioButton>(radioId)->click(); }
    void PickPort(int index)
    {
        QComboBox* combo = Get<QComboBox>(CCommDialog::kComPort);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString Port() { return Get<QComboBox>(CCommDialog::kComPort)->currentText(); }
    void SetAddress(const QString& text) { Get<QLineEdit>(CCommDialog::kAddress)->setText(text); }
    void Connect() { Get<QPushButton>(CCommDialog::kConnect)->click(); }
    bool Accepted() const { return dialog.result() == QDialog::Accepted; }

    CCommDialog dialog;
};

} // namespace

class CommDialogTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;

private slots:
    void init() { prompts_.emplace(); }
    void cleanup() { prompts_.reset(); }

    void firstStartDefaults()
    {
        Dialog d{ComSettings()};
        QVERIFY(d.Get<QRadioButton>(CCommDialog::kRadioConfig)->isChecked());
        QVERIFY(d.Get<QLabel>(CCommDialog::kConfigNote)->isVisible());
        QVERIFY(!d.Get<QLineEdit>(CCommDialog::kAddress)->isVisible());
        QCOMPARE(d.Get<QLineEdit>(CCommDialog::kAddress)->text(), QStringLiteral("1"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kBaud)->currentText(), QStringLiteral("38400 bps"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kParity)->currentText(), QStringLiteral("Odd"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kStop)->currentText(), QStringLiteral("1 bit"));
        QCOMPARE(d.Get<QLineEdit>(CCommDialog::kStation)->text(), QStringLiteral("192.168.0.1"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kServicePort)->currentText(), QStringLiteral("502"));
        // The CONFIG cable is pre-selected.
        QCOMPARE(d.Port(), QStringLiteral("Cable (ttyUSB0)"));
        QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Connect"));
    }

    void outOfRangeStoredValuesSelectTheLastItems()
    {
        ComSettings s;
        s.baudIndex = 7;
        s.parity = static_cast<SerialParity>(5);
        s.stopIndex = 3;
        Dialog d{s};
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kBaud)->currentText(), QStringLiteral("38400 bps"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kParity)->currentText(), QStringLiteral("Even"));
        QCOMPARE(d.Get<QComboBox>(CCommDialog::kStop)->currentText(), QStringLiteral("2 bit"));
    }

    void visibilityPerMode()
    {
        Dialog d{ComSettings()};
        d.Choose(CCommDialog::kRadioTcp);
        QVERIFY(d.Get<QLineEdit>(CCommDialog::kStation)->isVisible());
        QVERIFY(!d.Get<QComboBox>(CCommDialog::kComPort)->isVisible());
        QVERIFY(!d.Get<QLabel>(CCommDialog::kConfigNote)->isVisible());
        d.Choose(CCommDialog::kRadioRs485);
        QVERIFY(d.Get<QComboBox>(CCommDialog::kBaud)->isVisible());
        QVERIFY(d.Get<QLineEdit>(CCommDialog::kAddress)->isVisible());
        QVERIFY(!d.Get<QLineEdit>(CCommDialog::kStation)->isVisible());
        d.Choose(CCommDialog::kRadioInfrared);
        QVERIFY(d.Get<QComboBox>(CCommDialog::kComPort)->isVisible());
        QVERIFY(!d.Get<QLineEdit>(CCommDialog::kAddress)->isVisible());
        QVERIFY(!d.Get<QComboBox>(CCommDialog::kBaud)->isVisible());
        QCOMPARE(d.Port(), QStringLiteral("IR (ttyUSB1)")); // the infrared adapter
    }

    void withoutPortsConnectWorksOnlyOverTcp()
    {
        ComSettings s;
        for (int radio :
             {CCommDialog::kRadioConfig, CCommDialog::kRadioRs485, CCommDialog::kRadioInfrared}) {
            Dialog d{s, CSerialPortList()};
            d.Choose(radio);
            QCOMPARE(d.Get<QComboBox>(CCommDialog::kComPort)->count(), 0);
            d.Connect();
            QVERIFY(d.dialog.isVisible());
            QVERIFY(prompts_->shown.empty());
        }
        Dialog d{s, CSerialPortList()};
        d.Choose(CCommDialog::kRadioTcp);
        d.Get<QLineEdit>(CCommDialog::kStation)->setText(QStringLiteral("plc.local"));
        d.Get<QComboBox>(CCommDialog::kServicePort)->setEditText(QStringLiteral("1502"));
        d.Connect();
        QVERIFY(d.Accepted());
        QCOMPARE(d.dialog.Settings().mode, ConnectionMode::Tcp);
        QCOMPARE(d.dialog.Settings().serverAddress, std::string("plc.local"));
        QCOMPARE(d.dialog.Settings().servicePort, std::string("1502"));
        QCOMPARE(d.dialog.Settings().address, 1); // the text the dialog opened with
    }

    void invalidDeviceAddressKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("messageId");
        QTest::newRow("zero") << "0" << 11000;
        QTest::newRow("too high") << "248" << 11000;
        QTest::newRow("letters") << "abc" << 11027;
    }
    void invalidDeviceAddressKeepsTheDialogOpen()
    {
        QFETCH(QString, text);
        QFETCH(int, messageId);
        ComSettings s;
        s.mode = ConnectionMode::Rs485;
        Dialog d{s};
        d.SetAddress(text);
        d.Connect();
        QVERIFY(d.dialog.isVisible());
        QCOMPARE(prompts_->shown.size(), std::size_t(1));
        const std::string expected = messageId == 11027
                                         ? FormatText(11027, {LoadText(15200)})
                                         : FormatText(11000, {LoadText(15200), "1", "247"});
        QCOMPARE(prompts_->shown[0].text, expected);
        QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
    }

    void rs485ConnectTakesPortLineAndAddress()
    {
        ComSettings s;
        s.mode = ConnectionMode::Rs485;
        Dialog d{s};
        d.PickPort(3);
        d.Get<QComboBox>(CCommDialog::kBaud)->setCurrentIndex(3);
        d.Get<QComboBox>(CCommDialog::kParity)->setCurrentIndex(0);
        d.Get<QComboBox>(CCommDialog::kStop)->setCurrentIndex(1);
        d.SetAddress(QStringLiteral("247"));
        d.Connect();
        QVERIFY(d.Accepted());
        const ComSettings& r = d.dialog.Settings();
        QCOMPARE(r.mode, ConnectionMode::Rs485);
        QCOMPARE(r.comPortName, std::string("/dev/ttyUSB2"));
        QCOMPARE(r.comPortDisplayName, std::string("Other (ttyUSB2)"));
        QCOMPARE(r.baudIndex, 3);
        QCOMPARE(r.parity, SerialParity::None);
        QCOMPARE(r.stopIndex, 1);
        QCOMPARE(r.address, 247);
    }

    void eachModeKeepsItsPortWhileOpen()
    {
        Dialog d{ComSettings()};
        d.Choose(CCommDialog::kRadioInfrared);
        d.PickPort(0);
        d.Choose(CCommDialog::kRadioRs485);
        d.PickPort(3);
        d.Choose(CCommDialog::kRadioInfrared);
        QCOMPARE(d.Port(), QStringLiteral("ttyS0"));
        d.Choose(CCommDialog::kRadioRs485);
        QCOMPARE(d.Port(), QStringLiteral("Other (ttyUSB2)"));
    }

    void configConnectKeepsTheStoredAddress()
    {
        ComSettings s;
        s.mode = ConnectionMode::Config;
        s.address = 42;
        Dialog d{s};
        QCOMPARE(d.Get<QLineEdit>(CCommDialog::kAddress)->text(), QStringLiteral("1"));
        d.Connect();
        QVERIFY(d.Accepted());
        QCOMPARE(d.dialog.Settings().address, 42);
        QCOMPARE(d.dialog.Settings().configPortName, std::string("/dev/ttyUSB0"));
    }

    void rememberedPortTheDiscoveryMissesIsOffered()
    {
        ComSettings s;
        s.mode = ConnectionMode::Rs485;
        s.comPortName = "/dev/pts/4";
        s.comPortDisplayName = "/dev/pts/4";
        CSerialPortList withoutAdapters;
        withoutAdapters.Store("ttyS0", {"/dev/ttyS0", "ttyS0", "", ""});
        Dialog d{s, withoutAdapters};
        QCOMPARE(d.Port(), QStringLiteral("/dev/pts/4"));
        d.Connect();
        QVERIFY(d.Accepted());
        QCOMPARE(d.dialog.Settings().comPortName, std::string("/dev/pts/4"));
    }

    void adapterFoundAtANewPortWinsOverTheRememberedOne()
    {
        ComSettings s;
        s.mode = ConnectionMode::Infrared;
        s.irPortName = "/dev/ttyUSB7";
        s.irPortDisplayName = "IR (ttyUSB7)";
        Dialog d{s};
        QCOMPARE(d.Port(), QStringLiteral("IR (ttyUSB1)"));
        d.Connect();
        QVERIFY(d.Accepted());
        QCOMPARE(d.dialog.Settings().irPortName, std::string("/dev/ttyUSB1"));
    }

    void cancelLeavesTheStoredSettings()
    {
        CMemorySettingsStore store;
        ComSettings stored;
        stored.mode = ConnectionMode::Tcp;
        stored.serverAddress = "10.1.1.1";
        stored.Save(store);
        const auto before = store.Values();
        CQtPromptService service(store);
        CPromptScope real(service);
        SetModalRunner([](QDialog& dialog) {
            auto* station = FindControl<QLineEdit>(&dialog, CCommDialog::kStation);
            if (station)
                station->setText(QStringLiteral("10.9.9.9"));
            FindControl<QPushButton>(&dialog, CCommDialog::kCancel)->click();
            return dialog.result();
        });
        CModbusInterface master;
        QVERIFY(!ShowConnectDialog(master, store));
        QCOMPARE(store.Values(), before);
        QCOMPARE(master.Settings().serverAddress, std::string("192.168.0.1"));
    }

    void connectThroughThePromptServiceSaves()
    {
        CMemorySettingsStore store;
        CQtPromptService service(store);
        CPromptScope real(service);
        SetModalRunner([](QDialog& dialog) {
            FindControl<QRadioButton>(&dialog, CCommDialog::kRadioTcp)->click();
            FindControl<QLineEdit>(&dialog, CCommDialog::kAddress)->setText("7");
            FindControl<QPushButton>(&dialog, CCommDialog::kConnect)->click();
            return dialog.result();
        });
        CModbusInterface master;
        QVERIFY(ShowConnectDialog(master, store));
        QCOMPARE(master.Settings().mode, ConnectionMode::Tcp);
        QCOMPARE(master.Settings().address, 7);
        QCOMPARE(store.GetString("ComSettings", "Address", ""), std::string("7"));
        QCOMPARE(store.GetString("ComSettings", "Mode", ""), std::string("1"));
    }

    // Only a Download offers "Verify after download", opening with the
    // remembered choice and handing back the user's on Connect only.
    void verifyAfterDownloadOnlyInTheDownloadsDialog()
    {
        CMemorySettingsStore store;
        CQtPromptService service(store);
        CPromptScope real(service);
        std::vector<bool> hidden, checked;
        int button = CCommDialog::kConnect;
        SetModalRunner([&](QDialog& dialog) {
            auto* verify = FindControl<QCheckBox>(&dialog, CCommDialog::kVerifyDownload);
            hidden.push_back(verify->isHidden());
            checked.push_back(verify->isChecked());
            FindControl<QRadioButton>(&dialog, CCommDialog::kRadioTcp)->click();
            verify->click();
            FindControl<QPushButton>(&dialog, button)->click();
            return dialog.result();
        });
        CModbusInterface master;
        QVERIFY(ShowConnectDialog(master, store));
        bool verify = false;
        QVERIFY(ShowDownloadConnectDialog(master, verify, store));
        QVERIFY(verify);
        button = CCommDialog::kCancel;
        QVERIFY(!ShowDownloadConnectDialog(master, verify, store));
        QVERIFY(verify);
        QCOMPARE(hidden, (std::vector<bool>{true, false, false}));
        QCOMPARE(checked, (std::vector<bool>{true, false, true}));
    }
};

QTEST_MAIN(CommDialogTest)
#include "CommDialogTest.moc"
