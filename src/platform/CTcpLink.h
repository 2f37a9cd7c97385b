#pragma once

#include <atomic>
#include <string>

#include "comm/ITransport.h"

// Modbus/TCP link over a POSIX stream socket. A read first waits in a plain
// receive of at most 10 ms, so a prompt answer costs one system call; every
// other wait is a ppoll() on the socket and a wake-up eventfd. Cancel() from
// another thread ends a pending connect at once and a pending Read within
// those 10 ms. A Cancel() that finds no Read pending ends the next one, unless
// DiscardInput() comes first: the master discards before each request, so a
// late cancel never leaks into the next request.
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
    // Each receive takes all that has arrived, up to size.
    std::size_t ReadAtLeast(std::uint8_t* buffer, std::size_t least, std::size_t size,
                            int timeoutMs) override;
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
    // Set after each wake-up is signalled, so DiscardInput() reads the eventfd
    // only when there may be something to drain.
    std::atomic<bool> cancelSignalled_{false};
};
