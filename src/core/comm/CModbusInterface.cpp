#include "comm/CModbusInterface.h"

#include <algorithm>
#include <cerrno>
#include <thread>
#include <vector>

#include "app/CPrivateException.h"
#include "app/DebugLog.h"
#include "comm/SerialLine.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kTextTimeout = 11009;
constexpr int kTextInvalidResponse = 11010;
constexpr int kTextCrcError = 11011;
constexpr int kTextReceiveException = 11012;
constexpr int kTextCommandFailed = 11013;
constexpr int kTextInvalidTransaction = 11022;

constexpr int kReadTimeoutBaseMs = 1000;
constexpr int kWriteTimeoutBaseMs = 4000;

// Shared by every interface of the process; the first Modbus/TCP request carries 1.
std::atomic<std::uint16_t> g_transactionCounter{0};

void SleepMilliseconds(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string ReasonFor(const ResponseCheck& check)
{
    switch (check.fault) {
    case ResponseFault::Timeout:
        DebugPrintf("Timeout\n");
        return LoadText(kTextTimeout);
    case ResponseFault::InvalidTransaction:
        DebugPrintf("Invalid transaction\n");
        return LoadText(kTextInvalidTransaction);
    case ResponseFault::Exception:
        DebugPrintf("Exception %d\n", check.exceptionCode);
        return FormatText(kTextReceiveException, {check.exceptionCode});
    case ResponseFault::InvalidResponse:
        DebugPrintf("Invalid response\n");
        return LoadText(kTextInvalidResponse);
    case ResponseFault::CrcError:
        return LoadText(kTextCrcError);
    case ResponseFault::None:
        break;
    }
    return {};
}

} // namespace

CModbusInterface::CModbusInterface(const ComSettings& settings)
    : settings_(settings), mode_(ModbusModeFor(settings)),
      tcp_(settings.Mode() == ConnectionMode::Tcp), pause_(SleepMilliseconds)
{
}

CModbusInterface::~CModbusInterface()
{
    Close();
}

void CModbusInterface::Open()
{
    Close();
    mode_ = ModbusModeFor(settings_);
    tcp_ = settings_.Mode() == ConnectionMode::Tcp;
    ITransportFactory* factory = GetTransportFactory();
    std::unique_ptr<ITransport> transport;
    if (tcp_) {
        if (!factory)
            throw CPrivateException(TextId::TcpError, ENOSYS, FaultKind::Link);
        transport = factory->CreateTcp(settings_.serverAddress, settings_.servicePort);
    } else {
        const SerialLineSettings line = SerialLineFor(settings_);
        if (!factory)
            throw CPrivateException(FormatText(TextId::PortCannotOpen, {line.displayName}),
                                    FaultKind::Link);
        transport = factory->CreateSerial(line);
    }
    {
        std::lock_guard lock(transportMutex_);
        transport_ = std::move(transport);
    }
    responseTimeout_ = tcp_ ? kTcpResponseTimeoutMs : kSerialOpenTimeoutMs;
    // A connect to a host that never answers waits for the system's time-out;
    // Cancel must be able to end it like a receive.
    blocking_ = tcp_.load();
    try {
        transport_->Open();
    } catch (...) {
        blocking_ = false;
        throw;
    }
    blocking_ = false;
}

void CModbusInterface::Close() noexcept
{
    std::unique_ptr<ITransport> transport;
    {
        std::lock_guard lock(transportMutex_);
        transport = std::move(transport_);
    }
    if (!transport)
        return;
    try {
        transport->Close();
    } catch (...) {
        // Closing is best effort: the next Open() starts with a new transport.
    }
}

bool CModbusInterface::IsOpen() const
{
    return transport_ && transport_->IsOpen();
}

ITransport& CModbusInterface::Transport()
{
    if (!transport_) {
        if (tcp_)
            throw CPrivateException(TextId::TcpError, ENOTCONN, FaultKind::Link);
        throw CPrivateException(
            FormatText(TextId::PortCannotOpen, {SerialLineFor(settings_).displayName}),
            FaultKind::Link);
    }
    return *transport_;
}

