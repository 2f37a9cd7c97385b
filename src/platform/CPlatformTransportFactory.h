#pragma once

#include "comm/ITransport.h"

// The transports of this platform: serial lines through Qt SerialPort,
// Modbus/TCP over POSIX sockets.
class CPlatformTransportFactory : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) override;
    std::unique_ptr<ITransport> CreateTcp(const std::string& host,
                                          const std::string& port) override;
};
