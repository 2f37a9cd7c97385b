#pragma once

#include <cstdint>
#include <string>
#include <variant>

// The front-panel passcode (word 29) as typed into "Passcode Setting".
constexpr int kPanelPasscodeWord = 29;
constexpr int kPanelPasscodeLength = 4;

struct PanelPasscodeError {
    int messageId = 0; // 11002 invalid passcode, 11003 confirmation differs
};

// The passcode to store, or the message to show. The device's keys enter
// four decimal digits, so anything else is refused as an invalid passcode
// (a sign or letters would otherwise store a number nobody can key in).
std::variant<std::uint16_t, PanelPasscodeError> ReadPanelPasscode(const std::string& newText,
                                                                  const std::string& confirmText);
