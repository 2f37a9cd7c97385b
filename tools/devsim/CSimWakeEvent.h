#pragma once

// An eventfd that a server thread polls beside its sockets, so that Stop()
// interrupts any wait at once.
class CSimWakeEvent {
public:
    CSimWakeEvent(); // throws std::runtime_error
    ~CSimWakeEvent();
    CSimWakeEvent(const CSimWakeEvent&) = delete;
    CSimWakeEvent& operator=(const CSimWakeEvent&) = delete;

    int Fd() const { return fd_; }
    void Signal();
    bool Signalled() const;
    // Waits ms milliseconds; false when the event fired first.
    bool Pause(int ms) const;

private:
    int fd_ = -1;
};
