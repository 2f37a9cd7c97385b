// Feeds arbitrary bytes to the master as a device's answer, in every
// connection framing, to both request kinds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "comm/ModbusFrame.h"

namespace {

// Answers every request with the same bytes; optionally puts the request's
// transaction id in front so the later checks are reached over Modbus/TCP.
class ReplayTransport : public ITransport {
public:
    ReplayTransport(const std::vector<std::uint8_t>& answer, bool echoTransaction)
        : answer_(answer), echoTransaction_(echoTransaction)
    {
    }
    void Open() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
    void DiscardInput() override { pending_.clear(); }
    void Write(const std::uint8_t* data, std::size_t size) override
    {
        pending_ = answer_;
        if (echoTransaction_ && size >= 2 && pending_.size() >= 2)
            std::copy_n(data, 2, pending_.begin());
    }
    std::size_t Read(std::uint8_t* buffer, std::size_t size, int) override
    {
        const std::size_t n = std::min(size, pending_.size());
        std::copy_n(pending_.begin(), n, buffer);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(n));
        return n;
    }
    void Cancel() override {}

private:
    std::vector<std::uint8_t> answer_;
    std::vector<std::uint8_t> pending_;
    bool echoTransaction_;
};

class ReplayFactory : public ITransportFactory {
public:
    std::vector<std::uint8_t> answer;
    bool echoTransaction = false;

    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings&) override
    {
        return std::make_unique<ReplayTransport>(answer, echoTransaction);
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string&, const std::string&) override
    {
        return std::make_unique<ReplayTransport>(answer, echoTransaction);
    }
};

void CheckFrameParsers(const std::uint8_t* data, std::size_t size)
{
    if (size >= kMbapHeaderSize) {
        (void)MbapTransactionId(data);
        (void)MbapBodySize(data, size);
    }
    for (std::size_t expected : {std::size_t{0}, std::size_t{1}, std::size_t{6}, size})
        (void)SplitRtuResponse(data, size, expected);
    (void)CheckResponse(data, size, size, 1, 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // First byte: mode (bits 0-1), write instead of read (bit 2), echo the
    // transaction id (bit 3). Second byte: register count.
    const std::uint8_t control = data[0];
    const int count = data[1] % 130;
    ReplayFactory factory;
    factory.answer.assign(data + 2, data + size);
    factory.echoTransaction = (control & 8) != 0;
    SetTransportFactory(&factory);

    ComSettings settings;
    settings.mode = static_cast<ConnectionMode>(control & 3);
    CModbusInterface modbus(settings);
    modbus.SetPauseFunction(nullptr);
    std::vector<std::uint16_t> registers(static_cast<std::size_t>(count), 0x5A5A);
    try {
        modbus.Open();
        if (control & 4)
            modbus.WriteMultipleRegisters(0, count, registers.data());
        else
            modbus.ReadHoldingRegisters(0, count, registers.data());
    } catch (const CPrivateException&) {
        // Refused answers are the expected outcome of most inputs.
    }
    modbus.Close();
    SetTransportFactory(nullptr);
    CheckFrameParsers(data + 2, size - 2);
    return 0;
}
