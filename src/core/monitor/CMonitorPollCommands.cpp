#include "monitor/CMonitorPollCommands.h"

#include <array>
#include <chrono>
#include <exception>
#include <thread>

#include "app/CPrivateException.h"
#include "app/DebugLog.h"
#include "app/KeepAwake.h"
#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/Capabilities.h"
#include "device/DeviceRegisters.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/ModelCodes.h"

namespace {

constexpr PollBlock kInstantaneousBlocks[] = {
    {0, 8, 0, 4000},     {32, 25, 8, 4032},   {256, 5, 178, 4256}, {272, 5, 183, 4272},
    {288, 5, 188, 4288}, {304, 5, 193, 4304}, {320, 5, 198, 4320}, {512, 3, 203, 4512},
    {528, 3, 206, 4528}, {544, 3, 209, 4544}, {560, 3, 212, 4560}, {576, 3, 215, 4576},
};
constexpr PollBlock kMaximumBlocks[] = {
    {768, 7, 218, 2768}, {800, 22, 226, 2800}, {896, 10, 298, 2896}};
constexpr PollBlock kMinimumBlocks[] = {{928, 7, 308, 2928}, {960, 22, 315, 2960}};
constexpr PollBlock kEnergyHighBlocks[] = {{128, 14, 66, 4128}, {192, 14, 122, 4192}};
constexpr PollBlock kEnergyLowBlocks[] = {{160, 14, 80, 4160}, {224, 14, 136, 4224}};
constexpr PollBlock kThdBlocks[] = {{1280, 10, 366, 8280}, {864, 10, 278, 2864}};
constexpr PollBlock kCounterBlocks[] = {{3136, 8, 390, 3136}};

constexpr int kThdLatestItem = 366;
constexpr int kThdMaximumItem = 278;
constexpr int kThdRows = 10;
constexpr int kCounterItem = 390;
constexpr int kCounterCount = 8;

// Registers of command 1 and the ratings; the second value is channel 2's.
constexpr int kStoredPasscode = DeviceRegister::kStoredPasscode; // 2
constexpr int kIdentityFirst = 9597;                             // 17: triple, 9600-9613
constexpr int kIdentityCount = 17;
constexpr int kOptionAndIo = DeviceRegister::kOptionCode; // 5: option code, I/O words 1-4
constexpr int kLoopTest[] = {5335, 5338};
constexpr int kAngles[] = {30000, 30100}; // 6
constexpr int kModelWords = 5991;         // 2
constexpr int kWiringSystem = 5600;
constexpr int kKtaRatedCurrent = 6752;
constexpr int kKtaRatedVoltage = 6753; // 2
constexpr int kKtbRatedCurrent = 6768; // 2, mA
constexpr int kKtbRatedVoltage = 6772; // 2, 0.01 V
constexpr int kPrimaryCurrent[] = {5601, 5609};
constexpr int kSensorType[] = {5602, 5610};
constexpr int kPrimaryVoltage = 5603;                               // 2
constexpr std::int32_t kSensorRatings[] = {50, 100, 200, 400, 600}; // sensor types 1-5
constexpr int kSpectrum[] = {1536, 8536};
constexpr int kSpectrumStride = 64;
constexpr int kOutputs = 3135; // 5: type, Ao1-Ao4
constexpr int kFixedOutputs = 5339;

// The window cleared the running flag: the command ends where it is.
struct StoppedCommand {};

} // namespace

std::span<const PollBlock> PollBlocksOf(PollCommand command)
{
    switch (command) {
    case PollCommand::InstantaneousAndDemand:
        return kInstantaneousBlocks;
    case PollCommand::Maximum:
        return kMaximumBlocks;
    case PollCommand::Minimum:
        return kMinimumBlocks;
    case PollCommand::EnergyHighTariff:
        return kEnergyHighBlocks;
    case PollCommand::EnergyLowTariff:
        return kEnergyLowBlocks;
    case PollCommand::Thd:
        return kThdBlocks;
    case PollCommand::Counters:
        return kCounterBlocks;
    default:
        return {};
    }
}

