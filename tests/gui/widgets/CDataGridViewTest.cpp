#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "background/CObserver.h"
#include "monitor/CMeasurandsKTA.h"
#include "widgets/CDataGridView.h"

namespace {
// The monitor windows learn of a new selection as observers of the grid.
class CountingObserver : public CObserver {
public:
    void Update(CObservable* source) override
    {
        ++count;
        last = source;
    }
    int count = 0;
    CObservable* last = nullptr;
};

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

// THD-like grid: blank corner, "Latest" / "Max" over columns 1-2, rows 1-4.
std::vector<GridHeaderCell> ThdHeaders()
{
    std::vector<GridHeaderCell> h{{999, 0, 0}, {1200, 1, 0}, {1250, 2, 0}};
    for (int r = 1; r <= 4; ++r)
        h.push_back({1300 + r, 0, r});
    return h;
}

QColor PixelAt(QWidget& w, const QPoint& p)
{
    return w.grab().toImage().pixelColor(p);
}
} // namespace

class CDataGridViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sizeIsColumnsTimesWidthPlusOne();
    void rowHeightFollowsTheFont();
    void clickOnAValueCellSelectsAndNotifies();
    void clicksThatChangeNothing_data();
    void clicksThatChangeNothing();
    void clickOnAReadOnlyCellChangesNothing();
    void nothingIsSelectedWhenNotSelectable();
    void arrowKeysMoveTheSelectionInsideTheRange();
    void keysRequestAnEdit_data();
    void keysRequestAnEdit();
    void doubleClickRequestsAnEdit();
    void repaintsOnlyForChangedTexts();
    void refreshesTextsFromTheImage();
    void backgroundWhiteEnabledButtonFaceDisabled();
    void selectedCellIsHighlighted();
    void withoutDataNoSelectionIsDrawn();
    void rendersEmptyDisabledAndLargeGrids();

private:
    QPoint Centre(int c, int r) { return grid_->CellRect(c, r).center(); }

    QWidget* window_ = nullptr;
    CDataGridView* grid_ = nullptr;
};

void CDataGridViewTest::init()
{
    window_ = new QWidget;
    auto* layout = new QVBoxLayout(window_);
    grid_ = new CDataGridView(window_);
    layout->addWidget(grid_);
    grid_->SetHeaders(ThdHeaders(), 90);
    for (int r = 1; r <= 4; ++r) {
        grid_->SetValueText(1, r, QString("%1.0").arg(r));
        grid_->SetValueText(2, r, QString("%1.5").arg(r));
    }
    grid_->SetSelectable(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void CDataGridViewTest::cleanup()
{
    delete window_;
}

void CDataGridViewTest::sizeIsColumnsTimesWidthPlusOne()
{
    QCOMPARE(grid_->ColumnCount(), 3);
    QCOMPARE(grid_->RowCount(), 5);
    QCOMPARE(grid_->size(), QSize(3 * 90 + 1, 5 * grid_->RowHeight() + 1));
    QCOMPARE(grid_->SetHeaders({{1200, 1, 0}}, 50, 6, 3), 3);
    QVERIFY(grid_->ResizePending()); // the next paint sizes it
    grid_->repaint();
    QVERIFY(!grid_->ResizePending());
    QCOMPARE(grid_->size(), QSize(6 * 50 + 1, 3 * grid_->RowHeight() + 1));
}

void CDataGridViewTest::rowHeightFollowsTheFont()
{
    QCOMPARE(grid_->RowHeight(), grid_->fontMetrics().height() + 2);
    QFont big = grid_->font();
    big.setPointSize(big.pointSize() * 2);
    window_->setFont(big); // the grid inherits its dialog's font
    QCOMPARE(grid_->RowHeight(), QFontMetrics(big).height() + 2);
    grid_->repaint();
    QCOMPARE(grid_->height(), 5 * grid_->RowHeight() + 1);
}

void CDataGridViewTest::clickOnAValueCellSelectsAndNotifies()
{
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QSignalSpy clicked(grid_, &CDataGridView::CellClicked);
    CountingObserver observer;
    grid_->Attach(observer);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, Centre(2, 3));
    QCOMPARE(observer.count, 1);
    QCOMPARE(observer.last, static_cast<CObservable*>(grid_));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(changed.at(0).at(1).toInt(), 3);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(grid_->SelectedText(), QString("3.5"));
    QVERIFY(grid_->hasFocus());
}

void CDataGridViewTest::clicksThatChangeNothing_data()
{
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<int>("firstColumn");
    QTest::newRow("header row") << QPoint(130, 3) << 1;
    QTest::newRow("header column") << QPoint(40, 40) << 1;
    QTest::newRow("left of the first selectable column") << QPoint(130, 40) << 2;
    QTest::newRow("outside the grid") << QPoint(400, 40) << 1;
}

void CDataGridViewTest::clicksThatChangeNothing()
{
    QFETCH(QPoint, where);
    QFETCH(int, firstColumn);
    grid_->setFixedSize(500, 200); // room to click beyond the cells
    grid_->SetSelectableRange(firstColumn, 1);
    grid_->Select(2, 2);
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QSignalSpy clicked(grid_, &CDataGridView::CellClicked);
    CountingObserver observer;
    grid_->Attach(observer);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, where);
    QCOMPARE(observer.count, 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(grid_->SelectedColumn(), 2);
    QCOMPARE(grid_->SelectedRow(), 2);
}

void CDataGridViewTest::clickOnAReadOnlyCellChangesNothing()
{
    grid_->SetReadOnly(1, 2, true);
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, Centre(1, 2));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(grid_->SelectedRow(), 1);
}

