#pragma once

#include <memory>
#include <stdexcept>

#include "CTcpLink.h"
#include "comm/ComSettings.h"
#include "comm/ITransport.h"

// The link tests need Modbus/TCP only.
class TcpTransportFactory : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings&) override
    {
        throw std::logic_error("no serial lines in the Modbus/TCP tests");
    }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        return std::make_unique<CTcpLink>(host, port);
    }
};

inline ComSettings LoopbackSettings(const std::string& port, int address = 1)
{
    ComSettings s;
    s.mode = ConnectionMode::Tcp;
    s.serverAddress = "127.0.0.1";
    s.servicePort = port;
    s.address = address;
    return s;
}
