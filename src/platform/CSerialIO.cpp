#include "CSerialIO.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
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

std::optional<speed_t> SpeedCode(int baudRate)
{
    static constexpr struct {
        int rate;
        speed_t code;
    } kSpeeds[] = {{50, B50},         {75, B75},         {110, B110},       {134, B134},
                   {150, B150},       {200, B200},       {300, B300},       {600, B600},
                   {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
                   {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
                   {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& s : kSpeeds)
        if (s.rate == baudRate)
            return s.code;
    return std::nullopt;
}

std::optional<tcflag_t> CharacterSize(int bits)
{
    switch (bits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    case 8:
        return CS8;
    }
    return std::nullopt;
}

// A bare port name lives under /dev, as the port list gives it.
std::string SystemLocation(const std::string& portName)
{
    if (portName.starts_with('/') || portName.starts_with("./") || portName.starts_with("../"))
        return portName;
    return "/dev/" + portName;
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
    if (!OpenPort())
        throw CPrivateException(FormatText(TextId::PortCannotOpen, {line_.displayName}),
                                FaultKind::Link);
    if (!ApplyLine()) {
        // A half-programmed port is of no use to anyone; do not keep it locked.
        Close();
        throw CPrivateException(kTextCannotSet, FaultKind::Link);
    }
    ReleaseModemLines();
}

bool CSerialIO::OpenPort()
{
    if (line_.portName.empty())
        return false;
    if (!lock_.Acquire(line_.portName)) {
        DebugPrintf("Open %s: the port is locked\n", line_.portName.c_str());
        return false;
    }
    const std::string location = SystemLocation(line_.portName);
    fd_ = ::open(location.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 || ::tcgetattr(fd_, &restored_) != 0) {
        DebugPrintf("Open %s: %s\n", location.c_str(), std::strerror(errno));
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        lock_.Release();
        return false;
    }
    // Other users that are not root are kept out while the port is ours.
    if (::ioctl(fd_, TIOCEXCL) != 0)
        DebugPrintf("Exclusive use of %s: %s\n", location.c_str(), std::strerror(errno));
    return true;
}

bool CSerialIO::ApplyLine()
{
    const auto speed = SpeedCode(line_.baudRate);
    const auto size = CharacterSize(line_.dataBits);
    const bool parityKnown = line_.parity == SerialParity::None ||
                             line_.parity == SerialParity::Odd ||
                             line_.parity == SerialParity::Even;
    const bool stopKnown = line_.stopBits == 1 || line_.stopBits == 2;
    bool ok = speed && size && parityKnown && stopKnown;
    if (ok) {
        // Raw bytes: no echo, no line editing, no flow control, no character
        // translation, reads that never wait inside the driver.
        termios t = restored_;
        ::cfmakeraw(&t);
        t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
        t.c_cflag |= CREAD | CLOCAL | *size;
        if (line_.parity != SerialParity::None)
            t.c_cflag |= PARENB | (line_.parity == SerialParity::Odd ? PARODD : 0);
        if (line_.stopBits == 2)
            t.c_cflag |= CSTOPB;
        // A character with a parity error is passed on; the frame check refuses the frame.
        t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
        t.c_iflag |= IGNPAR;
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        ok = ::cfsetispeed(&t, *speed) == 0 && ::cfsetospeed(&t, *speed) == 0 &&
             ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }
    if (!ok)
        DebugPrintf("Line settings of %s: %d %d/%d/%d refused (%s)\n", line_.portName.c_str(),
                    line_.baudRate, line_.dataBits, static_cast<int>(line_.parity), line_.stopBits,
                    speed && size && parityKnown && stopKnown ? std::strerror(errno)
                                                              : "not a line this port runs");
    return ok;
}

void CSerialIO::ReleaseModemLines()
{
    // DTR and RTS stay de-asserted: nothing on these links handshakes. Virtual
    // ports have no modem lines at all, which must not stop the link.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd_, TIOCMBIC, &lines) != 0)
        DebugPrintf("Modem lines of %s left as they are (%s)\n", line_.portName.c_str(),
                    std::strerror(errno));
}

void CSerialIO::Close()
{
    if (fd_ < 0)
        return;
    // The line goes back as we found it, for whoever opens the port next.
    ::tcsetattr(fd_, TCSANOW, &restored_);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    lock_.Release();
}

bool CSerialIO::IsOpen() const
{
    return fd_ >= 0;
}

void CSerialIO::DiscardInput()
{
    if (fd_ < 0)
        return;
    if (::tcflush(fd_, TCIFLUSH) != 0)
        DebugPrintf("Discarding input of %s: %s\n", line_.portName.c_str(), std::strerror(errno));
}

void CSerialIO::Write(const std::uint8_t* data, std::size_t size)
{
    if (fd_ < 0)
        throw CPrivateException(kTextCannotSet, FaultKind::Link);
    const int fd = fd_;
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
    if (fd_ < 0)
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    std::size_t got = 0;
    while (got < size) {
        if (WaitFor(POLLIN, deadline, true) != Wait::Ready)
            break;
        const ssize_t n = ::read(fd_, buffer + got, size - got);
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

CSerialIO::Wait CSerialIO::WaitFor(short events, Clock::time_point deadline, bool cancellable)
{
    for (;;) {
        if (cancellable && TakeCancel())
            return Wait::Cancelled;
        pollfd fds[2] = {{fd_, events, 0}, {cancelEvent_, POLLIN, 0}};
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
