#include "device/PasscodeInput.h"

#include <cstdio>

#include "app/CPrivateException.h"
#include "device/PasscodeRules.h"
#include "text/NumericFieldReader.h"

namespace {

constexpr int kTextInvalidPasscode = 11002;
constexpr int kTextConfirmMismatch = 11003;
constexpr int kTextPasscodeName = 15654;

std::uint32_t ReadModbusPasscodeField(const std::string& text)
{
    if (text.empty())
        return 0;
    const NumericField field{1, 1, kMaxModbusPasscode, kTextPasscodeName, std::nullopt};
    return static_cast<std::uint32_t>(ReadNumericField(text, field));
}

} // namespace

EnterPasscodeStart OpenEnterPasscode(const CSettingsStore& store)
{
    EnterPasscodeStart start;
    if (const auto remembered = LoadRememberedPasscode(store)) {
        start.passcode = *remembered;
        start.remember = true;
        start.editText = kMaskedPasscodeText;
    }
    return start;
}

std::uint32_t AcceptEnterPasscode(const EnterPasscodeStart& start, bool typed,
                                  const std::string& editText, bool remember, CSettingsStore& store)
{
    const std::uint32_t passcode = typed ? ParseModbusPasscodeLiteral(editText) : start.passcode;
    if (!remember)
        ForgetRememberedPasscode(store);
    else if (typed)
        SaveRememberedPasscode(store, passcode);
    return passcode;
}

ProtectRequest ValidateProtectInput(const std::string& currentText, const std::string& newText,
                                    const std::string& confirmText)
{
    if (newText != confirmText)
        throw CPrivateException(kTextConfirmMismatch);
    ProtectRequest request;
    request.currentPasscode = ReadModbusPasscodeField(currentText);
    request.newPasscode = ReadModbusPasscodeField(newText);
    return request;
}

std::uint16_t ValidateFrontPanelPasscode(const std::string& newText, const std::string& confirmText)
{
    if (newText.size() != kFrontPanelPasscodeLength)
        throw CPrivateException(kTextInvalidPasscode);
    if (newText != confirmText)
        throw CPrivateException(kTextConfirmMismatch);
    int value = 0;
    if (std::sscanf(newText.c_str(), "%d", &value) != 1)
        value = 0;
    return static_cast<std::uint16_t>(value);
}
