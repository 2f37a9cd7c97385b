#include "comm/SerialLine.h"

#include <array>

namespace {

constexpr std::array<int, 6> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400};

SerialLineSettings Rs485Line(const ComSettings& settings)
{
    SerialLineSettings line;
    line.portName = settings.comPortName;
    line.displayName = settings.comPortDisplayName;
    line.baudRate = BaudRateForIndex(settings.baudIndex);
    line.dataBits = settings.characterIndex == 1 ? 8 : 7;
    line.parity = settings.parity;
    line.stopBits = settings.stopIndex == 1 ? 2 : 1;
    return line;
}

SerialLineSettings FixedLine(std::string portName, std::string displayName, int baudRate)
{
    SerialLineSettings line;
    line.portName = std::move(portName);
    line.displayName = std::move(displayName);
    line.baudRate = baudRate;
    line.dataBits = 8;
    line.parity = SerialParity::Odd;
    line.stopBits = 1;
    return line;
}

} // namespace

int BaudRateForIndex(int baudIndex)
{
    if (baudIndex < 0 || baudIndex >= static_cast<int>(kBaudRates.size()))
        return kBaudRates[0];
    return kBaudRates[static_cast<std::size_t>(baudIndex)];
}

SerialLineSettings SerialLineFor(const ComSettings& settings)
{
    switch (settings.Mode()) {
    case ConnectionMode::Rs485:
        return Rs485Line(settings);
    case ConnectionMode::Config:
        return FixedLine(settings.configPortName, settings.configPortDisplayName, 38400);
    default:
        return FixedLine(settings.irPortName, settings.irPortDisplayName, 1200);
    }
}
