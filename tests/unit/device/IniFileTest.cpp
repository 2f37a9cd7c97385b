#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "device/IniFile.h"
#include "support/PlatformFilesScope.h"
#include "support/TempDir.h"

TEST(IniFileRead, MatchesNamesWithoutCaseAndTakesTheFirstDuplicate)
{
    IniFile ini;
    ini.Parse("top=1\r\n[A]\r\n Key = 1 \r\nkey=2\r\n[a]\r\nother=3\r\n");
    EXPECT_EQ(ini.Get("a", "KEY"), "1");
    // The first section of a name is the only one read.
    EXPECT_FALSE(ini.Get("A", "other"));
    EXPECT_FALSE(ini.Get("", "top"));
}

TEST(IniFileRead, StripsBlanksAndOnePairOfQuotes)
{
    IniFile ini;
    ini.Parse("[S]\na=\t\"x y\" \nb='z'\nc=\"unbalanced\nd=\ne\n; f=1\n");
    EXPECT_EQ(ini.Get("S", "a"), "x y");
    EXPECT_EQ(ini.Get("S", "b"), "z");
    EXPECT_EQ(ini.Get("S", "c"), "\"unbalanced");
    EXPECT_EQ(ini.Get("S", "d"), "");
    EXPECT_FALSE(ini.Get("S", "e"));
    EXPECT_FALSE(ini.Get("S", "; f"));
}

TEST(IniFileWrite, OverwritesInPlaceAndAppendsAtTheEndOfTheSection)
{
    IniFile ini;
    ini.Parse("; head\r\n[S]\r\na=1\r\n\r\n; about T\r\n[T]\r\nb=2\r\n");
    ini.Set("S", "A", "9");
    ini.Set("S", "c", "3");
    ini.Set("U", "d", "4");
    EXPECT_EQ(ini.Text(),
              "; head\r\n[S]\r\nA=9\r\nc=3\r\n\r\n; about T\r\n[T]\r\nb=2\r\n[U]\r\nd=4\r\n");
}

TEST(IniFileWrite, KeepsLineEndingsAndByteOrderMarkOfTheFile)
{
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF[S]\na=1\n");
    EXPECT_EQ(ini.Get("S", "a"), "1");
    ini.Set("S", "b", "2");
    EXPECT_EQ(ini.Text(), "\xEF\xBB\xBF[S]\na=1\nb=2\n");

    IniFile fresh;
    fresh.Set("S", "a", "1");
    EXPECT_EQ(fresh.Text(), "[S]\r\na=1\r\n");
}

TEST(IniFileWrite, Utf16FileIsReadAndWrittenBackInUtf16)
{
    const auto utf16 = [](std::u16string_view text) {
        std::string bytes = "\xFF\xFE";
        for (const char16_t c : text) {
            bytes += char(c & 0xFF);
            bytes += char(c >> 8);
        }
        return bytes;
    };
    IniFile ini;
    ini.Parse(utf16(u"; Z\u00E4hler \U0001F50C\r\n[KTACFG]\r\nModel=4721\r\n"));
    EXPECT_EQ(ini.Get("KTACFG", "Model"), "4721");
    ini.Set("KTACFG", "Model", "4711");
    ini.Set("KTACFG", "DeviceExtension", "2");
    EXPECT_EQ(ini.Text(), utf16(u"; Z\u00E4hler \U0001F50C\r\n[KTACFG]\r\nModel=4711\r\n"
                                u"DeviceExtension=2\r\n"));
}

TEST(IniFileWrite, EmptySectionGetsItsFirstKeyRightAfterTheHeader)
{
    IniFile ini;
    ini.Parse("[S]\n\n[T]\n");
    ini.Set("S", "a", "1");
    EXPECT_EQ(ini.Text(), "[S]\na=1\n\n[T]\n");
}

class IniFileDisk : public ::testing::Test {
protected:
    CPlatformFilesScope files;
    TempDir dir;
};

TEST_F(IniFileDisk, ReadReportsMissingFilesAndDirectories)
{
    IniFile ini;
    EXPECT_EQ(ini.Read(dir.File("none.cfg")), std::errc::no_such_file_or_directory);
    EXPECT_EQ(ini.Read(dir.Path().string()), std::errc::is_a_directory);
}

TEST_F(IniFileDisk, OnlyRegularFilesAreReadOrReplaced)
{
    IniFile ini;
    ASSERT_EQ(ini.Read("/dev/null"), std::errc::invalid_argument);
    ini.Set("KTACFG", "Model", "4711");

    // Without a writer, a blocking open of a FIFO would never return.
    const std::string fifo = dir.File("pipe.cfg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ini.Read(fifo), std::errc::invalid_argument);
    EXPECT_EQ(ini.WriteAtomically(fifo), std::errc::invalid_argument);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(IniFileDisk, AtomicWriteKeepsModeAndFollowsLinks)
{
    const std::string real = dir.File("real.cfg");
    WriteWholeFile(real, "[S]\na=1\n");
    std::filesystem::permissions(real, std::filesystem::perms(0640));
    const std::string link = dir.File("link.cfg");
    std::filesystem::create_symlink(real, link);

    IniFile ini;
    ASSERT_FALSE(ini.Read(link));
    ini.Set("S", "a", "2");
    ASSERT_FALSE(ini.WriteAtomically(link));

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "[S]\na=2\n");
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
    // Nothing but the file and the link is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST_F(IniFileDisk, AtomicWriteOfALongNameStillFindsRoomForItsTemporary)
{
    const std::string path = dir.File(std::string(250, 'n'));
    IniFile ini;
    ini.Set("S", "a", "1");
    ASSERT_FALSE(ini.WriteAtomically(path));
    EXPECT_EQ(ReadWholeFile(path), "[S]\r\na=1\r\n");
}
