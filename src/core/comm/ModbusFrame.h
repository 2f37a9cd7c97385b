#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using ByteVector = std::vector<std::uint8_t>;

constexpr std::uint8_t kFunctionReadInputRegisters = 0x04;
constexpr std::uint8_t kFunctionWriteMultipleRegisters = 0x10;
constexpr std::size_t kMbapHeaderSize = 6;
constexpr std::size_t kCrcSize = 2;
constexpr std::size_t kWriteResponseSize = 6;
// Modbus limits per request.
constexpr int kMaxReadRegisters = 125;
constexpr int kMaxWriteRegisters = 123;

// Requests are unit id + PDU; the transport framing (CRC or MBAP header) is added on sending.
ByteVector BuildReadRequest(std::uint8_t unitId, int start, int count);
ByteVector BuildWriteRequest(std::uint8_t unitId, int start, int count,
                             const std::uint16_t* values);

// Unit id, function code, byte count and the data.
constexpr std::size_t ReadResponseSize(int count)
{
    return 3 + 2 * static_cast<std::size_t>(count);
}

void AppendCrc(ByteVector& frame);
ByteVector BuildMbapFrame(std::uint16_t transactionId, const ByteVector& request);

// The transaction id of an MBAP header and how many bytes follow it, capped
// at what the request expects: a shorter frame (an exception) ends early, a
// longer one is cut and its rest discarded before the next request.
std::uint16_t MbapTransactionId(const std::uint8_t* header);
std::size_t MbapBodySize(const std::uint8_t* header, std::size_t expected);

// A serial response read as expected + 2 bytes: how many bytes belong to the
// response proper, and whether its CRC is wrong. The CRC is tested only on a
// response of full length.
struct RtuResponse {
    std::size_t size = 0;
    bool crcError = false;
};
RtuResponse SplitRtuResponse(const std::uint8_t* raw, std::size_t received, std::size_t expected);

// Why a response is refused, in the order the checks are made.
enum class ResponseFault {
    None,
    Timeout,
    InvalidTransaction,
    Exception,
    InvalidResponse,
    CrcError
};

struct ResponseCheck {
    ResponseFault fault = ResponseFault::None;
    int exceptionCode = 0;
};

// Unit id, function code, byte count and echoed address or quantity are not
// compared with the request: the devices answer the request they were sent.
ResponseCheck CheckResponse(const std::uint8_t* response, std::size_t size, std::size_t expected,
                            std::uint16_t answerId, std::uint16_t requestId);

// Register i of a read response: bytes 3 + 2i (high) and 4 + 2i (low).
void CopyRegisters(const std::uint8_t* response, int count, std::uint16_t* out);
