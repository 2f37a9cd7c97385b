#include "monitor/ZnMonitorJobs.h"

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
#include "monitor/ZnMonitorCells.h"

namespace {

constexpr ModbusBlock kInstantaneous[] = {{0, 8, 0}, {32, 25, 8}, {4000, 8, 33}, {4032, 25, 41}};
constexpr ModbusBlock kMaximum[] = {{768, 7, 218}, {800, 22, 226}, {2768, 7, 248}, {2800, 22, 256}};
constexpr ModbusBlock kMinimum[] = {{928, 7, 308}, {960, 22, 315}, {2928, 7, 337}, {2960, 22, 344}};
constexpr ModbusBlock kEnergy[] = {{128, 14, 66},   {192, 14, 122}, {160, 14, 80},
                                   {224, 14, 136},  {4128, 14, 94}, {4192, 14, 150},
                                   {4160, 14, 108}, {4224, 14, 164}};
constexpr ModbusBlock kThd[] = {{1280, 10, 366}, {864, 10, 278}, {8280, 10, 376}, {2864, 10, 288}};

constexpr int kThdItems = 20; // latest 366-385, maximum 278-297
constexpr int kThdLatestItem = 366;
constexpr int kThdMaximumItem = 278;

constexpr int kIdentityFirst = 9597; // 17: version triple, 9600-9613
constexpr int kIdentityCount = 17;
constexpr int kLoopTest = 5335;
constexpr int kAnglesA = 30000;   // 6
constexpr int kAnglesB = 30100;   // 6
constexpr int kModelWords = 5991; // 2
constexpr int kWiringSystem = 5600;
constexpr int kRatingsFirst = 5601; // 16: circuit A primary and sensor, voltage, B, C, D
constexpr int kRatingsCount = 16;
constexpr int kVoltageLow = 5603 - kRatingsFirst;
// Primary current and sensor type of circuits A-D, from kRatingsFirst.
constexpr int kCircuitPrimary[] = {5601 - kRatingsFirst, 5609 - kRatingsFirst, 5612 - kRatingsFirst,
                                   5615 - kRatingsFirst};
constexpr std::int32_t kSensorRatings[] = {50, 100, 200, 400, 600}; // sensor types 1-5
constexpr int kCircuitWiring = 5696;                                // 4, one value per circuit

struct StoppedJob {};

} // namespace

ZnJob NextZnJob(ZnJob job)
{
    switch (job) {
    case ZnJob::DeviceInformation:
        return ZnJob::PageValues;
    case ZnJob::PageValues:
        return ZnJob::Thd;
    case ZnJob::Thd:
        return ZnJob::Spectrum;
    case ZnJob::Spectrum:
        break;
    }
    return ZnJob::DeviceInformation;
}

std::span<const ModbusBlock> ZnInstantaneousBlocks()
{
    return kInstantaneous;
}

std::span<const ModbusBlock> ZnPageModeBlocks(int pageMode)
{
    switch (pageMode) {
    case ZnMonitorCells::kMax:
        return kMaximum;
    case ZnMonitorCells::kMin:
        return kMinimum;
    case ZnMonitorCells::kEnergy:
        return kEnergy;
    default:
        return {};
    }
}

std::span<const ModbusBlock> ZnThdBlocks()
{
    return kThd;
}

