#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "widgets/CIPAddressCtrlExt.h"

class CIPAddressCtrlExtTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addressRoundTrips();
    void typing300IntoAnOctetIsRefused();
    void typing255IsAcceptedAndMovesOn();
    void leadingZerosAndBlankFieldsAreNormalised();
    void dotMovesToTheNextField();
    void leftAndBackspaceAtTheStartGoBack();
    void clearedControlIsBlank();

private:
    QLineEdit* Field(int i) { return ip_->Field(i); }
    CIPAddressCtrlExt* ip_ = nullptr;
};

void CIPAddressCtrlExtTest::init()
{
    ip_ = new CIPAddressCtrlExt;
    ip_->SetAddress({192, 168, 0, 1});
    ip_->show();
    QVERIFY(QTest::qWaitForWindowActive(ip_));
}

void CIPAddressCtrlExtTest::cleanup()
{
    delete ip_;
}

void CIPAddressCtrlExtTest::addressRoundTrips()
{
    QCOMPARE(ip_->PackedAddress(), 0xC0A80001u);
    ip_->SetPackedAddress(0x0AFF0007u);
    QCOMPARE(Field(1)->text(), QString("255"));
    const std::array<std::uint8_t, 4> expected{10, 255, 0, 7};
    QCOMPARE(ip_->Address(), expected);
    QVERIFY(ip_->findChild<QLineEdit*>("octet3"));
}

void CIPAddressCtrlExtTest::typing300IntoAnOctetIsRefused()
{
    Field(2)->setFocus();
    Field(2)->selectAll();
    QTest::keyClicks(Field(2), "300");
    QCOMPARE(Field(2)->text(), QString("30"));
    QCOMPARE(ip_->Address()[2], 30);
    // Also as a third digit added to a field that already reads 25.
    Field(3)->setFocus();
    Field(3)->setText("25");
    Field(3)->setCursorPosition(2);
    QTest::keyClicks(Field(3), "6");
    QCOMPARE(Field(3)->text(), QString("25"));
}

void CIPAddressCtrlExtTest::typing255IsAcceptedAndMovesOn()
{
    QSignalSpy changed(ip_, &CIPAddressCtrlExt::AddressChanged);
    Field(1)->setFocus();
    Field(1)->selectAll();
    QTest::keyClicks(Field(1), "255");
    QCOMPARE(ip_->Address()[1], 255);
    QVERIFY(Field(2)->hasFocus());
    QVERIFY(changed.count() >= 1);
}

void CIPAddressCtrlExtTest::leadingZerosAndBlankFieldsAreNormalised()
{
    Field(0)->setFocus();
    Field(0)->selectAll();
    QTest::keyClick(Field(0), Qt::Key_Delete);
    QCOMPARE(Field(0)->text(), QString("0"));
    QTest::keyClicks(Field(0), "7");
    QCOMPARE(Field(0)->text(), QString("7"));
    QCOMPARE(ip_->Address()[0], 7);
}

void CIPAddressCtrlExtTest::dotMovesToTheNextField()
{
    Field(0)->setFocus();
    Field(0)->selectAll();
    // Keys go where the focus is, as they would from the keyboard.
    for (const char c : std::string("10.20"))
        QTest::keyClick(QApplication::focusWidget(), c);
    QCOMPARE(ip_->Address()[0], 10);
    QCOMPARE(ip_->Address()[1], 20);
    QVERIFY(Field(1)->hasFocus());
}

void CIPAddressCtrlExtTest::leftAndBackspaceAtTheStartGoBack()
{
    Field(2)->setFocus();
    Field(2)->setCursorPosition(0);
    QTest::keyClick(Field(2), Qt::Key_Left);
    QVERIFY(Field(1)->hasFocus());
    QCOMPARE(Field(1)->cursorPosition(), 3);
    Field(1)->setCursorPosition(0);
    QTest::keyClick(Field(1), Qt::Key_Backspace);
    QVERIFY(Field(0)->hasFocus());
    QCOMPARE(ip_->Address()[1], 168);
}

void CIPAddressCtrlExtTest::clearedControlIsBlank()
{
    QVERIFY(!ip_->IsBlank());
    ip_->ClearAddress();
    QVERIFY(ip_->IsBlank());
    QCOMPARE(ip_->PackedAddress(), 0u);
}

QTEST_MAIN(CIPAddressCtrlExtTest)
#include "CIPAddressCtrlExtTest.moc"
