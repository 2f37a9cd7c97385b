#include "CSimRtuServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "SimCrc.h"
#include "SimRtuFraming.h"

namespace {

// Silence that ends a frame of unknown length or discards a torn one. Far
// above 3.5 characters at any baud rate, well below a master's time-out.
constexpr int kFrameGapMs = 30;
constexpr std::size_t kMaxFrame = 256;
constexpr std::uint8_t kBroadcast = 0;

std::runtime_error PtyError(const char* what)
{
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

} // namespace

CSimRtuServer::CSimRtuServer(CDeviceSimulator& simulator, int unit)
    : simulator_(simulator), unit_(unit)
{
    masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd_ < 0)
        throw PtyError("posix_openpt");
    char name[256] = {};
    if (grantpt(masterFd_) < 0 || unlockpt(masterFd_) < 0 ||
        ptsname_r(masterFd_, name, sizeof name) != 0) {
        close(masterFd_);
        throw PtyError("pseudo-terminal");
    }
    path_ = name;
    slaveFd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        close(masterFd_);
        throw PtyError("open pseudo-terminal");
    }
    termios raw{};
    tcgetattr(slaveFd_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slaveFd_, TCSANOW, &raw);
    fcntl(masterFd_, F_SETFL, fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { Run(); });
}

CSimRtuServer::~CSimRtuServer()
{
    Stop();
    HangUp();
}

void CSimRtuServer::HangUp()
{
    if (slaveFd_ >= 0)
        close(slaveFd_);
    if (masterFd_ >= 0)
        close(masterFd_);
    slaveFd_ = masterFd_ = -1;
}

void CSimRtuServer::Stop()
{
    wake_.Signal();
    if (thread_.joinable())
        thread_.join();
}

void CSimRtuServer::Run()
{
    while (masterFd_ >= 0) {
        pollfd fds[2] = {{wake_.Fd(), POLLIN, 0}, {masterFd_, POLLIN, 0}};
        const int r = poll(fds, 2, buffer_.empty() ? -1 : kFrameGapMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || fds[0].revents)
            return;
        if (r == 0) {
            Consume(true);
            continue;
        }
        if (fds[1].revents & POLLIN) {
            std::uint8_t chunk[512];
            const ssize_t n = read(masterFd_, chunk, sizeof chunk);
            if (n > 0)
                buffer_.insert(buffer_.end(), chunk, chunk + n);
            Consume(false);
        } else if (fds[1].revents) {
            // No reader on the other side yet; do not spin.
            if (!wake_.Pause(kFrameGapMs))
                return;
        }
    }
}

void CSimRtuServer::Consume(bool lineIdle)
{
    while (!buffer_.empty() && masterFd_ >= 0) {
        std::size_t length = SimRtuRequestLength(buffer_.data(), buffer_.size());
        if (length == kUnknownLength)
            length = lineIdle ? buffer_.size() : 0;
        if (length == 0 || length > buffer_.size()) {
            if (lineIdle)
                buffer_.clear(); // torn frame: the pause ended it
            return;
        }
        if (length > kMaxFrame || !SimRtuCrcValid(buffer_.data(), length)) {
            // Not a frame start: slide one byte and look again.
            buffer_.erase(buffer_.begin());
            continue;
        }
        const std::vector<std::uint8_t> frame(buffer_.begin(), buffer_.begin() + length);
        buffer_.erase(buffer_.begin(), buffer_.begin() + length);
        ServeFrame(frame.data(), frame.size());
    }
}

void CSimRtuServer::ServeFrame(const std::uint8_t* frame, std::size_t length)
{
    const std::uint8_t unit = frame[0];
    if (unit != unit_ && unit != kBroadcast)
        return;
    const int disconnectAfter = simulator_.Options().faults.disconnectAfter;
    if (disconnectAfter > 0 && requests_ >= disconnectAfter)
        return; // the device has gone quiet
    const int hangUpAfter = simulator_.Options().faults.hangUpAfter;
    if (hangUpAfter > 0 && requests_ >= hangUpAfter) {
        HangUp();
        return;
    }
    ++requests_;
    const SimReply reply = simulator_.Handle(SimTransport::Rtu, frame + 1, length - 3);
    if (reply.pdu.empty() || unit == kBroadcast)
        return;
    if (reply.delayMs > 0 && !wake_.Pause(reply.delayMs))
        return;
    std::vector<std::uint8_t> out = {unit};
    out.insert(out.end(), reply.pdu.begin(), reply.pdu.end());
    std::uint16_t crc = SimCrc16(out.data(), out.size());
    if (reply.corruptCrc)
        crc ^= 0x5A5A;
    out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    out.push_back(static_cast<std::uint8_t>(crc >> 8));
    WriteAll(out);
}

bool CSimRtuServer::WriteAll(const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n = write(masterFd_, &bytes[at], bytes.size() - at);
        if (n > 0) {
            at += std::size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd fds[2] = {{wake_.Fd(), POLLIN, 0}, {masterFd_, POLLOUT, 0}};
        if (poll(fds, 2, 1000) <= 0 || fds[0].revents)
            return false;
    }
    return true;
}
