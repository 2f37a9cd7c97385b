#include "CSimWakeEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

CSimWakeEvent::CSimWakeEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (fd_ < 0)
        throw std::runtime_error(std::string("eventfd: ") + std::strerror(errno));
}

CSimWakeEvent::~CSimWakeEvent()
{
    close(fd_);
}

void CSimWakeEvent::Signal()
{
    const std::uint64_t one = 1;
    // The counter only grows; a failed write means it is already non-zero.
    [[maybe_unused]] const ssize_t n = write(fd_, &one, sizeof one);
}

bool CSimWakeEvent::Signalled() const
{
    return !Pause(0);
}

bool CSimWakeEvent::Pause(int ms) const
{
    pollfd p{fd_, POLLIN, 0};
    int r;
    while ((r = poll(&p, 1, ms)) < 0 && errno == EINTR) {
    }
    return r == 0;
}
