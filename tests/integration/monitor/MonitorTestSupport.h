#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "integration/transfer/SimulatedDevice.h"

// The platform's Modbus/TCP link with a hook that runs on the master's thread
// after each request has been sent: a test acts at an exact point of a command.
class HookedTransport : public ITransport {
public:
    using Hook = std::function<void(const std::uint8_t* frame, std::size_t size)>;

    HookedTransport(std::unique_ptr<ITransport> inner, Hook afterWrite)
        : inner_(std::move(inner)), afterWrite_(std::move(afterWrite))
    {
    }
    void Open() override { inner_->Open(); }
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    void DiscardInput() override { inner_->DiscardInput(); }
    void Write(const std::uint8_t* data, std::size_t size) override
    {
        inner_->Write(data, size);
        if (afterWrite_)
            afterWrite_(data, size);
    }
    std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
    {
        return inner_->Read(buffer, size, timeoutMs);
    }
    void Cancel() override { inner_->Cancel(); }

private:
    std::unique_ptr<ITransport> inner_;
    Hook afterWrite_;
};

class HookedTransports : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) override
    {
        return platform_.CreateSerial(line);
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        return std::make_unique<HookedTransport>(platform_.CreateTcp(host, port), afterWrite);
    }
    // Set before the connection is opened; runs on the thread of the master.
    HookedTransport::Hook afterWrite;

private:
    PlatformTransports platform_;
};

// Start register of a Modbus/TCP read request frame, or -1.
inline int ReadAddressOf(const std::uint8_t* frame, std::size_t size)
{
    constexpr std::size_t kMbap = 7;
    if (size < kMbap + 5 || frame[kMbap] != 4)
        return -1;
    return frame[kMbap + 1] << 8 | frame[kMbap + 2];
}

// (address, count) of each read request in the log.
inline std::vector<std::pair<int, int>> ReadRequests(const std::vector<SimRequestRecord>& log)
{
    std::vector<std::pair<int, int>> reads;
    for (const SimRequestRecord& r : log)
        if (r.function == 4)
            reads.emplace_back(r.address, r.count);
    return reads;
}
