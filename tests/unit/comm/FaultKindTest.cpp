#include <gtest/gtest.h>

#include "DeviceReplies.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"

namespace {

// One way a request can end badly, and the kind of fault it must report.
struct FaultCase {
    const char* name;
    ConnectionMode mode;
    bool write;
    Responder answer;
    FaultKind kind;
};

Responder WrongCrc()
{
    return [](const Bytes& sent) {
        Bytes answer = RtuReadAnswer(AddressAsValue)(sent);
        answer.back() ^= 0x01;
        return answer;
    };
}

Responder Exception(ConnectionMode mode)
{
    return [mode](const Bytes& sent) {
        if (mode == ConnectionMode::Tcp)
            return MbapWrap(SentTransaction(sent), {0x01, 0x84, 0x02});
        return WithCrc({0x01, 0x90, 0x02});
    };
}

class MasterFaults : public ::testing::Test {
protected:
    void SetUp() override { SetTransportFactory(&factory_); }
    void TearDown() override
    {
        modbus_.Close();
        SetTransportFactory(nullptr);
    }
    void Open(ConnectionMode mode)
    {
        ComSettings s;
        s.mode = mode;
        modbus_.SetSettings(s);
        modbus_.SetPauseFunction([](int) {});
        modbus_.Open();
    }
    template <typename Op> FaultKind KindOf(Op op)
    {
        try {
            op();
        } catch (const CPrivateException& e) {
            return e.Kind();
        }
        ADD_FAILURE() << "no exception";
        return FaultKind::RefusedInput;
    }

    std::shared_ptr<FakeLink> link_ = std::make_shared<FakeLink>();
    FakeTransportFactory factory_{link_};
    CModbusInterface modbus_;
};

class MasterFaultKind : public MasterFaults, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(MasterFaultKind, ReportsTheKindOfTheLastAttempt)
{
    const FaultCase& c = GetParam();
    Open(c.mode);
    link_->fallback = c.answer;
    std::uint16_t values[2] = {1, 2};
    const FaultKind kind = KindOf([&] {
        if (c.write)
            modbus_.WriteMultipleRegisters(0, 2, values);
        else
            modbus_.ReadHoldingRegisters(0, 2, values);
    });
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(IsRetryable(kind), c.kind == FaultKind::Link);
}

INSTANTIATE_TEST_SUITE_P(
    EveryResponseFault, MasterFaultKind,
    ::testing::Values(
        FaultCase{"RtuTimeout", ConnectionMode::Rs485, false, Silent(), FaultKind::Link},
        FaultCase{"TcpTimeout", ConnectionMode::Tcp, true, Silent(), FaultKind::Link},
        FaultCase{"CrcError", ConnectionMode::Config, false, WrongCrc(), FaultKind::Link},
        FaultCase{"InvalidResponse", ConnectionMode::Rs485, false,
                  [](const Bytes&) {
                      return WithCrc({0x01, 0x04, 0x04, 0x00});
                  },
                  FaultKind::Link},
        FaultCase{"InvalidTransaction", ConnectionMode::Tcp, false,
                  TcpReadAnswer(AddressAsValue, 1), FaultKind::Link},
        FaultCase{"RtuExceptionToAWrite", ConnectionMode::Rs485, true,
                  Exception(ConnectionMode::Rs485), FaultKind::DeviceException},
        FaultCase{"TcpExceptionToARead", ConnectionMode::Tcp, false, Exception(ConnectionMode::Tcp),
                  FaultKind::DeviceException}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(MasterFaults, AbortIsNeitherALinkNorADeviceFault)
{
    Open(ConnectionMode::Infrared);
    link_->fallback = RtuReadAnswer(AddressAsValue);
    link_->duringRead = [this] { modbus_.Abort(); };
    std::uint16_t out[1] = {};
    EXPECT_EQ(KindOf([&] { modbus_.ReadHoldingRegisters(0, 1, out); }), FaultKind::Abort);
}

TEST_F(MasterFaults, PortsThatCannotBeReachedAreLinkFaults)
{
    SetTransportFactory(nullptr);
    for (ConnectionMode mode : {ConnectionMode::Tcp, ConnectionMode::Config}) {
        ComSettings s;
        s.mode = mode;
        modbus_.SetSettings(s);
        EXPECT_EQ(KindOf([&] { modbus_.Open(); }), FaultKind::Link);
        std::uint16_t out[1] = {};
        EXPECT_EQ(KindOf([&] { modbus_.ReadHoldingRegisters(0, 1, out); }), FaultKind::Link);
    }
}

TEST(PrivateException, AnEmptyTextIsAnAbortAndAnAbortHasNoText)
{
    EXPECT_EQ(CPrivateException(std::string(), FaultKind::Link).Kind(), FaultKind::Abort);
    EXPECT_TRUE(CPrivateException("shown", FaultKind::Abort).Text().empty());
    EXPECT_TRUE(CPrivateException::Aborted().IsAbort());
    EXPECT_EQ(CPrivateException("You should input...").Kind(), FaultKind::RefusedInput);
    EXPECT_FALSE(CPrivateException(11009, FaultKind::DeviceException).IsRetryable());
}

} // namespace
