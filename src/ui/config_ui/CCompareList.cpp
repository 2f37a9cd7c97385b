#include "config_ui/CCompareList.h"

#include <QHeaderView>

#include "device/CParameterReport.h"
#include "device/ReportColours.h"

namespace {

constexpr int kGroupWidth = 150;
constexpr int kNameWidth = 230;
constexpr int kValueWidth = 170;

Rgb ToRgb(const QColor& c)
{
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

QColor ToColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

QString CellText(const ReportRow& row, ReportColumn column)
{
    switch (column) {
    case ReportColumn::Group:
        return QString::fromStdString(row.group);
    case ReportColumn::Name:
        return QString::fromStdString(row.name);
    case ReportColumn::Pc:
        return QString::fromStdString(row.pcValue);
    case ReportColumn::Compare:
        return QString::fromStdString(row.compareValue);
    }
    return {};
}

// Redrawing stays off while the list is rebuilt.
class CUpdatesSuspended {
public:
    explicit CUpdatesSuspended(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~CUpdatesSuspended() { w_->setUpdatesEnabled(true); }
    CUpdatesSuspended(const CUpdatesSuspended&) = delete;
    CUpdatesSuspended& operator=(const CUpdatesSuspended&) = delete;

private:
    QWidget* w_;
};

} // namespace

CCompareList::CCompareList(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
}

ReportPalette CCompareList::Palette() const
{
    const QPalette& p = palette();
    return {ToRgb(p.color(QPalette::WindowText)), ToRgb(p.color(QPalette::Base)),
            ToRgb(p.color(QPalette::Disabled, QPalette::Text)), ToRgb(p.color(QPalette::Button))};
}

void CCompareList::Show(const CParameterReport& report)
{
    CUpdatesSuspended suspended(this);
    clear();
    QStringList headings;
    for (const std::string& h : report.ColumnHeadings())
        headings << QString::fromStdString(h);
    setColumnCount(static_cast<int>(headings.size()));
    setHeaderLabels(headings);
    setColumnWidth(0, kGroupWidth);
    setColumnWidth(1, kNameWidth);
    setColumnWidth(2, kValueWidth);

    const ReportPalette colours = Palette();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(report.Rows().size()));
    for (const ReportRow& row : report.Rows()) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < headings.size(); ++c) {
            const auto column = static_cast<ReportColumn>(c);
            const CellColours cell = ReportCellColours(row, column, colours);
            item->setText(c, CellText(row, column));
            item->setForeground(c, ToColor(cell.text));
            item->setBackground(c, ToColor(cell.background));
        }
        items.append(item);
    }
    addTopLevelItems(items);
    if (report.FirstDifferentRow() >= 0)
        scrollToItem(topLevelItem(report.FirstDifferentRow()));
}
