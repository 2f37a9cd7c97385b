#pragma once

#include <QWidget>

class CDataGridView;
class CMeasurandsKTA;
class QLabel;

// The value page on tab 1001 (template 130): grid 1003 with totals and
// phases, grid 1004 with demand or maximum demand, unit text 1204. The tab
// selection (0 "Trend", 1 "Max", 2 "Min") picks the cell lists.
class CMaxMinPage : public QWidget {
    Q_OBJECT
public:
    explicit CMaxMinPage(QWidget* parent);

    CDataGridView* TopGrid() const { return top_; }
    CDataGridView* BottomGrid() const { return bottom_; }
    QLabel* UnitText() const { return unit_; }

    // Bottom headers of the selection; the values of both grids are cleared
    // until the next refresh.
    void SetSelection(int valueTab);
    int Selection() const { return selection_; }
    // Both grids from the image with the cell lists of the selection.
    void Refresh(const CMeasurandsKTA& image);

private:
    CDataGridView* top_;
    CDataGridView* bottom_;
    QLabel* unit_;
    int selection_ = 0;
    int bottomColumnWidth_ = 0;
};
