#include <gtest/gtest.h>
#include <modbus.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "TcpTransportFactory.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"

namespace {

// An independent Modbus/TCP implementation as the device: function 4 reads
// the input registers, function 16 writes the holding registers, so the
// server mirrors the holding registers into the input registers after each reply.
class LibModbusServer {
public:
    LibModbusServer()
    {
        context_ = modbus_new_tcp("127.0.0.1", 0);
        mapping_ = modbus_mapping_new(0, 0, kRegisters, kRegisters);
        if (!context_ || !mapping_)
            throw std::runtime_error("libmodbus set-up failed");
        listener_ = modbus_tcp_listen(context_, 1);
        sockaddr_in address{};
        socklen_t length = sizeof address;
        if (listener_ < 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("libmodbus cannot listen");
        port_ = ntohs(address.sin_port);
        for (int i = 0; i < kRegisters; ++i)
            mapping_->tab_registers[i] = static_cast<std::uint16_t>(i * 3);
        Mirror();
        thread_ = std::thread([this] { Serve(); });
    }
    ~LibModbusServer()
    {
        // The master has closed its connection by now, which ends the receive loop.
        thread_.join();
        ::close(listener_);
        modbus_mapping_free(mapping_);
        modbus_free(context_);
    }

    std::string Port() const { return std::to_string(port_); }
    std::uint16_t Holding(int address) const { return holding_[static_cast<std::size_t>(address)]; }

    static constexpr int kRegisters = 1000;

private:
    void Serve()
    {
        if (modbus_tcp_accept(context_, &listener_) < 0)
            return;
        std::uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
        for (;;) {
            const int size = modbus_receive(context_, query);
            if (size == 0)
                continue;
            if (size < 0 || modbus_reply(context_, query, size, mapping_) < 0)
                break;
            Mirror();
        }
        modbus_close(context_);
    }
    void Mirror()
    {
        std::copy_n(mapping_->tab_registers, kRegisters, mapping_->tab_input_registers);
        std::copy_n(mapping_->tab_registers, kRegisters, holding_.begin());
    }

    modbus_t* context_ = nullptr;
    modbus_mapping_t* mapping_ = nullptr;
    int listener_ = -1;
    int port_ = 0;
    std::array<std::uint16_t, kRegisters> holding_{};
    std::thread thread_;
};

} // namespace

TEST(LibModbusDevice, ReadsWritesAndReportsExceptions)
{
    TcpTransportFactory factory;
    SetTransportFactory(&factory);
    {
        LibModbusServer server;
        CModbusInterface modbus(LoopbackSettings(server.Port(), 7));
        modbus.Open();

        std::uint16_t out[100] = {};
        ASSERT_NO_THROW(modbus.ReadHoldingRegisters(10, 100, out));
        EXPECT_EQ(out[0], 30);
        EXPECT_EQ(out[99], 327);

        const std::uint32_t values[] = {0x11223344, 0xCAFEF00D};
        ASSERT_NO_THROW(modbus.WriteDoubleWords(500, 2, values, true));
        std::uint16_t back[4] = {};
        ASSERT_NO_THROW(modbus.ReadHoldingRegisters(500, 4, back));
        EXPECT_EQ(back[0], 0x1122);
        EXPECT_EQ(back[1], 0x3344);
        EXPECT_EQ(back[2], 0xCAFE);
        EXPECT_EQ(back[3], 0xF00D);

        // Beyond the server's registers: exception 2, illegal data address.
        try {
            modbus.ReadHoldingRegisters(LibModbusServer::kRegisters - 1, 2, out);
            FAIL() << "no exception";
        } catch (const CPrivateException& e) {
            EXPECT_EQ(e.Text(), "Modbus command failed. command=ReadHoldingRegister address=1000 "
                                "size=2 reason=receive exception 2.");
        }
        modbus.Close();
    }
    SetTransportFactory(nullptr);
}
