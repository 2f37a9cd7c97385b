#pragma once

#include <cstddef>
#include <cstdint>

// Length of the RTU request frame (unit id .. CRC) that starts at buf, judged
// from its function code: 0 while more bytes are needed to tell, kUnknownLength
// for function codes whose request length cannot be derived from the header
// (such frames end at a pause on the line).
constexpr std::size_t kUnknownLength = static_cast<std::size_t>(-1);
std::size_t SimRtuRequestLength(const std::uint8_t* buf, std::size_t n);

// True when the last two bytes of the frame are its CRC (low byte first).
bool SimRtuCrcValid(const std::uint8_t* frame, std::size_t length);