// The reads of one command: each first looks at the worker's running flag.
class CMonitorPollCommands::Reader {
public:
    Reader(CBackThread& worker, CModbusInterface& master)
        : worker_(worker), master_(master), channel_(worker.Channel() == 1 ? 1 : 0)
    {
    }

    int Channel() const { return channel_; }
    // A device with one input has no second channel to read, whatever was
    // selected while the device before it was connected.
    void UseFirstChannel() { channel_ = 0; }
    void CheckRunning() const
    {
        if (!worker_.IsRunning())
            throw StoppedCommand{};
    }
    void Read(int start, int count, std::uint16_t* out)
    {
        CheckRunning();
        master_.ReadHoldingRegisters(start, count, out);
    }
    std::uint16_t Read1(int reg)
    {
        std::uint16_t value = 0;
        Read(reg, 1, &value);
        return value;
    }

private:
    CBackThread& worker_;
    CModbusInterface& master_;
    int channel_; // fixed for the command, whatever the window switches meanwhile
};

CMonitorPollCommands::CMonitorPollCommands(CMeasurandsKTA& image, CModbusInterface& master)
    : image_(image), master_(master)
{
}

CDeviceType CMonitorPollCommands::ConnectedDevice() const
{
    std::lock_guard lock(deviceMutex_);
    return device_;
}

std::string CMonitorPollCommands::LastError() const
{
    std::lock_guard lock(deviceMutex_);
    return lastError_;
}

std::uint32_t CMonitorPollCommands::Combine(std::uint16_t first, std::uint16_t second) const
{
    return highWordFirst_ ? (std::uint32_t(first) << 16 | second)
                          : (std::uint32_t(second) << 16 | first);
}

void CMonitorPollCommands::ApplyPendingAddress()
{
    const int address = pendingAddress_.exchange(-1);
    if (address < 0)
        return;
    ComSettings settings = master_.Settings();
    settings.address = address;
    master_.SetSettings(settings);
}

void CMonitorPollCommands::ExecuteCommand(CBackThread& worker, std::int32_t command,
                                          std::intptr_t argument)
{
    if (command < CommandNumber(PollCommand::DeviceInformation) ||
        command > CommandNumber(PollCommand::AnalogOutputs)) {
        DebugPrintf("Monitor: unknown command %d ignored\n", int(command));
        return;
    }
    const CKeepAwake awake;
    const CAccessRight lock(master_);
    ApplyPendingAddress();
    Reader reader(worker, master_);
    bool completed = false;
    std::string error;
    try {
        if (worker.IsRunning()) {
            master_.Open();
            Run(reader, static_cast<PollCommand>(command), argument);
            completed = true;
        }
    } catch (const StoppedCommand&) {
    } catch (const CPrivateException& e) {
        // Time-out, CRC, exception response, a lost link, and an abort that
        // came while the window still runs: the command did not complete.
        DebugPrintf("Monitor command %d: %s\n", int(command), e.IsAbort() ? "aborted" : e.what());
        error = e.Text();
    } catch (const std::exception& e) {
        DebugPrintf("Monitor command %d failed: %s\n", int(command), e.what());
        error = e.what();
    }
    {
        std::lock_guard lock(deviceMutex_);
        lastError_ = completed ? std::string() : error;
    }
    if (completed) {
        worker.SetError(false);
    } else if (worker.IsRunning()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        worker.SetError(true);
    }
    // Once the window has cleared the flag it may be gone by the time a
    // notification would arrive.
    if (worker.IsRunning())
        image_.Notify();
    master_.Close();
}

