#include "device/ParameterTransfer.h"

#include <algorithm>
#include <array>
#include <exception>
#include <stdexcept>
#include <utility>

#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "device/DeviceRegisters.h"
#include "device/ParameterWords.h"
#include "device/RegisterMap.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kTextDifferentDevice = 11021;
constexpr int kTextQglpwNotSupported = 11028;
constexpr int kTextDipSwitchMismatch = 11029;
constexpr int kTextQhlpwNotSupported = 11033;

// Words that follow the DIP switch: with the switch off the device keeps its
// own values, so a download leaves them alone.
constexpr std::array<int, 17> kDipControlledWords = {31, 33, 47, 56, 65, 73,  76,  79, 82,
                                                     85, 88, 91, 94, 97, 100, 103, 106};

// LonWorks variants are configured with LonWorks tools, not over Modbus.
void RefuseLonWorksVariants(const CDeviceType& type)
{
    switch (type.TypeId()) {
    case 33:
    case 34:
        throw CPrivateException(kTextQglpwNotSupported);
    case 59:
    case 65:
        throw CPrivateException(kTextQhlpwNotSupported);
    default:
        break;
    }
}

// QH devices have no word-order register, and what lies at its address must not be read as one.
bool ReadSwapFlag(CModbusInterface& connection, const CDeviceType& type)
{
    if (!HasWordOrderRegister(type))
        return false;
    std::uint16_t order = 0;
    connection.ReadHoldingRegisters(DeviceRegister::kWordOrder, 1, &order);
    return order == 1;
}

void ExchangeWordPairs(std::uint16_t* words, int pairs)
{
    for (int k = 0; k < pairs; ++k)
        std::swap(words[2 * k], words[2 * k + 1]);
}

bool ReportStep(IProgressSink& progress, std::size_t entry, std::size_t entries)
{
    progress.ReportProgress(100.0 * static_cast<double>(entry) / static_cast<double>(entries));
    return !progress.IsCancelRequested();
}

void ReadEntry(CModbusInterface& connection, const RegisterBlock& entry, bool swap,
               ParameterSet& set)
{
    std::uint16_t* words = &set.words[entry.firstWord];
    connection.ReadHoldingRegisters(entry.reg, entry.RegisterCount(), words);
    if (entry.firstWord == ParameterWord::ConfigurationMode)
        set[ParameterWord::ConfigurationMode] &= 1;
    if (entry.Is32Bit() && swap)
        ExchangeWordPairs(words, entry.count);
}

bool Upload(ParameterSet& set, CModbusInterface& connection, IProgressSink& progress)
{
    CDeviceType device;
    device.Identify(connection);
    RefuseLonWorksVariants(device);
    set.type = device;
    const bool swap = ReadSwapFlag(connection, device);
    const auto& map = RegisterMapFor(device);
    const Capabilities caps = device.Caps();
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!EntryApplies(map[i], caps))
            continue;
        ReadEntry(connection, map[i], swap, set);
        if (!ReportStep(progress, i, map.size()))
            return false;
    }
    progress.ReportProgress(100.0);
    return true;
}

// Collects the entries of one download block and sends them as one request.
// The words of a block count as written once the device has acknowledged it.
class CBlockWriter {
public:
    CBlockWriter(CModbusInterface& connection, bool swap, WrittenWords& written)
        : connection_(connection), swap_(swap), written_(written)
    {
    }

    void Add(const RegisterBlock& entry, const ParameterSet& set)
    {
        if (start_ < 0) {
            start_ = entry.reg;
            buffer_.fill(0);
            pendingWords_.clear();
        }
        const int offset = entry.reg - start_;
        if (offset < 0 || offset + entry.RegisterCount() > kDownloadBufferRegisters)
            throw std::logic_error("register map block exceeds the download buffer");
        std::uint16_t* target = buffer_.data() + offset;
        std::copy_n(set.words.begin() + entry.firstWord, entry.WordCount(), target);
        if (entry.Is32Bit() && swap_)
            ExchangeWordPairs(target, entry.count);
        for (int w = entry.firstWord; w < entry.EndWord(); ++w)
            pendingWords_.push_back(w);
    }
    void Send(const RegisterBlock& last)
    {
        connection_.WriteMultipleRegisters(start_, last.EndRegister() - start_, buffer_.data());
        written_.insert(written_.end(), pendingWords_.begin(), pendingWords_.end());
        Discard();
    }
    void Discard()
    {
        start_ = -1;
        pendingWords_.clear();
    }

private:
    CModbusInterface& connection_;
    const bool swap_;
    WrittenWords& written_;
    int start_ = -1;
    std::array<std::uint16_t, kDownloadBufferRegisters> buffer_{};
    WrittenWords pendingWords_;
};

void CheckSameVariant(CModbusInterface& connection, const ParameterSet& set)
{
    CDeviceType device;
    device.Identify(connection);
    const int row = set.type.CatalogueIndex();
    if (row < 0 || row != device.CatalogueIndex())
        throw CPrivateException(kTextDifferentDevice);
}

