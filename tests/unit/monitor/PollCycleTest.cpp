#include <gtest/gtest.h>

#include <vector>

#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCycle.h"
#include "support/CatalogueIds.h"

namespace {
CDeviceType Device(int typeId, int firmware = -1)
{
    CDeviceType d;
    d.SelectById(typeId);
    if (firmware >= 0) {
        d.firmwareVersion = static_cast<std::uint16_t>(firmware);
        d.Resolve();
    }
    return d;
}

std::vector<int> Numbers(const std::vector<PollRequest>& requests)
{
    std::vector<int> out;
    for (const PollRequest& r : requests)
        out.push_back(CommandNumber(r.command));
    return out;
}

// Drives the cycle with successful commands as a window would.
class PollCycleTest : public ::testing::Test {
protected:
    std::vector<PollRequest> Turn(const MonitorSelections& s, int commands)
    {
        std::vector<PollRequest> posted{cycle.Start()};
        while (static_cast<int>(posted.size()) < commands) {
            const PollDecision d = cycle.OnCommandFinished(false, device, image, s);
            if (!d.next)
                break;
            posted.push_back(*d.next);
        }
        return posted;
    }
    PollDecision Finish(const MonitorSelections& s = {}, bool error = false)
    {
        return cycle.OnCommandFinished(error, device, image, s);
    }
    // Runs successful commands until the cycle stands at step.
    void MoveTo(int step, const MonitorSelections& s)
    {
        for (int guard = 0; cycle.Step() != step && guard < 20; ++guard)
            Finish(s);
        ASSERT_EQ(cycle.Step(), step);
    }

    CMonitorPollCycle cycle;
    CDeviceType device = Device(kKtaGen3Ao2);
    CMeasurandsKTA image;
};

} // namespace

TEST_F(PollCycleTest, MaxAndCounterTabsPostOnlyTheirCommands)
{
    const MonitorSelections s{.valueTab = 1, .energyTab = 4, .thdRow = 3};
    const auto posted = Turn(s, 7);
    EXPECT_EQ(Numbers(posted), (std::vector<int>{1, 3, 9, 7, 8, 10, 1}));
    EXPECT_EQ(posted[4].argument, 3); // the spectrum of the selected THD row
}

TEST_F(PollCycleTest, EachTabSelectionPostsItsOwnCommands)
{
    EXPECT_EQ(Numbers(Turn({.valueTab = 0, .energyTab = 1}, 6)),
              (std::vector<int>{1, 2, 5, 7, 8, 10}));
    EXPECT_EQ(Numbers(Turn({.valueTab = 2, .energyTab = 3}, 6)),
              (std::vector<int>{1, 4, 6, 7, 8, 10}));
}

TEST_F(PollCycleTest, FailingCommandIsPostedAgainWithoutAdvancing)
{
    const MonitorSelections s{.valueTab = 1, .energyTab = 4, .thdRow = 6};
    cycle.Start();
    MoveTo(8, s);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const PollDecision d = Finish(s, true);
        EXPECT_EQ(d.statusTextId, 11016);
        ASSERT_TRUE(d.next);
        EXPECT_EQ(*d.next, (PollRequest{PollCommand::Spectrum, 6}));
        EXPECT_FALSE(d.ledColour);
        EXPECT_EQ(d.graph, PollDecision::HarmonicsGraph::Unchanged);
        EXPECT_EQ(cycle.Step(), 8);
        EXPECT_TRUE(cycle.ErrorFlag());
    }
    const PollDecision ok = Finish(s);
    EXPECT_EQ(ok.statusTextId, 11024);
    EXPECT_EQ(ok.graph, PollDecision::HarmonicsGraph::ShowImage);
    EXPECT_EQ(*ok.next, (PollRequest{PollCommand::AnalogOutputs, 0}));
    EXPECT_FALSE(cycle.ErrorFlag());
}

TEST_F(PollCycleTest, DeviceOfAnotherFamilyClosesWithResultOne)
{
    for (int typeId : {kQhModbus, kZnpw, kZnepw}) {
        device = Device(typeId);
        cycle.Start();
        const PollDecision d = Finish();
        EXPECT_TRUE(d.closeWithResultOk) << typeId;
        EXPECT_FALSE(d.next) << typeId;
        EXPECT_FALSE(d.refreshDeviceInformation) << typeId;
    }
    // A failed command does not decide the family: it is retried first.
    device = Device(kQhModbus);
    cycle.Start();
    EXPECT_FALSE(Finish({}, true).closeWithResultOk);
}

