#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

#include <vector>

#include "grid/CGridModel.h"

class CDataGridView;

// Dialog units of a font, as a dialog template measures its controls: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height. The monitor windows size their grids
// and themselves by them, so they grow with the dialog font.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

private:
    int baseX_;
    int baseY_;
};

// The column width of a grid laid over a placeholder of the given width in
// pixels: the placeholder's share per column, widened when a header text of
// any of the lists or one of the longest value texts would not fit.
int GridColumnWidth(const CDataGridView& grid, int placeholderWidth, int columns,
                    const std::vector<std::vector<GridHeaderCell>>& headerLists,
                    const QStringList& longestValues);
