#include "CPlatformTransportFactory.h"

#include "CSerialIO.h"
#include "CTcpLink.h"

std::unique_ptr<ITransport> CPlatformTransportFactory::CreateSerial(const SerialLineSettings& line)
{
    return std::make_unique<CSerialIO>(line);
}

std::unique_ptr<ITransport> CPlatformTransportFactory::CreateTcp(const std::string& host,
                                                                 const std::string& port)
{
    return std::make_unique<CTcpLink>(host, port);
}

void InstallPlatformTransports()
{
    // Lives until the process ends: interfaces may still be closing during static destruction.
    static CPlatformTransportFactory factory;
    SetTransportFactory(&factory);
}