void CModbusInterface::Abort()
{
    // Flag first, then look for a pending connect or receive; the receiver
    // marks itself first, then looks at the flag. One of the two always sees
    // the other. A connect does not look at the flag, so a cancel that comes
    // just before it begins waits for the connect's own time-out.
    abort_ = true;
    if (!tcp_ || !blocking_)
        return;
    std::lock_guard lock(transportMutex_);
    if (transport_)
        transport_->Cancel();
}

void CModbusInterface::ReadHoldingRegisters(int start, int count, std::uint16_t* out)
{
    const int perRequest = std::min(mode_.registersPerRequest, kMaxReadRegisters);
    for (int done = 0; done < count; done += perRequest) {
        const int size = std::min(perRequest, count - done);
        DebugPrintf("ReadHoldingRegisters: adrs=%d size=%d\n", start + done + 1, size);
        const Exchange x = ReadExchange(start + done, size);
        std::vector<std::uint8_t> response(x.expected);
        Transact(x, response.data());
        CopyRegisters(response.data(), size, out + done);
    }
    RecordResult(true);
}

void CModbusInterface::WriteMultipleRegisters(int start, int count, const std::uint16_t* values,
                                              int attempts)
{
    const int perRequest = std::min(mode_.registersPerRequest, kMaxWriteRegisters);
    for (int done = 0; done < count; done += perRequest) {
        const int size = std::min(perRequest, count - done);
        DebugPrintf("WriteMultipleRegisters: adrs=%d size=%d\n", start + done + 1, size);
        const Exchange x = WriteExchange(start + done, size, values + done, attempts);
        std::uint8_t response[kWriteResponseSize];
        Transact(x, response);
    }
    RecordResult(true);
}

void CModbusInterface::WriteDoubleWords(int start, int count32, const std::uint32_t* values,
                                        bool swapWords)
{
    std::vector<std::uint16_t> words;
    words.reserve(2 * static_cast<std::size_t>(std::max(count32, 0)));
    for (int i = 0; i < count32; ++i) {
        const auto high = static_cast<std::uint16_t>(values[i] >> 16);
        const auto low = static_cast<std::uint16_t>(values[i] & 0xFFFF);
        words.push_back(swapWords ? high : low);
        words.push_back(swapWords ? low : high);
    }
    WriteMultipleRegisters(start, 2 * count32, words.data(), -1);
}

CModbusInterface::Exchange CModbusInterface::ReadExchange(int start, int count) const
{
    Exchange x{.request = BuildReadRequest(mode_.unitId, start, count),
               .command = "ReadHoldingRegister",
               .start = start,
               .count = count,
               .expected = ReadResponseSize(count),
               .timeoutBaseMs = kReadTimeoutBaseMs,
               .timeoutBytes = 0,
               .attempts = mode_.attempts,
               .abortAfterReceive = true};
    x.timeoutBytes = x.request.size() + x.expected + 4;
    return x;
}

// The abort flag is looked at only when a write attempt fails: a write that
// the device has confirmed is not reported as aborted.
CModbusInterface::Exchange CModbusInterface::WriteExchange(int start, int count,
                                                           const std::uint16_t* values,
                                                           int attempts) const
{
    Exchange x{.request = BuildWriteRequest(mode_.unitId, start, count, values),
               .command = "WriteMultipleRegisters",
               .start = start,
               .count = count,
               .expected = kWriteResponseSize,
               .timeoutBaseMs = kWriteTimeoutBaseMs,
               .timeoutBytes = 0,
               .attempts = attempts > 0 ? attempts : mode_.attempts,
               .abortAfterReceive = false};
    x.timeoutBytes = x.request.size() + 10;
    return x;
}

void CModbusInterface::Transact(const Exchange& x, std::uint8_t* response)
{
    abort_ = false;
    for (int attempt = 1;; ++attempt) {
        try {
            const std::uint16_t id = Send(x.request);
            SetResponseTimeout(x.timeoutBaseMs, x.timeoutBytes);
            Receive(response, x, id);
            if (x.abortAfterReceive && abort_)
                throw CPrivateException::Aborted();
            return;
        } catch (const CPrivateException&) {
            RecordResult(false);
            // A failure caused by the abort is reported as the abort, which
            // the party that asked for it does not show.
            if (abort_)
                throw CPrivateException::Aborted();
            if (attempt >= x.attempts)
                throw;
        }
    }
}

