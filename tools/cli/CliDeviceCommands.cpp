#include "CliDeviceCommands.h"

#include <unistd.h>

#include <memory>
#include <string>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "comm/CModbusInterface.h"
#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "utility/ClockCommands.h"
#include "utility/DeviceInformation.h"
#include "utility/DeviceReset.h"
#include "utility/UtilityRules.h"

namespace {

constexpr std::size_t kChannelsWord = 3; // "I/O word 4": number of input channels

// Maximum and minimum values of one QH channel: current, power and power
// factor. Voltage and frequency are common to all channels and stay.
constexpr std::uint16_t kQhChannelMaxMin =
    QhResetCode::kCurrentMaxMin | QhResetCode::kPowerMaxMin | QhResetCode::kPowerFactorMaxMin;

const char* TargetName(CliResetTarget target)
{
    switch (target) {
    case CliResetTarget::Energy:
        return "energy";
    case CliResetTarget::MaxMin:
        return "maxmin";
    case CliResetTarget::Demand:
        return "demand";
    case CliResetTarget::Counter:
        return "counter";
    case CliResetTarget::Alarm:
        break;
    }
    return "alarm";
}

CDeviceType Identify(CModbusInterface& connection)
{
    connection.Open();
    CDeviceType type;
    try {
        type.Identify(connection);
    } catch (...) {
        connection.Close();
        throw;
    }
    connection.Close();
    return type;
}

// The question the dialog would ask, answered by --yes or on the terminal.
void Confirm(const CliOptions& o, int questionId, const std::string& command)
{
    if (o.yes)
        return;
    if (!isatty(STDIN_FILENO))
        throw CliRefused(command + " changes the device: confirm it with --yes");
    if (!Prompts().AskYesNo(LoadText(questionId)))
        throw CPrivateException::Aborted();
}

// A refused or cancelled unlock has shown its reason already.
void Require(bool done)
{
    if (!done)
        throw CPrivateException::Aborted();
}

std::string Refusal(const std::string& command, const std::string& why)
{
    return command + ": " + why;
}

void ResetQh(const CliOptions& o, CModbusInterface& connection, const CDeviceType& device)
{
    const std::string command = std::string("reset ") + TargetName(*o.resetTarget);
    if (*o.resetTarget != CliResetTarget::Energy && *o.resetTarget != CliResetTarget::MaxMin)
        throw CliRefused(Refusal(command, "QH devices reset energy and maxmin per channel only"));
    if (o.circuits)
        throw CliRefused(Refusal(command, "--circuits applies to ZNPW and ZNEPW devices"));
    if (!o.channel)
        throw CliRefused(Refusal(command, "QH devices need --channel 1-16"));
    const int channels = device.ioWords[kChannelsWord];
    if (*o.channel > channels)
        throw CliRefused(
            Refusal(command, "the device has " + std::to_string(channels) + " channels"));
    const QhReset reset = {*o.channel - 1, *o.resetTarget == CliResetTarget::Energy
                                               ? QhResetCode::kEnergy
                                               : kQhChannelMaxMin};
    Confirm(o, TextId::AreYouSure, command);
    Require(RunQhReset(connection, reset));
}

// The reason the Utility window disables a command for the device, or empty.
std::string DisabledReason(CliResetTarget target, const CDeviceType& device)
{
    const UtilityButtons buttons = UtilityWindowButtons(device);
    switch (target) {
    case CliResetTarget::Demand:
        return buttons.demand ? "" : "ZNPW and ZNEPW devices have no demand reset";
    case CliResetTarget::Counter:
        return buttons.counter ? "" : "the device reports no counters";
    case CliResetTarget::Alarm:
        return buttons.clearAlarm ? "" : "the device has no alarm to clear";
    case CliResetTarget::Energy:
    case CliResetTarget::MaxMin:
        break;
    }
    return {};
}

ResetRequest CircuitRequest(const CliOptions& o, const std::string& command)
{
    const ResetKind kind =
        *o.resetTarget == CliResetTarget::Energy ? ResetKind::Energy : ResetKind::MaxMin;
    const CircuitChooserSetup setup = CircuitChooserFor(kind);
    std::array<bool, 5> checked{};
    for (CliCircuit c : o.circuits.value_or(std::vector<CliCircuit>{}))
        checked[static_cast<std::size_t>(c)] = true;
    if (kind == ResetKind::Energy && checked[static_cast<std::size_t>(CliCircuit::Common)])
        throw CliRefused(Refusal(command, "the energy of the common circuit cannot be reset"));
    const auto request = CircuitResetRequest(CircuitChooserResult(setup, !o.circuits, checked));
    if (!request)
        throw CliRefused(Refusal(command, "no circuit chosen"));
    return *request;
}

ResetRequest PlainRequest(const CliOptions& o, const CDeviceType& device,
                          const std::string& command)
{
    if (o.circuits)
        throw CliRefused(Refusal(command, "--circuits applies to ZNPW and ZNEPW devices"));
    const bool second = o.channel.value_or(1) == 2;
    if (o.channel && *o.channel > 2)
        throw CliRefused(Refusal(command, "--channel is 1 or 2 on this device"));
    if (second && (!device.Has(CapQgInput) || *o.resetTarget == CliResetTarget::Counter))
        throw CliRefused(Refusal(command, "the device has no second input to reset"));
    const ResetKind kind = *o.resetTarget == CliResetTarget::Energy   ? ResetKind::Energy
                           : *o.resetTarget == CliResetTarget::MaxMin ? ResetKind::MaxMin
                           : *o.resetTarget == CliResetTarget::Demand ? ResetKind::Demand
                                                                      : ResetKind::Counter;
    const auto request = PlainResetRequest(kind, device, second);
    if (!request)
        throw CliRefused(Refusal(command, "the device has neither four nor eight counters"));
    return *request;
}

} // namespace

