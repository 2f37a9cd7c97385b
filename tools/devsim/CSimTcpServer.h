#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "CDeviceSimulator.h"
#include "CSimWakeEvent.h"

// Modbus/TCP in front of a simulator: listens on exactly the address given
// (port 0 picks a free port) and serves any number of connections from one
// thread. Every unit id is answered and echoed.
class CSimTcpServer {
public:
    // Binds and starts serving; throws std::runtime_error when the address cannot be used.
    CSimTcpServer(CDeviceSimulator& simulator, const std::string& host, int port);
    ~CSimTcpServer();
    CSimTcpServer(const CSimTcpServer&) = delete;
    CSimTcpServer& operator=(const CSimTcpServer&) = delete;

    void Stop();
    int Port() const { return port_; }
    // "127.0.0.1:5020", "[::1]:5020"
    std::string Endpoint() const;
    const std::string& Host() const { return host_; }

private:
    struct Connection {
        int fd = -1;
        std::vector<std::uint8_t> buffer;
        int requests = 0;
    };

    void Run();
    void Accept();
    // False when the connection is to be closed.
    bool Receive(Connection& c);
    bool ServeFrames(Connection& c);
    bool Send(const Connection& c, const std::vector<std::uint8_t>& frame, int splitBytes);

    CDeviceSimulator& simulator_; // not owned: outlives the server
    CSimWakeEvent wake_;
    int listenFd_ = -1;
    std::string host_;
    int port_ = 0;
    std::vector<Connection> connections_;
    std::thread thread_;
};
