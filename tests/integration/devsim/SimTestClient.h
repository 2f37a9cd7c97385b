#pragma once

// Minimal Modbus clients for the simulator's tests: raw frames over a TCP
// socket and over the pseudo-terminal, with bounded waits.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SimCrc.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadPdu(int address, int count)
{
    return {0x04, std::uint8_t(address >> 8), std::uint8_t(address), std::uint8_t(count >> 8),
            std::uint8_t(count)};
}

inline Bytes WritePdu(int address, const std::vector<std::uint16_t>& values)
{
    Bytes pdu = {0x10, std::uint8_t(address >> 8),  std::uint8_t(address),
                 0,    std::uint8_t(values.size()), std::uint8_t(2 * values.size())};
    for (std::uint16_t v : values) {
        pdu.push_back(std::uint8_t(v >> 8));
        pdu.push_back(std::uint8_t(v));
    }
    return pdu;
}

// Register values of a read response PDU.
inline std::vector<std::uint16_t> Registers(const Bytes& pdu)
{
    std::vector<std::uint16_t> out;
    for (std::size_t i = 2; i + 1 < pdu.size(); i += 2)
        out.push_back(std::uint16_t((pdu[i] << 8) | pdu[i + 1]));
    return out;
}

inline bool WaitReadable(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0;
}

class TcpTestClient {
public:
    TcpTestClient(const std::string& host, int port)
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, host.c_str(), &a.sin_addr);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~TcpTestClient() { close(fd_); }
    bool Connected() const { return connected_; }
    int Fd() const { return fd_; }

    void Send(std::uint16_t transaction, const Bytes& pdu, std::uint8_t unit = 1)
    {
        Bytes frame = {std::uint8_t(transaction >> 8),
                       std::uint8_t(transaction),
                       0,
                       0,
                       0,
                       std::uint8_t(pdu.size() + 1),
                       unit};
        frame.insert(frame.end(), pdu.begin(), pdu.end());
        send(fd_, frame.data(), frame.size(), MSG_NOSIGNAL);
    }

    // A whole response frame (MBAP header included), or nothing within the time-out.
    std::optional<Bytes> Receive(int timeoutMs = 3000)
    {
        Bytes frame;
        while (frame.size() < 6 || frame.size() < 6u + ((frame[4] << 8) | frame[5])) {
            if (!WaitReadable(fd_, timeoutMs))
                return std::nullopt;
            std::uint8_t chunk[300];
            const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                closedByPeer_ = n == 0 || errno == ECONNRESET;
                return std::nullopt;
            }
            ++segments_;
            frame.insert(frame.end(), chunk, chunk + n);
        }
        return frame;
    }

    // The response PDU of one request, or nothing.
    std::optional<Bytes> Transact(const Bytes& pdu, int timeoutMs = 3000)
    {
        Send(++transaction_, pdu);
        auto frame = Receive(timeoutMs);
        if (!frame)
            return std::nullopt;
        return Bytes(frame->begin() + 7, frame->end());
    }

    bool ClosedByPeer() const { return closedByPeer_; }
    int Segments() const { return segments_; }

private:
    int fd_ = -1;
    bool connected_ = false;
    bool closedByPeer_ = false;
    int segments_ = 0;
    std::uint16_t transaction_ = 0;
};

class RtuTestClient {
public:
    explicit RtuTestClient(const std::string& path)
    {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~RtuTestClient() { close(fd_); }
    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

    void SendRaw(const Bytes& frame)
    {
        [[maybe_unused]] auto n = write(fd_, frame.data(), frame.size());
    }

    void Send(std::uint8_t unit, const Bytes& pdu)
    {
        Bytes frame = {unit};
        frame.insert(frame.end(), pdu.begin(), pdu.end());
        const std::uint16_t crc = SimCrc16(frame.data(), frame.size());
        frame.push_back(std::uint8_t(crc));
        frame.push_back(std::uint8_t(crc >> 8));
        SendRaw(frame);
    }

    // Every byte until the line has been quiet for a while after the first.
    std::optional<Bytes> Receive(int timeoutMs = 3000)
    {
        Bytes frame;
        if (!WaitReadable(fd_, timeoutMs))
            return std::nullopt;
        do {
            std::uint8_t chunk[300];
            const ssize_t n = read(fd_, chunk, sizeof chunk);
            if (n <= 0)
                break;
            frame.insert(frame.end(), chunk, chunk + n);
        } while (WaitReadable(fd_, 100));
        return frame;
    }

    // The response PDU of one request with its CRC checked, or nothing.
    std::optional<Bytes> Transact(const Bytes& pdu, std::uint8_t unit = 1, int timeoutMs = 3000)
    {
        Send(unit, pdu);
        auto frame = Receive(timeoutMs);
        if (!frame || frame->size() < 4 || (*frame)[0] != unit)
            return std::nullopt;
        const std::uint16_t crc = SimCrc16(frame->data(), frame->size() - 2);
        if (frame->at(frame->size() - 2) != std::uint8_t(crc) ||
            frame->back() != std::uint8_t(crc >> 8))
            return std::nullopt;
        return Bytes(frame->begin() + 1, frame->end() - 2);
    }

private:
    int fd_ = -1;
};
