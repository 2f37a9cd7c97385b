#pragma once

#include <atomic>
#include <chrono>

#include <termios.h>

#include "CSerialPortLock.h"
#include "comm/ITransport.h"

// A serial line under the Modbus master. Open claims the port (its lock file
// and exclusive use of the terminal), programs the line in one go and hands
// the line's own settings back at close; the bytes move on the descriptor
// with poll(), so a read waits on the line and on the cancel event at once.
// Open, use and close it on one thread; only Cancel() may come from another.
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

    bool OpenPort();
    bool ApplyLine();
    void ReleaseModemLines();
    Wait WaitFor(short events, Clock::time_point deadline, bool cancellable);
    bool TakeCancel();

    SerialLineSettings line_;
    CSerialPortLock lock_;
    int fd_ = -1;
    termios restored_{}; // the line as it was before we opened it
    int cancelEvent_ = -1;
    std::atomic<bool> cancelled_{false}; // only when the system gave no event fd
};
