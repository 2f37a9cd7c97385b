#include <gtest/gtest.h>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CDeviceSimulator.h"
#include "CSimRtuServer.h"
#include "CSimTcpServer.h"
#include "SimTestClient.h"

namespace {

SimOptions WithFaults(const SimFaults& faults)
{
    SimOptions o;
    o.typeId = 70;
    o.faults = faults;
    return o;
}

// A KTA behind a TCP server with the faults under test.
class SimTcpFaultTest : public ::testing::Test {
protected:
    void Start(const SimFaults& faults)
    {
        sim_ = std::make_unique<CDeviceSimulator>(WithFaults(faults));
        server_ = std::make_unique<CSimTcpServer>(*sim_, "127.0.0.1", 0);
        client_ = std::make_unique<TcpTestClient>("127.0.0.1", server_->Port());
        ASSERT_TRUE(client_->Connected());
    }
    std::unique_ptr<CDeviceSimulator> sim_;
    std::unique_ptr<CSimTcpServer> server_;
    std::unique_ptr<TcpTestClient> client_;
};

TEST_F(SimTcpFaultTest, DelayHoldsTheAnswerBack)
{
    Start({.delayMs = 700});
    client_->Send(1, ReadPdu(9600, 1));
    EXPECT_FALSE(client_->Receive(50)); // cannot be there before the delay
    EXPECT_TRUE(client_->Receive(5000));
}

TEST_F(SimTcpFaultTest, DropsEveryKthAnswer)
{
    Start({.dropEvery = 2});
    EXPECT_TRUE(client_->Transact(ReadPdu(9600, 1)));
    EXPECT_FALSE(client_->Transact(ReadPdu(9600, 1), 300));
    EXPECT_TRUE(client_->Transact(ReadPdu(9600, 1)));
    ASSERT_TRUE(sim_->Log().WaitForSize(3, std::chrono::seconds(3)));
    EXPECT_EQ(sim_->Log().Records()[1].outcome, "ok (dropped)");
}

TEST_F(SimTcpFaultTest, AnswersEveryKthRequestWithAnotherTransactionId)
{
    Start({.wrongTransactionEvery = 1});
    client_->Send(0x1234, ReadPdu(9600, 1));
    const auto frame = client_->Receive();
    ASSERT_TRUE(frame);
    EXPECT_EQ((*frame)[0], 0x12);
    EXPECT_EQ((*frame)[1], 0x35);
}

TEST_F(SimTcpFaultTest, RaisesTheConfiguredExceptionForRequestsCoveringTheAddress)
{
    Start({.exceptionAddress = 9601, .exceptionCode = 6});
    EXPECT_EQ(*client_->Transact(ReadPdu(9600, 2)), (Bytes{0x84, 0x06}));
    EXPECT_EQ(Registers(*client_->Transact(ReadPdu(9600, 1))), std::vector<std::uint16_t>{4711});
}

// A write that is acknowledged and lost for one register: the others land.
TEST_F(SimTcpFaultTest, AcknowledgesAWriteAndKeepsTheIgnoredRegister)
{
    Start({.ignoreWriteAddress = 5604});
    const auto before = Registers(*client_->Transact(ReadPdu(5603, 2)));
    const auto answer = client_->Transact(WritePdu(5603, {0x0111, 0x0222}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Bytes{0x10, 0x15, 0xE3, 0x00, 0x02}));
    EXPECT_EQ(Registers(*client_->Transact(ReadPdu(5603, 2))),
              (std::vector<std::uint16_t>{0x0111, before[1]}));
    ASSERT_TRUE(sim_->Log().WaitForSize(3, std::chrono::seconds(3)));
    EXPECT_EQ(sim_->Log().Records()[1].outcome, "ok (ignored at 5604)");

    EXPECT_TRUE(client_->Transact(WritePdu(5600, {3})));
    EXPECT_EQ(Registers(*client_->Transact(ReadPdu(5600, 1))), std::vector<std::uint16_t>{3});
}

TEST_F(SimTcpFaultTest, SplitsAnswersIntoSegments)
{
    Start({.splitBytes = 4});
    const auto r = client_->Transact(ReadPdu(9597, 17));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->size(), 2u + 34u);
    EXPECT_GT(client_->Segments(), 1);
}

TEST_F(SimTcpFaultTest, ClosesTheConnectionAfterNRequests)
{
    Start({.disconnectAfter = 2});
    EXPECT_TRUE(client_->Transact(ReadPdu(9600, 1)));
    EXPECT_TRUE(client_->Transact(ReadPdu(9600, 1)));
    EXPECT_FALSE(client_->Transact(ReadPdu(9600, 1)));
    EXPECT_TRUE(client_->ClosedByPeer());
    TcpTestClient again("127.0.0.1", server_->Port());
    EXPECT_TRUE(again.Transact(ReadPdu(9600, 1)));
}

TEST_F(SimTcpFaultTest, ResetsTheConnectionAfterNRequestsWhenHangingUp)
{
    Start({.hangUpAfter = 1});
    EXPECT_TRUE(client_->Transact(ReadPdu(9600, 1)));
    client_->Send(2, ReadPdu(9600, 1));
    ASSERT_TRUE(WaitReadable(client_->Fd(), 3000));
    std::uint8_t byte = 0;
    EXPECT_EQ(recv(client_->Fd(), &byte, 1, MSG_DONTWAIT), -1);
    EXPECT_EQ(errno, ECONNRESET);
    TcpTestClient again("127.0.0.1", server_->Port());
    EXPECT_TRUE(again.Transact(ReadPdu(9600, 1)));
}

TEST(SimRtuFault, HangingUpClosesThePseudoTerminalUnderTheMaster)
{
    CDeviceSimulator sim(WithFaults({.hangUpAfter = 1}));
    CSimRtuServer server(sim, 1);
    RtuTestClient client(server.Path());
    EXPECT_TRUE(client.Transact(ReadPdu(9600, 1)));
    client.Send(1, ReadPdu(9600, 1));
    pollfd p{client.Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 3000), 1);
    EXPECT_TRUE(p.revents & POLLHUP);
    const std::uint8_t byte = 0;
    EXPECT_EQ(write(client.Fd(), &byte, 1), -1);
    EXPECT_EQ(errno, EIO);
}

TEST(SimRtuFault, CorruptsTheCrcOfEveryKthAnswer)
{
    CDeviceSimulator sim(WithFaults({.badCrcEvery = 2}));
    CSimRtuServer server(sim, 1);
    RtuTestClient client(server.Path());
    EXPECT_TRUE(client.Transact(ReadPdu(9600, 1)));
    client.Send(1, ReadPdu(9600, 1));
    const auto raw = client.Receive();
    ASSERT_TRUE(raw);
    ASSERT_EQ(raw->size(), 7u);
    const std::uint16_t crc = SimCrc16(raw->data(), 5);
    EXPECT_NE(((*raw)[6] << 8) | (*raw)[5], crc);
}

TEST(SimRtuFault, FallsSilentAfterNRequests)
{
    CDeviceSimulator sim(WithFaults({.disconnectAfter = 1}));
    CSimRtuServer server(sim, 1);
    RtuTestClient client(server.Path());
    EXPECT_TRUE(client.Transact(ReadPdu(9600, 1)));
    EXPECT_FALSE(client.Transact(ReadPdu(9600, 1), 1, 300));
}

} // namespace
