#include "CSimDeviceModel.h"

#include <cstdio>
#include <stdexcept>

#include "SimBcdClock.h"
#include "SimRegisters.h"
#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"
#include "device/RegisterMap.h"

using namespace SimReg;
using A = CSimRegisterSpace;

namespace {

constexpr int kMaxReadRegisters = 125;  // Modbus limit per read
constexpr int kMaxWriteRegisters = 123; // Modbus limit per write
constexpr std::uint32_t kPasscodeLimit = 999999999;
// Reading the passcode input never tells the passcode; a device that supports
// protection answers all ones there, one that does not answers 0.
constexpr std::uint16_t kPasscodeInputReadback = 0xFFFF;
constexpr int kQhChannels = 16;

void DefineText(CSimRegisterSpace& space, int first, int registers, const std::string& text)
{
    // Characters lie in register memory order: the first in the low byte.
    for (int r = 0; r < registers; ++r) {
        const auto at = static_cast<size_t>(2 * r);
        const auto lo = at < text.size() ? std::uint8_t(text[at]) : 0;
        const auto hi = at + 1 < text.size() ? std::uint8_t(text[at + 1]) : 0;
        space.Set(first + r, static_cast<std::uint16_t>(lo | (hi << 8)));
    }
}

} // namespace

CSimDeviceModel::CSimDeviceModel(const SimOptions& options)
{
    if (!CatalogueRecordOfTypeId(options.typeId))
        throw std::invalid_argument("unknown device type id " + std::to_string(options.typeId));
    BuildIdentity(options);
    features_ = SimFeaturesOf(identity_);
    if (options.passcode > kPasscodeLimit)
        throw std::invalid_argument("passcode must be 0-999999999");
    if (options.passcode != 0 && !features_.passcodeSupported)
        throw std::invalid_argument("this variant has no Modbus passcode");
    if (options.wordOrder != 0 && options.wordOrder != 1)
        throw std::invalid_argument("word order must be 0 or 1");
    BuildParameters(options);
    BuildDeviceRegisters();
    if (features_.qh) {
        qh_ = std::make_unique<CSimQhMeasurements>(identity_.ioWords[3], identity_.ioWords[4]);
        qh_->DefineRegisters(space_);
    } else {
        measurements_ = std::make_unique<CSimMeasurements>(features_, identity_);
        measurements_->DefineRegisters(space_);
        space_.Set(kWordOrder, static_cast<std::uint16_t>(options.wordOrder));
        space_.SetHighWordFirst(options.wordOrder == 1);
    }
    for (const auto& [first, count] : options.memoryBlocks) {
        if (first < 0 || count < 1 || first + count > 65536)
            throw std::invalid_argument("memory block outside 0-65535");
        space_.Define(first, count, CSimRegisterSpace::Present | CSimRegisterSpace::Writable);
    }
    if (features_.passcodeSupported) {
        space_.Set32(features_.StoredPasscode(), static_cast<std::int32_t>(options.passcode));
        space_.Set(features_.PasscodeInput(), kPasscodeInputReadback);
        space_.Set(features_.PasscodeInput() + 1, kPasscodeInputReadback);
    }
}

void CSimDeviceModel::BuildIdentity(const SimOptions& options)
{
    const DeviceTypeRecord& row = *CatalogueRecordOfTypeId(options.typeId);
    const int firmware = options.firmware >= 0 ? options.firmware : SimDefaultFirmware(row.typeId);
    identity_.modelCode = row.modelCode;
    identity_.firmwareVersion = static_cast<std::uint16_t>(firmware);
    identity_.optionCode = row.optionCode;
    identity_.ioWords = row.ioWords;
    identity_.Resolve();
    if (identity_.TypeId() != row.typeId)
        throw std::invalid_argument("firmware " + std::to_string(firmware) +
                                    " lies outside the range of type id " +
                                    std::to_string(row.typeId));

    space_.Define(kIdentityFirst, kIdentityLast - kIdentityFirst + 1, A::Present);
    space_.Define(kTag, 8, A::Writable | A::Protected);
    space_.Set(kModelCode, identity_.modelCode);
    space_.Set(kFirmware, identity_.firmwareVersion);
    space_.Set(kOptionCode, identity_.optionCode);
    for (int i = 0; i < 5; ++i)
        space_.Set(kIoWords + i, identity_.ioWords[static_cast<size_t>(i)]);
    // The newer families also report major, minor and revision.
    if (identity_.Has(CapQh | CapZm | CapZn)) {
        space_.Set(kVersionTriple, static_cast<std::uint16_t>(firmware / 100));
        space_.Set(kVersionTriple + 1, static_cast<std::uint16_t>(firmware % 100));
    }
    char serial[16];
    std::snprintf(serial, sizeof serial, "SIM%05d", row.typeId);
    DefineText(space_, kSerial, 4, serial);
}

