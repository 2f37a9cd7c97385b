#include "config/PanelPasscode.h"

#include <algorithm>

namespace {
constexpr int kInvalidPasscode = 11002;
constexpr int kConfirmMismatch = 11003;

bool IsFourDigits(const std::string& text)
{
    return text.size() == kPanelPasscodeLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

std::variant<std::uint16_t, PanelPasscodeError> ReadPanelPasscode(const std::string& newText,
                                                                  const std::string& confirmText)
{
    if (!IsFourDigits(newText))
        return PanelPasscodeError{kInvalidPasscode};
    if (newText != confirmText)
        return PanelPasscodeError{kConfirmMismatch};
    return static_cast<std::uint16_t>(std::stoi(newText));
}
