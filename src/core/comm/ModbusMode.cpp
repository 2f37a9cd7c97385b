#include "comm/ModbusMode.h"

#include "comm/SerialLine.h"

namespace {

ModbusModeParameters SerialMode(std::uint8_t unitId, int perRequest, int attempts, int baud)
{
    return {unitId, perRequest, attempts, baud, 120000 / baud + 1};
}

} // namespace

ModbusModeParameters ModbusModeFor(const ComSettings& settings)
{
    const auto address = static_cast<std::uint8_t>(settings.address);
    switch (settings.Mode()) {
    case ConnectionMode::Rs485:
        return SerialMode(address, 10000, 3, BaudRateForIndex(settings.baudIndex));
    case ConnectionMode::Tcp:
        return {address, 10000, 3, 0, 0};
    case ConnectionMode::Config:
        return SerialMode(1, 10000, 3, 38400);
    default:
        return SerialMode(1, 8, 10, 1200);
    }
}

int SerialResponseTimeout(int baseMs, std::size_t bytes, int baud)
{
    return baseMs +
           static_cast<int>(static_cast<unsigned>(bytes) * 17000u / static_cast<unsigned>(baud));
}
