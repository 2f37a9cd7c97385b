#include "LoopbackModbusServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

LoopbackModbusServer::LoopbackModbusServer()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    wake_ = ::eventfd(0, EFD_CLOEXEC);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || wake_ < 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackModbusServer::~LoopbackModbusServer()
{
    const std::uint64_t one = 1;
    if (::write(wake_, &one, sizeof one) != sizeof one)
        std::terminate();
    thread_.join();
    ::close(listener_);
    ::close(wake_);
}

void LoopbackModbusServer::SetBehaviour(Behaviour b)
{
    std::lock_guard lock(mutex_);
    behaviour_ = b;
}

void LoopbackModbusServer::SetRegister(int address, std::uint16_t value)
{
    std::lock_guard lock(mutex_);
    registers_[static_cast<std::size_t>(address)] = value;
}

std::uint16_t LoopbackModbusServer::Register(int address)
{
    std::lock_guard lock(mutex_);
    return registers_[static_cast<std::size_t>(address)];
}

int LoopbackModbusServer::Requests()
{
    std::lock_guard lock(mutex_);
    return requests_;
}

bool LoopbackModbusServer::WaitForRequests(int n)
{
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::seconds(30), [&] { return requests_ >= n; });
}

void LoopbackModbusServer::Serve()
{
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        const int one = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ServeClient(client);
        ::close(client);
    }
}

bool LoopbackModbusServer::ReadExactly(int client, std::uint8_t* buffer, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        pollfd fds[2] = {{client, POLLIN, 0}, {wake_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return false;
        const ssize_t n = ::recv(client, buffer + got, size - got, 0);
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

void LoopbackModbusServer::ServeClient(int client)
{
    for (;;) {
        std::vector<std::uint8_t> request(6);
        if (!ReadExactly(client, request.data(), 6))
            return;
        const std::size_t length = static_cast<std::size_t>(request[4] << 8 | request[5]);
        request.resize(6 + length);
        if (!ReadExactly(client, request.data() + 6, length))
            return;
        Behaviour behaviour;
        std::vector<std::uint8_t> answer;
        {
            std::lock_guard lock(mutex_);
            ++requests_;
            behaviour = behaviour_;
            answer = Answer(request);
        }
        arrived_.notify_all();
        if (behaviour != Behaviour::Silent)
            SendAnswer(client, answer, behaviour);
    }
}

std::vector<std::uint8_t> LoopbackModbusServer::Answer(const std::vector<std::uint8_t>& request)
{
    const int function = request[7];
    const int start = request[8] << 8 | request[9];
    const int count = request[10] << 8 | request[11];
    std::vector<std::uint8_t> pdu{request[6], static_cast<std::uint8_t>(function)};
    if (function == 4) {
        pdu.push_back(static_cast<std::uint8_t>(2 * count));
        for (int i = 0; i < count; ++i) {
            const std::uint16_t v = registers_[static_cast<std::size_t>((start + i) & 0xFFFF)];
            pdu.push_back(static_cast<std::uint8_t>(v >> 8));
            pdu.push_back(static_cast<std::uint8_t>(v));
        }
    } else if (function == 16) {
        for (int i = 0; i < count; ++i)
            registers_[static_cast<std::size_t>((start + i) & 0xFFFF)] =
                static_cast<std::uint16_t>(request[13 + 2 * i] << 8 | request[14 + 2 * i]);
        pdu.insert(pdu.end(), request.begin() + 8, request.begin() + 12);
    } else {
        pdu = {request[6], static_cast<std::uint8_t>(function | 0x80), 0x01};
    }
    std::vector<std::uint8_t> frame(request.begin(), request.begin() + 4);
    frame.push_back(static_cast<std::uint8_t>(pdu.size() >> 8));
    frame.push_back(static_cast<std::uint8_t>(pdu.size()));
    frame.insert(frame.end(), pdu.begin(), pdu.end());
    return frame;
}

void LoopbackModbusServer::SendAnswer(int client, const std::vector<std::uint8_t>& frame,
                                      Behaviour behaviour)
{
    if (behaviour == Behaviour::SplitAnswer) {
        // A slow device: the frame leaves in pieces, one short gap apart.
        for (std::size_t at = 0; at < frame.size(); at += 4) {
            const std::size_t piece = std::min<std::size_t>(4, frame.size() - at);
            ::send(client, frame.data() + at, piece, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return;
    }
    std::vector<std::uint8_t> out = frame;
    if (behaviour == Behaviour::AnswerTwice)
        out.insert(out.end(), frame.begin(), frame.end());
    ::send(client, out.data(), out.size(), MSG_NOSIGNAL);
}
