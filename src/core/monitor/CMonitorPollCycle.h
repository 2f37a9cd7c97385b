#pragma once

#include <cstdint>
#include <optional>

#include "monitor/PollCommand.h"

class CDeviceType;
class CMeasurandsKTA;

// What the standard monitor window's controls select, as the poll cycle needs it.
struct MonitorSelections {
    int valueTab = 0;  // tab 1001: 0 "Trend", 1 "Max", 2 "Min"
    int energyTab = 0; // tab 1002: 0-3 the tariff tabs, 4 "Counter"
    int thdRow = 0;    // spectrum row shown by the harmonics graph, 0-9
};

struct PollRequest {
    PollCommand command;
    std::intptr_t argument = 0;
    bool operator==(const PollRequest&) const = default;
};

// Colours are COLORREF values, 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef kLedCommunicating = 0xFF6464; // light blue
constexpr ColorRef kLedOff = 0;

// What the window does with one finished command. Everything not asked for
// stays as it is.
struct PollDecision {
    enum class ChannelList { Unchanged, Enable, FirstChannelOnly };
    enum class ThdGrid { Unchanged, ShowValues, Clear };
    enum class HarmonicsGraph { Unchanged, ShowImage, Repaint };

    // A device of another monitor family: end the window with result 1 (the
    // caller opens the monitor that fits) and post nothing.
    bool closeWithResultOk = false;
    int statusTextId = 0; // 11016 or 11024; 0 with closeWithResultOk

    // Step 0: the device information grid and the vector chart.
    bool refreshDeviceInformation = false;
    // Step 0: FirstChannelOnly selects "1ch", disables the list and sets the
    // worker's channel to 0.
    ChannelList channelList = ChannelList::Unchanged;
    // Steps 1-3: refresh both grids of the value page with the cell lists of
    // this tab 1001 selection, then enable tab 1001.
    std::optional<int> valuePage;
    // Steps 4-6: refresh the energy page (with the device type), enable tab 1002.
    bool refreshEnergyPage = false;
    // Step 7: values shown and marked as showing data, or cleared and marked not.
    ThdGrid thdGrid = ThdGrid::Unchanged;
    // Step 8: hand the image to the graph, or only repaint it.
    HarmonicsGraph graph = HarmonicsGraph::Unchanged;
    // Step 9: the output grid, the fixed-output text 1185 (11034 or empty),
    // the "Loop Test" button and the unit text 1207.
    bool refreshOutputs = false;
    bool showFixedOutputText = false;
    bool showLoopTestButton = false;
    int outputUnitTextId = 0;

    // Set after a successful command; the LED repaints.
    std::optional<ColorRef> ledColour;
    // The command to post now.
    std::optional<PollRequest> next;
};

// How the status text 1074 and the LED look at a repaint.
struct StatusStyle {
    ColorRef text;
    std::optional<ColorRef> background;
    std::optional<ColorRef> led; // while the error flag is set
};

// Every monitor's status text and LED: blue while all goes well; after an
// error red, and on every other timer tick white on red with the LED lit red.
StatusStyle CommunicationStatusStyle(bool error, bool blink);

// How the fixed-output text 1185 looks when it is shown.
struct FixedOutputStyle {
    ColorRef text;
    std::optional<ColorRef> background;
};

// The ten-step poll cycle of the standard monitor window and its status
// flags. The cycle is driven by the worker's notifications: each one finishes
// the command of the current step, and the decision names the next command
// to post at once, so exactly one command is in flight. The stored step
// always names that command.
class CMonitorPollCycle {
public:
    static constexpr int kSteps = 10;

    // Step 0, flags cleared; post the returned command 1.
    PollRequest Start();

    // The command of the current step finished; error is the worker's error flag.
    PollDecision OnCommandFinished(bool error, const CDeviceType& device,
                                   const CMeasurandsKTA& image, const MonitorSelections& s);

    // Every 500 ms.
    void OnTimer();

    int Step() const { return step_; }
    bool ErrorFlag() const { return error_; }
    bool BlinkFlag() const { return blink_; }
    bool OutputBlinkFlag() const { return outputBlink_; }
    StatusStyle StatusTextStyle() const;
    FixedOutputStyle FixedOutputTextStyle() const;

    // The command a step posts, or nothing when the selections skip it.
    static std::optional<PollRequest> CommandOfStep(int step, const MonitorSelections& s);

private:
    void ShowStep(PollDecision& d, const CDeviceType& device, const CMeasurandsKTA& image,
                  const MonitorSelections& s) const;
    PollRequest Advance(const MonitorSelections& s);

    int step_ = 0;
    bool error_ = false;
    bool blink_ = false;
    bool outputBlink_ = false;
};
