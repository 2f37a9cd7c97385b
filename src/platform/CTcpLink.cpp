#include "CTcpLink.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

// A blocking connect on Windows gives up after about 21 s; Linux would retry
// for two minutes, long enough to take a wrong address for a hung program.
constexpr std::chrono::seconds kConnectTimeout{21};

CPrivateException TcpError(const std::string& reason)
{
    return CPrivateException(FormatText(TextId::TcpError, {reason}), FaultKind::Link);
}

CPrivateException TcpErrno(int error)
{
    return CPrivateException(TextId::TcpError, error, FaultKind::Link);
}

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

timespec ToTimespec(std::chrono::nanoseconds left)
{
    if (left.count() < 0)
        left = std::chrono::nanoseconds::zero();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((left - seconds).count())};
}

} // namespace

CTcpLink::CTcpLink(std::string host, std::string port)
    : host_(std::move(host)), port_(std::move(port)),
      wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CTcpLink::~CTcpLink()
{
    Close();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void CTcpLink::Open()
{
    Close();
    if (wakeFd_ < 0)
        throw TcpErrno(EMFILE);
    TakeCancel();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(host_.c_str(), port_.c_str(), &hints, &found);
    if (rc != 0)
        throw rc == EAI_SYSTEM ? TcpErrno(errno) : TcpError(gai_strerror(rc));
    std::unique_ptr<addrinfo, AddrInfoDeleter> results(found);
    Connect(*results);
}

void CTcpLink::Connect(const addrinfo& address)
{
    socket_ = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                       address.ai_protocol);
    if (socket_ < 0)
        throw TcpErrno(errno);
    int error = 0;
    if (::connect(socket_, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS)
            error = AwaitConnection();
    }
    if (error != 0) {
        Close();
        if (error == ECANCELED)
            throw CPrivateException::Aborted();
        throw TcpErrno(error);
    }
    // Requests are single small frames: send each at once.
    const int one = 1;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

int CTcpLink::AwaitConnection()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kConnectTimeout;
    WaitResult waited = WaitResult::Interrupted;
    while (waited == WaitResult::Interrupted) {
        const timespec left = ToTimespec(deadline - Clock::now());
        waited = Wait(POLLOUT, &left);
    }
    if (waited == WaitResult::Cancelled)
        return ECANCELED;
    if (waited == WaitResult::TimedOut)
        return ETIMEDOUT;
    if (waited == WaitResult::Failed)
        return errno;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return errno;
    return error;
}

void CTcpLink::Close()
{
    if (socket_ < 0)
        return;
    ::close(socket_);
    socket_ = -1;
}

void CTcpLink::Cancel()
{
    const std::uint64_t one = 1;
    if (wakeFd_ >= 0 && ::write(wakeFd_, &one, sizeof one) < 0) {
        // The counter is already non-zero: the wake-up is pending anyway.
    }
}

bool CTcpLink::TakeCancel()
{
    std::uint64_t count = 0;
    return wakeFd_ >= 0 && ::read(wakeFd_, &count, sizeof count) == sizeof count;
}

void CTcpLink::DiscardInput()
{
    TakeCancel();
    if (socket_ < 0)
        return;
    std::uint8_t scrap[512];
    while (::recv(socket_, scrap, sizeof scrap, MSG_DONTWAIT) > 0) {
    }
}

void CTcpLink::Write(const std::uint8_t* data, std::size_t size)
{
    if (socket_ < 0)
        throw TcpErrno(ENOTCONN);
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(socket_, data + sent, size - sent, MSG_NOSIGNAL);
        if (n >= 0) {
            sent += static_cast<std::size_t>(n);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            const WaitResult waited = Wait(POLLOUT, nullptr);
            if (waited == WaitResult::Cancelled || waited == WaitResult::Failed)
                throw TcpErrno(waited == WaitResult::Cancelled ? ECANCELED : errno);
        } else if (errno != EINTR) {
            throw TcpErrno(errno);
        }
    }
}

std::size_t CTcpLink::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    std::size_t received = 0;
    while (socket_ >= 0 && received < size) {
        const ssize_t n = ::recv(socket_, buffer + received, size - received, MSG_DONTWAIT);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            break; // closed by the peer or reset
        const timespec left = ToTimespec(deadline - Clock::now());
        const WaitResult waited = Wait(POLLIN, &left);
        if (waited != WaitResult::Ready && waited != WaitResult::Interrupted)
            break;
    }
    return received;
}

CTcpLink::WaitResult CTcpLink::Wait(short events, const timespec* timeout)
{
    pollfd fds[2] = {{socket_, events, 0}, {wakeFd_, POLLIN, 0}};
    const int rc = ::ppoll(fds, 2, timeout, nullptr);
    if (rc < 0)
        return errno == EINTR ? WaitResult::Interrupted : WaitResult::Failed;
    if (rc == 0)
        return WaitResult::TimedOut;
    if (fds[1].revents & POLLIN) {
        TakeCancel();
        return WaitResult::Cancelled;
    }
    return WaitResult::Ready;
}
