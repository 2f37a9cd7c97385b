#pragma once

#include <cstdint>
#include <string>

#include "app/IPromptService.h"

class CSettingsStore;

// The rules behind the passcode dialogs, so that each dialog only moves text
// in and out of its controls.

// "Enter Modbus Passcode" as it opens: a remembered passcode is offered
// behind a mask with the check box set; otherwise the edit is empty.
struct EnterPasscodeStart {
    std::uint32_t passcode = 0;
    bool remember = false;
    std::string editText;
};
constexpr const char* kMaskedPasscodeText = "xxxxxxxxxxxx";

EnterPasscodeStart OpenEnterPasscode(const CSettingsStore& store);

// OK of "Enter Modbus Passcode": the passcode to send. A typed edit is read as
// a C integer literal (anything else gives 0); an untouched edit keeps the
// offered passcode. A typed passcode is remembered when the box is checked; a
// cleared box forgets the remembered one.
std::uint32_t AcceptEnterPasscode(const EnterPasscodeStart& start, bool typed,
                                  const std::string& editText, bool remember,
                                  CSettingsStore& store);

// OK of "Protect Setting". Throws CPrivateException with the message to show
// (11003 when the new passcode and its confirmation differ, then the field
// messages of "Passcode") and the dialog stays open. Empty fields mean 0:
// an empty current passcode for an unprotected device, an empty new one to
// remove the protection.
ProtectRequest ValidateProtectInput(const std::string& currentText, const std::string& newText,
                                    const std::string& confirmText);

// OK of "Passcode Setting" (the front-panel passcode, word 29): exactly four
// characters (11002) and the same in both edits (11003). Returns the value
// the edit reads as a decimal number, 0 when it does not start with one.
std::uint16_t ValidateFrontPanelPasscode(const std::string& newText,
                                         const std::string& confirmText);
constexpr std::size_t kFrontPanelPasscodeLength = 4;
