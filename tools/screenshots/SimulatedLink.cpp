#include "SimulatedLink.h"

#include <string>

#include "CPlatformTransportFactory.h"

namespace {
// The connection needs the platform's transports before it is made.
const SimOptions& WithTransports(const SimOptions& options)
{
    InstallPlatformTransports();
    return options;
}
} // namespace

CSimulatedLink::CSimulatedLink(const SimOptions& options)
    : sim_(WithTransports(options)), server_(sim_, "127.0.0.1", 0), connection_(Settings())
{
}

ComSettings CSimulatedLink::Settings() const
{
    ComSettings settings;
    settings.mode = ConnectionMode::Tcp;
    settings.serverAddress = "127.0.0.1";
    settings.servicePort = std::to_string(server_.Port());
    settings.address = 1;
    return settings;
}