// The reads of one job: each first looks at the running flag.
class CZnMonitorJobs::Reads {
public:
    Reads(const std::atomic<bool>& running, CModbusInterface& master, CModbusReader& blocks)
        : running_(running), master_(master), blocks_(blocks)
    {
    }
    void CheckRunning() const
    {
        if (!running_)
            throw StoppedJob{};
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
    void Blocks(std::span<const ModbusBlock> list)
    {
        CheckRunning();
        blocks_.ReadBlocks(list);
        CheckRunning(); // the reader returns early once stopped
    }

private:
    const std::atomic<bool>& running_;
    CModbusInterface& master_;
    CModbusReader& blocks_;
};

namespace {
std::span<std::uint32_t> ItemSlots(CMeasurandsKTA& image)
{
    // The reader fills raw 32-bit words; the items hold the same bits signed.
    return {reinterpret_cast<std::uint32_t*>(image.items.data()), image.items.size()};
}
} // namespace

CZnMonitorJobs::CZnMonitorJobs(CMeasurandsKTA& image, CModbusInterface& master)
    : image_(image), master_(master), blocks_(master, ItemSlots(image))
{
}

void CZnMonitorJobs::Stop()
{
    // The flag first: an abort alone is forgotten by the next request.
    running_ = false;
    blocks_.RequestStop();
    master_.Abort();
}

CDeviceType CZnMonitorJobs::ConnectedDevice() const
{
    std::lock_guard lock(mutex_);
    return device_;
}

bool CZnMonitorJobs::IsZnDevice() const
{
    return ConnectedDevice().Has(CapZn);
}

std::string CZnMonitorJobs::LastError() const
{
    std::lock_guard lock(mutex_);
    return lastError_;
}

std::uint32_t CZnMonitorJobs::Combine(std::uint16_t first, std::uint16_t second) const
{
    return blocks_.SwapWords() ? (std::uint32_t(first) << 16 | second)
                               : (std::uint32_t(second) << 16 | first);
}

void CZnMonitorJobs::ApplyPendingAddress()
{
    const int address = pendingAddress_.exchange(-1);
    if (address < 0)
        return;
    ComSettings settings = master_.Settings();
    settings.address = address;
    master_.SetSettings(settings);
}

bool CZnMonitorJobs::Run(ZnJob job, const ZnJobSelections& selections)
{
    if (!running_)
        return false;
    const CKeepAwake awake;
    const CAccessRight lock(master_);
    ApplyPendingAddress();
    Reads reads(running_, master_, blocks_);
    bool completed = false;
    std::string error;
    try {
        master_.Open();
        Execute(reads, job, selections);
        completed = true;
    } catch (const StoppedJob&) {
    } catch (const CPrivateException& e) {
        DebugPrintf("ZN monitor job %d: %s\n", int(job), e.IsAbort() ? "aborted" : e.what());
        error = e.Text();
    } catch (const std::exception& e) {
        DebugPrintf("ZN monitor job %d failed: %s\n", int(job), e.what());
        error = e.what();
    }
    master_.Close();
    if (!running_)
        completed = false;
    {
        std::lock_guard guard(mutex_);
        lastError_ = completed ? std::string() : error;
    }
    if (!completed && running_)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return completed;
}

void CZnMonitorJobs::Execute(Reads& reads, ZnJob job, const ZnJobSelections& selections)
{
    switch (job) {
    case ZnJob::DeviceInformation:
        ReadDeviceInformation(reads);
        break;
    case ZnJob::PageValues:
        ReadPage(reads, selections.pageMode);
        break;
    case ZnJob::Thd:
        ReadThd(reads);
        break;
    case ZnJob::Spectrum:
        ReadSpectrum(reads, selections.thdItem);
        break;
    }
}

void CZnMonitorJobs::ReadDeviceInformation(Reads& reads)
{
    CDeviceType device;
    reads.CheckRunning();
    device.Identify(master_);
    {
        std::lock_guard lock(mutex_);
        device_ = device;
    }
    if (!device.Has(CapZn))
        return; // the window closes and the monitor that fits opens

    blocks_.SetSwapWords(reads.Read1(DeviceRegister::kWordOrder) == 1);
    std::uint16_t words[kIdentityCount] = {};
    reads.Read(DeviceRegister::kStoredPasscode, 2, words);
    image_.storedPasscode = Combine(words[0], words[1]);

    reads.Read(kIdentityFirst, kIdentityCount, words);
    for (std::size_t i = 0; i < image_.versionTriple.size(); ++i)
        image_.versionTriple[i] = words[i];
    image_.modelCode = words[3];
    image_.firmwareVersion = words[4];
    // Characters come two to a register, the first in the high byte.
    for (std::size_t i = 0; i < image_.serial.size(); ++i)
        image_.serial[i] = static_cast<char>(i % 2 == 0 ? words[5 + i / 2] >> 8 : words[5 + i / 2]);
    for (std::size_t i = 0; i < image_.tag.size(); ++i)
        image_.tag[i] = static_cast<char>(i % 2 == 0 ? words[9 + i / 2] >> 8 : words[9 + i / 2]);

    reads.Read(DeviceRegister::kOptionCode, 5, words);
    image_.optionCode = words[0];
    for (std::size_t i = 0; i < image_.ioWords.size(); ++i)
        image_.ioWords[i] = words[1 + i];

    image_.loopTestWord = reads.Read1(kLoopTest);
    if (image_.loopTestWord == 0) {
        reads.Read(kAnglesA, 6, image_.angles.data());
        reads.Read(kAnglesB, 6, image_.angles.data() + 6);
        reads.Read(kModelWords, 2, image_.modelWords.data());
    } else {
        image_.angles.fill(0);
    }
    image_.wiringSystem = reads.Read1(kWiringSystem);
    if (image_.loopTestWord != 0) {
        // Test values are not measurements: no vectors to scale.
        image_.ratedCurrent = 0;
        image_.ratedVoltage = 0;
    } else {
        ReadRatings(reads);
    }
    std::uint16_t wiring[4] = {};
    reads.Read(kCircuitWiring, 4, wiring);
    for (int c = 0; c < 4; ++c)
        image_.SetItem(ZnMonitorCells::kCircuitWiringItem + c, wiring[c]);
}

void CZnMonitorJobs::ReadRatings(Reads& reads)
{
    std::uint16_t words[kRatingsCount] = {};
    reads.Read(kRatingsFirst, kRatingsCount, words);
    // The primary voltage is stored low word first whatever the word order.
    image_.ratedVoltage =
        static_cast<std::int32_t>(std::uint32_t(words[kVoltageLow + 1]) << 16 | words[kVoltageLow]);
    for (std::size_t c = 0; c < image_.circuitRatings.size(); ++c) {
        const int primary = kCircuitPrimary[c];
        const std::uint16_t sensor = words[primary + 1];
        if (sensor == 0)
            image_.circuitRatings[c] = words[primary];
        else if (sensor <= std::size(kSensorRatings))
            image_.circuitRatings[c] = kSensorRatings[sensor - 1];
        // A sensor type without a rating keeps the rating the circuit had.
    }
    image_.ratedCurrent = image_.circuitRatings[0];
}

void CZnMonitorJobs::ReadPage(Reads& reads, int pageMode)
{
    std::uint16_t wiring[4] = {};
    reads.Read(kCircuitWiring, 4, wiring);
    for (int c = 0; c < 4; ++c)
        image_.SetItem(ZnMonitorCells::kCircuitWiringItem + c, wiring[c]);
    reads.Blocks(kInstantaneous);
    reads.Blocks(ZnPageModeBlocks(pageMode));
}

void CZnMonitorJobs::ReadThd(Reads& reads)
{
    if (ConnectedDevice().Has(CapZmpv)) {
        for (int i = 0; i < kThdItems; ++i) {
            image_.SetItem(kThdLatestItem + i, 0);
            image_.SetItem(kThdMaximumItem + i, 0);
        }
        return;
    }
    reads.Blocks(kThd);
}

void CZnMonitorJobs::ReadSpectrum(Reads& reads, int thdItem)
{
    const auto source = ZnMonitorCells::SpectrumSourceOf(thdItem);
    if (!source) {
        DebugPrintf("ZN monitor: item %d has no spectrum\n", thdItem);
        return;
    }
    auto& row = image_.spectrum[static_cast<std::size_t>(source->row)];
    if (ConnectedDevice().Has(CapZmpv)) {
        row.fill(0);
        return;
    }
    // Sixteen-bit values in register order: the word order does not apply.
    reads.Read(source->firstRegister, static_cast<int>(row.size()), row.data());
}