void CSimDeviceModel::BuildParameters(const SimOptions& options)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(identity_.TypeId(), set, true);
    const auto& map = RegisterMapFor(identity_);
    int blockStart = -1;
    for (const RegisterBlock& e : map) {
        if (!EntryApplies(e, identity_))
            continue;
        if (blockStart < 0)
            blockStart = e.reg;
        for (int w = 0; w < e.WordCount(); ++w)
            space_.Set(e.reg + w, set[e.firstWord + w]);
        if (e.Is32Bit())
            space_.DefinePairs(e.reg, e.count);
        space_.Define(e.reg, e.RegisterCount(), A::Present | A::Writable | A::Protected);
        // Registers between the entries of one download block are written too.
        if (e.endsBlock) {
            space_.Define(blockStart, e.EndRegister() - blockStart,
                          A::Present | A::Writable | A::Protected);
            blockStart = -1;
        }
        if (e.firstWord == 30)
            dipRegister_ = e.reg;
    }
    if (dipRegister_ >= 0) {
        // A switch on the unit: the master can read it, not set it.
        space_.Clear(dipRegister_, 1, A::Writable);
        const int dip = options.dipSwitch >= 0 ? options.dipSwitch : set[30] & 1;
        space_.Set(dipRegister_, static_cast<std::uint16_t>(dip & 1));
    }
}

void CSimDeviceModel::BuildDeviceRegisters()
{
    const std::uint8_t command = A::Present | A::Writable | A::Protected;
    space_.Define(features_.PasscodeInput(), 2, A::Present | A::Writable);
    space_.DefinePairs(features_.PasscodeInput(), features_.qh ? 0 : 1);
    space_.Define(features_.PasscodeCommand(), 1, A::Present | A::Writable);
    space_.Define(features_.StoredPasscode(), 2, command);
    space_.DefinePairs(features_.StoredPasscode(), features_.qh ? 0 : 1);
    space_.Define(kClock, 3, command);
    if (features_.qh) {
        space_.Define(kQhChannelReset, kQhChannels, command);
        space_.Define(kQhLoopTest, kQhChannels, command);
    } else {
        space_.Define(kWordOrder, 1, command);
        space_.Define(kResetCommand, 1, command);
        space_.Define(kAltResetCommand, 1, command);
        space_.Define(kLoopTest, 1, command);
        if (features_.separateChannel2LoopTest)
            space_.Define(kLoopTestChannel2, 1, command);
        if (features_.counters > 0 || features_.analogOutputs > 0)
            space_.Define(kCounterResetOrFixedOutputs, 1, command);
        if (features_.clearAlarm)
            space_.Define(kClearAlarm, 1, command);
    }
    switch (features_.restart) {
    case SimRestartKind::Code5330:
        space_.Define(kRestart, 1, command);
        break;
    case SimRestartKind::Code8992:
        space_.Define(kQhRestart, 1, command);
        break;
    case SimRestartKind::Pair9000:
        space_.Define(kRestartPair, 2, command);
        break;
    case SimRestartKind::None:
        break;
    }
}

std::uint32_t CSimDeviceModel::StoredPasscode() const
{
    return static_cast<std::uint32_t>(space_.Get32(features_.StoredPasscode()));
}

SimException CSimDeviceModel::CheckRead(int address, int count) const
{
    if (count < 1 || count > kMaxReadRegisters)
        return SimException::IllegalValue;
    if (!space_.IsPresent(address, count))
        return SimException::IllegalAddress;
    return SimException::None;
}

