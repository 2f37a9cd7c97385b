#pragma once

#include <optional>

#include "monitor/CMonitorPollCycle.h"

class CLedIndicator;
class QLabel;
class QWidget;

// The communication state of a monitor window: status text 1074, LED 1135
// and fixed-output text 1185. The window decides what they show (texts,
// colours as COLORREF); this piece puts it on screen and repaints a control
// only when what it shows changed, so a poll cycle running at full speed
// costs no paints while nothing changes.
class CMonitorStatusLine {
public:
    // The three controls are created as children of parent, for its layout.
    explicit CMonitorStatusLine(QWidget* parent);

    QLabel* StatusText() const { return status_; }
    CLedIndicator* Led() const { return led_; }
    QLabel* FixedOutputText() const { return fixedOutput_; }

    // The window's status text member (11016, 11024; 0 = empty): written to
    // 1074 by the next ShowStatus, that is at the window's timer.
    void SetStatusText(int textId) { statusTextId_ = textId; }
    int StatusTextId() const { return statusTextId_; }
    // Writes the status text in the style's colours; a style that carries an
    // LED colour (the error state) sets the LED as well.
    void ShowStatus(const StatusStyle& style);
    void SetLedColour(ColorRef colour);

    // 1185 reads "Fixed AO" (11034) while shown, else nothing.
    void SetFixedOutputShown(bool shown);
    bool FixedOutputShown() const { return fixedOutputShown_; }
    void ShowFixedOutput(const FixedOutputStyle& style);

private:
    struct Colours {
        ColorRef text;
        std::optional<ColorRef> background;
        bool operator==(const Colours&) const = default;
    };
    static void Paint(QLabel& label, const Colours& colours, std::optional<Colours>& shown);

    QLabel* status_;
    CLedIndicator* led_;
    QLabel* fixedOutput_;
    int statusTextId_ = 0;
    bool fixedOutputShown_ = false;
    std::optional<Colours> statusColours_;
    std::optional<Colours> fixedOutputColours_;
};