std::uint16_t CModbusInterface::Send(const ByteVector& request)
{
    ITransport& transport = Transport();
    transport.DiscardInput();
    if (IsTcp()) {
        const std::uint16_t id = ++g_transactionCounter;
        const ByteVector frame = BuildMbapFrame(id, request);
        try {
            transport.Write(frame.data(), frame.size());
        } catch (const CPrivateException&) {
            // A failed send shows up as a failed receive.
        }
        return id;
    }
    ByteVector frame = request;
    AppendCrc(frame);
    transport.Write(frame.data(), frame.size());
    return 0;
}

void CModbusInterface::SetResponseTimeout(int baseMs, std::size_t bytes)
{
    responseTimeout_ =
        IsTcp() ? kTcpResponseTimeoutMs : SerialResponseTimeout(baseMs, bytes, mode_.baud);
}

void CModbusInterface::Receive(std::uint8_t* response, const Exchange& x, std::uint16_t requestId)
{
    std::uint16_t answerId = requestId;
    const std::size_t size =
        IsTcp() ? ReceiveTcp(response, x.expected, answerId) : ReceiveRtu(response, x);
    const ResponseCheck check = CheckResponse(response, size, x.expected, answerId, requestId);
    if (check.fault != ResponseFault::None)
        Fail(x, check);
}

std::size_t CModbusInterface::ReceiveTcp(std::uint8_t* response, std::size_t expected,
                                         std::uint16_t& answerId)
{
    std::vector<std::uint8_t> raw(kMbapHeaderSize + expected);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(responseTimeout_);
    std::size_t received = 0;
    blocking_ = true;
    if (!abort_)
        received = ReadBefore(raw.data(), kMbapHeaderSize, deadline);
    if (received == kMbapHeaderSize && !abort_)
        received +=
            ReadBefore(raw.data() + kMbapHeaderSize, MbapBodySize(raw.data(), expected), deadline);
    blocking_ = false;
    if (received <= kMbapHeaderSize)
        return 0;
    answerId = MbapTransactionId(raw.data());
    std::copy(raw.begin() + kMbapHeaderSize, raw.begin() + static_cast<long>(received), response);
    return received - kMbapHeaderSize;
}

std::size_t CModbusInterface::ReadBefore(std::uint8_t* buffer, std::size_t size,
                                         Clock::time_point deadline)
{
    if (size == 0)
        return 0;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return Transport().Read(buffer, size, static_cast<int>(std::max<long long>(left.count(), 0)));
}

std::size_t CModbusInterface::ReceiveRtu(std::uint8_t* response, const Exchange& x)
{
    std::vector<std::uint8_t> raw(x.expected + kCrcSize);
    const std::size_t received = Transport().Read(raw.data(), raw.size(), responseTimeout_);
    const RtuResponse r = SplitRtuResponse(raw.data(), std::min(received, raw.size()), x.expected);
    std::copy(raw.begin(), raw.begin() + static_cast<long>(r.size), response);
    if (r.crcError)
        Fail(x, {ResponseFault::CrcError, 0});
    if (pause_)
        pause_(mode_.pauseAfterResponseMs);
    return r.size;
}

void CModbusInterface::Fail(const Exchange& x, const ResponseCheck& check) const
{
    // Only an exception response is the device's own answer; every other
    // fault happened on the way and may pass on another attempt.
    const FaultKind kind =
        check.fault == ResponseFault::Exception ? FaultKind::DeviceException : FaultKind::Link;
    throw CPrivateException(
        FormatText(kTextCommandFailed, {x.command, x.start + 1, x.count, ReasonFor(check)}), kind);
}

void CModbusInterface::RecordResult(bool ok)
{
    history_.push_back(ok ? 1 : 0);
    if (history_.size() > 8)
        history_.pop_front();
    const auto successes = std::count(history_.begin(), history_.end(), std::uint8_t{1});
    successRate_ = 100.0 * static_cast<double>(successes) / static_cast<double>(history_.size());
}
