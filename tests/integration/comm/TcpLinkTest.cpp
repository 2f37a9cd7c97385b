#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <thread>

#include "CTcpLink.h"
#include "LoopbackModbusServer.h"
#include "TcpTransportFactory.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"

using Behaviour = LoopbackModbusServer::Behaviour;

namespace {

class TcpMasterTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTransportFactory(&factory_);
        for (int i = 0; i < 64; ++i)
            server_.SetRegister(1000 + i, static_cast<std::uint16_t>(0xA000 + i));
        modbus_.SetSettings(LoopbackSettings(server_.Port()));
        modbus_.Open();
    }
    void TearDown() override
    {
        modbus_.Close();
        SetTransportFactory(nullptr);
    }

    LoopbackModbusServer server_;
    TcpTransportFactory factory_;
    CModbusInterface modbus_;
};

// A listener whose accept queue is full: the system drops further SYNs, so a
// connect to it stays pending the way one to a host that never answers does.
class FullListener {
public:
    FullListener()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listener_, 0);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = std::to_string(ntohs(address.sin_port));
        filler_ = ::socket(AF_INET, SOCK_STREAM, 0);
        ::connect(filler_, reinterpret_cast<sockaddr*>(&address), length);
    }
    ~FullListener()
    {
        ::close(filler_);
        ::close(listener_);
    }
    const std::string& Port() const { return port_; }

private:
    int listener_ = -1;
    int filler_ = -1;
    std::string port_;
};

// Cancels until the operation ends: a cancel that comes before the connect
// begins to wait is not meant to end it.
template <typename Cancel> void CancelUntilDone(std::future<void>& operation, Cancel cancel)
{
    for (int i = 0; i < 3000; ++i) {
        if (operation.wait_for(std::chrono::milliseconds(10)) == std::future_status::ready)
            return;
        cancel();
    }
}

bool EndsAsAbort(std::future<void>& operation)
{
    try {
        operation.get();
    } catch (const CPrivateException& e) {
        return e.IsAbort();
    }
    return false;
}

} // namespace

TEST_F(TcpMasterTest, ReadsAndWritesRegisters)
{
    const std::uint16_t values[] = {1, 0xFFFF, 0x8000};
    ASSERT_NO_THROW(modbus_.WriteMultipleRegisters(2000, 3, values));
    EXPECT_EQ(server_.Register(2001), 0xFFFF);
    std::uint16_t out[3] = {};
    ASSERT_NO_THROW(modbus_.ReadHoldingRegisters(2000, 3, out));
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 0xFFFF);
    EXPECT_EQ(out[2], 0x8000);
    EXPECT_EQ(modbus_.SuccessRate(), 100.0);
}

TEST_F(TcpMasterTest, SplitSegmentsAreReassembled)
{
    server_.SetBehaviour(Behaviour::SplitAnswer);
    std::uint16_t out[20] = {};
    ASSERT_NO_THROW(modbus_.ReadHoldingRegisters(1000, 20, out));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(out[i], 0xA000 + i);
    EXPECT_EQ(server_.Requests(), 1) << "no retry was needed";
}

TEST_F(TcpMasterTest, StaleBytesAreDiscardedBeforeTheNextRequest)
{
    server_.SetBehaviour(Behaviour::AnswerTwice);
    std::uint16_t out[4] = {};
    ASSERT_NO_THROW(modbus_.ReadHoldingRegisters(1000, 4, out));
    server_.SetBehaviour(Behaviour::Answer);
    ASSERT_NO_THROW(modbus_.ReadHoldingRegisters(1010, 4, out));
    EXPECT_EQ(out[0], 0xA00A);
    EXPECT_EQ(server_.Requests(), 2) << "the late copy must not be taken for the answer";
}

TEST_F(TcpMasterTest, NeverAnsweringDeviceTimesOutOnEachAttempt)
{
    server_.SetBehaviour(Behaviour::Silent);
    std::uint16_t out[1] = {};
    try {
        modbus_.ReadHoldingRegisters(1000, 1, out);
        FAIL() << "no exception";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Modbus command failed. command=ReadHoldingRegister address=1001 "
                            "size=1 reason=timeout.");
    }
    EXPECT_EQ(server_.Requests(), 3);
}

TEST_F(TcpMasterTest, AbortDuringAReceiveEndsTheOperationWithoutRetry)
{
    server_.SetBehaviour(Behaviour::Silent);
    auto operation = std::async(std::launch::async, [this] {
        std::uint16_t out[1] = {};
        try {
            modbus_.ReadHoldingRegisters(1000, 1, out);
        } catch (const CPrivateException& e) {
            return e.IsAbort();
        }
        return false;
    });
    ASSERT_TRUE(server_.WaitForRequests(1));
    // As the progress window's Cancel reaches it.
    static_cast<ITransferConnection&>(modbus_).AbortForCancel();
    EXPECT_TRUE(operation.get());
    EXPECT_EQ(server_.Requests(), 1);
    // The interface stays usable.
    server_.SetBehaviour(Behaviour::Answer);
    std::uint16_t out[1] = {};
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(1000, 1, out));
    EXPECT_EQ(out[0], 0xA000);
}

