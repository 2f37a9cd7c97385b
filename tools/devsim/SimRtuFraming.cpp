#include "SimRtuFraming.h"

#include "SimCrc.h"

std::size_t SimRtuRequestLength(const std::uint8_t* buf, std::size_t n)
{
    if (n < 2)
        return 0;
    switch (buf[1]) {
    case 0x01: // read coils .. write single register: address and quantity or value
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x06:
        return 8;
    case 0x07: // read exception status, diagnostics counters: no data
    case 0x0B:
    case 0x0C:
    case 0x11:
        return 4;
    case 0x0F: // write multiple coils / registers: byte count at offset 6
    case 0x10:
        return n < 7 ? 0 : 9 + std::size_t(buf[6]);
    case 0x16:
        return 10;
    case 0x17: // read/write multiple registers: byte count at offset 10
        return n < 11 ? 0 : 13 + std::size_t(buf[10]);
    default:
        return kUnknownLength;
    }
}

bool SimRtuCrcValid(const std::uint8_t* frame, std::size_t length)
{
    if (length < 4)
        return false;
    const std::uint16_t crc = SimCrc16(frame, length - 2);
    return frame[length - 2] == (crc & 0xFF) && frame[length - 1] == (crc >> 8);
}
