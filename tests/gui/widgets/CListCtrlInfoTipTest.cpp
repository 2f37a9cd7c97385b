#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "edit/ListToolId.h"
#include "widgets/CListCtrlInfoTip.h"

class CListCtrlInfoTipTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void columnsFollowTheFractionsLastTakesTheRest();
    void toolUnderACellIsThatCell();
    void tooltipShowsTheFullCellText();
    void noToolOutsideTheCells();
    void cellsAreNotEditedByTheListItself();

private:
    CListCtrlInfoTip* list_ = nullptr;
};

void CListCtrlInfoTipTest::init()
{
    list_ = new CListCtrlInfoTip;
    list_->resize(600, 300);
    list_->SetColumns({"Name", "High setpoint", "Low setpoint", "Hysteresis", "ON delay", "Output"},
                      {0.277, 0.154, 0.154, 0.108, 0.108});
    list_->SetCellText(0, 0, "I1, I2, I3");
    list_->SetCellText(1, 0, "THD U1N, THD U2N, THD U3N and a name far too long for the column");
    list_->SetCellText(1, 5, "Display + Do4");
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_));
}

void CListCtrlInfoTipTest::cleanup()
{
    delete list_;
}

void CListCtrlInfoTipTest::columnsFollowTheFractionsLastTakesTheRest()
{
    const int client = list_->viewport()->width();
    QCOMPARE(list_->columnWidth(0), int(client * 0.277));
    QCOMPARE(list_->columnWidth(3), int(client * 0.108));
    int total = 0;
    for (int c = 0; c < list_->columnCount(); ++c)
        total += list_->columnWidth(c);
    QCOMPARE(total, client);
    list_->resize(800, 300);
    QCOMPARE(list_->columnWidth(0), int(list_->viewport()->width() * 0.277));
}

void CListCtrlInfoTipTest::toolUnderACellIsThatCell()
{
    const QPoint p = list_->CellRect(1, 5).center();
    QCOMPARE(list_->ToolIdAt(p), ListToolId(1, 5));
    QCOMPARE(list_->ToolText(list_->ToolIdAt(p)), QString("Display + Do4"));
}

void CListCtrlInfoTipTest::tooltipShowsTheFullCellText()
{
    const QPoint p = list_->CellRect(1, 0).center();
    QHelpEvent help(QEvent::ToolTip, p, list_->viewport()->mapToGlobal(p));
    QCoreApplication::sendEvent(list_->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), list_->CellText(1, 0));
    QToolTip::hideText();
}

void CListCtrlInfoTipTest::noToolOutsideTheCells()
{
    const QPoint below(5, list_->viewport()->height() - 3);
    QCOMPARE(list_->ToolIdAt(below), 0);
    QCOMPARE(list_->ToolText(0), QString());
    QCOMPARE(list_->ToolText(ListToolId(40, 2)), QString());
    QHelpEvent help(QEvent::ToolTip, below, list_->viewport()->mapToGlobal(below));
    QCoreApplication::sendEvent(list_->viewport(), &help);
    QVERIFY(!QToolTip::isVisible());
}

void CListCtrlInfoTipTest::cellsAreNotEditedByTheListItself()
{
    const QPoint p = list_->CellRect(0, 0).center();
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, p);
    QVERIFY(!list_->indexWidget(list_->model()->index(0, 0)));
    QVERIFY(!list_->viewport()->findChild<QLineEdit*>());
    QCOMPARE(list_->CellText(0, 0), QString("I1, I2, I3"));
}

QTEST_MAIN(CListCtrlInfoTipTest)
#include "CListCtrlInfoTipTest.moc"
