#pragma once

#include <string>

#include "comm/ITransport.h"

// Modbus/TCP link over a POSIX stream socket. Every wait is a ppoll() on the
// socket and a wake-up eventfd, so Cancel() from another thread ends a pending
// Read (or connect) at once. A Cancel() that finds no Read pending ends the
// next one, unless DiscardInput() comes first: the master discards before
// each request, so a late cancel never leaks into the next request.
class CTcpLink : public ITransport {
public:
    CTcpLink(std::string host, std::string port);
    ~CTcpLink() override;
    CTcpLink(const CTcpLink&) = delete;
    CTcpLink& operator=(const CTcpLink&) = delete;

    // Resolves (IPv4) and connects within 21 s; failures throw the "Modbus/TCP
    // Error" text with the system's reason, a cancelled connect an abort.
    void Open() override;
    void Close() override;
    bool IsOpen() const override { return socket_ >= 0; }
    void DiscardInput() override;
    void Write(const std::uint8_t* data, std::size_t size) override;
    // A closed or reset connection returns what arrived before it.
    std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    void Cancel() override;

private:
    enum class WaitResult { Ready, Interrupted, TimedOut, Cancelled, Failed };
    WaitResult Wait(short events, const struct timespec* timeout);
    void Connect(const struct addrinfo& address);
    int AwaitConnection();
    bool TakeCancel();

    std::string host_;
    std::string port_;
    int socket_ = -1;
    int wakeFd_ = -1; // eventfd, lives as long as the object so Cancel() is always safe
};