void RunReset(const CliOptions& o)
{
    CModbusInterface connection(o.connection);
    const CDeviceType device = Identify(connection);
    if (device.Has(CapQh))
        return ResetQh(o, connection, device);
    const std::string command = std::string("reset ") + TargetName(*o.resetTarget);
    if (const std::string why = DisabledReason(*o.resetTarget, device); !why.empty())
        throw CliRefused(Refusal(command, why));
    if (*o.resetTarget == CliResetTarget::Alarm) {
        if (o.channel || o.circuits)
            throw CliRefused(Refusal(command, "takes neither --channel nor --circuits"));
        Confirm(o, TextId::ClearAlarm, command);
        return Require(ClearAlarm(connection));
    }
    const bool chooser =
        *o.resetTarget != CliResetTarget::Demand && *o.resetTarget != CliResetTarget::Counter &&
        UsesCircuitChooser(*o.resetTarget == CliResetTarget::Energy ? ResetKind::Energy
                                                                    : ResetKind::MaxMin,
                           device);
    if (chooser && o.channel)
        throw CliRefused(Refusal(command, "ZNPW and ZNEPW devices choose --circuits"));
    const ResetRequest request =
        chooser ? CircuitRequest(o, command) : PlainRequest(o, device, command);
    Confirm(o, TextId::AreYouSure, command);
    Require(RunResetCommand(connection, request));
}

void RunClock(const CliOptions& o, std::FILE* out)
{
    CModbusInterface connection(o.connection);
    if (!Identify(connection).Has(CapQh))
        throw CliRefused("clock: only QH devices have a clock");
    if (o.clockSet) {
        Confirm(o, TextId::AreYouSure, "clock --set");
        Require(SetDeviceClock(connection, *o.clockSet));
    } else if (o.clockSync) {
        Confirm(o, TextId::AreYouSure, "clock --sync");
        CSystemClockSource pc;
        Require(SyncDeviceClock(connection, pc));
    }
    std::fprintf(out, "%s\n", FormatDateTime(ReadDeviceClock(connection)).c_str());
    std::fflush(out);
}

void RunInfo(const CliOptions& o, std::FILE* out)
{
    CModbusInterface connection(o.connection);
    if (o.tag) {
        Confirm(o, TextId::AreYouSure, "info --tag");
        ReadTagSetting(connection);
        Require(WriteTag(connection, *o.tag));
    }
    // 32768 items: too large for the stack.
    const auto image = std::make_unique<CMeasurandsKTA>();
    ReadDeviceInformation(connection, *image);
    for (const DeviceInformationText& row : DeviceInformationTexts(*image))
        std::fprintf(out, "%s\t%s\n", row.name.c_str(), row.text.c_str());
    std::fflush(out);
}
