#include "CSerialIO.h"

#include <QSerialPort>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include "app/CPrivateException.h"
#include "app/DebugLog.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kTextCannotSet = 10001;

// Without an event fd a cancel is noticed within this many milliseconds.
constexpr int kCancelPollMs = 10;

std::optional<QSerialPort::Parity> QtParity(SerialParity parity)
{
    switch (parity) {
    case SerialParity::None:
        return QSerialPort::NoParity;
    case SerialParity::Odd:
        return QSerialPort::OddParity;
    case SerialParity::Even:
        return QSerialPort::EvenParity;
    }
    return std::nullopt;
}

std::optional<QSerialPort::DataBits> QtDataBits(int bits)
{
    if (bits < 5 || bits > 8)
        return std::nullopt;
    return static_cast<QSerialPort::DataBits>(bits);
}

std::optional<QSerialPort::StopBits> QtStopBits(int bits)
{
    if (bits == 1)
        return QSerialPort::OneStop;
    if (bits == 2)
        return QSerialPort::TwoStop;
    return std::nullopt;
}

// Milliseconds left until the deadline, rounded up so a poll never wakes early.
int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto left = deadline - steady_clock::now();
    if (left <= steady_clock::duration::zero())
        return 0;
    const auto ms = ceil<milliseconds>(left).count();
    return ms > INT32_MAX ? INT32_MAX : static_cast<int>(ms);
}

// No flow control, so a frame leaves the driver in its transmission time;
// the allowance only guards against a line that never takes the bytes.
int WriteAllowanceMs(std::size_t size, int baudRate)
{
    const long long baud = baudRate > 0 ? baudRate : 1200;
    return static_cast<int>(1000 + static_cast<long long>(size) * 20000 / baud);
}

} // namespace

CSerialIO::CSerialIO(SerialLineSettings line)
    : line_(std::move(line)), cancelEvent_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (cancelEvent_ < 0)
        DebugPrintf("CSerialIO: no cancel event (%s)\n", std::strerror(errno));
}

CSerialIO::~CSerialIO()
{
    Close();
    if (cancelEvent_ >= 0)
        ::close(cancelEvent_);
}

void CSerialIO::Open()
{
    Close();
    TakeCancel();
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(line_.portName));
    if (line_.portName.empty() || !port->open(QIODevice::ReadWrite)) {
        DebugPrintf("Open %s: %s\n", line_.portName.c_str(),
                    port->errorString().toStdString().c_str());
        throw CPrivateException(FormatText(TextId::PortCannotOpen, {line_.displayName}),
                                FaultKind::Link);
    }
    port_ = std::move(port);
    try {
        ApplyLine();
    } catch (...) {
        // A half-programmed port is of no use to anyone; do not keep it locked.
        Close();
        throw;
    }
    ReleaseModemLines();
}

void CSerialIO::ApplyLine()
{
    const auto parity = QtParity(line_.parity);
    const auto dataBits = QtDataBits(line_.dataBits);
    const auto stopBits = QtStopBits(line_.stopBits);
    const bool ok = parity && dataBits && stopBits && port_->setBaudRate(line_.baudRate) &&
                    port_->setDataBits(*dataBits) && port_->setParity(*parity) &&
                    port_->setStopBits(*stopBits) &&
                    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        DebugPrintf("Line settings of %s: %d %d/%d/%d refused (%s)\n", line_.portName.c_str(),
                    line_.baudRate, line_.dataBits, static_cast<int>(line_.parity), line_.stopBits,
                    port_->errorString().toStdString().c_str());
        throw CPrivateException(kTextCannotSet, FaultKind::Link);
    }
}

void CSerialIO::ReleaseModemLines()
{
    // DTR and RTS stay de-asserted: nothing on these links handshakes. Virtual
    // ports have no modem lines at all, which must not stop the link.
    const bool dtr = port_->setDataTerminalReady(false);
    const bool rts = port_->setRequestToSend(false);
    if (!dtr || !rts) {
        DebugPrintf("Modem lines of %s left as they are (%s)\n", line_.portName.c_str(),
                    port_->errorString().toStdString().c_str());
        port_->clearError();
    }
}

