#include "BenchSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

BenchDevice& SharedTcpDevice()
{
    static BenchDevice device = [] {
        SimOptions options;
        options.typeId = kBenchTypeId;
        // No variant has 125 registers in a row; the longest reads need a plain block.
        options.memoryBlocks = {{kBenchMemoryFirst, 125}};
        BenchDevice d;
        d.simulator = std::make_unique<CDeviceSimulator>(options);
        d.server = std::make_unique<CSimTcpServer>(*d.simulator, "127.0.0.1", 0);
        return d;
    }();
    return device;
}

ComSettings TcpSettings(int port)
{
    ComSettings s;
    s.mode = ConnectionMode::Tcp;
    s.serverAddress = "127.0.0.1";
    s.servicePort = std::to_string(port);
    return s;
}

double Seconds(BenchClock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

RawTcpClient::RawTcpClient(int port) : buffer_(512)
{
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (fd_ < 0 || connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        throw std::runtime_error("raw client: cannot connect");
}

RawTcpClient::~RawTcpClient()
{
    if (fd_ >= 0)
        close(fd_);
}

void RawTcpClient::Read(int start, int count)
{
    Exchange({0x04, std::uint8_t(start >> 8), std::uint8_t(start), 0, std::uint8_t(count)},
             2 + 2 * static_cast<std::size_t>(count));
}

void RawTcpClient::Write(int start, int count)
{
    Write(start, std::vector<std::uint16_t>(static_cast<std::size_t>(count), 0));
}

void RawTcpClient::Write(int start, const std::vector<std::uint16_t>& values)
{
    std::vector<std::uint8_t> pdu = {
        0x10, std::uint8_t(start >> 8),    std::uint8_t(start),
        0,    std::uint8_t(values.size()), std::uint8_t(2 * values.size())};
    for (std::uint16_t v : values) {
        pdu.push_back(std::uint8_t(v >> 8));
        pdu.push_back(std::uint8_t(v));
    }
    Exchange(pdu, 5);
}

void RawTcpClient::Exchange(const std::vector<std::uint8_t>& pdu, std::size_t responsePdu)
{
    ++transaction_;
    std::vector<std::uint8_t> frame = {std::uint8_t(transaction_ >> 8),
                                       std::uint8_t(transaction_),
                                       0,
                                       0,
                                       0,
                                       std::uint8_t(pdu.size() + 1),
                                       1};
    frame.insert(frame.end(), pdu.begin(), pdu.end());
    if (send(fd_, frame.data(), frame.size(), 0) != static_cast<ssize_t>(frame.size()))
        throw std::runtime_error("raw client: send failed");
    const std::size_t expected = 7 + responsePdu;
    std::size_t got = 0;
    while (got < expected) {
        const ssize_t n = recv(fd_, buffer_.data() + got, expected - got, 0);
        if (n <= 0)
            throw std::runtime_error("raw client: connection lost");
        got += static_cast<std::size_t>(n);
    }
}