bool SingleEntryMode(CModbusInterface& connection, const CDeviceType& type)
{
    std::uint16_t version = 0;
    connection.ReadHoldingRegisters(DeviceRegister::kFirmwareVersion, 1, &version);
    return type.Has(CapKta) && version < kFirstMergingKtaFirmware;
}

// Returns true when the DIP-controlled words are to be left out.
bool CheckDipSwitch(CModbusInterface& connection, const ParameterSet& set)
{
    int reg = -1;
    if (set.type.Has(CapQh))
        reg = DeviceRegister::kDipSwitchQh;
    else if (set.type.Has(CapQg))
        reg = DeviceRegister::kDipSwitchQg;
    if (reg < 0)
        return false;
    std::uint16_t dip = 0;
    connection.ReadHoldingRegisters(reg, 1, &dip);
    if ((dip & 1) != set[ParameterWord::ConfigurationMode])
        throw CPrivateException(kTextDipSwitchMismatch);
    return set[ParameterWord::ConfigurationMode] == 0;
}

bool IsLeftOut(const RegisterBlock& entry, bool dipWordsExcluded)
{
    if (entry.firstWord == ParameterWord::ConfigurationMode)
        return true;
    return dipWordsExcluded && std::find(kDipControlledWords.begin(), kDipControlledWords.end(),
                                         entry.firstWord) != kDipControlledWords.end();
}

bool Download(const ParameterSet& set, CModbusInterface& connection, IProgressSink& progress,
              WrittenWords& written)
{
    CheckSameVariant(connection, set);
    CBlockWriter writer(connection, ReadSwapFlag(connection, set.type), written);
    const bool singleEntry = SingleEntryMode(connection, set.type);
    const bool dipWordsExcluded = CheckDipSwitch(connection, set);
    const auto& map = RegisterMapFor(set.type);
    const Capabilities caps = set.type.Caps();
    for (std::size_t i = 0; i < map.size(); ++i) {
        const RegisterBlock& entry = map[i];
        if (!EntryApplies(entry, caps))
            continue;
        if (IsLeftOut(entry, dipWordsExcluded)) {
            writer.Discard();
            continue;
        }
        writer.Add(entry, set);
        if (entry.endsBlock || singleEntry)
            writer.Send(entry);
        if (!ReportStep(progress, i, map.size()))
            return false;
    }
    progress.ReportProgress(100.0);
    return true;
}

// Map order is not word order: the display words of some variants come last.
void SortWords(WrittenWords& words)
{
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

bool EntryHoldsAny(const RegisterBlock& entry, const WrittenWords& words)
{
    const auto first = std::lower_bound(words.begin(), words.end(), int(entry.firstWord));
    return first != words.end() && *first < entry.EndWord();
}

bool ReadWords(ParameterSet& set, const WrittenWords& words, CModbusInterface& connection,
               IProgressSink& progress)
{
    const bool swap = ReadSwapFlag(connection, set.type);
    const auto& map = RegisterMapFor(set.type);
    const Capabilities caps = set.type.Caps();
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!EntryApplies(map[i], caps) || !EntryHoldsAny(map[i], words))
            continue;
        ReadEntry(connection, map[i], swap, set);
        if (!ReportStep(progress, i, map.size()))
            return false;
    }
    progress.ReportProgress(100.0);
    return true;
}

// Every failure reaches the user as a communication error naming the first
// error, and keeps that error's kind. An abort is the way a cancel stops a
// request in flight: it ends the transfer like a cancel.
template <typename Transfer> bool RunTransfer(Transfer&& transfer)
{
    try {
        return transfer();
    } catch (const CPrivateException& e) {
        if (e.IsAbort())
            return false;
        throw CPrivateException(CommunicationErrorText(e.Text()), e.Kind());
    } catch (const std::exception& e) {
        throw CPrivateException(CommunicationErrorText(e.what()));
    }
}

} // namespace

std::string CommunicationErrorText(const std::string& firstError)
{
    return FormatText(TextId::TransferCommunicationError, {firstError});
}

bool ReadFromDevice(ParameterSet& set, CModbusInterface& connection, IProgressSink& progress)
{
    ParameterSet uploaded = set;
    const bool complete = RunTransfer([&] { return Upload(uploaded, connection, progress); });
    if (complete)
        set = uploaded;
    return complete;
}

bool WriteToDevice(const ParameterSet& set, CModbusInterface& connection, IProgressSink& progress)
{
    WrittenWords written;
    return WriteToDevice(set, connection, progress, written);
}

bool WriteToDevice(const ParameterSet& set, CModbusInterface& connection, IProgressSink& progress,
                   WrittenWords& written)
{
    written.clear();
    try {
        const bool complete =
            RunTransfer([&] { return Download(set, connection, progress, written); });
        SortWords(written);
        return complete;
    } catch (...) {
        SortWords(written);
        throw;
    }
}

bool ReadWordsFromDevice(ParameterSet& set, const WrittenWords& words, CModbusInterface& connection,
                         IProgressSink& progress)
{
    WrittenWords sorted = words;
    SortWords(sorted);
    ParameterSet read = set;
    const bool complete =
        RunTransfer([&] { return ReadWords(read, sorted, connection, progress); });
    if (complete)
        set = read;
    return complete;
}
