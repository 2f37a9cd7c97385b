#include "comm/ITransport.h"

#include <atomic>

namespace {
std::atomic<ITransportFactory*> g_factory{nullptr};
}

void SetTransportFactory(ITransportFactory* factory)
{
    g_factory = factory;
}

ITransportFactory* GetTransportFactory()
{
    return g_factory;
}
