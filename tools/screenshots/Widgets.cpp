// Shared controls: a value grid with an editor open over a cell, the
// drop-down editor, the IP address control, the list with cell tooltips, and
// the monitor's vector chart, harmonics graph and LED.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

#include "WindowCatalog.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/ChartColours.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CIPAddressCtrlExt.h"
#include "widgets/CLedIndicator.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/CVectorChart.h"
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

std::uint16_t Turn(double degrees)
{
    return std::uint16_t(std::lround(degrees * 65536.0 / 360.0));
}

// A KTA on a 3-phase 4-wire load at 230 V / 5 A primary: voltages near rating,
// currents lagging by about 25 degrees.
CMeasurandsKTA ThreePhaseImage()
{
    CMeasurandsKTA im;
    im.modelCode = 0x1267;
    im.wiringSystem = 5;
    im.ratedVoltage = 230;
    im.ratedCurrent = 5;
    const int volts[3] = {22980, 23040, 23110};
    const int amps[3] = {3200, 3500, 3000};
    const double lag[3] = {25.0, 27.5, 23.0};
    for (int p = 0; p < 3; ++p) {
        im.items[15 + p] = volts[p];
        im.items[8 + p] = amps[p];
        im.angles[2 * p] = Turn(120.0 * p + lag[p]); // I1, I2, I3
        im.angles[2 * p + 1] = Turn(120.0 * p);      // U1N, U2N, U3N
    }
    return im;
}

// A ZN with four single-phase circuits on a 1P3W supply; circuit B (60 A of
// a 100 A rating, 20 degrees behind U1N) is the one shown.
CMeasurandsKTA ZnImage()
{
    CMeasurandsKTA im;
    im.modelCode = 0x1299;
    im.wiringSystem = 16;
    im.ratedVoltage = 100;
    im.circuitRatings = {50, 100, 100, 200};
    im.items[15] = 10120;
    im.items[17] = 10050;
    im.items[8] = 31000;
    im.items[9] = 60000;
    im.angles[1] = 0;           // U1N
    im.angles[5] = Turn(180.0); // U3N
    im.angles[0] = Turn(12.0);  // circuit A
    im.angles[2] = Turn(20.0);  // circuit B
    return im;
}

QWidget* Captioned(QWidget* parent, int textId, QWidget* control)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(UiText(textId), box));
    layout->addWidget(control);
    return box;
}

std::unique_ptr<QWidget> VectorChartDemo()
{
    auto w = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(w.get());
    auto* kta = new CVectorChart(w.get());
    kta->setFixedSize(230, 230);
    kta->UpdateFrom(ThreePhaseImage());
    auto* zn = new CVectorChart(w.get());
    zn->setFixedSize(230, 230);
    const CMeasurandsKTA znImage = ZnImage();
    zn->UpdateFrom(znImage);
    zn->SelectNextCircuit(); // circuit B
    zn->UpdateFrom(znImage);
    // A KTB on single-phase 3-wire in loop test: no rated voltage, so the
    // voltage vectors shrink to their dots.
    CMeasurandsKTA loop = ThreePhaseImage();
    loop.modelCode = 0x1271;
    loop.wiringSystem = 1;
    loop.ratedVoltage = 0;
    auto* loopChart = new CVectorChart(w.get());
    loopChart->setFixedSize(230, 230);
    loopChart->UpdateFrom(loop);
    layout->addWidget(Captioned(w.get(), 1605, kta));
    layout->addWidget(Captioned(w.get(), 1607, zn));
    layout->addWidget(Captioned(w.get(), 1601, loopChart));
    return w;
}

// A current spectrum with odd harmonics, one of them (the third) at 123.4 %.
CMeasurandsKTA SpectrumImage()
{
    CMeasurandsKTA im;
    const std::uint16_t odd[15] = {1234, 420, 250, 80, 120, 90, 45, 38, 22, 30, 18, 12, 9, 6, 4};
    for (int k = 0; k < 30; ++k) // order k + 2
        im.spectrum[0][k] = (k % 2 == 1) ? odd[k / 2] : std::uint16_t(k < 10 ? 15 - k : 3);
    for (int k = 0; k < 15; ++k) // the QH layout: odd orders 3-31 only
        im.spectrum[1][k] = odd[k];
    return im;
}

std::unique_ptr<QWidget> HarmonicsGraphDemo()
{
    auto w = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(w.get());
    const CMeasurandsKTA image = SpectrumImage();
    auto* all = new CHarmonicsGraph(w.get());
    all->setFixedSize(500, 190); // cut to 497 when it paints
    all->UpdateFrom(image);
    auto* odd = new CHarmonicsGraph(w.get());
    odd->SetStep(2);
    odd->SetRow(1);
    odd->setFixedSize(373, 190);
    odd->UpdateFrom(image);
    auto* hidden = new CHarmonicsGraph(w.get());
    hidden->setFixedSize(373, 150);
    hidden->UpdateFrom(image);
    hidden->SetHidden(true);
    layout->addWidget(all);
    layout->addWidget(odd);
    layout->addWidget(hidden);
    return w;
}

std::unique_ptr<QWidget> LedDemo()
{
    auto w = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(w.get());
    for (ColorRef c : {chart_colour::kLedCommunicating, ColorRef(0), chart_colour::kLedError}) {
        auto* led = new CLedIndicator(w.get());
        led->setFixedSize(16, 16);
        led->SetColour(c);
        layout->addWidget(led);
    }
    auto* wide = new CLedIndicator(w.get());
    wide->setFixedSize(40, 16);
    wide->SetColour(chart_colour::kLedCommunicating);
    layout->addWidget(wide);
    layout->addWidget(new QLabel(UiText(11024), w.get()));
    return w;
}

} // namespace

void AddWidgetWindows(CWindowCatalog& catalog)
{
    catalog.Add("widgets_grid", GridDemo);
    catalog.Add("widgets_vector_chart", VectorChartDemo);
    catalog.Add("widgets_harmonics_graph", HarmonicsGraphDemo);
    catalog.Add("widgets_led", LedDemo);
    catalog.Add("widgets_edit_controls", EditControlsDemo);
}
