#include "CDeviceSimulator.h"

namespace {

constexpr std::uint8_t kReadFunction = 0x04;
constexpr std::uint8_t kWriteFunction = 0x10;
constexpr std::uint8_t kExceptionBit = 0x80;

int Word(const std::uint8_t* p)
{
    return (p[0] << 8) | p[1];
}

std::vector<std::uint8_t> ExceptionPdu(std::uint8_t function, SimException code)
{
    return {static_cast<std::uint8_t>(function | kExceptionBit), static_cast<std::uint8_t>(code)};
}

bool Every(int k, std::uint64_t n)
{
    return k > 0 && n % static_cast<std::uint64_t>(k) == 0;
}

} // namespace

CDeviceSimulator::CDeviceSimulator(const SimOptions& options)
    : options_(options), model_(options), identity_(model_.Identity())
{
    const auto start = std::chrono::steady_clock::now();
    seconds_ = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    unixTime_ = [] {
        return static_cast<std::int64_t>(
            std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
    };
}

void CDeviceSimulator::SetTimeSources(SecondsSource seconds, UnixTimeSource unixTime)
{
    std::lock_guard lock(mutex_);
    seconds_ = std::move(seconds);
    unixTime_ = std::move(unixTime);
}

SimNow CDeviceSimulator::Now() const
{
    return {seconds_(), unixTime_()};
}

SimReply CDeviceSimulator::Handle(SimTransport transport, const std::uint8_t* pdu,
                                  std::size_t length)
{
    SimReply reply;
    SimRequestRecord record;
    record.transport = transport;
    {
        std::lock_guard lock(mutex_);
        if (length == 0)
            return reply;
        record.function = pdu[0];
        if (Now().seconds < silentUntil_) {
            record.outcome = "ignored (restarting)";
        } else {
            bool silent = false;
            reply.pdu = Serve(pdu, length, record, silent);
            if (silent) {
                reply.pdu.clear();
                record.outcome = "restart (no reply)";
            } else {
                ApplyFaults(reply, record);
            }
        }
    }
    log_.Add(record);
    return reply;
}

std::vector<std::uint8_t> CDeviceSimulator::Serve(const std::uint8_t* pdu, std::size_t length,
                                                  SimRequestRecord& record, bool& silent)
{
    switch (pdu[0]) {
    case kReadFunction:
        return ServeRead(pdu, length, record);
    case kWriteFunction:
        return ServeWrite(pdu, length, record, silent);
    default:
        record.outcome = "exception 1";
        return ExceptionPdu(pdu[0], SimException::IllegalFunction);
    }
}

std::vector<std::uint8_t> CDeviceSimulator::ServeRead(const std::uint8_t* pdu, std::size_t length,
                                                      SimRequestRecord& record)
{
    if (length != 5) {
        record.outcome = "exception 3";
        return ExceptionPdu(pdu[0], SimException::IllegalValue);
    }
    record.address = Word(pdu + 1);
    record.count = Word(pdu + 3);
    SimException e = model_.CheckRead(record.address, record.count);
    if (e == SimException::None && InjectedException(record.address, record.count))
        e = static_cast<SimException>(options_.faults.exceptionCode);
    if (e != SimException::None) {
        record.outcome = "exception " + std::to_string(int(e));
        return ExceptionPdu(pdu[0], e);
    }
    const auto values = model_.Read(record.address, record.count, Now());
    std::vector<std::uint8_t> out = {pdu[0], static_cast<std::uint8_t>(2 * values.size())};
    for (std::uint16_t v : values) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    }
    record.outcome = "ok";
    return out;
}

std::vector<std::uint8_t> CDeviceSimulator::ServeWrite(const std::uint8_t* pdu, std::size_t length,
                                                       SimRequestRecord& record, bool& silent)
{
    if (length < 6 || length != 6u + pdu[5] || Word(pdu + 3) * 2 != pdu[5]) {
        if (length >= 5) {
            record.address = Word(pdu + 1);
            record.count = Word(pdu + 3);
        }
        record.outcome = "exception 3";
        return ExceptionPdu(pdu[0], SimException::IllegalValue);
    }
    record.address = Word(pdu + 1);
    record.count = Word(pdu + 3);
    for (int i = 0; i < record.count; ++i)
        record.values.push_back(static_cast<std::uint16_t>(Word(pdu + 6 + 2 * i)));
    SimException e = model_.CheckWrite(record.address, record.values);
    if (e == SimException::None && InjectedException(record.address, record.count))
        e = static_cast<SimException>(options_.faults.exceptionCode);
    if (e != SimException::None) {
        record.outcome = "exception " + std::to_string(int(e));
        return ExceptionPdu(pdu[0], e);
    }
    const SimNow now = Now();
    std::vector<std::uint16_t> values = record.values;
    std::string ignored;
    if (IgnoresWrite(record.address, record.count)) {
        // The register keeps what it reads now; the rest of the write still lands.
        const int at = options_.faults.ignoreWriteAddress;
        values[static_cast<std::size_t>(at - record.address)] = model_.Space().WireRead(at);
        ignored = " (ignored at " + std::to_string(at) + ")";
    }
    silent = model_.Write(record.address, values, now);
    if (silent || model_.LastRestartAnswered())
        silentUntil_ = now.seconds + options_.restartSilenceMs / 1000.0;
    record.outcome = (model_.LastRestartAnswered() ? "restart" : "ok") + ignored;
    return {pdu[0], pdu[1], pdu[2], pdu[3], pdu[4]};
}

bool CDeviceSimulator::InjectedException(int address, int count) const
{
    const int at = options_.faults.exceptionAddress;
    return at >= 0 && at >= address && at < address + count;
}

bool CDeviceSimulator::IgnoresWrite(int address, int count) const
{
    const int at = options_.faults.ignoreWriteAddress;
    return at >= 0 && at >= address && at < address + count;
}

void CDeviceSimulator::ApplyFaults(SimReply& reply, SimRequestRecord& record)
{
    const SimFaults& f = options_.faults;
    const std::uint64_t n = ++answered_;
    reply.delayMs = f.delayMs;
    reply.splitBytes = f.splitBytes;
    if (Every(f.dropEvery, n)) {
        reply.pdu.clear();
        record.outcome += " (dropped)";
        return;
    }
    if (Every(f.badCrcEvery, n) && record.transport == SimTransport::Rtu) {
        reply.corruptCrc = true;
        record.outcome += " (bad crc)";
    }
    if (Every(f.wrongTransactionEvery, n) && record.transport == SimTransport::Tcp) {
        reply.wrongTransaction = true;
        record.outcome += " (wrong transaction)";
    }
}

std::vector<std::uint16_t> CDeviceSimulator::ReadRegisters(int address, int count)
{
    std::lock_guard lock(mutex_);
    if (model_.CheckRead(address, count) != SimException::None)
        return {};
    return model_.Read(address, count, Now());
}

bool CDeviceSimulator::Unlocked() const
{
    std::lock_guard lock(mutex_);
    return model_.Unlocked();
}

int CDeviceSimulator::Restarts() const
{
    std::lock_guard lock(mutex_);
    return model_.Restarts();
}
