#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "app/CSettingsStore.h"
#include "device/PasscodeInput.h"
#include "device/PasscodeRules.h"
#include "text/CStringTable.h"

namespace {

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return "(no error)";
}

std::string RangeMessage()
{
    return FormatText(11000, {LoadText(15654), "1", "999999999"});
}

TEST(ProtectSettingInput, EmptyFieldsMeanNoPasscode)
{
    const ProtectRequest r = ValidateProtectInput("", "", "");
    EXPECT_EQ(r.currentPasscode, 0u);
    EXPECT_EQ(r.newPasscode, 0u);
}

TEST(ProtectSettingInput, AcceptsTheWholeRange)
{
    const ProtectRequest r = ValidateProtectInput("1", "999999999", "999999999");
    EXPECT_EQ(r.currentPasscode, 1u);
    EXPECT_EQ(r.newPasscode, 999999999u);
}

TEST(ProtectSettingInput, DifferingConfirmationComesFirst)
{
    EXPECT_EQ(MessageOf([] { ValidateProtectInput("0", "12", "13"); }), LoadText(11003));
    EXPECT_EQ(MessageOf([] { ValidateProtectInput("", "12", ""); }), LoadText(11003));
}

TEST(ProtectSettingInput, PasscodesOutsideTheRangeNamePasscode)
{
    EXPECT_EQ(MessageOf([] { ValidateProtectInput("0", "", ""); }), RangeMessage());
    EXPECT_EQ(MessageOf([] { ValidateProtectInput("", "1000000000", "1000000000"); }),
              RangeMessage());
    EXPECT_EQ(MessageOf([] { ValidateProtectInput("", "-5", "-5"); }), RangeMessage());
    EXPECT_NE(MessageOf([] { ValidateProtectInput("12ab", "", ""); }), "(no error)");
}

class EnterPasscodeInput : public ::testing::Test {
protected:
    CMemorySettingsStore store_;
};

TEST_F(EnterPasscodeInput, NothingRememberedOpensEmpty)
{
    const EnterPasscodeStart start = OpenEnterPasscode(store_);
    EXPECT_FALSE(start.remember);
    EXPECT_EQ(start.passcode, 0u);
    EXPECT_EQ(start.editText, "");
}

TEST_F(EnterPasscodeInput, TypedLiteralIsReadAndRememberedWhenChecked)
{
    const EnterPasscodeStart start = OpenEnterPasscode(store_);
    EXPECT_EQ(AcceptEnterPasscode(start, true, "0x1F", true, store_), 31u);
    EXPECT_EQ(LoadRememberedPasscode(store_), 31u);

    const EnterPasscodeStart again = OpenEnterPasscode(store_);
    EXPECT_TRUE(again.remember);
    EXPECT_EQ(again.editText, kMaskedPasscodeText);
    EXPECT_EQ(AcceptEnterPasscode(again, false, again.editText, true, store_), 31u);
}

TEST_F(EnterPasscodeInput, NumberFollowedByLettersCountsAsZero)
{
    EXPECT_EQ(AcceptEnterPasscode(OpenEnterPasscode(store_), true, "12ab", false, store_), 0u);
}

TEST_F(EnterPasscodeInput, ClearedBoxForgetsTheRememberedPasscode)
{
    SaveRememberedPasscode(store_, 4711);
    const EnterPasscodeStart start = OpenEnterPasscode(store_);
    EXPECT_EQ(AcceptEnterPasscode(start, false, start.editText, false, store_), 4711u);
    EXPECT_EQ(store_.GetInt("Settings", "Passcode", 0), -1);
}

TEST(FrontPanelPasscodeInput, NeedsExactlyFourCharacters)
{
    EXPECT_EQ(MessageOf([] { ValidateFrontPanelPasscode("123", "123"); }), LoadText(11002));
    EXPECT_EQ(MessageOf([] { ValidateFrontPanelPasscode("12345", "12345"); }), LoadText(11002));
    EXPECT_EQ(MessageOf([] { ValidateFrontPanelPasscode("1234", "1235"); }), LoadText(11003));
    EXPECT_EQ(ValidateFrontPanelPasscode("0042", "0042"), 42);
}

} // namespace
