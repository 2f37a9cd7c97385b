#include "CSimDeviceModel.h"

#include <algorithm>
#include <cmath>
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
constexpr std::uint16_t kFourCounters = 15, kEightCounters = 255;
constexpr int kTagBytes = 16, kSerialBytes = 8;

void DefineText(CSimRegisterSpace& space, int first, int registers, const std::string& text)
{
    // The first character of each pair lies in the high byte of its register.
    for (int r = 0; r < registers; ++r) {
        const auto at = static_cast<size_t>(2 * r);
        const auto hi = at < text.size() ? std::uint8_t(text[at]) : 0;
        const auto lo = at + 1 < text.size() ? std::uint8_t(text[at + 1]) : 0;
        space.Set(first + r, static_cast<std::uint16_t>((hi << 8) | lo));
    }
}

std::string DefaultSerial(int typeId)
{
    char serial[16];
    std::snprintf(serial, sizeof serial, "2406%04d", (typeId * 97 + 1234) % 10000);
    return serial;
}

bool ValidWiring(int wiring, bool zn)
{
    return (wiring >= 0 && wiring <= 6) || (zn && (wiring == 16 || wiring == 17));
}

} // namespace

CSimDeviceModel::CSimDeviceModel(const SimOptions& options) : scenario_(options.scenario)
{
    if (!CatalogueRecordOfTypeId(options.typeId))
        throw std::invalid_argument("unknown device type id " + std::to_string(options.typeId));
    BuildIdentity(options);
    features_ = SimFeaturesOf(behaviour_, identity_.ioWords);
    if (options.passcode > kPasscodeLimit)
        throw std::invalid_argument("passcode must be 0-999999999");
    if (options.passcode != 0 && !features_.passcodeSupported)
        throw std::invalid_argument("this variant has no Modbus passcode");
    if (options.wordOrder != 0 && options.wordOrder != 1)
        throw std::invalid_argument("word order must be 0 or 1");
    BuildParameters(options);
    ApplyScenario(options.scenario);
    BuildDeviceRegisters();
    if (features_.qh) {
        qh_ = std::make_unique<CSimQhMeasurements>(features_.qhChannels, features_.qhPulseInputs,
                                                   scenario_);
        qh_->DefineRegisters(space_);
    } else {
        measurements_ = std::make_unique<CSimMeasurements>(features_, behaviour_, scenario_);
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
    ApplyTestModes(options.scenario);
}

void CSimDeviceModel::BuildIdentity(const SimOptions& options)
{
    const DeviceTypeRecord& row = *CatalogueRecordOfTypeId(options.typeId);
    const int firmware = options.firmware >= 0 ? options.firmware : SimDefaultFirmware(row.typeId);
    behaviour_.modelCode = row.modelCode;
    behaviour_.firmwareVersion = static_cast<std::uint16_t>(firmware);
    behaviour_.optionCode = row.optionCode;
    behaviour_.ioWords = row.ioWords;
    behaviour_.Resolve();
    if (behaviour_.TypeId() != row.typeId)
        throw std::invalid_argument("firmware " + std::to_string(firmware) +
                                    " lies outside the range of type id " +
                                    std::to_string(row.typeId));
    identity_ = behaviour_;
    if (options.alternativeIo) {
        if (!row.HasAlternativeIo())
            throw std::invalid_argument("type id " + std::to_string(row.typeId) +
                                        " has no alternative I/O words");
        identity_.ioWords = row.altIoWords;
    }
    if (options.ioWords)
        identity_.ioWords = *options.ioWords;
    identity_.Resolve();

    space_.Define(kIdentityFirst, kIdentityLast - kIdentityFirst + 1, A::Present);
    space_.Define(kTag, 8, A::Writable | A::Protected);
    space_.Set(kModelCode, identity_.modelCode);
    space_.Set(kFirmware, identity_.firmwareVersion);
    space_.Set(kOptionCode, identity_.optionCode);
    for (int i = 0; i < 5; ++i)
        space_.Set(kIoWords + i, identity_.ioWords[static_cast<size_t>(i)]);
    // The newer families also report major, minor and revision.
    if (behaviour_.Has(CapQh | CapZm | CapZn)) {
        space_.Set(kVersionTriple, static_cast<std::uint16_t>(firmware / 100));
        space_.Set(kVersionTriple + 1, static_cast<std::uint16_t>(firmware % 100));
    }
    const std::string& serial = options.scenario.serial;
    if (serial.size() > size_t(kSerialBytes))
        throw std::invalid_argument("a serial number has at most 8 characters");
    if (options.scenario.tag.size() > size_t(kTagBytes))
        throw std::invalid_argument("a tag has at most 16 bytes");
    // ZM and ZN units carry no serial number in their registers.
    if (!behaviour_.Has(CapZm | CapZn))
        DefineText(space_, kSerial, 4, serial.empty() ? DefaultSerial(row.typeId) : serial);
    DefineText(space_, kTag, 8, options.scenario.tag);
}

void CSimDeviceModel::BuildParameters(const SimOptions& options)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(behaviour_.TypeId(), set, true);
    const auto& map = RegisterMapFor(behaviour_);
    int blockStart = -1;
    for (const RegisterBlock& e : map) {
        if (!EntryApplies(e, behaviour_))
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

void CSimDeviceModel::ApplyScenario(const SimScenario& s)
{
    auto set = [&](int reg, std::uint16_t v) {
        if (space_.IsPresent(reg, 1))
            space_.Set(reg, v);
    };
    auto set32 = [&](int reg, std::int64_t v) {
        if (space_.IsPresent(reg, 2))
            space_.Set32(reg, static_cast<std::int32_t>(v));
    };
    if (s.wiring >= 0) {
        if (!ValidWiring(s.wiring, features_.zn))
            throw std::invalid_argument("wiring system " + std::to_string(s.wiring) +
                                        " is not one of this variant's");
        set(features_.qh ? kQhWiring : kWiring, static_cast<std::uint16_t>(s.wiring));
    }
    if (s.primaryCurrent >= 0) {
        if (s.primaryCurrent < 1 || s.primaryCurrent > 20000)
            throw std::invalid_argument("primary current must be 1-20000 A");
        const auto amps = static_cast<std::uint16_t>(s.primaryCurrent);
        if (features_.qh) {
            for (int c = 0; c < features_.qhChannels; ++c) {
                const int ct = c < 8 ? kQhCtBasic + 4 * c : kQhCtExtension + 4 * (c - 8);
                set(ct, amps);
                set(ct + 1, 0); // user-defined primary
            }
        } else {
            for (int reg : {kPrimaryCurrent, kPrimaryCurrent2, kPrimaryCurrentC, kPrimaryCurrentD})
                set(reg, amps);
            if (features_.qg || features_.zn)
                for (int reg : {kSensorType, kSensorType2, kSensorTypeC, kSensorTypeD})
                    set(reg, 0);
            set(kRatedCurrent, amps);
            set32(kRatedCurrentKtb, std::int64_t(s.primaryCurrent) * 1000);
        }
    }
    if (s.primaryVoltage >= 0) {
        if (s.primaryVoltage < 50 || s.primaryVoltage > 400000)
            throw std::invalid_argument("primary voltage must be 50-400000 V");
        set32(features_.qh ? kQhPrimaryVoltage : kPrimaryVoltage, s.primaryVoltage);
        set32(kRatedVoltage, s.primaryVoltage);
        set32(kRatedVoltageKtb, std::int64_t(s.primaryVoltage) * 100);
    }
    if (s.frequency != 50 && s.frequency != 60)
        throw std::invalid_argument("frequency must be 50 or 60 Hz");
    if (s.powerFactor < 0.3 || s.powerFactor > 1)
        throw std::invalid_argument("power factor must be 0.30-1.00");
    if (s.load < 0 || s.load > 1.2)
        throw std::invalid_argument("load must be 0-120 % of the rated current");
    if (s.simpleMeasurement) {
        if (!features_.simpleMeasurement)
            throw std::invalid_argument("only ZM and ZN units have simple measurement");
        set(kMeasurementMode, 1);
        set(kSimplePowerFactor, static_cast<std::uint16_t>(std::lround(s.powerFactor * 10000)));
    }
}

void CSimDeviceModel::ApplyTestModes(const SimScenario& s)
{
    for (int channel : s.loopTestChannels) {
        if (features_.qh) {
            if (channel < 1 || channel > features_.qhChannels)
                throw std::invalid_argument("no loop test on channel " + std::to_string(channel));
            space_.Set(kQhLoopTest + channel - 1, 1);
            qh_->SetLoopTest(channel - 1, true);
            continue;
        }
        if (channel == 1) {
            space_.Set(kLoopTest, 1);
            for (int c = 0; c < features_.channels; ++c)
                if (c == 0 || !features_.separateChannel2LoopTest)
                    measurements_->SetLoopTest(c, true);
        } else if (channel == 2 && features_.separateChannel2LoopTest) {
            space_.Set(kLoopTestChannel2, 1);
            measurements_->SetLoopTest(1, true);
        } else {
            throw std::invalid_argument("no loop test on channel " + std::to_string(channel));
        }
    }
    if (s.fixedOutputs) {
        if (features_.analogOutputs == 0)
            throw std::invalid_argument("this variant has no analog outputs to fix");
        space_.Set(kCounterResetOrFixedOutputs, 1);
        measurements_->SetOutputsFixed(true);
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
        space_.Define(kQhChannelReset, features_.qhChannels, command);
        space_.Define(kQhLoopTest, features_.qhChannels, command);
    } else {
        space_.Define(kWordOrder, 1, command);
        space_.Define(kResetCommand, 1, command);
        // The second input's resets, and the reset of four counters.
        if (SecondChannelResets() || features_.counters == 4)
            space_.Define(kAltResetCommand, 1, command);
        space_.Define(kLoopTest, 1, command);
        if (features_.separateChannel2LoopTest)
            space_.Define(kLoopTestChannel2, 1, command);
        if (features_.counters == 8 || features_.analogOutputs > 0)
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

std::int64_t CSimDeviceModel::DeviceTime(const SimNow& now) const
{
    return SimLocalCalendarSeconds(now.unixTime) + clockOffset_;
}

void CSimDeviceModel::Start(const SimNow& now)
{
    started_ = true;
    if (scenario_.clockStart >= 0)
        clockOffset_ = scenario_.clockStart - SimLocalCalendarSeconds(now.unixTime);
    if (measurements_)
        measurements_->Start(space_, now.seconds, DeviceTime(now));
    if (qh_)
        qh_->Start(space_, now.seconds, DeviceTime(now));
}

void CSimDeviceModel::Refresh(const SimNow& now)
{
    if (!started_)
        Start(now);
    const std::int64_t deviceTime = DeviceTime(now);
    if (measurements_)
        measurements_->Refresh(space_, now.seconds, deviceTime);
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
        const std::uint16_t value = values[static_cast<size_t>(i)];
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
            if (features_.analogOutputs > 0 && reg >= kOutputValues && reg < kOutputValues + 4) {
                if (!measurements_->OutputsFixed())
                    return SimException::DeviceFailure;
                if (!measurements_->OutputValueAllowed(space_, static_cast<std::int16_t>(value)))
                    return SimException::IllegalValue;
            }
        }
        const SimException e = features_.qh ? CheckQhCommand(reg, value) : CheckCommand(reg, value);
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

SimException CSimDeviceModel::CheckQhCommand(int reg, std::uint16_t v) const
{
    if (reg >= kQhLoopTest && reg < kQhLoopTest + CSimQhMeasurements::kMaxChannels)
        return v <= 1 ? SimException::None : SimException::IllegalValue;
    if (reg >= kQhChannelReset && reg < kQhChannelReset + CSimQhMeasurements::kMaxChannels)
        return (v & ~CSimQhMeasurements::kResetCodes) == 0 ? SimException::None
                                                           : SimException::IllegalValue;
    return SimException::None;
}

SimException CSimDeviceModel::CheckCommand(int reg, std::uint16_t v) const
{
    auto ok = [](bool allowed) {
        return allowed ? SimException::None : SimException::IllegalValue;
    };
    switch (reg) {
    case kWordOrder:
    case kLoopTest:
    case kLoopTestChannel2:
    case kClearAlarm:
        return ok(v <= 1);
    case kResetCommand:
        // ZN: bit masks of circuits A-D (energy 1-8, maximum/minimum 16-128, common 256).
        return ok(features_.zn ? v <= 0x1FF : v <= 3);
    case kAltResetCommand:
        return ok(v == 0 || (SecondChannelResets() && v <= 3) ||
                  (features_.counters == 4 && v == kFourCounters));
    case kCounterResetOrFixedOutputs:
        return ok(v == 0 || (features_.analogOutputs > 0 && v == 1) ||
                  (features_.counters == 8 && v == kEightCounters));
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
        OnQhWrite(address, count);
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

void CSimDeviceModel::OnQhWrite(int address, int count)
{
    for (int ch = 0; ch < features_.qhChannels; ++ch) {
        if (Touches(address, count, kQhChannelReset + ch)) {
            qh_->Reset(ch, space_.Get(kQhChannelReset + ch));
            space_.Set(kQhChannelReset + ch, 0);
        }
        if (Touches(address, count, kQhLoopTest + ch))
            qh_->SetLoopTest(ch, space_.Get(kQhLoopTest + ch) != 0);
    }
    qh_->OnPreset(space_, address, count);
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
        if (features_.counters == 8 && code == kEightCounters) {
            measurements_->ResetCounters(0xFF);
            space_.Set(reg, 0);
        } else if (features_.analogOutputs > 0) {
            measurements_->SetOutputsFixed(code != 0);
        }
        return;
    }
    space_.Set(reg, 0);
    if (reg == kClearAlarm)
        return;
    if (features_.zn) {
        // Circuits A and B belong to system 1, C and D to system 2; bit 8 is what both share.
        const int energy = ((code & 0x3) ? 1 : 0) | ((code & 0xC) ? 2 : 0);
        const int maxMin = ((code & 0x30) ? 1 : 0) | ((code & 0xC0) ? 2 : 0);
        measurements_->ResetEnergy(energy);
        measurements_->ResetMaxMin(maxMin,
                                   CSimMeasurements::kAllMaxMin & ~CSimMeasurements::kCommonMaxMin);
        if (code & 0x100)
            measurements_->ResetMaxMin(0x3, CSimMeasurements::kCommonMaxMin);
        return;
    }
    if (reg == kAltResetCommand && code == kFourCounters) {
        measurements_->ResetCounters(0x0F);
        return;
    }
    const int channel = reg == kAltResetCommand ? 0x2 : 0x1;
    if (code == 1)
        measurements_->ResetEnergy(channel);
    else if (code == 2)
        measurements_->ResetMaxMin(channel);
    else if (code == 3)
        measurements_->ResetDemand(channel);
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
        if (features_.analogOutputs > 0) {
            measurements_->SetOutputsFixed(false);
            space_.Set(kCounterResetOrFixedOutputs, 0);
        }
    } else {
        for (int ch = 0; ch < features_.qhChannels; ++ch) {
            qh_->SetLoopTest(ch, false);
            space_.Set(kQhLoopTest + ch, 0);
        }
    }
    Refresh(now);
}
