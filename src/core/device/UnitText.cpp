#include "device/UnitText.h"

#include <array>

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string_view CutToUnitWidth(std::string_view text)
{
    if (text.size() <= kUnitTextChars)
        return text;
    size_t end = kUnitTextChars;
    while (end > 0 && IsContinuationByte(text[end]))
        --end;
    return text.substr(0, end);
}

} // namespace

void SetUnitText(ParameterSet& set, int word, std::string_view text)
{
    const std::string_view cut = CutToUnitWidth(text);
    std::array<std::uint8_t, kUnitTextChars> bytes;
    bytes.fill(' ');
    const size_t pad = kUnitTextChars - cut.size();
    for (size_t i = 0; i < cut.size(); ++i)
        bytes[pad + i] = static_cast<std::uint8_t>(cut[i]);
    set[word] = static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
    set[word + 1] = static_cast<std::uint16_t>((bytes[2] << 8) | bytes[3]);
}

std::string UnitText(const ParameterSet& set, int word)
{
    const std::uint16_t w[2] = {set[word], set[word + 1]};
    std::string text;
    for (std::uint16_t v : w) {
        for (const auto byte : {std::uint8_t(v >> 8), std::uint8_t(v)})
            if (byte != 0)
                text.push_back(static_cast<char>(byte));
    }
    return text;
}
