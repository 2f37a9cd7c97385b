#include "monitor/CMonitorStatusLine.h"

#include <QLabel>

#include <algorithm>

#include "monitor/MonitorTexts.h"
#include "widgets/CLedIndicator.h"
#include "widgets/ChartPainting.h"
#include "widgets/UiText.h"

namespace {
constexpr int kStatusControl = 1074;
constexpr int kLedControl = 1135;
constexpr int kFixedOutputControl = 1185;
constexpr int kLabelPadding = 8;

// Wide enough for every text it will show, so that the line never reflows.
void FitTo(QLabel& label, std::initializer_list<int> textIds)
{
    int width = 0;
    for (int id : textIds)
        width = std::max(width, label.fontMetrics().horizontalAdvance(UiText(id)));
    label.setFixedWidth(width + kLabelPadding);
}
} // namespace

CMonitorStatusLine::CMonitorStatusLine(QWidget* parent)
    : status_(new QLabel(parent)), led_(new CLedIndicator(parent)), fixedOutput_(new QLabel(parent))
{
    SetControlId(status_, kStatusControl);
    SetControlId(led_, kLedControl);
    SetControlId(fixedOutput_, kFixedOutputControl);
    status_->setAlignment(Qt::AlignCenter);
    fixedOutput_->setAlignment(Qt::AlignCenter);
    FitTo(*status_, {MonitorText::kCommunicationError, MonitorText::kCommunicating});
    FitTo(*fixedOutput_, {MonitorText::kFixedAo});
    const int side = status_->fontMetrics().height();
    led_->setFixedSize(side, side);
}

void CMonitorStatusLine::Paint(QLabel& label, const Colours& colours, std::optional<Colours>& shown)
{
    if (shown == colours)
        return;
    shown = colours;
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ToQColor(colours.text));
    if (colours.background)
        palette.setColor(QPalette::Window, ToQColor(*colours.background));
    label.setAutoFillBackground(colours.background.has_value());
    label.setPalette(palette);
}

void CMonitorStatusLine::ShowStatus(const StatusStyle& style)
{
    const QString text = statusTextId_ ? UiText(statusTextId_) : QString();
    if (status_->text() != text)
        status_->setText(text);
    Paint(*status_, {style.text, style.background}, statusColours_);
    if (style.led)
        SetLedColour(*style.led);
}

void CMonitorStatusLine::SetLedColour(ColorRef colour)
{
    led_->SetColour(colour);
}

void CMonitorStatusLine::SetFixedOutputShown(bool shown)
{
    if (shown == fixedOutputShown_)
        return;
    fixedOutputShown_ = shown;
    fixedOutput_->setText(shown ? UiText(MonitorText::kFixedAo) : QString());
    if (!shown) {
        // An empty field shows nothing, not a coloured box.
        fixedOutput_->setAutoFillBackground(false);
        fixedOutputColours_.reset();
    }
}

void CMonitorStatusLine::ShowFixedOutput(const FixedOutputStyle& style)
{
    if (fixedOutputShown_)
        Paint(*fixedOutput_, {style.text, style.background}, fixedOutputColours_);
}
