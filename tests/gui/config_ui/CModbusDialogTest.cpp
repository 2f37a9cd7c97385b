#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/ModbusSettingsRules.h"
#include "config_ui/CAdvancedModbusDialog.h"
#include "config_ui/CModbus2Dialog.h"
#include "config_ui/CModbusDialog.h"
#include "device/CSettingsStocker.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/CIPAddressCtrlExt.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

class CModbusDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void transferRatePastTheListIsSavedAsTheLast();
    void fieldBusModuleEditsModeAndRunLedTimeout();
    void invalidAddressKeepsTheDialogOpen();
    void advancedCommitsIntoTheModbusCopyOnlyOnOk();
    void t35LowerLimitFollowsTheT15JustRead_data();
    void t35LowerLimitFollowsTheT15JustRead();
    void timersAreFixedOnZmAndZn();
    void tcpAddressesAreStoredOctetByOctet();
    void tcpOctetAbove255IsRefused();
    void tcpPortAndTimeouts();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void CModbusDialogTest::init()
{
    prompts_.emplace();
}

void CModbusDialogTest::cleanup()
{
    prompts_.reset();
}

void CModbusDialogTest::transferRatePastTheListIsSavedAsTheLast()
{
    ParameterSet set = SetOf(70);
    set[ModbusWord::TransferRate] = 7;
    set[ModbusWord::Parity] = 9;
    set[ModbusWord::StopBits] = 4;
    CModbusDialog dialog(set);
    auto* rate = Control<QComboBox>(&dialog, ModbusControl::TransferRate);
    QCOMPARE(rate->currentText(), QString("38400 bps"));
    QCOMPARE(Control<QComboBox>(&dialog, ModbusControl::Parity)->currentText(), QString("Even"));
    QCOMPARE(Control<QComboBox>(&dialog, ModbusControl::StopBits)->currentIndex(), 1);
    QCOMPARE(Control<QLineEdit>(&dialog, ModbusControl::DeviceAddress)->text(), QString("1"));
    QVERIFY(!Control<QLineEdit>(&dialog, ModbusControl::RunLedTimeout)->isEnabled());
    QVERIFY(!Control<QRadioButton>(&dialog, ModbusControl::ModeAscii)->isEnabled());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.Parameters()[ModbusWord::TransferRate]), 5);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::Parity]), 2);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::StopBits]), 1);
}

void CModbusDialogTest::fieldBusModuleEditsModeAndRunLedTimeout()
{
    for (const int typeId : {37, 64}) { // QG, QH
        ParameterSet set = SetOf(typeId);
        set[ModbusWord::Mode] = 1;
        set[ModbusWord::RunLedTimeout] = 25;
        set[ModbusWord::DeviceAddress] = 9;
        CModbusDialog dialog(set);
        for (const int id : {ModbusControl::DeviceAddress, ModbusControl::TransferRate,
                             ModbusControl::DeviceAddressLabel, ModbusControl::TransferRateLabel,
                             ModbusControl::Advanced})
            QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
        QVERIFY(Control<QRadioButton>(&dialog, ModbusControl::ModeAscii)->isChecked());
        auto* runLed = Control<QLineEdit>(&dialog, ModbusControl::RunLedTimeout);
        QCOMPARE(runLed->text(), QString("2.5"));
        Control<QRadioButton>(&dialog, ModbusControl::ModeRtu)->setChecked(true);
        runLed->setText("3200.0");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.Parameters()[ModbusWord::Mode]), 0);
        QCOMPARE(int(dialog.Parameters()[ModbusWord::RunLedTimeout]), 32000);
        QCOMPARE(int(dialog.Parameters()[ModbusWord::DeviceAddress]), 9);
    }
}

void CModbusDialogTest::invalidAddressKeepsTheDialogOpen()
{
    const ParameterSet set = SetOf(70);
    CModbusDialog dialog(set);
    Control<QLineEdit>(&dialog, ModbusControl::DeviceAddress)->setText("248");
    Control<QComboBox>(&dialog, ModbusControl::Parity)->setCurrentIndex(0);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(prompts_->shown.size(), size_t(1));
    QVERIFY(QString::fromStdString(prompts_->shown[0].text).contains("Device address"));
    QVERIFY(dialog.Parameters().words == set.words);
}

void CModbusDialogTest::advancedCommitsIntoTheModbusCopyOnlyOnOk()
{
    CModbusDialog dialog(SetOf(70));
    int result = QDialog::Accepted;
    SetModalRunner([&](QDialog& d) {
        auto& advanced = dynamic_cast<CAdvancedModbusDialog&>(d);
        Control<QRadioButton>(&advanced, AdvancedModbusControl::Swap)->setChecked(true);
        Control<QLineEdit>(&advanced, AdvancedModbusControl::T15)->setText("2.0");
        Control<QLineEdit>(&advanced, AdvancedModbusControl::T35)->setText("4.0");
        if (result == QDialog::Accepted)
            advanced.accept();
        return result;
    });
    auto* button = Control<QPushButton>(&dialog, ModbusControl::Advanced);
    result = QDialog::Rejected;
    button->click();
    QCOMPARE(int(dialog.Parameters()[ModbusWord::LongRegister]), 0);
    result = QDialog::Accepted;
    button->click();
    QCOMPARE(int(dialog.Parameters()[ModbusWord::LongRegister]), 1);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::T15]), 20);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::T35]), 40);
}

