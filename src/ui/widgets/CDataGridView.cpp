#include "widgets/CDataGridView.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "grid/GridGeometry.h"
#include "widgets/ChartPainting.h"
#include "widgets/UiText.h"

namespace {
// Gap between a cell's text and its right grid line.
constexpr int kTextMargin = 2;

std::optional<EditMove> ArrowMove(int key)
{
    switch (key) {
    case Qt::Key_Down:
        return EditMove::Down;
    case Qt::Key_Up:
        return EditMove::Up;
    case Qt::Key_Left:
        return EditMove::Left;
    case Qt::Key_Right:
        return EditMove::Right;
    default:
        return std::nullopt;
    }
}

bool StartsEdit(const QKeyEvent& e)
{
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = e.text();
    return !text.isEmpty() && text.at(0).isPrint();
}
} // namespace

CDataGridView::CDataGridView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    MarkResizePending();
}

int CDataGridView::SetHeaders(std::vector<GridHeaderCell> headers, int columnWidth, int minColumns,
                              int minRows)
{
    columnWidth_ = std::max(columnWidth, 0);
    const int rows = model_.SetHeaders(std::move(headers), minColumns, minRows);
    MarkResizePending();
    return rows;
}

void CDataGridView::SetColumnWidth(int columnWidth)
{
    columnWidth = std::max(columnWidth, 0);
    if (columnWidth == columnWidth_)
        return;
    columnWidth_ = columnWidth;
    MarkResizePending();
}

int CDataGridView::RowHeight() const
{
    return GridRowHeight(fontMetrics().height());
}

void CDataGridView::ClearValues()
{
    if (model_.ClearValues())
        update();
}

void CDataGridView::SetValueText(int column, int row, const QString& text)
{
    if (model_.SetValueText(column, row, text.toStdString()))
        update(CellRect(column, row));
}

QString CDataGridView::ValueText(int column, int row) const
{
    const GridValueCell* cell = model_.ValueAt(column, row);
    return cell ? QString::fromStdString(cell->text) : QString();
}

void CDataGridView::RefreshValues(const std::vector<GridItemCell>& cells,
                                  const std::function<std::string(int item)>& format)
{
    if (model_.RefreshValues(cells, format))
        update();
}

void CDataGridView::SetReadOnly(int column, int row, bool readOnly)
{
    model_.SetReadOnly(column, row, readOnly);
    update(CellRect(column, row));
}

void CDataGridView::ClearReadOnly()
{
    model_.ClearReadOnly();
    update();
}

void CDataGridView::SetSelectable(bool selectable)
{
    model_.SetSelectable(selectable);
    setFocusPolicy(selectable ? Qt::StrongFocus : Qt::ClickFocus);
    update();
}

void CDataGridView::SetSelectableRange(int firstColumn, int firstRow)
{
    model_.SetFirstSelectable(firstColumn, firstRow);
    model_.ClampSelection();
    update();
}

bool CDataGridView::Select(int column, int row)
{
    if (!model_.Select(column, row))
        return false;
    update();
    return true;
}

bool CDataGridView::MoveSelection(EditMove move)
{
    const auto next = model_.Neighbour(SelectedColumn(), SelectedRow(), move);
    return next && Select(next->column, next->row);
}

void CDataGridView::SetShowingData(bool showing)
{
    if (showing == showingData_)
        return;
    showingData_ = showing;
    update();
}

QRect CDataGridView::CellRect(int column, int row) const
{
    const int h = RowHeight();
    return QRect(column * columnWidth_, row * h, columnWidth_ + 1, h + 1);
}

QRect CDataGridView::CellLabelRect(int column, int row) const
{
    return CellRect(column, row).adjusted(1, 1, -1, -1);
}

std::optional<CellPos> CDataGridView::CellAt(const QPoint& pos) const
{
    const int h = RowHeight();
    if (pos.x() < 0 || pos.y() < 0 || columnWidth_ <= 0 || h <= 0)
        return std::nullopt;
    const CellPos cell{pos.x() / columnWidth_, pos.y() / h};
    if (cell.column >= ColumnCount() || cell.row >= RowCount())
        return std::nullopt;
    return cell;
}

QSize CDataGridView::sizeHint() const
{
    const GridPixelSize s = GridSizeFor(ColumnCount(), RowCount(), columnWidth_, RowHeight());
    return {s.width, s.height};
}

void CDataGridView::MarkResizePending()
{
    resizePending_ = true;
    // Free the old size, so that a layout takes the new size hint at once.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    updateGeometry();
    update();
}

void CDataGridView::ApplyPendingResize()
{
    if (!resizePending_)
        return;
    resizePending_ = false;
    setFixedSize(sizeHint());
}

bool CDataGridView::SelectAndNotify(int column, int row)
{
    if (!Select(column, row))
        return false;
    NotifySelection();
    return true;
}

