#include "comm/ModbusFrame.h"

#include <algorithm>

#include "comm/Crc16.h"

namespace {

void AppendWord(ByteVector& frame, unsigned value)
{
    frame.push_back(static_cast<std::uint8_t>(value >> 8));
    frame.push_back(static_cast<std::uint8_t>(value));
}

ByteVector RequestHead(std::uint8_t unitId, std::uint8_t function, int start, int count)
{
    ByteVector frame{unitId, function};
    AppendWord(frame, static_cast<unsigned>(start));
    AppendWord(frame, static_cast<unsigned>(count));
    return frame;
}

} // namespace

ByteVector BuildReadRequest(std::uint8_t unitId, int start, int count)
{
    return RequestHead(unitId, kFunctionReadInputRegisters, start, count);
}

ByteVector BuildWriteRequest(std::uint8_t unitId, int start, int count, const std::uint16_t* values)
{
    ByteVector frame = RequestHead(unitId, kFunctionWriteMultipleRegisters, start, count);
    frame.push_back(static_cast<std::uint8_t>(count * 2));
    for (int i = 0; i < count; ++i)
        AppendWord(frame, values[i]);
    return frame;
}

void AppendCrc(ByteVector& frame)
{
    const std::uint16_t crc = Crc16Modbus(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
}

ByteVector BuildMbapFrame(std::uint16_t transactionId, const ByteVector& request)
{
    ByteVector frame;
    frame.reserve(kMbapHeaderSize + request.size());
    AppendWord(frame, transactionId);
    AppendWord(frame, 0);
    AppendWord(frame, static_cast<unsigned>(request.size()));
    frame.insert(frame.end(), request.begin(), request.end());
    return frame;
}

std::uint16_t MbapTransactionId(const std::uint8_t* header)
{
    return static_cast<std::uint16_t>(header[0] << 8 | header[1]);
}

std::size_t MbapBodySize(const std::uint8_t* header, std::size_t expected)
{
    const std::size_t length = static_cast<std::size_t>(header[4] << 8 | header[5]);
    return std::min(length, expected);
}

RtuResponse SplitRtuResponse(const std::uint8_t* raw, std::size_t received, std::size_t expected)
{
    RtuResponse r;
    r.size = received >= kCrcSize ? received - kCrcSize : received;
    r.size = std::min(r.size, expected);
    if (received >= expected + kCrcSize) {
        const std::uint16_t crc = Crc16Modbus(raw, expected);
        r.crcError = raw[expected] != (crc & 0xFF) || raw[expected + 1] != (crc >> 8);
    }
    return r;
}

ResponseCheck CheckResponse(const std::uint8_t* response, std::size_t size, std::size_t expected,
                            std::uint16_t answerId, std::uint16_t requestId)
{
    if (size == 0)
        return {ResponseFault::Timeout, 0};
    if (answerId != requestId)
        return {ResponseFault::InvalidTransaction, 0};
    if (size >= 3 && (response[1] & 0x80) != 0)
        return {ResponseFault::Exception, response[2]};
    if (size < expected)
        return {ResponseFault::InvalidResponse, 0};
    return {};
}

void CopyRegisters(const std::uint8_t* response, int count, std::uint16_t* out)
{
    for (int i = 0; i < count; ++i) {
        const std::size_t at = 3 + 2 * static_cast<std::size_t>(i);
        out[i] = static_cast<std::uint16_t>(response[at] << 8 | response[at + 1]);
    }
}
