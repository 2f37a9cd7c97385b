#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "background/CMutexObject.h"
#include "background/ITransferConnection.h"
#include "comm/ComSettings.h"
#include "comm/ITransport.h"
#include "comm/ModbusFrame.h"
#include "comm/ModbusMode.h"

// The Modbus master: function 4 reads and function 16 writes of one device
// over Modbus-RTU (serial modes) or Modbus/TCP, with chunking, time-outs from
// the line speed, retries and a short success history. Every failure throws
// CPrivateException naming command, address, size and reason; an abort throws
// one with an empty text.
//
// One thread runs the operations; Abort(), SuccessRate() and the lock may be
// used from others. Users that share an interface between threads hold its
// lock (CAccessRight) from Open() to Close().
class CModbusInterface : public CMutexObject, public ITransferConnection {
public:
    CModbusInterface() : CModbusInterface(ComSettings()) {}
    explicit CModbusInterface(const ComSettings& settings);
    ~CModbusInterface() override;
    CModbusInterface(const CModbusInterface&) = delete;
    CModbusInterface& operator=(const CModbusInterface&) = delete;

    // Used by the next Open().
    void SetSettings(const ComSettings& settings) { settings_ = settings; }
    const ComSettings& Settings() const { return settings_; }

    // Creates the transport for the settings' mode through the installed factory.
    void Open() override;
    void Close() noexcept override;
    bool IsOpen() const;

    // 0-based addresses. A failure throws; returning means the device answered.
    void ReadHoldingRegisters(int start, int count, std::uint16_t* out);
    // attempts <= 0 takes the mode's attempt count.
    void WriteMultipleRegisters(int start, int count, const std::uint16_t* values,
                                int attempts = -1);
    // swapWords sends the high 16 bits of each value first.
    void WriteDoubleWords(int start, int count32, const std::uint32_t* values, bool swapWords);

    // Ends the running operation without further attempts. A serial read still
    // runs to its response or time-out; a Modbus/TCP connect or receive is cut
    // short at once.
    void Abort();
    void AbortForCancel() override { Abort(); }
    bool IsAbortRequested() const { return abort_; }

    // Percentage of successes among the last 8 results.
    double SuccessRate() const { return successRate_; }
    std::deque<std::uint8_t> ResultHistory() const { return history_; }
    int ResponseTimeout() const { return responseTimeout_; }

    // The inter-frame pause of the serial modes; tests replace the sleep.
    using PauseFunction = std::function<void(int milliseconds)>;
    void SetPauseFunction(PauseFunction pause) { pause_ = std::move(pause); }

private:
    struct Exchange {
        ByteVector request;
        const char* command;
        int start;
        int count;
        std::size_t expected;
        int timeoutBaseMs;
        std::size_t timeoutBytes;
        int attempts;
        bool abortAfterReceive;
    };
    using Clock = std::chrono::steady_clock;

    Exchange ReadExchange(int start, int count) const;
    Exchange WriteExchange(int start, int count, const std::uint16_t* values, int attempts) const;
    void Transact(const Exchange& x, std::uint8_t* response);
    std::uint16_t Send(const ByteVector& request);
    void SetResponseTimeout(int baseMs, std::size_t bytes);
    void Receive(std::uint8_t* response, const Exchange& x, std::uint16_t requestId);
    std::size_t ReceiveTcp(std::uint8_t* response, std::size_t expected, std::uint16_t& answerId);
    std::size_t ReceiveRtu(std::uint8_t* response, const Exchange& x);
    std::size_t ReadBefore(std::uint8_t* buffer, std::size_t least, std::size_t size,
                           Clock::time_point deadline);
    [[noreturn]] void Fail(const Exchange& x, const ResponseCheck& check) const;
    void RecordResult(bool ok);
    ITransport& Transport();
    bool IsTcp() const { return tcp_; }

    ComSettings settings_;
    ModbusModeParameters mode_; // of the settings at the last Open()
    std::atomic<bool> tcp_{false};
    std::unique_ptr<ITransport> transport_;
    std::mutex transportMutex_; // guards transport_ against Abort() from another thread
    std::atomic<bool> abort_{false};
    std::atomic<bool> blocking_{false}; // a Modbus/TCP connect or receive is waiting
    int responseTimeout_ = kSerialOpenTimeoutMs;
    std::deque<std::uint8_t> history_;
    std::atomic<double> successRate_{0.0};
    PauseFunction pause_;
};
