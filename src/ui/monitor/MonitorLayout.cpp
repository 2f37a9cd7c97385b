#include "monitor/MonitorLayout.h"

#include <QFontMetrics>

#include <algorithm>

#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {
constexpr int kAlphabetLength = 52;
// A cell's text keeps this much room to its grid lines.
constexpr int kCellPadding = 8;
} // namespace

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = std::max(1, (fm.horizontalAdvance(alphabet) + kAlphabetLength / 2) / kAlphabetLength);
    baseY_ = std::max(1, fm.height());
}

int CDialogUnits::X(int units) const
{
    return (units * baseX_ + 2) / 4;
}

int CDialogUnits::Y(int units) const
{
    return (units * baseY_ + 4) / 8;
}

int GridColumnWidth(const CDataGridView& grid, int placeholderWidth, int columns,
                    const std::vector<std::vector<GridHeaderCell>>& headerLists,
                    const QStringList& longestValues)
{
    const QFontMetrics fm = grid.fontMetrics();
    int width = columns > 0 ? placeholderWidth / columns : placeholderWidth;
    for (const QString& value : longestValues)
        width = std::max(width, fm.horizontalAdvance(value) + kCellPadding);
    for (const auto& headers : headerLists)
        for (const GridHeaderCell& h : headers)
            width = std::max(width, fm.horizontalAdvance(UiText(h.textId)) + kCellPadding);
    return width;
}
