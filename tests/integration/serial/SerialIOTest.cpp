#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "CSerialIO.h"
#include "app/CPrivateException.h"
#include "text/CStringTable.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// A pseudo-terminal: the transport opens the slave, the test plays the device on the master.
class PtyPair {
public:
    PtyPair()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        const char* name = ::ptsname(master_);
        if (name)
            slavePath_ = name;
    }
    ~PtyPair()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return !slavePath_.empty(); }
    void HangUp()
    {
        ::close(master_);
        master_ = -1;
    }
    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }

    void Send(const Bytes& bytes) const
    {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Reads up to n bytes that the transport wrote, waiting at most 5 s in all.
    Bytes Receive(std::size_t n) const
    {
        Bytes out;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (out.size() < n && std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            std::uint8_t buf[256];
            const ssize_t got = ::read(master_, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0)
                break;
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};

SerialLineSettings LineFor(const std::string& path)
{
    SerialLineSettings line;
    line.portName = path;
    line.displayName = "Test Port (pty)";
    line.baudRate = 38400;
    line.dataBits = 8;
    line.parity = SerialParity::Odd;
    line.stopBits = 1;
    return line;
}

std::string OpenFailureText(const SerialLineSettings& line)
{
    CSerialIO io(line);
    try {
        io.Open();
    } catch (const CPrivateException& e) {
        EXPECT_FALSE(io.IsOpen());
        EXPECT_EQ(e.Kind(), FaultKind::Link) << "a port that cannot be used may work later";
        return e.Text();
    }
    ADD_FAILURE() << "open of " << line.portName << " succeeded";
    return {};
}

class SerialIOTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok()) << "no pseudo-terminal";
        io.Open();
        ASSERT_TRUE(io.IsOpen());
    }

    Bytes ReadBytes(std::size_t n, int timeoutMs)
    {
        Bytes buf(n);
        buf.resize(io.Read(buf.data(), n, timeoutMs));
        return buf;
    }

    PtyPair pty;
    CSerialIO io{LineFor(pty.SlavePath())};
};

// Bytes that a terminal in cooked mode, or with software flow control, would eat or change.
const Bytes kAwkwardFrame = {0x01, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0x04,
                             0x1A, 0x7F, 0xFF, 0x00, 0x1C, 0x15, 0x17, 0x12};

} // namespace

TEST_F(SerialIOTest, FramesPassUnchangedBothWays)
{
    io.Write(kAwkwardFrame.data(), kAwkwardFrame.size());
    EXPECT_EQ(pty.Receive(kAwkwardFrame.size()), kAwkwardFrame);
    pty.Send(kAwkwardFrame);
    EXPECT_EQ(ReadBytes(kAwkwardFrame.size(), 5000), kAwkwardFrame);
}

TEST_F(SerialIOTest, ProgramsTheLineItWasGiven)
{
    // A pty keeps speed and stop bits (it forces 8 data bits without parity);
    // its termios reads back on the master.
    io.Close();
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &before), 0);
    SerialLineSettings line = LineFor(pty.SlavePath());
    line.baudRate = 1200;
    line.stopBits = 2;
    CSerialIO other(line);
    other.Open();
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B1200));

    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    // Closed, the line is as the next user of the port expects to find it.
    other.Close();
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
}

TEST_F(SerialIOTest, ReadWaitsForAllBytesAcrossPausesInTheFrame)
{
    // A gap between parts of a frame must not end the read early: there is no
    // inter-character time-out, only the total one.
    std::thread device([this] {
        pty.Send({0x01, 0x04});
        std::this_thread::sleep_for(50ms);
        pty.Send({0x02, 0x00});
        std::this_thread::sleep_for(50ms);
        pty.Send({0x2A, 0xB9, 0x90});
    });
    const Bytes got = ReadBytes(7, 10000);
    device.join();
    EXPECT_EQ(got, (Bytes{0x01, 0x04, 0x02, 0x00, 0x2A, 0xB9, 0x90}));
}

TEST_F(SerialIOTest, ShortFrameReturnsOnlyAfterTheTotalTimeout)
{
    pty.Send({0x01, 0x84, 0x02});
    const auto start = std::chrono::steady_clock::now();
    const Bytes got = ReadBytes(8, 200);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(got, (Bytes{0x01, 0x84, 0x02}));
    EXPECT_TRUE(ReadBytes(1, 1).empty());
}

TEST_F(SerialIOTest, ReadTakesNoMoreThanAsked)
{
    pty.Send({1, 2, 3, 4, 5});
    EXPECT_EQ(ReadBytes(2, 5000), (Bytes{1, 2}));
    EXPECT_EQ(ReadBytes(3, 5000), (Bytes{3, 4, 5}));
}

