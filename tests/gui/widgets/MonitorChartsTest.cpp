#include <QSignalSpy>
#include <QTest>

#include "monitor/CMeasurandsKTA.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CLedIndicator.h"
#include "widgets/CVectorChart.h"

namespace {
// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QColor PixelAt(QWidget& w, int x, int y)
{
    return w.grab().toImage().pixelColor(x, y);
}

// A KTA 3-phase image at rating with U1N a quarter turn ahead.
CMeasurandsKTA KtaImage()
{
    CMeasurandsKTA im;
    im.modelCode = 0x1267;
    im.wiringSystem = 5;
    im.ratedVoltage = 100;
    im.ratedCurrent = 5;
    for (int p = 0; p < 3; ++p) {
        im.items[15 + p] = 10000;
        im.items[8 + p] = 5000;
    }
    im.angles[1] = 16384;
    return im;
}
} // namespace

class MonitorChartsTest : public QObject {
    Q_OBJECT
private slots:
    void paintAtOddSizes_data();
    void paintAtOddSizes();
    void quarterTurnDrawsToTheRightInRed();
    void repaintsOnlyWhenTheDataChanged();
    void leftClickStepsZnCircuitsOnly();
    void graphCutsItsWidthAndDrawsBarsBeyondThePlot();
    void ledFillsWithTheButtonFaceThenItsColour();
};

void MonitorChartsTest::paintAtOddSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("0x0") << QSize(0, 0);
    QTest::newRow("1x1") << QSize(1, 1);
    QTest::newRow("narrow") << QSize(3, 400);
    QTest::newRow("flat") << QSize(400, 5);
}

void MonitorChartsTest::paintAtOddSizes()
{
    QFETCH(QSize, size);
    CMeasurandsKTA image = KtaImage();
    image.spectrum[0][0] = 1234;
    CVectorChart chart;
    chart.UpdateFrom(image);
    CHarmonicsGraph graph;
    graph.UpdateFrom(image);
    CHarmonicsGraph odd;
    odd.SetStep(2);
    odd.UpdateFrom(image);
    CLedIndicator led;
    led.SetColour(0x0000FF);
    for (QWidget* w : std::initializer_list<QWidget*>{&chart, &graph, &odd, &led}) {
        w->setFixedSize(size);
        w->show();
        if (!size.isEmpty()) // an empty window is never exposed
            QVERIFY(QTest::qWaitForWindowExposed(w));
        w->repaint();
        w->grab();
    }
}

void MonitorChartsTest::quarterTurnDrawsToTheRightInRed()
{
    CVectorChart chart;
    chart.setFixedSize(201, 201);
    chart.UpdateFrom(KtaImage());
    const QImage image = chart.grab().toImage();
    // Halfway along U1N, which points straight right from the centre.
    QCOMPARE(image.pixelColor(100 + 30, 100), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(100 - 30, 100), QColor(0x50, 0x50, 0x50)); // the axis
    QCOMPARE(image.pixelColor(5, 190), QColor(0xC8, 0xC8, 0xC8));
}

void MonitorChartsTest::repaintsOnlyWhenTheDataChanged()
{
    CVectorChart chart;
    CHarmonicsGraph graph;
    CLedIndicator led;
    for (QWidget* w : std::initializer_list<QWidget*>{&chart, &graph, &led}) {
        w->resize(187, 200); // already a graph width: no resize when it paints
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    const CMeasurandsKTA image = KtaImage();
    chart.UpdateFrom(image);
    graph.UpdateFrom(image);
    led.SetColour(0xFF6464);
    QCoreApplication::processEvents();
    PaintCounter chartPaints(&chart), graphPaints(&graph), ledPaints(&led);

    chart.UpdateFrom(image);
    graph.UpdateFrom(image);
    led.SetColour(0xFF6464);
    graph.SetHidden(false);
    QCoreApplication::processEvents();
    QCOMPARE(chartPaints.count + graphPaints.count + ledPaints.count, 0);

    CMeasurandsKTA changed = image;
    changed.items[8] = 2500;
    changed.spectrum[0][4] = 40;
    chart.UpdateFrom(changed);
    graph.UpdateFrom(changed);
    led.SetColour(0);
    QCoreApplication::processEvents();
    QVERIFY(chartPaints.count > 0);
    QVERIFY(graphPaints.count > 0);
    QVERIFY(ledPaints.count > 0);
}

void MonitorChartsTest::leftClickStepsZnCircuitsOnly()
{
    CVectorChart chart;
    chart.resize(200, 200);
    QSignalSpy changed(&chart, &CVectorChart::CircuitChanged);
    CMeasurandsKTA image = KtaImage();
    chart.UpdateFrom(image);
    QTest::mouseClick(&chart, Qt::LeftButton);
    QCOMPARE(chart.Circuit(), 0);
    QCOMPARE(changed.count(), 0);

    image.modelCode = 0x1299;
    image.wiringSystem = 17;
    image.circuitRatings = {5, 5, 5, 5};
    chart.UpdateFrom(image);
    QVERIFY(chart.Data().magnitude[kI1] > 0);
    QTest::mouseClick(&chart, Qt::RightButton);
    QCOMPARE(chart.Circuit(), 0);
    QTest::mouseClick(&chart, Qt::LeftButton);
    QCOMPARE(chart.Circuit(), 2);
    QCOMPARE(chart.Data().magnitude[kI1], 0.0); // nothing until the next update
    QCOMPARE(chart.Data().magnitude[kU1N], 0.0);
    QCOMPARE(changed.count(), 1);
    chart.UpdateFrom(image);
    QCOMPARE(chart.Circuit(), 2);
    QVERIFY(chart.Data().magnitude[kU1N] > 0);
}

void MonitorChartsTest::graphCutsItsWidthAndDrawsBarsBeyondThePlot()
{
    CMeasurandsKTA image;
    image.spectrum[3][1] = 1234; // order 3 of row 3
    CHarmonicsGraph graph;
    graph.setFixedSize(320, 200);
    graph.SetRow(3);
    graph.UpdateFrom(image);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.repaint();
    QCOMPARE(graph.width(), 311);
    const QColor bar(0x32, 0x32, 0xC8);
    // Slot 2 (order 3) is 10 pixels wide: the bar covers even the top line.
    QCOMPARE(PixelAt(graph, 25, 0), bar);
    QCOMPARE(PixelAt(graph, 21, 100), QColor(Qt::white)); // 2 px inside the left edge
    QCOMPARE(PixelAt(graph, 22, 100), bar);
    QCOMPARE(PixelAt(graph, 28, 100), bar);
    QCOMPARE(PixelAt(graph, 29, 100), QColor(Qt::white)); // 1 px inside the right edge
    graph.SetHidden(true);
    QCOMPARE(PixelAt(graph, 25, 100), QColor(Qt::white));
}

void MonitorChartsTest::ledFillsWithTheButtonFaceThenItsColour()
{
    CLedIndicator led;
    led.setFixedSize(30, 16);
    led.SetColour(0xFF6464);
    QCOMPARE(PixelAt(led, 15, 8), QColor(0x64, 0x64, 0xFF));
    QCOMPARE(PixelAt(led, 2, 8), led.palette().color(QPalette::Button));
    led.SetColour(0);
    QCOMPARE(PixelAt(led, 15, 8), QColor(Qt::black));
}

QTEST_MAIN(MonitorChartsTest)
#include "MonitorChartsTest.moc"