void CDataGridViewTest::nothingIsSelectedWhenNotSelectable()
{
    grid_->SetSelectable(false);
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, Centre(2, 3));
    QTest::keyClick(grid_, Qt::Key_Down);
    QCOMPARE(changed.count(), 0);
}

void CDataGridViewTest::arrowKeysMoveTheSelectionInsideTheRange()
{
    grid_->setFocus();
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QTest::keyClick(grid_, Qt::Key_Down);
    QTest::keyClick(grid_, Qt::Key_Right);
    QCOMPARE(grid_->SelectedColumn(), 2);
    QCOMPARE(grid_->SelectedRow(), 2);
    QCOMPARE(changed.count(), 2);
    QTest::keyClick(grid_, Qt::Key_Right); // the edge: no move, no notification
    QTest::keyClick(grid_, Qt::Key_Up);
    QTest::keyClick(grid_, Qt::Key_Up); // row 0 holds headers
    QCOMPARE(grid_->SelectedRow(), 1);
    QCOMPARE(changed.count(), 3);
}

void CDataGridViewTest::keysRequestAnEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("start");
    QTest::newRow("digit") << int(Qt::Key_7) << "7";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-";
    QTest::newRow("F2") << int(Qt::Key_F2) << "";
    QTest::newRow("Enter") << int(Qt::Key_Return) << "";
}

void CDataGridViewTest::keysRequestAnEdit()
{
    QFETCH(int, key);
    QFETCH(QString, start);
    grid_->Select(2, 4);
    grid_->setFocus();
    QSignalSpy edit(grid_, &CDataGridView::EditRequested);
    QTest::keyClick(grid_, Qt::Key(key));
    QCOMPARE(edit.count(), 1);
    QCOMPARE(edit.at(0).at(0).toInt(), 2);
    QCOMPARE(edit.at(0).at(1).toInt(), 4);
    QCOMPARE(edit.at(0).at(2).toString(), start);
}

void CDataGridViewTest::doubleClickRequestsAnEdit()
{
    QSignalSpy edit(grid_, &CDataGridView::EditRequested);
    QTest::mouseDClick(grid_, Qt::LeftButton, {}, Centre(1, 4));
    QCOMPARE(edit.count(), 1);
    QTest::mouseDClick(grid_, Qt::LeftButton, {}, Centre(0, 4)); // a header
    QCOMPARE(edit.count(), 1);
}

