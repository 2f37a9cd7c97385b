#include <QAbstractItemView>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/CEditComboBox.h"

Q_DECLARE_METATYPE(EditOutcome)

class CEditComboBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void choiceConfirmedInTheOpenListAccepts();
    void cancellingTheOpenListDiscards();
    void leftAndRightInTheOpenListMove_data();
    void leftAndRightInTheOpenListMove();
    void keysOnTheClosedList_data();
    void keysOnTheClosedList();
    void openingTheListIsNotAFocusLoss();
    void focusMovingElsewhereDiscards();

private:
    void Open();
    EditOutcome Last(const QSignalSpy& spy) { return spy.last().at(0).value<EditOutcome>(); }

    QDialog* dialog_ = nullptr;
    CEditComboBox* list_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void CEditComboBoxTest::init()
{
    qRegisterMetaType<EditOutcome>();
    dialog_ = new QDialog;
    auto* layout = new QVBoxLayout(dialog_);
    list_ = new CEditComboBox(dialog_);
    list_->addItems({"Disable", "Display", "Display + Do1", "Display + Do2"});
    list_->setCurrentIndex(1);
    other_ = new QLineEdit(dialog_);
    layout->addWidget(list_);
    layout->addWidget(other_);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    list_->setFocus();
    list_->Begin();
}

void CEditComboBoxTest::cleanup()
{
    delete dialog_;
}

void CEditComboBoxTest::Open()
{
    list_->showPopup();
    QVERIFY(list_->view()->isVisible());
}

void CEditComboBoxTest::choiceConfirmedInTheOpenListAccepts()
{
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    Open();
    QTest::keyClick(list_->view(), Qt::Key_Down);
    QTest::keyClick(list_->view(), Qt::Key_Return);
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(Last(spy).accepted);
    QCOMPARE(Last(spy).move, EditMove::Stay);
    QCOMPARE(list_->currentIndex(), 2);
    QVERIFY(list_->isHidden());
    QVERIFY(dialog_->isVisible());
}

void CEditComboBoxTest::cancellingTheOpenListDiscards()
{
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    Open();
    QTest::keyClick(list_->view(), Qt::Key_Escape);
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(!Last(spy).accepted);
    QVERIFY(list_->isHidden());
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->result(), 0);
}

void CEditComboBoxTest::leftAndRightInTheOpenListMove_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("move");
    QTest::newRow("Left") << int(Qt::Key_Left) << 3;
    QTest::newRow("Right") << int(Qt::Key_Right) << 4;
}

void CEditComboBoxTest::leftAndRightInTheOpenListMove()
{
    QFETCH(int, key);
    QFETCH(int, move);
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    Open();
    QTest::keyClick(list_->view(), Qt::Key(key));
    QCOMPARE(spy.count(), 1);
    QVERIFY(Last(spy).accepted);
    QCOMPARE(int(Last(spy).move), move);
    QVERIFY(list_->isHidden());
    // Closing the list on the way out is not a second, cancelled outcome.
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void CEditComboBoxTest::keysOnTheClosedList_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("move");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << true << 3;
    QTest::newRow("Right") << int(Qt::Key_Right) << true << 4;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << true << 4;
}

void CEditComboBoxTest::keysOnTheClosedList()
{
    QFETCH(int, key);
    QFETCH(bool, accepted);
    QFETCH(int, move);
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    QTest::keyClick(list_, Qt::Key(key));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Last(spy).accepted, accepted);
    QCOMPARE(int(Last(spy).move), move);
    QCOMPARE(list_->currentIndex(), 1);
    QVERIFY(dialog_->isVisible());
}

void CEditComboBoxTest::openingTheListIsNotAFocusLoss()
{
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    Open();
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(list_->Editing());
}

void CEditComboBoxTest::focusMovingElsewhereDiscards()
{
    QSignalSpy spy(list_, &CEditComboBox::Finished);
    other_->setFocus(Qt::MouseFocusReason);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!Last(spy).accepted);
    QVERIFY(list_->isHidden());
}

QTEST_MAIN(CEditComboBoxTest)
#include "CEditComboBoxTest.moc"