void CModbusDialogTest::t35LowerLimitFollowsTheT15JustRead_data()
{
    QTest::addColumn<QString>("t15");
    QTest::addColumn<QString>("t35");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("3.0 / 3.0") << "3.0"
                               << "3.0" << false;
    QTest::newRow("3.0 / 3.1") << "3.0"
                               << "3.1" << true;
    QTest::newRow("5.9 / 6.0") << "5.9"
                               << "6.0" << true;
    QTest::newRow("5.9 / 5.9") << "5.9"
                               << "5.9" << false;
    QTest::newRow("6.0 / 6.0") << "6.0"
                               << "6.0" << false;
    QTest::newRow("0.1 / 0.2") << "0.1"
                               << "0.2" << true;
}

void CModbusDialogTest::t35LowerLimitFollowsTheT15JustRead()
{
    QFETCH(QString, t15);
    QFETCH(QString, t35);
    QFETCH(bool, accepted);
    const ParameterSet set = SetOf(70);
    CAdvancedModbusDialog dialog(set);
    QCOMPARE(Control<QLineEdit>(&dialog, AdvancedModbusControl::T15)->text(), QString("1.5"));
    QCOMPARE(Control<QLineEdit>(&dialog, AdvancedModbusControl::T35)->text(), QString("3.5"));
    Control<QLineEdit>(&dialog, AdvancedModbusControl::T15)->setText(t15);
    Control<QLineEdit>(&dialog, AdvancedModbusControl::T35)->setText(t35);
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(prompts_->shown.size(), size_t(accepted ? 0 : 1));
    if (accepted) {
        QCOMPARE(int(dialog.Parameters()[ModbusWord::T15]), qRound(t15.toDouble() * 10));
        QCOMPARE(int(dialog.Parameters()[ModbusWord::T35]), qRound(t35.toDouble() * 10));
    } else {
        QVERIFY(dialog.Parameters().words == set.words);
    }
}

void CModbusDialogTest::timersAreFixedOnZmAndZn()
{
    ParameterSet set = SetOf(83);
    set[ModbusWord::T15] = 99; // never shown, never read
    CAdvancedModbusDialog dialog(set);
    for (const int id : {1109, 1110, 1017, 1111, 1112, 1018, 1113, 1069})
        QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
    Control<QRadioButton>(&dialog, AdvancedModbusControl::Swap)->setChecked(true);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.Parameters()[ModbusWord::T15]), 99);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::LongRegister]), 1);
}

void CModbusDialogTest::tcpAddressesAreStoredOctetByOctet()
{
    CModbus2Dialog dialog(SetOf(61));
    auto* ip = Control<CIPAddressCtrlExt>(&dialog, ModbusTcpControl::IpAddress);
    QCOMPARE(ip->Address(), (std::array<std::uint8_t, 4>{192, 168, 0, 1}));
    QCOMPARE(Control<CIPAddressCtrlExt>(&dialog, ModbusTcpControl::SubnetMask)->Address(),
             (std::array<std::uint8_t, 4>{255, 255, 255, 0}));
    ip->SetAddress({10, 1, 2, 3});
    Control<CIPAddressCtrlExt>(&dialog, ModbusTcpControl::DefaultGateway)
        ->SetAddress({172, 16, 254, 1});
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.Parameters()[156]), 0x0A01);
    QCOMPARE(int(dialog.Parameters()[157]), 0x0203);
    QCOMPARE(int(dialog.Parameters()[160]), 0xAC10);
    QCOMPARE(int(dialog.Parameters()[161]), 0xFE01);
}

void CModbusDialogTest::tcpOctetAbove255IsRefused()
{
    CModbus2Dialog dialog(SetOf(61));
    auto* ip = Control<CIPAddressCtrlExt>(&dialog, ModbusTcpControl::IpAddress);
    QLineEdit* octet = ip->Field(3);
    octet->setFocus();
    octet->selectAll();
    QTest::keyClicks(octet, "300");
    QCOMPARE(int(ip->Address()[3]), 30);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[157]), 0x001E);
}

void CModbusDialogTest::tcpPortAndTimeouts()
{
    ParameterSet set = SetOf(61);
    set[ModbusWord::Port] = 40000; // above 32767: must stay unsigned
    CModbus2Dialog dialog(set);
    auto* port = Control<QComboBox>(&dialog, ModbusTcpControl::Port);
    QCOMPARE(port->itemText(0), QString("502"));
    QCOMPARE(port->currentText(), QString("40000"));
    QCOMPARE(Control<QLineEdit>(&dialog, ModbusTcpControl::ConnectionTimeout)->text(),
             QString("60.0"));
    QCOMPARE(Control<QLineEdit>(&dialog, ModbusTcpControl::RunLedTimeout)->text(), QString("1.0"));

    Control<QLineEdit>(&dialog, ModbusTcpControl::ConnectionTimeout)->setText("0.9");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(QString::fromStdString(prompts_->shown.at(0).text).contains("Connection timeout"));

    Control<QLineEdit>(&dialog, ModbusTcpControl::ConnectionTimeout)->setText("1.0");
    port->setEditText("65535");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.Parameters()[ModbusWord::Port]), 65535);
    QCOMPARE(int(dialog.Parameters()[ModbusWord::ConnectionTimeout]), 10);
}

QTEST_MAIN(CModbusDialogTest)
#include "CModbusDialogTest.moc"
