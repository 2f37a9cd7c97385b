#include <gtest/gtest.h>

#include "app/CSettingsStore.h"
#include "device/PasscodeRules.h"

TEST(PasscodeLiteral, ReadsCIntegerLiteralsAndRejectsEverythingElseAsZero)
{
    EXPECT_EQ(ParseModbusPasscodeLiteral("1234"), 1234u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("0x1F"), 31u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("017"), 15u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("999999999"), 999999999u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("1000000000"), 0u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("12ab"), 0u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("-5"), 0u);
    EXPECT_EQ(ParseModbusPasscodeLiteral(""), 0u);
    EXPECT_EQ(ParseModbusPasscodeLiteral("09"), 0u); // not an octal number
    EXPECT_EQ(ParseModbusPasscodeLiteral("99999999999999999999999"), 0u);
}

TEST(RememberedPasscode, TransformIsInvertibleOverTheWholeRange)
{
    // A sample spread over 1..999999999 plus both ends.
    for (std::uint32_t p = 1; p <= 999999999u; p += 7919 * 13) {
        const std::int32_t stored = EncodeRememberedPasscode(p);
        EXPECT_GT(stored, 0);
        EXPECT_NE(static_cast<std::int64_t>(stored), static_cast<std::int64_t>(p) + 1000000000);
        ASSERT_EQ(DecodeRememberedPasscode(stored), p);
    }
    EXPECT_EQ(DecodeRememberedPasscode(EncodeRememberedPasscode(999999999)), 999999999u);
    EXPECT_EQ(DecodeRememberedPasscode(EncodeRememberedPasscode(0)), 0u);
}

TEST(RememberedPasscode, SettingsValueMinusOneOrGarbageMeansNothingRemembered)
{
    CMemorySettingsStore store;
    EXPECT_FALSE(LoadRememberedPasscode(store));
    SaveRememberedPasscode(store, 424242);
    EXPECT_EQ(LoadRememberedPasscode(store), 424242u);
    ForgetRememberedPasscode(store);
    EXPECT_EQ(store.GetInt("Settings", "Passcode", 0), -1);
    EXPECT_FALSE(LoadRememberedPasscode(store));
    store.SetInt("Settings", "Passcode", -7); // no transform result is negative
    EXPECT_FALSE(LoadRememberedPasscode(store));
}
