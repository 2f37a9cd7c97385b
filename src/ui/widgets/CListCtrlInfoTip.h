#pragma once

#include <QTableWidget>

#include <vector>

// A report-style list (grid lines, full-row selection, no built-in editing)
// whose cells show their full text as a tooltip while the mouse is over
// them, so a cut-off value can still be read. Columns can be sized as
// fractions of the client width, the last one taking the rest. Used with a
// CParEdit on viewport() for in-place editing (CellRect gives the place).
class CListCtrlInfoTip : public QTableWidget {
    Q_OBJECT
public:
    explicit CListCtrlInfoTip(QWidget* parent = nullptr);

    void SetColumns(const QStringList& headings, const std::vector<double>& fractions);
    // Applies the fractions again, after a resize of the list.
    void FitColumns();
    void SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    // A cell's rectangle in viewport() coordinates.
    QRect CellRect(int row, int column) const;
    // The tooltip tool under a viewport point (0: none) and the text it shows.
    int ToolIdAt(const QPoint& viewportPos) const;
    QString ToolText(int toolId) const;

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<double> fractions_;
};
