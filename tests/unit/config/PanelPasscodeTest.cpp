#include <gtest/gtest.h>

#include "config/PanelPasscode.h"

namespace {

int ErrorOf(const std::string& a, const std::string& b)
{
    const auto r = ReadPanelPasscode(a, b);
    const auto* e = std::get_if<PanelPasscodeError>(&r);
    return e ? e->messageId : 0;
}

TEST(PanelPasscodeTest, FourDigitsThatMatchAreStored)
{
    EXPECT_EQ(std::get<std::uint16_t>(ReadPanelPasscode("0042", "0042")), 42);
    EXPECT_EQ(std::get<std::uint16_t>(ReadPanelPasscode("9999", "9999")), 9999);
}

TEST(PanelPasscodeTest, AnythingButFourDigitsIsInvalid)
{
    for (const char* text : {"", "123", "12345", "12a4", "-123", " 123", "+123"})
        EXPECT_EQ(ErrorOf(text, text), 11002) << text;
}

TEST(PanelPasscodeTest, LengthIsCheckedBeforeTheConfirmation)
{
    EXPECT_EQ(ErrorOf("1234", "1235"), 11003);
    EXPECT_EQ(ErrorOf("123", "1234"), 11002);
}

} // namespace
