#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

#include "app/CPrivateException.h"
#include "integration/transfer/SimulatedDevice.h"
#include "support/ScriptedPrompts.h"
#include "text/CStringTable.h"

using Words = std::vector<std::uint16_t>;
using Write = std::pair<int, Words>;
using WriteList = std::vector<Write>;

constexpr std::uint32_t kPasscode = 1234;
constexpr std::uint32_t kWrongPasscode = 4321;

// Modbus/TCP links that lose the connection at one request: request n (1-based,
// counted over every connection the master opens) finds the link reset, and so
// does everything after it on that connection; a new connection works again.
class LinkLoss : public ITransportFactory {
public:
    explicit LinkLoss(int lostRequest) : lostRequest_(lostRequest) {}
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings&) override { return {}; }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        return std::make_unique<Link>(*this, host, port);
    }
    bool Happened() const { return requests_ >= lostRequest_; }

private:
    class Link : public ITransport {
    public:
        Link(LinkLoss& loss, const std::string& host, const std::string& port)
            : loss_(loss), link_(host, port)
        {
        }
        void Open() override { link_.Open(); }
        void Close() override { link_.Close(); }
        bool IsOpen() const override { return link_.IsOpen(); }
        void DiscardInput() override { link_.DiscardInput(); }
        void Write(const std::uint8_t* data, std::size_t size) override
        {
            if (!dead_ && ++loss_.requests_ == loss_.lostRequest_)
                dead_ = true;
            if (dead_)
                throw CPrivateException(FormatText(11018, {SystemErrorText(ECONNRESET)}));
            link_.Write(data, size);
        }
        std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
        {
            return dead_ ? 0 : link_.Read(buffer, size, timeoutMs);
        }
        void Cancel() override { link_.Cancel(); }

    private:
        LinkLoss& loss_;
        CTcpLink link_;
        bool dead_ = false;
    };

    int lostRequest_;
    int requests_ = 0;
};

// How the device is protected, and what the user answers when asked.
enum class Protection { None, RightPasscode, WrongPasscode };

inline std::string ProtectionName(const ::testing::TestParamInfo<Protection>& info)
{
    static const char* const names[] = {"Unprotected", "RightPasscode", "WrongPasscode"};
    return names[static_cast<int>(info.param)];
}

// A simulated device over Modbus/TCP with scripted prompts, for the command
// sequences: what they wrote, in order, and what the device holds afterwards.
class UtilityDeviceTest : public ::testing::Test {
protected:
    void Start(int typeId, Protection protection = Protection::None, int wordOrder = 0)
    {
        SimOptions options = DeviceOptions(typeId);
        options.wordOrder = wordOrder;
        Start(options, protection);
    }
    void Start(SimOptions options, Protection protection = Protection::None)
    {
        if (protection != Protection::None) {
            options.passcode = kPasscode;
            prompts_.passcodes = {protection == Protection::RightPasscode ? kPasscode
                                                                          : kWrongPasscode};
        }
        device_ = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
    }
    CModbusInterface& Master() { return device_->Master(); }
    CDeviceSimulator& Sim() const { return device_->Sim(); }

    WriteList Writes() const
    {
        WriteList out;
        for (const SimRequestRecord& w : device_->Writes())
            out.emplace_back(w.address, w.values);
        return out;
    }
    // Writes other than the passcode handshake (4942-4944, on QH 8976-8978).
    WriteList CommandWrites() const
    {
        const bool qh = Sim().Identity().Has(CapQh);
        const int first = qh ? 8976 : 4942;
        WriteList out;
        for (const Write& w : Writes())
            if (w.first < first || w.first > first + 2)
                out.push_back(w);
        return out;
    }
    std::uint16_t Register(int reg) { return Sim().ReadRegisters(reg, 1).front(); }
    void ClearLog() { Sim().Log().Clear(); }
    // From now on the link is lost at the given request (1 = the next one).
    void LoseLinkAt(int request)
    {
        loss_ = std::make_unique<LinkLoss>(request);
        SetTransportFactory(loss_.get());
    }
    void TearDown() override
    {
        device_.reset();
        loss_.reset();
    }

    CScriptedPrompts prompts_;
    CPromptScope scope_{prompts_};
    std::unique_ptr<SimulatedDevice> device_;
    std::unique_ptr<LinkLoss> loss_;
};

// The passcode handshake a protected device sees before the command.
inline WriteList Unlocking(Protection protection, int inputRegister = 4942, bool highFirst = false)
{
    if (protection == Protection::None)
        return {};
    const auto p = static_cast<std::uint16_t>(
        protection == Protection::RightPasscode ? kPasscode : kWrongPasscode);
    return {{inputRegister, highFirst ? Words{0, p} : Words{p, 0}}};
}
