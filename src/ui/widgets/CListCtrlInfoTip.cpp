#include "widgets/CListCtrlInfoTip.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include "edit/ListToolId.h"
#include "grid/GridGeometry.h"

CListCtrlInfoTip::CListCtrlInfoTip(QWidget* parent) : QTableWidget(parent)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CListCtrlInfoTip::SetColumns(const QStringList& headings, const std::vector<double>& fractions)
{
    setColumnCount(int(headings.size()));
    setHorizontalHeaderLabels(headings);
    fractions_ = fractions;
    fractions_.resize(headings.isEmpty() ? 0 : headings.size() - 1, 0.0);
    FitColumns();
}

void CListCtrlInfoTip::FitColumns()
{
    if (columnCount() == 0)
        return;
    const std::vector<int> widths = ListColumnWidths(viewport()->width(), fractions_);
    for (int c = 0; c < columnCount() && c < int(widths.size()); ++c)
        setColumnWidth(c, widths[c]);
}

void CListCtrlInfoTip::SetCellText(int row, int column, const QString& text)
{
    if (row >= rowCount())
        setRowCount(row + 1);
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, column, it);
    }
    it->setText(text);
}

QString CListCtrlInfoTip::CellText(int row, int column) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

QRect CListCtrlInfoTip::CellRect(int row, int column) const
{
    return visualRect(model()->index(row, column));
}

int CListCtrlInfoTip::ToolIdAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return 0;
    return ListToolId(index.row(), index.column());
}

QString CListCtrlInfoTip::ToolText(int toolId) const
{
    const auto cell = ListToolCell(toolId);
    if (!cell || cell->row >= rowCount() || cell->column >= columnCount())
        return QString();
    return CellText(cell->row, cell->column);
}

bool CListCtrlInfoTip::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableWidget::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int tool = ToolIdAt(help->pos());
    const QString text = ToolText(tool);
    if (tool == 0 || text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const auto cell = ListToolCell(tool);
    QToolTip::showText(help->globalPos(), text, viewport(), CellRect(cell->row, cell->column));
    return true;
}

void CListCtrlInfoTip::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    FitColumns();
}
