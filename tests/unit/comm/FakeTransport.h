#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/ITransport.h"

using Bytes = std::vector<std::uint8_t>;

// What a scripted device answers to one written frame: any bytes, or none.
using Responder = std::function<Bytes(const Bytes& sent)>;

// Shared between the test, the factory and the transports it hands out.
struct FakeLink {
    std::deque<Responder> script; // one per written frame, then the fallback
    Responder fallback = [](const Bytes&) { return Bytes{}; };
    std::vector<Bytes> written;
    Bytes inbox;
    std::vector<int> readTimeouts;
    int discards = 0;
    int cancels = 0;
    int opens = 0;
    int closes = 0;
    std::function<void()> duringRead; // runs inside each Read, before the bytes are taken
    // Like a socket: ReadAtLeast takes all that is in, up to its size.
    bool wholeReads = false;

    std::vector<SerialLineSettings> serialLines;
    std::vector<std::pair<std::string, std::string>> tcpEndpoints;
};

class FakeTransport : public ITransport {
public:
    explicit FakeTransport(std::shared_ptr<FakeLink> link) : link_(std::move(link)) {}
    ~FakeTransport() override = default;

    void Open() override
    {
        ++link_->opens;
        open_ = true;
    }
    void Close() override
    {
        ++link_->closes;
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    void DiscardInput() override
    {
        ++link_->discards;
        link_->inbox.clear();
    }
    void Write(const std::uint8_t* data, std::size_t size) override
    {
        Bytes sent(data, data + size);
        link_->written.push_back(sent);
        Responder respond = link_->fallback;
        if (!link_->script.empty()) {
            respond = link_->script.front();
            link_->script.pop_front();
        }
        const Bytes answer = respond(sent);
        link_->inbox.insert(link_->inbox.end(), answer.begin(), answer.end());
    }
    std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
    {
        link_->readTimeouts.push_back(timeoutMs);
        if (link_->duringRead)
            link_->duringRead();
        const std::size_t n = std::min(size, link_->inbox.size());
        std::copy_n(link_->inbox.begin(), n, buffer);
        link_->inbox.erase(link_->inbox.begin(), link_->inbox.begin() + static_cast<long>(n));
        return n;
    }
    std::size_t ReadAtLeast(std::uint8_t* buffer, std::size_t least, std::size_t size,
                            int timeoutMs) override
    {
        return Read(buffer, link_->wholeReads ? size : least, timeoutMs);
    }
    void Cancel() override { ++link_->cancels; }

private:
    std::shared_ptr<FakeLink> link_;
    bool open_ = false;
};

class FakeTransportFactory : public ITransportFactory {
public:
    explicit FakeTransportFactory(std::shared_ptr<FakeLink> link) : link_(std::move(link)) {}

    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) override
    {
        link_->serialLines.push_back(line);
        return std::make_unique<FakeTransport>(link_);
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        link_->tcpEndpoints.emplace_back(host, port);
        return std::make_unique<FakeTransport>(link_);
    }

private:
    std::shared_ptr<FakeLink> link_;
};
