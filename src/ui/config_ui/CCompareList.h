#pragma once

#include <QTreeWidget>

class CParameterReport;
struct ReportPalette;

// The rows of a parameter report: value cells coloured by the row's state,
// Group and Name cells shaded so that group boundaries stand out.
class CCompareList : public QTreeWidget {
    Q_OBJECT
public:
    explicit CCompareList(QWidget* parent = nullptr);

    // Refills headings and rows and scrolls the first different row into view.
    void Show(const CParameterReport& report);

    // The system colours of this list's style.
    ReportPalette Palette() const;
};
