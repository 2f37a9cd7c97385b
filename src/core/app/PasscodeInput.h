#pragma once

#include <cstdint>
#include <string>

#include "app/IPromptService.h"

class CSettingsStore;

// "Enter Modbus Passcode" as it opens: a remembered passcode is offered
// (masked) with the check box set; otherwise the box is clear and the passcode 0.
struct EnterPasscodeStart {
    bool remember = false;
    std::uint32_t passcode = 0;
};
EnterPasscodeStart LoadEnterPasscode(const CSettingsStore& store);

// OK of "Enter Modbus Passcode": a typed text is read as a C integer literal,
// an untouched edit keeps the restored passcode. A typed passcode is
// remembered when the box is set; a cleared box forgets the remembered one.
std::uint32_t CommitEnterPasscode(CSettingsStore& store, bool typed, const std::string& text,
                                  bool remember, std::uint32_t restored);

// A "Protect Setting" passcode field: empty is 0, otherwise an integer
// 1..999999999 or CPrivateException with the range message naming "Passcode".
std::uint32_t ReadProtectPasscode(const std::string& text);

// OK of "Protect Setting": confirmation first, then the current and the new
// passcode. Throws CPrivateException; field tells which edit to focus.
enum class ProtectField { NewPasscode, CurrentPasscode, ConfirmPasscode };
struct ProtectInputError {
    ProtectField field;
    std::string text;
};
ProtectRequest ReadProtectRequest(const std::string& current, const std::string& newPasscode,
                                  const std::string& confirm, ProtectInputError* error);

// OK of "Passcode Setting" (the front-panel passcode): exactly four
// characters that read as a non-negative number, and a matching confirmation.
// Throws CPrivateException with 11002 or 11003.
int ReadFrontPanelPasscode(const std::string& newPasscode, const std::string& confirm);

inline constexpr int kFrontPanelPasscodeLength = 4;
