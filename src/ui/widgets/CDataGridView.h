#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "background/CObservable.h"
#include "grid/CGridModel.h"
#include "monitor/CMeasurandsKTA.h"

// The owner-drawn cell grid of the value tables and the in-place edited grids.
//
// Fill it with a header list (string ids, painted in the current language)
// and value texts by (column, row). After the header list, the column width
// or the font changed, the next paint sizes it to exactly columns x width + 1
// by rows x row height + 1, the row height following its font (the dialog's);
// a layout places it at that size at once (sizeHint).
// Selection: when selectable, a click on a value cell inside the selectable
// range selects it, copies its text, takes the focus, emits SelectionChanged
// and notifies the grid's observers; clicks on headers, read-only cells,
// cells outside the range or the grid do nothing. Arrow keys move the
// selection the same way. A printable key, F2, Enter or a double click on the
// selected cell emits EditRequested, which the owning dialog answers by
// opening a CParEdit over CellLabelRect(). The grid repaints only when a text
// actually changed; it is painted off-screen and copied in one piece.
class CDataGridView : public QWidget, public CObservable {
    Q_OBJECT
public:
    explicit CDataGridView(QWidget* parent = nullptr);

    // Replaces the header list; returns the row count.
    int SetHeaders(std::vector<GridHeaderCell> headers, int columnWidth, int minColumns = 0,
                   int minRows = 0);
    void SetColumnWidth(int columnWidth);
    int ColumnWidth() const { return columnWidth_; }
    int RowHeight() const;
    const std::vector<GridHeaderCell>& Headers() const { return model_.Headers(); }
    int ColumnCount() const { return model_.ColumnCount(); }
    int RowCount() const { return model_.RowCount(); }

    void ClearValues();
    void SetValueText(int column, int row, const QString& text);
    QString ValueText(int column, int row) const;
    // Renders each item of a value list with `format` into its cell.
    void RefreshValues(const std::vector<GridItemCell>& cells,
                       const std::function<std::string(int item)>& format);
    // Renders each item of a value list from the measured-value image.
    void RefreshValues(const CMeasurandsKTA& image, const std::vector<GridItemCell>& cells)
    {
        RefreshValues(cells, [&image](int item) { return image.FormatItem(item); });
    }
    void SetReadOnly(int column, int row, bool readOnly);
    bool IsReadOnly(int column, int row) const { return model_.IsReadOnly(column, row); }
    void ClearReadOnly();

    void SetSelectable(bool selectable);
    bool Selectable() const { return model_.Selectable(); }
    void SetSelectableRange(int firstColumn, int firstRow);
    bool Select(int column, int row);
    int SelectedColumn() const { return model_.SelectedColumn(); }
    int SelectedRow() const { return model_.SelectedRow(); }
    QString SelectedText() const { return QString::fromStdString(model_.SelectedText()); }
    // Selects the nearest selectable cell in a direction from the selection;
    // false at the edge of the grid.
    bool MoveSelection(EditMove move);
    std::optional<CellPos> Neighbour(int column, int row, EditMove move) const
    {
        return model_.Neighbour(column, row, move);
    }

    // Without data (the window marked the grid empty) values and the
    // selection are not drawn; headers stay.
    void SetShowingData(bool showing);
    bool ShowingData() const { return showingData_; }

    // Cell rectangle including its grid lines, and the inside of it where the
    // text goes and an in-place editor is laid.
    QRect CellRect(int column, int row) const;
    QRect CellLabelRect(int column, int row) const;
    // The cell under a point of the widget, if any.
    std::optional<CellPos> CellAt(const QPoint& pos) const;

    const CGridModel& Model() const { return model_; }
    // Columns x width + 1 by rows x row height + 1.
    QSize sizeHint() const override;
    // Set when the header list, the column width or the font changed; the
    // next paint resizes the grid.
    bool ResizePending() const { return resizePending_; }

signals:
    // Every selection the user makes, by click or arrow key; the observers
    // of the grid are notified at the same time (with the grid as argument).
    void SelectionChanged(int column, int row);
    // A click on a selectable cell (after SelectionChanged).
    void CellClicked(int column, int row);
    // startText: the typed character that opened the edit, empty for F2,
    // Enter and double click.
    void EditRequested(int column, int row, const QString& startText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    void showEvent(QShowEvent* event) override;

private:
    void MarkResizePending();
    void ApplyPendingResize();
    void Render(QPainter& p) const;
    void DrawCellText(QPainter& p, const QRect& cell, const QString& text) const;
    void DrawSelection(QPainter& p) const;
    bool SelectAndNotify(int column, int row);
    void NotifySelection();

    CGridModel model_;
    int columnWidth_ = 80;
    bool showingData_ = true;
    bool resizePending_ = true;
    QPixmap buffer_;
};
