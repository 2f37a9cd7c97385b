#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CDeviceSimulator.h"
#include "CSimTcpServer.h"
#include "comm/ComSettings.h"

using BenchClock = std::chrono::steady_clock;

// The KTA second-generation variant every benchmark talks to.
constexpr int kBenchTypeId = 70;
constexpr int kBenchMemoryFirst = 40000;

// A simulated device behind Modbus/TCP on loopback, for the whole process.
struct BenchDevice {
    std::unique_ptr<CDeviceSimulator> simulator;
    std::unique_ptr<CSimTcpServer> server;
};
BenchDevice& SharedTcpDevice();

ComSettings TcpSettings(int port);

// The floor: a plain blocking-socket Modbus/TCP client that sends a frame and
// reads until the whole answer is in, with none of the master's checks.
class RawTcpClient {
public:
    explicit RawTcpClient(int port);
    ~RawTcpClient();
    RawTcpClient(const RawTcpClient&) = delete;
    RawTcpClient& operator=(const RawTcpClient&) = delete;

    void Read(int start, int count);
    void Write(int start, int count);
    void Write(int start, const std::vector<std::uint16_t>& values);

private:
    void Exchange(const std::vector<std::uint8_t>& pdu, std::size_t responsePdu);

    int fd_ = -1;
    std::uint16_t transaction_ = 0;
    std::vector<std::uint8_t> buffer_;
};

double Seconds(BenchClock::duration d);