TEST_F(SerialIOTest, DiscardDropsALateAnswer)
{
    pty.Send({0xAA, 0xBB, 0xCC, 0xDD});
    ASSERT_EQ(ReadBytes(1, 5000), Bytes{0xAA}); // the late answer has arrived
    io.DiscardInput();
    pty.Send({0x11, 0x22});
    EXPECT_EQ(ReadBytes(4, 300), (Bytes{0x11, 0x22}));
}

TEST_F(SerialIOTest, CancelFromAnotherThreadEndsAPendingRead)
{
    auto reading = std::async(std::launch::async, [this] { return ReadBytes(16, 60000); });
    io.Cancel();
    const bool ended = reading.wait_for(10s) == std::future_status::ready;
    if (!ended)
        pty.Send(Bytes(16, 0)); // release the reader so the test can end
    EXPECT_TRUE(ended);
    EXPECT_TRUE(reading.get().empty());
}

TEST_F(SerialIOTest, CancelEndsOneReadOnly)
{
    io.Cancel();
    auto cancelled = std::async(std::launch::async, [this] { return ReadBytes(4, 60000); });
    const bool ended = cancelled.wait_for(10s) == std::future_status::ready;
    if (!ended)
        pty.Send(Bytes(4, 0));
    ASSERT_TRUE(ended);
    cancelled.get();
    pty.Send({7, 8, 9});
    EXPECT_EQ(ReadBytes(3, 5000), (Bytes{7, 8, 9}));
}

TEST_F(SerialIOTest, OpenForgetsAnEarlierCancel)
{
    io.Cancel();
    io.Close();
    io.Open();
    pty.Send({7, 8, 9});
    EXPECT_EQ(ReadBytes(3, 5000), (Bytes{7, 8, 9}));
}

TEST_F(SerialIOTest, ReopeningReleasesTheOldPort)
{
    // The port is held exclusively: a reopen that kept the old one would lock itself out.
    io.Open();
    ASSERT_TRUE(io.IsOpen());
    pty.Send({5});
    EXPECT_EQ(ReadBytes(1, 5000), Bytes{5});
}

TEST_F(SerialIOTest, SecondUserOfThePortIsRefused)
{
    const std::string text = OpenFailureText(LineFor(pty.SlavePath()));
    EXPECT_EQ(text, FormatText(10000, {"Test Port (pty)"}));
    io.Close();
    CSerialIO next(LineFor(pty.SlavePath()));
    EXPECT_NO_THROW(next.Open());
}

TEST_F(SerialIOTest, PeerHangUpEndsTheReadWithWhatArrived)
{
    pty.Send({1, 2});
    Bytes got = ReadBytes(2, 5000);
    ASSERT_EQ(got.size(), 2u);
    PtyPair other; // keep the fixture's master for its destructor; close this one's
    ::close(pty.Master());
    auto reading = std::async(std::launch::async, [this] { return ReadBytes(4, 60000); });
    const bool ended = reading.wait_for(10s) == std::future_status::ready;
    if (!ended)
        io.Cancel();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(reading.get().empty());
}

TEST(SerialIOOpen, ModemLinesAPtyLacksDoNotStopTheOpen)
{
    // DTR and RTS requests fail on a pseudo-terminal; the link must still come up.
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CSerialIO io(LineFor(pty.SlavePath()));
    ASSERT_NO_THROW(io.Open());
    const std::uint8_t byte = 0x42;
    io.Write(&byte, 1);
    EXPECT_EQ(pty.Receive(1), Bytes{0x42});
}

TEST(SerialIOOpen, MissingPortNamesTheDisplayName)
{
    SerialLineSettings line = LineFor("/dev/ormel-no-such-port");
    line.displayName = "USB Serial Device (COM12)";
    const std::string text = OpenFailureText(line);
    EXPECT_EQ(text, FormatText(10000, {"USB Serial Device (COM12)"}));
    EXPECT_NE(text.find("USB Serial Device (COM12)"), std::string::npos);
}

TEST(SerialIOOpen, EmptyPortNameFailsWithTheDisplayName)
{
    SerialLineSettings line = LineFor("");
    line.displayName = "";
    EXPECT_EQ(OpenFailureText(line), FormatText(10000, {""}));
}

TEST(SerialIOOpen, LineThePortCannotRunIsRefusedAndLeavesItClosed)
{
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    SerialLineSettings line = LineFor(pty.SlavePath());
    line.parity = static_cast<SerialParity>(5);
    const std::string text = OpenFailureText(line);
    EXPECT_EQ(text, LoadText(10001));
    CSerialIO good(LineFor(pty.SlavePath()));
    EXPECT_NO_THROW(good.Open());
}
