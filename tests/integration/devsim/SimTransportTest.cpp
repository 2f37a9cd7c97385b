#include <gtest/gtest.h>

#include <memory>

#include "CDeviceSimulator.h"
#include "CSimRtuServer.h"
#include "CSimTcpServer.h"
#include "SimTestClient.h"

namespace {

SimOptions Options(int typeId)
{
    SimOptions o;
    o.typeId = typeId;
    return o;
}

// One simulator behind either server, with a client of the same transport.
class SimTransportTest : public ::testing::TestWithParam<SimTransport> {
protected:
    void Start(const SimOptions& options)
    {
        sim_ = std::make_unique<CDeviceSimulator>(options);
        if (GetParam() == SimTransport::Tcp) {
            tcpServer_ = std::make_unique<CSimTcpServer>(*sim_, "127.0.0.1", 0);
            tcp_ = std::make_unique<TcpTestClient>("127.0.0.1", tcpServer_->Port());
            ASSERT_TRUE(tcp_->Connected());
        } else {
            rtuServer_ = std::make_unique<CSimRtuServer>(*sim_, options.unit);
            rtu_ = std::make_unique<RtuTestClient>(rtuServer_->Path());
            ASSERT_TRUE(rtu_->IsOpen());
        }
    }
    std::optional<Bytes> Transact(const Bytes& pdu, int timeoutMs = 3000)
    {
        return tcp_ ? tcp_->Transact(pdu, timeoutMs) : rtu_->Transact(pdu, 1, timeoutMs);
    }
    std::string Prefix() const { return GetParam() == SimTransport::Tcp ? "tcp" : "rtu"; }

    std::unique_ptr<CDeviceSimulator> sim_;
    std::unique_ptr<CSimTcpServer> tcpServer_;
    std::unique_ptr<CSimRtuServer> rtuServer_;
    std::unique_ptr<TcpTestClient> tcp_;
    std::unique_ptr<RtuTestClient> rtu_;
};

TEST_P(SimTransportTest, AnswersIdentityReadWithFunction4)
{
    Start(Options(70));
    const auto r = Transact(ReadPdu(9600, 2));
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (Bytes{0x04, 0x04, 0x12, 0x67, 0x00, 0xF0}));
}

TEST_P(SimTransportTest, OtherFunctionsGetException1)
{
    Start(Options(70));
    const auto r = Transact({0x03, 0x25, 0x80, 0x00, 0x01});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (Bytes{0x83, 0x01}));
}

TEST_P(SimTransportTest, AbsentAddressesGetException2)
{
    Start(Options(70));
    EXPECT_EQ(*Transact(ReadPdu(9628, 1)), (Bytes{0x84, 0x02}));
    // The QH map's registers are no part of a KTA.
    EXPECT_EQ(*Transact(ReadPdu(9040, 1)), (Bytes{0x84, 0x02}));
    EXPECT_EQ(*Transact(WritePdu(9600, {1})), (Bytes{0x90, 0x02})); // read-only identity
}

TEST_P(SimTransportTest, QuantitiesOutsideModbusLimitsGetException3)
{
    Start(Options(70));
    EXPECT_EQ(*Transact(ReadPdu(0, 126)), (Bytes{0x84, 0x03}));
    EXPECT_EQ(*Transact(ReadPdu(0, 0)), (Bytes{0x84, 0x03}));
    EXPECT_EQ(*Transact(WritePdu(5600, {})), (Bytes{0x90, 0x03}));
}

TEST_P(SimTransportTest, WrittenParametersReadBackUnchanged)
{
    Start(Options(70));
    ASSERT_EQ(*Transact(WritePdu(5600, {4, 1234, 5})), (Bytes{0x10, 0x15, 0xE0, 0x00, 0x03}));
    EXPECT_EQ(Registers(*Transact(ReadPdu(5600, 3))), (std::vector<std::uint16_t>{4, 1234, 5}));
}

TEST_P(SimTransportTest, RestartLeavesItsRequestUnansweredAndLocksAgain)
{
    SimOptions o = Options(70);
    o.passcode = 4321;
    Start(o);
    ASSERT_TRUE(Transact(WritePdu(4942, {4321, 0, 1})));
    ASSERT_TRUE(sim_->Unlocked());
    EXPECT_FALSE(Transact(WritePdu(5330, {10001}), 300));
    EXPECT_EQ(sim_->Restarts(), 1);
    EXPECT_FALSE(sim_->Unlocked());
    EXPECT_EQ(Registers(*Transact(ReadPdu(4944, 1))), std::vector<std::uint16_t>{0});
}

TEST_P(SimTransportTest, LogsOneLinePerRequest)
{
    Start(Options(70));
    Transact(ReadPdu(9600, 1));
    Transact(WritePdu(4944, {1}));
    Transact({0x03, 0x00, 0x00, 0x00, 0x01});
    Transact(ReadPdu(9628, 2));
    ASSERT_TRUE(sim_->Log().WaitForSize(4, std::chrono::seconds(3)));
    std::vector<std::string> lines;
    for (const auto& r : sim_->Log().Records())
        lines.push_back(r.Format());
    EXPECT_EQ(lines,
              (std::vector<std::string>{Prefix() + " fn=4 addr=9600 count=1 -> ok",
                                        Prefix() + " fn=16 addr=4944 count=1 values=1 -> ok",
                                        Prefix() + " fn=3 -> exception 1",
                                        Prefix() + " fn=4 addr=9628 count=2 -> exception 2"}));
}

INSTANTIATE_TEST_SUITE_P(Transports, SimTransportTest,
                         ::testing::Values(SimTransport::Tcp, SimTransport::Rtu),
                         [](const auto& info) {
                             return info.param == SimTransport::Tcp ? "Tcp" : "Rtu";
                         });

TEST(SimRtuServer, IgnoresOtherUnitsAndBrokenFramesAndExecutesBroadcasts)
{
    SimOptions o = Options(70);
    o.unit = 7;
    CDeviceSimulator sim(o);
    CSimRtuServer server(sim, 7);
    RtuTestClient client(server.Path());
    EXPECT_FALSE(client.Transact(ReadPdu(9600, 1), 1, 300));
    client.SendRaw({0x07, 0x04, 0x25, 0x80, 0x00, 0x01, 0x00, 0x00}); // CRC wrong
    EXPECT_FALSE(client.Receive(300));
    client.Send(0, WritePdu(5600, {2}));
    EXPECT_FALSE(client.Receive(300));
    const auto r = client.Transact(ReadPdu(5600, 1), 7);
    ASSERT_TRUE(r);
    EXPECT_EQ(Registers(*r), std::vector<std::uint16_t>{2});
}

TEST(SimCrc, MatchesTheModbusCheckValue)
{
    const std::string text = "123456789";
    EXPECT_EQ(SimCrc16(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0x4B37);
    const Bytes request = {0x01, 0x04, 0x25, 0x80, 0x00, 0x01};
    EXPECT_EQ(SimCrc16(request.data(), request.size()), 0x2E3B); // sent as 3B 2E
}

} // namespace
