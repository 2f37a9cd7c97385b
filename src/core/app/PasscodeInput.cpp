#include "app/PasscodeInput.h"

#include <cstdio>

#include "app/CPrivateException.h"
#include "device/PasscodeRules.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"

namespace {
constexpr int kPasscodeName = 15654;
constexpr int kMsgInvalidPasscode = 11002;
constexpr int kMsgConfirmMismatch = 11003;
} // namespace

EnterPasscodeStart LoadEnterPasscode(const CSettingsStore& store)
{
    const auto remembered = LoadRememberedPasscode(store);
    if (!remembered)
        return {};
    return {true, *remembered};
}

std::uint32_t CommitEnterPasscode(CSettingsStore& store, bool typed, const std::string& text,
                                  bool remember, std::uint32_t restored)
{
    const std::uint32_t passcode = typed ? ParseModbusPasscodeLiteral(text) : restored;
    if (!remember)
        ForgetRememberedPasscode(store);
    else if (typed)
        SaveRememberedPasscode(store, passcode);
    return passcode;
}

std::uint32_t ReadProtectPasscode(const std::string& text)
{
    if (text.empty())
        return 0;
    NumericField field;
    field.minimum = 1;
    field.maximum = kMaxModbusPasscode;
    field.nameId = kPasscodeName;
    return static_cast<std::uint32_t>(ReadNumericField(text, field));
}

ProtectRequest ReadProtectRequest(const std::string& current, const std::string& newPasscode,
                                  const std::string& confirm, ProtectInputError* error)
{
    auto fail = [&](ProtectField field, const std::string& text) {
        if (error)
            *error = {field, text};
        throw CPrivateException(text);
    };
    if (newPasscode != confirm)
        fail(ProtectField::ConfirmPasscode, LoadText(kMsgConfirmMismatch));
    ProtectRequest request;
    try {
        request.currentPasscode = ReadProtectPasscode(current);
    } catch (const CPrivateException& e) {
        fail(ProtectField::CurrentPasscode, e.Text());
    }
    try {
        request.newPasscode = ReadProtectPasscode(newPasscode);
    } catch (const CPrivateException& e) {
        fail(ProtectField::NewPasscode, e.Text());
    }
    return request;
}

int ReadFrontPanelPasscode(const std::string& newPasscode, const std::string& confirm)
{
    if (newPasscode.size() != kFrontPanelPasscodeLength)
        throw CPrivateException(kMsgInvalidPasscode);
    if (newPasscode != confirm)
        throw CPrivateException(kMsgConfirmMismatch);
    // Read like "%d": leading digits count. Text without a leading number, or a
    // negative one, has no passcode to store and is refused rather than
    // leaving the value undefined.
    int value = 0;
    if (std::sscanf(newPasscode.c_str(), "%d", &value) != 1 || value < 0)
        throw CPrivateException(kMsgInvalidPasscode);
    return value;
}