void CSerialIO::Close()
{
    if (!port_)
        return;
    port_->close();
    port_.reset();
}

bool CSerialIO::IsOpen() const
{
    return port_ != nullptr;
}

int CSerialIO::Descriptor() const
{
    return static_cast<int>(port_->handle());
}

void CSerialIO::DiscardInput()
{
    if (!port_)
        return;
    if (!port_->clear(QSerialPort::Input)) {
        DebugPrintf("Discarding input of %s: %s\n", line_.portName.c_str(),
                    port_->errorString().toStdString().c_str());
        port_->clearError();
    }
}

void CSerialIO::Write(const std::uint8_t* data, std::size_t size)
{
    if (!port_)
        throw CPrivateException(kTextCannotSet, FaultKind::Link);
    const int fd = Descriptor();
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(WriteAllowanceMs(size, line_.baudRate));
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t n = ::write(fd, data + sent, size - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && WaitFor(POLLOUT, deadline, false) == Wait::Ready)
            continue;
        DebugPrintf("Write to %s: %zu of %zu bytes (%s)\n", line_.portName.c_str(), sent, size,
                    n < 0 ? std::strerror(errno) : "stalled");
        throw CPrivateException(kTextCannotSet, FaultKind::Link);
    }
    while (::tcdrain(fd) != 0 && errno == EINTR) {
    }
}

std::size_t CSerialIO::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    if (!port_)
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    std::size_t got = TakeBuffered(buffer, size);
    while (got < size) {
        if (WaitFor(POLLIN, deadline, true) != Wait::Ready)
            break;
        const ssize_t n = ::read(Descriptor(), buffer + got, size - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        // A line that hung up answers no more; the caller sees a short frame.
        DebugPrintf("Read from %s: %s\n", line_.portName.c_str(),
                    n < 0 ? std::strerror(errno) : "hang-up");
        break;
    }
    return got;
}

std::size_t CSerialIO::TakeBuffered(std::uint8_t* buffer, std::size_t size)
{
    // QSerialPort fills its own buffer only when an event loop runs on the
    // opening thread; bytes it took must not be lost.
    if (port_->bytesAvailable() <= 0)
        return 0;
    const qint64 n = port_->read(reinterpret_cast<char*>(buffer), static_cast<qint64>(size));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

CSerialIO::Wait CSerialIO::WaitFor(short events, Clock::time_point deadline, bool cancellable)
{
    for (;;) {
        if (cancellable && TakeCancel())
            return Wait::Cancelled;
        pollfd fds[2] = {{Descriptor(), events, 0}, {cancelEvent_, POLLIN, 0}};
        const nfds_t count = cancellable && cancelEvent_ >= 0 ? 2 : 1;
        int timeout = RemainingMs(deadline);
        if (cancellable && cancelEvent_ < 0 && timeout > kCancelPollMs)
            timeout = kCancelPollMs;
        const int ready = ::poll(fds, count, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Wait::Failed;
        if (fds[0].revents != 0)
            return Wait::Ready; // errors and hang-ups show up in the read or write
        if (ready == 0 && Clock::now() >= deadline)
            return Wait::TimedOut;
    }
}

bool CSerialIO::TakeCancel()
{
    if (cancelEvent_ < 0)
        return cancelled_.exchange(false);
    // The event's counter is the only record, so a cancel is taken exactly once.
    std::uint64_t count = 0;
    ssize_t n;
    while ((n = ::read(cancelEvent_, &count, sizeof count)) < 0 && errno == EINTR) {
    }
    return n == static_cast<ssize_t>(sizeof count);
}

void CSerialIO::Cancel()
{
    if (cancelEvent_ < 0) {
        cancelled_ = true;
        return;
    }
    const std::uint64_t one = 1;
    while (::write(cancelEvent_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}
