#include "monitor/CMonitorPollCycle.h"

#include "device/CDeviceType.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/ModelCodes.h"
#include "monitor/MonitorTexts.h"

namespace {

constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kGoldenrod = 0x20A5DA;

constexpr int kTrendStep = 1;
constexpr int kEnergyStep = 4;
constexpr int kCounterStep = 6;
constexpr int kCounterTab = 4;

// Steps 1-6 post only when the tabs show their data; the others always post.
bool StepSelected(int step, const MonitorSelections& s)
{
    switch (step) {
    case 1:
    case 2:
    case 3:
        return s.valueTab == step - kTrendStep;
    case 4:
        return s.energyTab == 0 || s.energyTab == 1;
    case 5:
        return s.energyTab == 2 || s.energyTab == 3;
    case 6:
        return s.energyTab == kCounterTab;
    default:
        return true;
    }
}

constexpr PollCommand kStepCommands[CMonitorPollCycle::kSteps] = {
    PollCommand::DeviceInformation, PollCommand::InstantaneousAndDemand,
    PollCommand::Maximum,           PollCommand::Minimum,
    PollCommand::EnergyHighTariff,  PollCommand::EnergyLowTariff,
    PollCommand::Counters,          PollCommand::Thd,
    PollCommand::Spectrum,          PollCommand::AnalogOutputs,
};

} // namespace

std::optional<PollRequest> CMonitorPollCycle::CommandOfStep(int step, const MonitorSelections& s)
{
    if (step < 0 || step >= kSteps || !StepSelected(step, s))
        return std::nullopt;
    const PollCommand command = kStepCommands[step];
    if (command == PollCommand::Spectrum)
        return PollRequest{command, s.thdRow};
    return PollRequest{command, 0};
}

StatusStyle CommunicationStatusStyle(bool error, bool blink)
{
    if (!error)
        return {kBlue, std::nullopt, std::nullopt};
    const ColorRef led = blink ? kRed : kLedOff;
    if (blink)
        return {kWhite, kRed, led};
    return {kRed, std::nullopt, led};
}

PollRequest CMonitorPollCycle::Start()
{
    step_ = 0;
    error_ = false;
    blink_ = false;
    outputBlink_ = false;
    return {PollCommand::DeviceInformation, 0};
}

PollDecision CMonitorPollCycle::OnCommandFinished(bool error, const CDeviceType& device,
                                                  const CMeasurandsKTA& image,
                                                  const MonitorSelections& s)
{
    PollDecision d;
    if (error) {
        // The failing step is posted again until it succeeds; a step the tabs
        // no longer select still finishes its retry first.
        d.statusTextId = MonitorText::kCommunicationError;
        error_ = true;
        d.next = PollRequest{kStepCommands[step_], 0};
        if (kStepCommands[step_] == PollCommand::Spectrum)
            d.next->argument = s.thdRow;
        return d;
    }
    if (device.Has(CapQh | CapZnpw | CapZnepw)) {
        d.closeWithResultOk = true;
        return d;
    }
    ShowStep(d, device, image, s);
    d.statusTextId = MonitorText::kCommunicating;
    error_ = false;
    d.ledColour = blink_ ? kLedCommunicating : kLedOff;
    blink_ = !blink_;
    d.next = Advance(s);
    return d;
}

void CMonitorPollCycle::ShowStep(PollDecision& d, const CDeviceType& device,
                                 const CMeasurandsKTA& image, const MonitorSelections& s) const
{
    switch (step_) {
    case 0:
        d.refreshDeviceInformation = true;
        d.channelList = device.ioWords[3] < 2 ? PollDecision::ChannelList::FirstChannelOnly
                                              : PollDecision::ChannelList::Enable;
        break;
    case 1:
    case 2:
    case 3:
        if (step_ == s.valueTab + kTrendStep)
            d.valuePage = s.valueTab;
        break;
    case 4:
    case 5:
    case 6:
        d.refreshEnergyPage = step_ == s.energyTab / 2 + kEnergyStep ||
                              (step_ == kCounterStep && s.energyTab == kCounterTab);
        break;
    case 7:
        d.thdGrid =
            device.Has(CapZmpv) ? PollDecision::ThdGrid::Clear : PollDecision::ThdGrid::ShowValues;
        break;
    case 8:
        d.graph = device.Has(CapZmpv) ? PollDecision::HarmonicsGraph::Repaint
                                      : PollDecision::HarmonicsGraph::ShowImage;
        break;
    case 9:
        d.refreshOutputs = true;
        d.showFixedOutputText = image.fixedOutput != 0;
        d.showLoopTestButton =
            (device.modelCode == ModelCode::kLkta && device.firmwareVersion >= 200) ||
            (device.modelCode == ModelCode::kZm && (device.optionCode & 5) == 5);
        d.outputUnitTextId =
            image.outputType == 0 ? MonitorText::kUnitMilliampere : MonitorText::kUnitVolt;
        break;
    default:
        break;
    }
}

PollRequest CMonitorPollCycle::Advance(const MonitorSelections& s)
{
    // Steps 0 and 7-9 always post, so this ends within one turn.
    for (;;) {
        step_ = (step_ + 1) % kSteps;
        if (const auto request = CommandOfStep(step_, s))
            return *request;
    }
}

void CMonitorPollCycle::OnTimer()
{
    if (error_)
        blink_ = !blink_;
    outputBlink_ = !outputBlink_;
}

StatusStyle CMonitorPollCycle::StatusTextStyle() const
{
    return CommunicationStatusStyle(error_, blink_);
}

FixedOutputStyle CMonitorPollCycle::FixedOutputTextStyle() const
{
    if (outputBlink_)
        return {kGoldenrod, std::nullopt};
    return {kWhite, kGoldenrod};
}