void CMonitorPollCommands::Run(Reader& reader, PollCommand command, std::intptr_t argument)
{
    switch (command) {
    case PollCommand::DeviceInformation:
        ReadDeviceInformation(reader);
        break;
    case PollCommand::Thd:
        ReadThd(reader);
        break;
    case PollCommand::Spectrum:
        ReadSpectrum(reader, argument);
        break;
    case PollCommand::Counters:
        ReadCounters(reader);
        break;
    case PollCommand::AnalogOutputs:
        ReadAnalogOutputs(reader);
        break;
    default:
        ReadBlocks(reader, command);
        break;
    }
}

void CMonitorPollCommands::ReadBlocks(Reader& reader, PollCommand command)
{
    std::array<std::uint16_t, 2 * 25> registers{};
    for (const PollBlock& block : PollBlocksOf(command)) {
        const int start = reader.Channel() == 1 ? block.channel2Register : block.firstRegister;
        reader.Read(start, 2 * block.values, registers.data());
        for (int i = 0; i < block.values; ++i)
            image_.SetItem(block.firstItem + i,
                           static_cast<std::int32_t>(Combine(registers[std::size_t(2 * i)],
                                                             registers[std::size_t(2 * i + 1)])));
    }
}

void CMonitorPollCommands::ReadDeviceInformation(Reader& reader)
{
    CDeviceType device;
    reader.CheckRunning();
    device.Identify(master_);
    {
        std::lock_guard lock(deviceMutex_);
        device_ = device;
    }
    if (device.Has(CapQh))
        return; // the multi-circuit monitor takes over

    highWordFirst_ = reader.Read1(DeviceRegister::kWordOrder) == 1;
    std::uint16_t words[kIdentityCount] = {};
    reader.Read(kStoredPasscode, 2, words);
    image_.storedPasscode = Combine(words[0], words[1]);

    reader.Read(kIdentityFirst, kIdentityCount, words);
    for (std::size_t i = 0; i < image_.versionTriple.size(); ++i)
        image_.versionTriple[i] = words[i];
    image_.modelCode = words[3];
    image_.firmwareVersion = words[4];
    // Characters come two to a register, the first in the high byte.
    for (std::size_t i = 0; i < image_.serial.size(); ++i)
        image_.serial[i] = static_cast<char>(i % 2 == 0 ? words[5 + i / 2] >> 8 : words[5 + i / 2]);
    for (std::size_t i = 0; i < image_.tag.size(); ++i)
        image_.tag[i] = static_cast<char>(i % 2 == 0 ? words[9 + i / 2] >> 8 : words[9 + i / 2]);

    reader.Read(kOptionAndIo, 5, words);
    image_.optionCode = words[0];
    for (std::size_t i = 0; i < image_.ioWords.size(); ++i)
        image_.ioWords[i] = words[1 + i];
    if (image_.ioWords[3] < 2)
        reader.UseFirstChannel();

    const int channel = reader.Channel();
    image_.loopTestWord = reader.Read1(kLoopTest[channel]);
    if (image_.loopTestWord == 0) {
        reader.Read(kAngles[channel], 6, words);
        for (std::size_t i = 0; i < 6; ++i)
            image_.angles[i] = words[i];
        if (image_.modelCode == ModelCode::kZm) {
            reader.Read(kModelWords, 2, words);
            image_.modelWords = {words[0], words[1]};
        } else {
            image_.modelWords = {0, 0};
        }
    } else {
        image_.angles.fill(0);
    }
    image_.wiringSystem = reader.Read1(kWiringSystem);
    if (image_.loopTestWord != 0) {
        // Test values are not measurements: no vectors to scale.
        image_.ratedCurrent = 0;
        image_.ratedVoltage = 0;
        return;
    }
    ReadRatings(reader);
}

