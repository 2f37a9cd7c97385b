#pragma once

#include <string>
#include <string_view>

// Text of a fixed-length character field of the device (serial number, tag):
// it ends at the first zero byte or at the end of the field. Bytes that form
// valid UTF-8 are taken as such (a tag written by this program is UTF-8);
// any other byte sequence is read as Latin-1, one character per byte, so the
// result is always valid UTF-8.
std::string DeviceFieldText(std::string_view bytes);
