#include "CSimTcpServer.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::size_t kMbapHeader = 7; // transaction, protocol, length, unit id
constexpr int kMaxMbapLength = 254;    // unit id + the largest PDU
constexpr int kSegmentPauseMs = 20;    // long enough for each segment to arrive on its own

std::runtime_error SocketError(const std::string& what, int error)
{
    return std::runtime_error(what + ": " + std::strerror(error));
}

int Word(const std::uint8_t* p)
{
    return (p[0] << 8) | p[1];
}

} // namespace

CSimTcpServer::CSimTcpServer(CDeviceSimulator& simulator, const std::string& host, int port)
    : simulator_(simulator)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); rc != 0)
        throw std::runtime_error("cannot resolve " + host + ": " + gai_strerror(rc));
    listenFd_ = socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    if (listenFd_ < 0 || setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) < 0 ||
        bind(listenFd_, found->ai_addr, found->ai_addrlen) < 0 || listen(listenFd_, 8) < 0) {
        const int error = errno;
        freeaddrinfo(found);
        if (listenFd_ >= 0)
            close(listenFd_);
        throw SocketError("cannot listen on " + host + ":" + service, error);
    }
    freeaddrinfo(found);

    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&bound), &length);
    char numeric[NI_MAXHOST] = {}, portText[NI_MAXSERV] = {};
    getnameinfo(reinterpret_cast<sockaddr*>(&bound), length, numeric, sizeof numeric, portText,
                sizeof portText, NI_NUMERICHOST | NI_NUMERICSERV);
    host_ = numeric;
    port_ = std::atoi(portText);
    thread_ = std::thread([this] { Run(); });
}

CSimTcpServer::~CSimTcpServer()
{
    Stop();
    close(listenFd_);
}

void CSimTcpServer::Stop()
{
    wake_.Signal();
    if (thread_.joinable())
        thread_.join();
    for (Connection& c : connections_)
        close(c.fd);
    connections_.clear();
}

std::string CSimTcpServer::Endpoint() const
{
    const bool v6 = host_.find(':') != std::string::npos;
    return (v6 ? "[" + host_ + "]" : host_) + ":" + std::to_string(port_);
}

void CSimTcpServer::Run()
{
    while (!wake_.Signalled()) {
        std::vector<pollfd> fds = {{wake_.Fd(), POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (const Connection& c : connections_)
            fds.push_back({c.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        if (fds[1].revents & POLLIN)
            Accept();
        std::vector<int> closing;
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            auto it = std::find_if(connections_.begin(), connections_.end(),
                                   [&](const Connection& c) { return c.fd == fds[i].fd; });
            if (it != connections_.end() && !Receive(*it))
                closing.push_back(it->fd);
        }
        for (int fd : closing) {
            close(fd);
            std::erase_if(connections_, [fd](const Connection& c) { return c.fd == fd; });
        }
    }
}

void CSimTcpServer::Accept()
{
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    connections_.push_back({fd, {}, 0});
}

bool CSimTcpServer::Receive(Connection& c)
{
    std::uint8_t chunk[512];
    const ssize_t n = recv(c.fd, chunk, sizeof chunk, 0);
    if (n <= 0)
        return n < 0 && (errno == EINTR || errno == EAGAIN);
    c.buffer.insert(c.buffer.end(), chunk, chunk + n);
    return ServeFrames(c);
}

bool CSimTcpServer::ServeFrames(Connection& c)
{
    const SimFaults& faults = simulator_.Options().faults;
    while (c.buffer.size() >= kMbapHeader) {
        const int length = Word(&c.buffer[4]);
        if (length < 2 || length > kMaxMbapLength)
            return false; // not Modbus/TCP: no way to find the next frame
        const std::size_t frameSize = 6 + std::size_t(length);
        if (c.buffer.size() < frameSize)
            return true;
        const std::vector<std::uint8_t> frame(c.buffer.begin(), c.buffer.begin() + frameSize);
        c.buffer.erase(c.buffer.begin(), c.buffer.begin() + frameSize);
        if (Word(&frame[2]) != 0)
            continue; // another protocol on the same port: ignored
        if (faults.hangUpAfter > 0 && c.requests >= faults.hangUpAfter) {
            // No linger: the close sends a reset instead of an orderly end.
            const linger abrupt{1, 0};
            setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
            return false;
        }
        const SimReply reply =
            simulator_.Handle(SimTransport::Tcp, &frame[kMbapHeader], frameSize - kMbapHeader);
        ++c.requests;
        if (!reply.pdu.empty()) {
            if (reply.delayMs > 0 && !wake_.Pause(reply.delayMs))
                return false;
            const int transaction = (Word(&frame[0]) + (reply.wrongTransaction ? 1 : 0)) & 0xFFFF;
            const std::size_t mbapLength = reply.pdu.size() + 1;
            std::vector<std::uint8_t> out = {
                std::uint8_t(transaction >> 8), std::uint8_t(transaction), 0,       0,
                std::uint8_t(mbapLength >> 8),  std::uint8_t(mbapLength),  frame[6]};
            out.insert(out.end(), reply.pdu.begin(), reply.pdu.end());
            if (!Send(c, out, reply.splitBytes))
                return false;
        }
        if (faults.disconnectAfter > 0 && c.requests >= faults.disconnectAfter)
            return false;
    }
    return true;
}

bool CSimTcpServer::Send(const Connection& c, const std::vector<std::uint8_t>& frame,
                         int splitBytes)
{
    const std::size_t step = splitBytes > 0 ? std::size_t(splitBytes) : frame.size();
    for (std::size_t at = 0; at < frame.size();) {
        if (at > 0 && !wake_.Pause(kSegmentPauseMs))
            return false;
        const std::size_t end = std::min(frame.size(), at + step);
        while (at < end) {
            const ssize_t n = send(c.fd, &frame[at], end - at, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            at += std::size_t(n);
        }
    }
    return true;
}