TEST_F(PollCycleTest, StepZeroSetsTheChannelListByTheInputCount)
{
    cycle.Start();
    PollDecision d = Finish();
    EXPECT_TRUE(d.refreshDeviceInformation);
    EXPECT_EQ(d.channelList, PollDecision::ChannelList::FirstChannelOnly);

    device = Device(kQgCcLinkInput2);
    cycle.Start();
    d = Finish();
    EXPECT_EQ(d.channelList, PollDecision::ChannelList::Enable);
}

TEST_F(PollCycleTest, ValueAndEnergyPagesRefreshOnlyForTheShownSelection)
{
    MonitorSelections s{.valueTab = 1, .energyTab = 2};
    cycle.Start();
    MoveTo(2, s);
    EXPECT_EQ(Finish(s).valuePage, 1);

    // The tab changed while command 3 ran: nothing to show until its own step.
    cycle.Start();
    MoveTo(2, s);
    s.valueTab = 2;
    const PollDecision stale = Finish(s);
    EXPECT_FALSE(stale.valuePage);
    EXPECT_EQ(stale.next->command, PollCommand::Minimum); // the newly shown tab's step

    s = {.valueTab = 0, .energyTab = 3};
    cycle.Start();
    MoveTo(5, s);
    EXPECT_TRUE(Finish(s).refreshEnergyPage);
    s.energyTab = 4;
    cycle.Start();
    MoveTo(6, s);
    EXPECT_TRUE(Finish(s).refreshEnergyPage);
}

TEST_F(PollCycleTest, ZmpvShowsNoThdAndNoSpectrum)
{
    device = Device(kZmpvModbus);
    cycle.Start();
    MoveTo(7, {});
    EXPECT_EQ(Finish().thdGrid, PollDecision::ThdGrid::Clear);
    EXPECT_EQ(Finish().graph, PollDecision::HarmonicsGraph::Repaint);

    device = Device(kKtaGen3Ao2);
    cycle.Start();
    MoveTo(7, {});
    EXPECT_EQ(Finish().thdGrid, PollDecision::ThdGrid::ShowValues);
}

struct OutputCase {
    int typeId;
    int firmware;
    bool loopTestButton;
};

class OutputStepTest : public PollCycleTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(OutputStepTest, LoopTestButtonByModelFirmwareAndOption)
{
    device = Device(GetParam().typeId, GetParam().firmware);
    image.fixedOutput = 1;
    image.outputType = 1;
    cycle.Start();
    MoveTo(9, {});
    const PollDecision d = Finish();
    EXPECT_TRUE(d.refreshOutputs);
    EXPECT_TRUE(d.showFixedOutputText);
    EXPECT_EQ(d.outputUnitTextId, 11052);
    EXPECT_EQ(d.showLoopTestButton, GetParam().loopTestButton);
    EXPECT_EQ(d.next->command, PollCommand::DeviceInformation);
}

INSTANTIATE_TEST_SUITE_P(Models, OutputStepTest,
                         ::testing::Values(OutputCase{kLktaAo2, 200, true},
                                           OutputCase{kLktaAo2, 199, false},
                                           OutputCase{kZmAo, -1, true},
                                           OutputCase{kZmpvModbus, -1, false},
                                           OutputCase{kKtaGen3Ao2, 300, false}));

TEST_F(PollCycleTest, LedAlternatesWithEachSuccessfulCommand)
{
    cycle.Start();
    std::vector<ColorRef> colours;
    for (int i = 0; i < 4; ++i)
        colours.push_back(*Finish().ledColour);
    EXPECT_EQ(colours,
              (std::vector<ColorRef>{kLedOff, kLedCommunicating, kLedOff, kLedCommunicating}));
}

TEST_F(PollCycleTest, StatusBlinksRedOnlyWhileTheErrorLasts)
{
    cycle.Start();
    StatusStyle style = cycle.StatusTextStyle();
    EXPECT_EQ(style.text, 0xFF0000u);
    EXPECT_FALSE(style.led);
    cycle.OnTimer(); // no error: the status does not blink
    EXPECT_FALSE(cycle.BlinkFlag());

    Finish({}, true);
    style = cycle.StatusTextStyle();
    EXPECT_EQ(style.text, 0x0000FFu);
    EXPECT_EQ(style.led, kLedOff);
    cycle.OnTimer();
    style = cycle.StatusTextStyle();
    EXPECT_EQ(style.text, 0xFFFFFFu);
    EXPECT_EQ(style.background, 0x0000FFu);
    EXPECT_EQ(style.led, 0x0000FFu);

    Finish();
    EXPECT_FALSE(cycle.StatusTextStyle().background);

    // The fixed-output text swaps text and background colours with each tick.
    EXPECT_EQ(cycle.FixedOutputTextStyle().background, 0x20A5DAu);
    cycle.OnTimer();
    EXPECT_EQ(cycle.FixedOutputTextStyle().text, 0x20A5DAu);
    EXPECT_FALSE(cycle.FixedOutputTextStyle().background);
}
