#pragma once

// Device answers built by hand, with a bit-by-bit CRC of their own, so the
// master's table-driven CRC and frame code are checked against something else.

#include <cstdint>
#include <functional>
#include <vector>

#include "FakeTransport.h"

inline std::uint16_t BitwiseCrc(const Bytes& data)
{
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

inline Bytes WithCrc(Bytes frame)
{
    const std::uint16_t crc = BitwiseCrc(frame);
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return frame;
}

// Register value of the simulated device at an address.
using RegisterValue = std::function<std::uint16_t(int address)>;

inline Bytes ReadPdu(const Bytes& request, const RegisterValue& value)
{
    const int start = request[2] << 8 | request[3];
    const int count = request[4] << 8 | request[5];
    Bytes pdu{request[0], request[1], static_cast<std::uint8_t>(2 * count)};
    for (int i = 0; i < count; ++i) {
        const std::uint16_t v = value(start + i);
        pdu.push_back(static_cast<std::uint8_t>(v >> 8));
        pdu.push_back(static_cast<std::uint8_t>(v));
    }
    return pdu;
}

inline Bytes WritePdu(const Bytes& request)
{
    return Bytes(request.begin(), request.begin() + 6);
}

// RTU: the request without its CRC.
inline Bytes RtuRequest(const Bytes& sent)
{
    return Bytes(sent.begin(), sent.end() - 2);
}

inline Responder RtuReadAnswer(RegisterValue value)
{
    return [value](const Bytes& sent) { return WithCrc(ReadPdu(RtuRequest(sent), value)); };
}

inline Responder RtuWriteAnswer()
{
    return [](const Bytes& sent) { return WithCrc(WritePdu(RtuRequest(sent))); };
}

inline Bytes MbapWrap(std::uint16_t transaction, const Bytes& pdu)
{
    Bytes frame{
        static_cast<std::uint8_t>(transaction >> 8), static_cast<std::uint8_t>(transaction), 0, 0,
        static_cast<std::uint8_t>(pdu.size() >> 8),  static_cast<std::uint8_t>(pdu.size())};
    frame.insert(frame.end(), pdu.begin(), pdu.end());
    return frame;
}

inline std::uint16_t SentTransaction(const Bytes& sent)
{
    return static_cast<std::uint16_t>(sent[0] << 8 | sent[1]);
}

// Modbus/TCP answer; transactionOffset != 0 answers with another id.
inline Responder TcpReadAnswer(RegisterValue value, int transactionOffset = 0)
{
    return [value, transactionOffset](const Bytes& sent) {
        const Bytes request(sent.begin() + 6, sent.end());
        return MbapWrap(static_cast<std::uint16_t>(SentTransaction(sent) + transactionOffset),
                        ReadPdu(request, value));
    };
}

inline Responder Silent()
{
    return [](const Bytes&) { return Bytes{}; };
}

inline std::uint16_t AddressAsValue(int address)
{
    return static_cast<std::uint16_t>(address);
}
