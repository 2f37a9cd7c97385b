#pragma once

#include <atomic>
#include <chrono>
#include <memory>

#include "comm/ITransport.h"

class QSerialPort;

// A serial line under the Modbus master. QSerialPort opens the port (lock file
// and exclusive use) and programs the line; the bytes then move on its
// descriptor with poll(), so a read waits on the line and on the cancel event
// at once and needs no event loop. Open, use and close it on one thread; only
// Cancel() may come from another.
class CSerialIO : public ITransport {
public:
    explicit CSerialIO(SerialLineSettings line);
    ~CSerialIO() override;
    CSerialIO(const CSerialIO&) = delete;
    CSerialIO& operator=(const CSerialIO&) = delete;

    void Open() override;
    void Close() override;
    bool IsOpen() const override;
    void DiscardInput() override;
    void Write(const std::uint8_t* data, std::size_t size) override;
    std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    // A cancel that finds no read pending ends the next read at once; Open() forgets it.
    void Cancel() override;

    const SerialLineSettings& Line() const { return line_; }

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Ready, TimedOut, Cancelled, Failed };

    std::unique_ptr<QSerialPort> OpenPort(bool programmed) const;
    void ApplyLine();
    void ReleaseModemLines();
    int Descriptor() const;
    std::size_t TakeBuffered(std::uint8_t* buffer, std::size_t size);
    Wait WaitFor(short events, Clock::time_point deadline, bool cancellable);
    bool TakeCancel();

    SerialLineSettings line_;
    std::unique_ptr<QSerialPort> port_;
    int cancelEvent_ = -1;
    std::atomic<bool> cancelled_{false}; // only when the system gave no event fd
};