void CDataGridView::NotifySelection()
{
    emit SelectionChanged(SelectedColumn(), SelectedRow());
    Notify(this);
}

void CDataGridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !showingData_)
        return;
    const auto cell = CellAt(event->position().toPoint());
    if (!cell || !model_.CanSelect(cell->column, cell->row))
        return;
    setFocus(Qt::MouseFocusReason);
    SelectAndNotify(cell->column, cell->row);
    emit CellClicked(cell->column, cell->row);
}

void CDataGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !showingData_)
        return;
    const auto cell = CellAt(event->position().toPoint());
    if (cell && model_.CanSelect(cell->column, cell->row))
        emit EditRequested(cell->column, cell->row, QString());
}

void CDataGridView::keyPressEvent(QKeyEvent* event)
{
    const int col = SelectedColumn();
    const int row = SelectedRow();
    if (!showingData_ || !model_.CanSelect(col, row)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (const auto move = ArrowMove(event->key()); move && plain) {
        if (MoveSelection(*move))
            NotifySelection();
        return;
    }
    if ((event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter) &&
        plain) {
        emit EditRequested(col, row, QString());
        return;
    }
    if (StartsEdit(*event)) {
        emit EditRequested(col, row, event->text());
        return;
    }
    QWidget::keyPressEvent(event);
}

void CDataGridView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        MarkResizePending();
    else if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange ||
             event->type() == QEvent::LanguageChange)
        update();
    QWidget::changeEvent(event);
}

void CDataGridView::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CDataGridView::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void CDataGridView::showEvent(QShowEvent* event)
{
    ApplyPendingResize();
    QWidget::showEvent(event);
}

void CDataGridView::paintEvent(QPaintEvent*)
{
    ApplyPendingResize();
    if (width() <= 0 || height() <= 0)
        return;
    QPixmap& buffer = ChartBuffer(buffer_, *this, size());
    {
        QPainter p(&buffer);
        p.setFont(font());
        Render(p);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CDataGridView::Render(QPainter& p) const
{
    const QPalette& pal = palette();
    const bool enabled = isEnabled();
    p.fillRect(rect(), enabled ? QColor(Qt::white) : pal.color(QPalette::Button));
    for (const GridValueCell& v : model_.Values()) {
        if (model_.IsReadOnly(v.column, v.row))
            p.fillRect(CellLabelRect(v.column, v.row), pal.color(QPalette::Button));
    }
    if (showingData_)
        DrawSelection(p);

    p.setPen(QPen(pal.color(QPalette::ButtonText), 1));
    const int h = RowHeight();
    const int w = ColumnCount() * columnWidth_;
    const int total = RowCount() * h;
    for (int c = 0; c <= ColumnCount(); ++c)
        p.drawLine(c * columnWidth_, 0, c * columnWidth_, total);
    for (int r = 0; r <= RowCount(); ++r)
        p.drawLine(0, r * h, w, r * h);

    const QColor text =
        pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    const QColor greyed = pal.color(QPalette::Disabled, QPalette::WindowText);
    p.setPen(text);
    for (const GridHeaderCell& hc : model_.Headers())
        DrawCellText(p, CellRect(hc.column, hc.row), UiText(hc.textId));
    if (!showingData_)
        return;
    const bool selectionShown =
        model_.Selectable() && model_.CanSelect(SelectedColumn(), SelectedRow());
    for (const GridValueCell& v : model_.Values()) {
        const bool selected =
            selectionShown && v.column == SelectedColumn() && v.row == SelectedRow();
        p.setPen(selected                             ? pal.color(QPalette::HighlightedText)
                 : model_.IsReadOnly(v.column, v.row) ? greyed
                                                      : text);
        DrawCellText(p, CellRect(v.column, v.row), QString::fromStdString(v.text));
    }
}

void CDataGridView::DrawSelection(QPainter& p) const
{
    const int col = SelectedColumn();
    const int row = SelectedRow();
    if (!model_.Selectable() || !model_.CanSelect(col, row))
        return;
    const QRect label = CellLabelRect(col, row);
    p.fillRect(label, palette().color(QPalette::Highlight));
    if (!hasFocus())
        return;
    QPen dotted(palette().color(QPalette::HighlightedText), 1, Qt::DotLine);
    p.setPen(dotted);
    p.setBrush(Qt::NoBrush);
    p.drawRect(label.adjusted(0, 0, -1, -1));
}

void CDataGridView::DrawCellText(QPainter& p, const QRect& cell, const QString& text) const
{
    const QRect area = cell.adjusted(1, 1, -1 - kTextMargin, -1);
    if (area.width() <= 0 || area.height() <= 0 || text.isEmpty())
        return;
    const QString shown = p.fontMetrics().elidedText(text, Qt::ElideRight, area.width());
    p.drawText(area, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, shown);
}