void CDataGridViewTest::repaintsOnlyForChangedTexts()
{
    QCoreApplication::processEvents();
    PaintCounter paints(grid_);
    const std::vector<GridItemCell> cells{{366, 1, 1}, {278, 2, 1}};
    const auto same = [](int item) { return item == 366 ? "1.0" : "1.5"; };
    grid_->SetValueText(1, 2, "2.0");
    grid_->RefreshValues(cells, same);
    grid_->SetShowingData(true);
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);
    grid_->RefreshValues(cells, [](int item) { return std::to_string(item); });
    QCoreApplication::processEvents();
    QVERIFY(paints.count > 0);
    QCOMPARE(grid_->ValueText(2, 1), QString("278"));
}

void CDataGridViewTest::refreshesTextsFromTheImage()
{
    CMeasurandsKTA image;
    image.items[366] = 123; // THD latest of I1, 0.1 %
    grid_->Select(1, 1);
    grid_->RefreshValues(image, {{366, 1, 1}, {278, 2, 1}, {1883, 2, 2}});
    QCOMPARE(grid_->ValueText(1, 1), QString("12.3"));
    QCOMPARE(grid_->ValueText(2, 1), QString("0.0"));
    QCOMPARE(grid_->ValueText(2, 2), QString()); // an item without a format
    QCOMPARE(grid_->SelectedText(), QString("12.3"));
}

void CDataGridViewTest::backgroundWhiteEnabledButtonFaceDisabled()
{
    const QPoint inside = grid_->CellRect(0, 0).topLeft() + QPoint(3, 3);
    QCOMPARE(PixelAt(*grid_, inside), QColor(Qt::white));
    grid_->setEnabled(false);
    QCOMPARE(PixelAt(*grid_, inside), grid_->palette().color(QPalette::Button));
    // The grid lines stay.
    QCOMPARE(PixelAt(*grid_, QPoint(0, 3)), grid_->palette().color(QPalette::ButtonText));
}

void CDataGridViewTest::selectedCellIsHighlighted()
{
    grid_->Select(2, 3);
    const QPoint inside = grid_->CellRect(2, 3).topLeft() + QPoint(4, 4);
    QCOMPARE(PixelAt(*grid_, inside), grid_->palette().color(QPalette::Highlight));
    grid_->SetReadOnly(1, 1, true);
    const QPoint greyed = grid_->CellRect(1, 1).topLeft() + QPoint(4, 4);
    QCOMPARE(PixelAt(*grid_, greyed), grid_->palette().color(QPalette::Button));
}

void CDataGridViewTest::withoutDataNoSelectionIsDrawn()
{
    grid_->Select(2, 3);
    grid_->SetShowingData(false);
    const QPoint inside = grid_->CellRect(2, 3).topLeft() + QPoint(4, 4);
    QCOMPARE(PixelAt(*grid_, inside), QColor(Qt::white));
    QSignalSpy changed(grid_, &CDataGridView::SelectionChanged);
    QTest::mouseClick(grid_, Qt::LeftButton, {}, Centre(1, 1));
    QCOMPARE(changed.count(), 0);
}

void CDataGridViewTest::rendersEmptyDisabledAndLargeGrids()
{
    CDataGridView empty;
    QVERIFY(!empty.grab().isNull());
    empty.SetHeaders({}, 0);
    empty.SetValueText(3, 3, "outside");
    QVERIFY(!empty.grab().isNull());
    QTest::mouseClick(&empty, Qt::LeftButton, {}, QPoint(0, 0));

    CDataGridView large;
    std::vector<GridHeaderCell> headers;
    for (int r = 0; r < 26; ++r)
        headers.push_back({5750 + r, 0, r});
    large.SetHeaders(headers, 60, 9, 26);
    for (int c = 1; c < 9; ++c)
        for (int r = 1; r < 26; ++r)
            large.SetValueText(c, r, QString("%1 a very long value text").arg(c * r));
    large.setEnabled(false);
    large.show();
    QVERIFY(QTest::qWaitForWindowExposed(&large));
    const QImage image = large.grab().toImage();
    QCOMPARE(image.size(), QSize(9 * 60 + 1, 26 * large.RowHeight() + 1));
}

QTEST_MAIN(CDataGridViewTest)
#include "CDataGridViewTest.moc"