TEST(TcpLink, CancelEndsAPendingReadAtOnce)
{
    LoopbackModbusServer server;
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    std::uint8_t buffer[8];
    // A minute-long read: only the cancel can end it before the guard below.
    auto read = std::async(std::launch::async, [&] { return link.Read(buffer, 8, 60000); });
    link.Cancel();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(read.get(), 0u);
}

TEST(TcpLink, LateCancelIsForgottenByDiscardInput)
{
    LoopbackModbusServer server;
    server.SetBehaviour(Behaviour::Answer);
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    link.Cancel();
    link.DiscardInput();
    const std::uint8_t request[] = {0, 1, 0, 0, 0, 6, 1, 4, 0, 0, 0, 1};
    link.Write(request, sizeof request);
    std::uint8_t answer[11];
    EXPECT_EQ(link.Read(answer, sizeof answer, 30000), sizeof answer);
}

TEST(TcpLink, CancelBeforeAReadEndsItAtOnce)
{
    LoopbackModbusServer server;
    server.SetBehaviour(Behaviour::Silent);
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    link.Cancel();
    std::uint8_t buffer[8];
    auto read = std::async(std::launch::async, [&] { return link.Read(buffer, 8, 60000); });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(read.get(), 0u);
}

// Two copies of an answer in one segment: the first read takes what it may,
// never more, and the rest stays for the next.
TEST(TcpLink, ReadAtLeastTakesWhatHasArrivedUpToItsSize)
{
    LoopbackModbusServer server;
    server.SetBehaviour(Behaviour::AnswerTwice);
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    const std::uint8_t request[] = {0, 1, 0, 0, 0, 6, 1, 4, 0, 0, 0, 1};
    link.Write(request, sizeof request);
    std::uint8_t answers[22] = {};
    ASSERT_EQ(link.ReadAtLeast(answers, 11, 11, 30000), 11u);
    EXPECT_EQ(link.ReadAtLeast(answers + 11, 1, 11, 30000), 11u);
    EXPECT_TRUE(std::equal(answers, answers + 11, answers + 11));
    EXPECT_EQ(answers[5], 5) << "length of unit id, function, count and one register";
}

TEST(TcpLink, ReadEndsAtTheDeadlineWithWhatArrived)
{
    LoopbackModbusServer server;
    server.SetBehaviour(Behaviour::Silent);
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    std::uint8_t buffer[4];
    EXPECT_EQ(link.Read(buffer, sizeof buffer, 20), 0u);
    EXPECT_EQ(link.Read(buffer, sizeof buffer, 0), 0u);
}

TEST(TcpLink, RefusedConnectionNamesTheSystemReason)
{
    int freePort = 0;
    {
        LoopbackModbusServer server; // a port that was just free again
        freePort = std::stoi(server.Port());
    }
    CTcpLink link("127.0.0.1", std::to_string(freePort));
    try {
        link.Open();
        FAIL() << "connected to a closed port";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Modbus/TCP Error. " + SystemErrorText(ECONNREFUSED));
        EXPECT_EQ(e.Kind(), FaultKind::Link);
    }
    EXPECT_FALSE(link.IsOpen());
}

TEST(TcpLink, UnresolvableServiceFailsWithTheResolverText)
{
    CTcpLink link("127.0.0.1", "no-such-modbus-service");
    try {
        link.Open();
        FAIL() << "resolved an invalid host";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text().rfind("Modbus/TCP Error. ", 0), 0u) << e.Text();
        EXPECT_GT(e.Text().size(), std::string("Modbus/TCP Error. ").size());
        EXPECT_EQ(e.Kind(), FaultKind::Link);
    }
}

TEST(TcpLink, CloseWithNothingPendingIsImmediateAndRepeatable)
{
    LoopbackModbusServer server;
    CTcpLink link("127.0.0.1", server.Port());
    link.Open();
    EXPECT_TRUE(link.IsOpen());
    link.Close();
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    std::uint8_t buffer[1];
    EXPECT_EQ(link.Read(buffer, 1, 10), 0u);
}

TEST(TcpLink, CancelEndsAPendingConnectAsAnAbort)
{
    FullListener listener;
    CTcpLink link("127.0.0.1", listener.Port());
    auto open = std::async(std::launch::async, [&] { link.Open(); });
    CancelUntilDone(open, [&] { link.Cancel(); });
    ASSERT_EQ(open.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_TRUE(EndsAsAbort(open));
    EXPECT_FALSE(link.IsOpen());
}

// The progress window's Cancel reaches a master that is still connecting.
TEST(TcpMaster, AbortEndsAPendingConnect)
{
    FullListener listener;
    TcpTransportFactory factory;
    SetTransportFactory(&factory);
    CModbusInterface modbus;
    modbus.SetSettings(LoopbackSettings(listener.Port()));
    auto open = std::async(std::launch::async, [&] { modbus.Open(); });
    CancelUntilDone(open, [&] { modbus.AbortForCancel(); });
    ASSERT_EQ(open.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_TRUE(EndsAsAbort(open));
    SetTransportFactory(nullptr);
}
