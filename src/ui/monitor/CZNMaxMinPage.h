#pragma once

#include <QWidget>

#include <array>

class CDataGridView;
class CMeasurandsKTA;
class QBoxLayout;
class QLabel;

// The value page of the ZN monitor on tab 1001 (template 174): grid 1003 for
// system 1, grid 1004 for system 2 and the unit text 1204. The page mode
// (0 "Trend", 1 "Max", 2 "Min", 3 "Energy") and the wiring system of the
// image pick the cell lists; in "Energy" the two grids stand side by side.
class CZNMaxMinPage : public QWidget {
    Q_OBJECT
public:
    explicit CZNMaxMinPage(QWidget* parent);

    CDataGridView* TopGrid() const { return top_; }
    CDataGridView* BottomGrid() const { return bottom_; }
    QLabel* UnitText() const { return unit_; }

    // Clears both grids until the next refresh.
    void SetMode(int pageMode);
    int Mode() const { return mode_; }
    // Rebuilds both grids for the image's wiring and the mode, then renders them.
    void Refresh(const CMeasurandsKTA& image);

private:
    CDataGridView* top_;
    CDataGridView* bottom_;
    QLabel* unit_;
    QBoxLayout* grids_;
    using LayoutKey = std::array<int, 6>; // mode, wiring, wiring of circuits A-D
    LayoutKey layoutKey_{-1, -1, -1, -1, -1, -1};
    int mode_ = 0;
    int valueColumnWidth_ = 0;
    int energyColumnWidth_ = 0;
};
