#pragma once

#include "comm/ITransport.h"

// The transports of this platform: serial lines through CSerialIO, Modbus/TCP
// through CTcpLink.
class CPlatformTransportFactory : public ITransportFactory {
public:
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings& line) override;
    std::unique_ptr<ITransport> CreateTcp(const std::string& host,
                                          const std::string& port) override;
};

// Makes every CModbusInterface of the process use the platform's transports.
// The desktop program and the tools call it once at start; calling it again is harmless.
void InstallPlatformTransports();
