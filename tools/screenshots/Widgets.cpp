// Shared controls: a value grid with an editor open over a cell, the
// drop-down editor, the IP address control and the list with cell tooltips.
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "WindowCatalog.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CIPAddressCtrlExt.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
// The four-circuit channel grid of the input page: circuits B and D greyed.
CDataGridView* ChannelGrid(QWidget* parent)
{
    auto* grid = new CDataGridView(parent);
    std::vector<GridHeaderCell> headers{{999, 0, 0}, {5550, 1, 0}, {5551, 2, 0}, {5552, 3, 0}};
    for (int r = 0; r < 4; ++r)
        headers.push_back({6000 + r, 0, r + 1});
    grid->SetHeaders(headers, 110);
    const char* primaries[] = {"100", "100", "2000", "2000"};
    for (int r = 1; r <= 4; ++r) {
        grid->SetValueText(1, r, UiText(5600 + (r > 2 ? 2 : 1)));
        grid->SetValueText(2, r, primaries[r - 1]);
        grid->SetValueText(3, r, UiText(6100 + r % 3));
    }
    grid->SetReadOnly(1, 2, true);
    grid->SetReadOnly(1, 4, true);
    grid->SetSelectable(true);
    grid->Select(2, 3);
    return grid;
}

// A monitor-style value grid: 7 columns, row and column headers, values.
CDataGridView* ValueGrid(QWidget* parent, bool enabled)
{
    auto* grid = new CDataGridView(parent);
    std::vector<GridHeaderCell> headers{{999, 0, 0}};
    for (int c = 0; c < 6; ++c)
        headers.push_back({1000 + c, c + 1, 0});
    for (int r = 0; r < 7; ++r)
        headers.push_back({1100 + r, 0, r + 1});
    grid->SetHeaders(headers, 95);
    const char* sample[] = {"230.12 V", "5.003 A", "1.152 kW", "0.201 kvar", "1.170 kVA", "0.985"};
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 4; ++r)
            grid->SetValueText(c, r, sample[c - 1]);
    grid->SetValueText(6, 5, "123456789.123 kVA too long");
    grid->SetValueText(1, 6, QString::fromUtf8("\u96fb\u5727\u8a08\u6e2c"));
    grid->setEnabled(enabled);
    return grid;
}

std::unique_ptr<QWidget> GridDemo()
{
    auto w = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(w.get());
    CDataGridView* channels = ChannelGrid(w.get());
    layout->addWidget(channels);
    layout->addWidget(ValueGrid(w.get(), true));
    layout->addWidget(ValueGrid(w.get(), false));
    layout->addStretch();
    auto* editor = new CParEdit(channels);
    editor->ShowEdit(2, 3, channels->CellLabelRect(2, 3), channels->ValueText(2, 3), "25");
    return w;
}

std::unique_ptr<QWidget> EditControlsDemo()
{
    auto w = std::make_unique<QWidget>();
    auto* layout = new QGridLayout(w.get());
    auto* ip = new CIPAddressCtrlExt(w.get());
    ip->SetAddress({192, 168, 0, 100});
    auto* ipOff = new CIPAddressCtrlExt(w.get());
    ipOff->SetAddress({255, 255, 255, 0});
    ipOff->setEnabled(false);
    layout->addWidget(new QLabel(UiText(20000), w.get()), 0, 0);
    layout->addWidget(ip, 0, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(UiText(20001), w.get()), 1, 0);
    layout->addWidget(ipOff, 1, 1, Qt::AlignLeft);

    auto* list = new CListCtrlInfoTip(w.get());
    list->setMinimumSize(620, 150);
    QStringList headings;
    for (int id = 2250; id <= 2255; ++id)
        headings << UiText(id);
    list->SetColumns(headings, {0.277, 0.154, 0.154, 0.108, 0.108});
    const char* rows[][6] = {{"I1, I2, I3", "5.000 (A)", "0.000 (A)", "1.0 (%)", "0 (sec)", ""},
                             {"F", "65.00 (Hz)", "45.00 (Hz)", "0.5 (%)", "10 (sec)", ""}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 5; ++c)
            list->SetCellText(r, c, QString::fromUtf8(rows[r][c]));
        list->SetCellText(r, 5, UiText(2400 + r * 3));
    }
    layout->addWidget(list, 2, 0, 1, 2);
    auto* editor = new CParEdit(list->viewport());
    QStringList outputs;
    for (int id = 2400; id <= 2405; ++id)
        outputs << UiText(id);
    // The drop-down editor over the Output cell, shown closed so the grab
    // shows where it sits.
    editor->List()->addItems(outputs);
    editor->List()->setCurrentIndex(3);
    editor->List()->setGeometry(list->CellRect(1, 5).adjusted(0, -1, 0, 0));
    editor->List()->show();
    return w;
}

} // namespace

void AddWidgetWindows(CWindowCatalog& catalog)
{
    catalog.Add("widgets_grid", GridDemo);
    catalog.Add("widgets_edit_controls", EditControlsDemo);
}