std::vector<std::uint16_t> CSimDeviceModel::Read(int address, int count, const SimNow& now)
{
    Refresh(now);
    std::vector<std::uint16_t> out(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out[static_cast<size_t>(i)] = space_.WireRead(address + i);
    return out;
}

void CSimDeviceModel::Refresh(const SimNow& now)
{
    const std::int64_t deviceTime = SimLocalCalendarSeconds(now.unixTime) + clockOffset_;
    if (measurements_)
        measurements_->Refresh(space_, now.seconds);
    if (qh_)
        qh_->Refresh(space_, now.seconds, deviceTime);
    const SimClockWords clock = SimEncodeClock(deviceTime);
    for (int i = 0; i < 3; ++i)
        space_.Set(kClock + i, clock[static_cast<size_t>(i)]);
}

SimException CSimDeviceModel::CheckWrite(int address,
                                         const std::vector<std::uint16_t>& values) const
{
    const int count = static_cast<int>(values.size());
    if (count < 1 || count > kMaxWriteRegisters)
        return SimException::IllegalValue;
    if (!space_.IsPresent(address, count) || !space_.AllHave(address, count, A::Writable))
        return SimException::IllegalAddress;
    if (Locked() && space_.AnyHas(address, count, A::Protected))
        return SimException::DeviceFailure;
    return CheckValues(address, values);
}

SimException CSimDeviceModel::CheckValues(int address,
                                          const std::vector<std::uint16_t>& values) const
{
    const int count = static_cast<int>(values.size());
    for (int i = 0; i < count; ++i) {
        const int reg = address + i;
        if (qh_) {
            const int channel = qh_->LoopTestChannelOf(reg);
            if (channel >= 0 && !qh_->LoopTest(channel))
                return SimException::DeviceFailure;
        }
        if (measurements_) {
            // Measured values take written values only in loop test; fixed outputs likewise.
            const int channel = measurements_->InstantaneousChannelOf(reg);
            if (channel >= 0 && !measurements_->LoopTest(channel))
                return SimException::DeviceFailure;
            if (features_.analogOutputs > 0 && reg >= kOutputValues && reg < kOutputValues + 4 &&
                !measurements_->OutputsFixed())
                return SimException::DeviceFailure;
        }
        const SimException e = CheckCommand(reg, values[static_cast<size_t>(i)]);
        if (e != SimException::None)
            return e;
    }
    if (Touches(address, count, kClock, 3)) {
        SimClockWords merged{};
        for (int i = 0; i < 3; ++i) {
            const int reg = kClock + i;
            merged[static_cast<size_t>(i)] = Touches(address, count, reg)
                                                 ? values[static_cast<size_t>(reg - address)]
                                                 : space_.Get(reg);
        }
        if (!SimDecodeClock(merged))
            return SimException::IllegalValue;
    }
    return SimException::None;
}

SimException CSimDeviceModel::CheckCommand(int reg, std::uint16_t v) const
{
    auto oneOf = [v](std::initializer_list<int> allowed) {
        for (int a : allowed)
            if (v == a)
                return SimException::None;
        return SimException::IllegalValue;
    };
    if (features_.qh)
        return reg >= kQhLoopTest && reg < kQhLoopTest + kQhChannels ? oneOf({0, 1})
                                                                     : SimException::None;
    switch (reg) {
    case kWordOrder:
    case kLoopTest:
    case kLoopTestChannel2:
        return oneOf({0, 1});
    case kResetCommand:
    case kAltResetCommand:
        if (features_.zn)
            return v <= 0x1FF ? SimException::None : SimException::IllegalValue;
        return oneOf({0, 1, 2, 3});
    case kCounterResetOrFixedOutputs:
        return features_.counters > 0 ? oneOf({0, 15, 255}) : oneOf({0, 1});
    case kClearAlarm:
        return oneOf({0, 1});
    default:
        return SimException::None;
    }
}

bool CSimDeviceModel::Write(int address, const std::vector<std::uint16_t>& values,
                            const SimNow& now)
{
    Refresh(now);
    const int count = static_cast<int>(values.size());
    for (int i = 0; i < count; ++i)
        space_.WireWrite(address + i, values[static_cast<size_t>(i)]);
    return AfterWrite(address, count, values, now);
}

bool CSimDeviceModel::AfterWrite(int address, int count, const std::vector<std::uint16_t>& values,
                                 const SimNow& now)
{
    auto written = [&](int reg) { return values[static_cast<size_t>(reg - address)]; };
    lastRestartAnswered_ = false;
    if (Touches(address, count, features_.PasscodeInput(), 2)) {
        passcodeInput_ = std::uint32_t(space_.Get32(features_.PasscodeInput()));
        const std::uint16_t readback = features_.passcodeSupported ? kPasscodeInputReadback : 0;
        space_.Set(features_.PasscodeInput(), readback);
        space_.Set(features_.PasscodeInput() + 1, readback);
    }
    if (Touches(address, count, features_.StoredPasscode(), 2) && !features_.passcodeSupported)
        space_.Set32(features_.StoredPasscode(), 0);
    if (Touches(address, count, features_.PasscodeCommand()))
        OnPasscodeCommand();
    if (Touches(address, count, kClock, 3))
        clockOffset_ =
            *SimDecodeClock({space_.Get(kClock), space_.Get(kClock + 1), space_.Get(kClock + 2)}) -
            SimLocalCalendarSeconds(now.unixTime);

    if (features_.qh) {
        for (int ch = 0; ch < kQhChannels; ++ch) {
            if (Touches(address, count, kQhChannelReset + ch)) {
                if (ch < identity_.ioWords[3])
                    qh_->ResetChannel(ch);
                space_.Set(kQhChannelReset + ch, 0);
            }
            if (Touches(address, count, kQhLoopTest + ch))
                qh_->SetLoopTest(ch, space_.Get(kQhLoopTest + ch) != 0);
        }
        if (Touches(address, count, kQhRestart) && written(kQhRestart) == kRestartCode) {
            Restart(now);
            return true;
        }
        return false;
    }

    if (Touches(address, count, kWordOrder))
        space_.SetHighWordFirst(space_.Get(kWordOrder) == 1);
    for (int reg : {kResetCommand, kAltResetCommand, kCounterResetOrFixedOutputs, kClearAlarm})
        if (Touches(address, count, reg) && space_.IsPresent(reg, 1))
            OnReset(reg, written(reg));
    if (Touches(address, count, kLoopTest))
        for (int c = 0; c < features_.channels; ++c)
            if (c == 0 || !features_.separateChannel2LoopTest)
                measurements_->SetLoopTest(c, space_.Get(kLoopTest) != 0);
    if (features_.separateChannel2LoopTest && Touches(address, count, kLoopTestChannel2))
        measurements_->SetLoopTest(1, space_.Get(kLoopTestChannel2) != 0);
    measurements_->OnPreset(space_, address, count);

    if (features_.restart == SimRestartKind::Code5330 && Touches(address, count, kRestart) &&
        written(kRestart) == kRestartCode) {
        Restart(now);
        return true;
    }
    if (features_.restart == SimRestartKind::Pair9000 && Touches(address, count, kRestartPair, 2) &&
        space_.Get(kRestartPair) == kRestartPairFirst &&
        space_.Get(kRestartPair + 1) == kRestartPairSecond) {
        // These units confirm the command and restart afterwards.
        Restart(now);
        lastRestartAnswered_ = true;
    }
    return false;
}

void CSimDeviceModel::OnPasscodeCommand()
{
    const int reg = features_.PasscodeCommand();
    const std::uint16_t mode = space_.Get(reg);
    const std::uint32_t stored = StoredPasscode();
    if (mode != 0 && (stored == 0 || passcodeInput_ == stored)) {
        unlocked_ = true;
        return;
    }
    unlocked_ = false;
    space_.Set(reg, 0);
}

void CSimDeviceModel::OnReset(int reg, std::uint16_t code)
{
    if (reg == kCounterResetOrFixedOutputs) {
        if (features_.counters > 0) {
            measurements_->ResetCounters(code);
            space_.Set(reg, 0);
        } else {
            measurements_->SetOutputsFixed(code != 0);
        }
        return;
    }
    space_.Set(reg, 0);
    if (reg == kClearAlarm)
        return;
    if (features_.zn) {
        // Circuits A and B belong to system 1, C and D to system 2; bit 8 is both systems.
        const int energy = ((code & 0x3) ? 1 : 0) | ((code & 0xC) ? 2 : 0);
        const int maxMin =
            ((code & 0x30) ? 1 : 0) | ((code & 0xC0) ? 2 : 0) | ((code & 0x100) ? 3 : 0);
        measurements_->ResetEnergy(energy);
        measurements_->ResetMaxMin(maxMin);
        return;
    }
    if (code == 1)
        measurements_->ResetEnergy(0x3);
    else if (code == 2)
        measurements_->ResetMaxMin(0x3);
    else if (code == 3)
        measurements_->ResetDemand();
}

void CSimDeviceModel::Restart(const SimNow& now)
{
    ++restarts_;
    unlocked_ = false;
    passcodeInput_ = 0;
    space_.Set(features_.PasscodeCommand(), 0);
    for (int reg : {kRestart, kQhRestart, kRestartPair, kRestartPair + 1})
        if (space_.IsPresent(reg, 1))
            space_.Set(reg, 0);
    if (measurements_) {
        // Test modes do not survive a restart; counters and settings do.
        for (int c = 0; c < features_.channels; ++c)
            measurements_->SetLoopTest(c, false);
        space_.Set(kLoopTest, 0);
        if (features_.separateChannel2LoopTest)
            space_.Set(kLoopTestChannel2, 0);
        if (features_.analogOutputs > 0 && features_.counters == 0) {
            measurements_->SetOutputsFixed(false);
            space_.Set(kCounterResetOrFixedOutputs, 0);
        }
    } else {
        for (int ch = 0; ch < kQhChannels; ++ch) {
            qh_->SetLoopTest(ch, false);
            space_.Set(kQhLoopTest + ch, 0);
        }
    }
    Refresh(now);
}