void CMonitorPollCommands::ReadRatings(Reader& reader)
{
    const auto read32 = [&](int reg) {
        std::uint16_t pair[2] = {};
        reader.Read(reg, 2, pair);
        return static_cast<std::int32_t>(Combine(pair[0], pair[1]));
    };
    const auto atLeastOne = [](std::int32_t v) { return v == 0 ? 1 : v; };
    const int channel = reader.Channel();
    switch (image_.modelCode) {
    case ModelCode::kKta:
    case ModelCode::kZm:
        image_.ratedCurrent = reader.Read1(kKtaRatedCurrent);
        image_.ratedVoltage = read32(kKtaRatedVoltage);
        break;
    case ModelCode::kLkta:
    case ModelCode::kLktas:
        image_.ratedCurrent = reader.Read1(kPrimaryCurrent[0]);
        image_.ratedVoltage = read32(kPrimaryVoltage);
        break;
    case ModelCode::kKtb:
        image_.ratedCurrent = atLeastOne(read32(kKtbRatedCurrent) / 1000);
        image_.ratedVoltage = atLeastOne(read32(kKtbRatedVoltage) / 100);
        break;
    case ModelCode::kQg: {
        const std::uint16_t sensor = reader.Read1(kSensorType[channel]);
        if (sensor == 0)
            image_.ratedCurrent = reader.Read1(kPrimaryCurrent[channel]);
        else if (sensor <= std::size(kSensorRatings))
            image_.ratedCurrent = kSensorRatings[sensor - 1];
        // A sensor type without a rating keeps the rating it had.
        image_.ratedCurrent = atLeastOne(image_.ratedCurrent);
        image_.ratedVoltage = atLeastOne(read32(kPrimaryVoltage));
        break;
    }
    default:
        break;
    }
}

void CMonitorPollCommands::ReadThd(Reader& reader)
{
    if (ConnectedDevice().Has(CapZmpv)) {
        for (int row = 0; row < kThdRows; ++row) {
            image_.SetItem(kThdLatestItem + row, 0);
            image_.SetItem(kThdMaximumItem + row, 0);
        }
        return;
    }
    ReadBlocks(reader, PollCommand::Thd);
}

void CMonitorPollCommands::ReadSpectrum(Reader& reader, std::intptr_t row)
{
    if (row < 0 || row >= kThdRows) {
        DebugPrintf("Monitor: spectrum row %ld out of range\n", long(row));
        return;
    }
    auto& target = image_.spectrum[static_cast<std::size_t>(row)];
    if (ConnectedDevice().Has(CapZmpv)) {
        target.fill(0);
        return;
    }
    // Sixteen-bit values in register order: the word order does not apply.
    const int start = kSpectrum[reader.Channel()] + kSpectrumStride * static_cast<int>(row);
    reader.Read(start, static_cast<int>(target.size()), target.data());
}

void CMonitorPollCommands::ReadCounters(Reader& reader)
{
    if (ConnectedDevice().ioWords[4] > 0) {
        ReadBlocks(reader, PollCommand::Counters);
        return;
    }
    for (int i = 0; i < kCounterCount; ++i)
        image_.SetItem(kCounterItem + i, 0);
}

void CMonitorPollCommands::ReadAnalogOutputs(Reader& reader)
{
    const CDeviceType device = ConnectedDevice();
    if (device.ioWords[2] == 0) {
        image_.outputType = 0;
        image_.outputValues.fill(0);
        image_.fixedOutput = 0;
        return;
    }
    std::uint16_t words[5] = {};
    reader.Read(kOutputs, 5, words);
    const int typeBits = device.optionCode & 5;
    image_.outputType = typeBits == 1 ? 0 : typeBits == 4 ? 1 : words[0];
    for (std::size_t i = 0; i < image_.outputValues.size(); ++i)
        image_.outputValues[i] = static_cast<std::int16_t>(words[1 + i]);
    const bool fixable = (device.modelCode == ModelCode::kLkta && device.firmwareVersion >= 120) ||
                         (device.modelCode == ModelCode::kZm && typeBits == 5);
    image_.fixedOutput = fixable ? reader.Read1(kFixedOutputs) : 0;
}
