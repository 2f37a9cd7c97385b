#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "comm/CSerialPortList.h"
#include "comm/PortNames.h"

TEST(ParsePortNumber, AcceptsComAndDigitsUpToAColon)
{
    EXPECT_EQ(ParsePortNumber("COM3"), 3);
    EXPECT_EQ(ParsePortNumber("com12:"), 12);
    EXPECT_EQ(ParsePortNumber("CoM7:tail"), 7);
    EXPECT_EQ(ParsePortNumber("COM256"), 256);
}

TEST(ParsePortNumber, RejectsEverythingElse)
{
    for (const char* text : {"", "COM", "COM:", "COM:3", "COM3 ", "COMX", "LPT1", " COM3", "CO3",
                             "COM3a", "COM99999999999"})
        EXPECT_EQ(ParsePortNumber(text), -1) << '"' << text << '"';
}

TEST(PortDisplayName, KeepsADescriptionThatNamesThePort)
{
    EXPECT_EQ(PortDisplayName("Communications Port (COM4)", "COM4"), "Communications Port (COM4)");
    EXPECT_EQ(PortDisplayName("USB Serial Device", "COM4"), "USB Serial Device (COM4)");
    EXPECT_EQ(PortDisplayName("", "COM4"), " (COM4)");
    EXPECT_EQ(PortDisplayName("Serial on ttyUSB0", "ttyUSB0"), "Serial on ttyUSB0");
    EXPECT_EQ(PortDisplayName("CP2102 USB to UART Bridge Controller", "ttyUSB0"),
              "CP2102 USB to UART Bridge Controller (ttyUSB0)");
}

TEST(PortDisplayName, WritesComNamesInUpperCase)
{
    EXPECT_EQ(PortDisplayName("USB Serial Device", "com12"), "USB Serial Device (COM12)");
    // "COM1" inside "COM12" is not the port COM1.
    EXPECT_EQ(PortDisplayName("Bridge (COM12)", "COM1"), "Bridge (COM12)");
}

TEST(ComparePortNames, DigitRunsCompareByValue)
{
    std::vector<std::string> names = {"ttyUSB10", "ttyS1", "ttyUSB2", "COM10", "ttyACM0",
                                      "COM9",     "ttyS0", "ttyUSB1", "ttyS01"};
    std::sort(names.begin(), names.end(), PortNameLess{});
    const std::vector<std::string> expected = {"COM9",  "COM10",   "ttyACM0", "ttyS0",   "ttyS01",
                                               "ttyS1", "ttyUSB1", "ttyUSB2", "ttyUSB10"};
    EXPECT_EQ(names, expected);
}

TEST(ComparePortNames, IsAStrictOrderOverDistinctNames)
{
    const std::vector<std::string> names = {"a",   "a0", "a00", "a1", "a01", "a10",
                                            "a9b", "ab", "1",   "01", "",    "a/1"};
    for (const auto& x : names) {
        EXPECT_EQ(ComparePortNames(x, x), 0) << x;
        for (const auto& y : names) {
            EXPECT_EQ(ComparePortNames(x, y), -ComparePortNames(y, x)) << x << " " << y;
            if (x != y) {
                EXPECT_NE(ComparePortNames(x, y), 0) << x << " " << y;
            }
            for (const auto& z : names) {
                if (ComparePortNames(x, y) < 0 && ComparePortNames(y, z) < 0) {
                    EXPECT_LT(ComparePortNames(x, z), 0) << x << " " << y << " " << z;
                }
            }
        }
    }
}

class SerialPortListTest : public testing::Test {
protected:
    void Add(const std::string& name, const std::string& display, const std::string& vid = "",
             const std::string& pid = "")
    {
        list.Store(name, {"/dev/" + name, display, vid, pid});
    }
    CSerialPortList list;
};

TEST_F(SerialPortListTest, ListsInPortOrderAndReadsEmptyOutsideIt)
{
    Add("ttyUSB10", "Ten (ttyUSB10)");
    Add("ttyUSB2", "Two (ttyUSB2)");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.PathAt(0), "/dev/ttyUSB2");
    EXPECT_EQ(list.DisplayNameAt(1), "Ten (ttyUSB10)");
    EXPECT_EQ(list.PathAt(2), "");
    EXPECT_EQ(list.DisplayNameAt(-1), "");
}

TEST_F(SerialPortListTest, APortStoredTwiceKeepsTheLaterEntry)
{
    Add("ttyUSB0", "First (ttyUSB0)");
    Add("ttyUSB0", "Second (ttyUSB0)", "A7C4", "0005");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.DisplayNameAt(0), "Second (ttyUSB0)");
    EXPECT_EQ(list.FindAdapter("0005"), 0);
}

TEST_F(SerialPortListTest, FindAdapterNeedsTheMakersIdsExactly)
{
    Add("ttyUSB0", "Other vendor", "10C4", "0005");
    Add("ttyUSB1", "Lower case", "a7c4", "0004");
    Add("ttyUSB2", "IR one", "A7C4", "0004");
    Add("ttyUSB3", "IR two", "A7C4", "0004");
    Add("ttyUSB4", "Cable", "A7C4", "0005");
    EXPECT_EQ(list.FindAdapter(kInfraredAdapterProductId), 2);
    EXPECT_EQ(list.FindAdapter(kConfigCableProductId), 4);
    EXPECT_EQ(list.FindAdapter("0006"), -1);
    EXPECT_EQ(CSerialPortList().FindAdapter("0005"), -1);
}

TEST_F(SerialPortListTest, ModeSelectsTheLastRememberedNameElseItsAdapter)
{
    Add("ttyS0", "Same name");
    Add("ttyUSB0", "IR adapter (ttyUSB0)", "A7C4", "0004");
    Add("ttyUSB1", "Cable (ttyUSB1)", "A7C4", "0005");
    Add("ttyUSB2", "Same name");
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Rs485, "Same name"), 3);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Rs485, "same name"), 2);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Config, "gone"), 2);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Infrared, ""), 1);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Tcp, "Same name"), -1);
    EXPECT_EQ(CSerialPortList().IndexForMode(ConnectionMode::Config, ""), -1);
}

// A remembered port the system no longer reports is usually an adapter that
// was unplugged or came back under another name: the adapter must win.
TEST_F(SerialPortListTest, AReportedAdapterWinsOverARememberedPortThatIsGone)
{
    Add("ttyUSB1", "IR adapter (ttyUSB1)", "A7C4", "0004");
    Add("ttyUSB2", "Cable (ttyUSB2)", "A7C4", "0005");
    list.StoreRemembered("ttyUSB0", {"/dev/ttyUSB0", "IR adapter (ttyUSB0)", "", ""});
    list.StoreRemembered("pts/3", {"/dev/pts/3", "pts/3", "", ""});
    // Listed as pts/3, ttyUSB0, ttyUSB1, ttyUSB2.
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Infrared, "IR adapter (ttyUSB0)"), 2);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Config, "pts/3"), 3);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Rs485, "IR adapter (ttyUSB1)"), 2);
}

TEST_F(SerialPortListTest, ARememberedPortIsChosenWhenNoAdapterIsThere)
{
    Add("ttyS0", "Serial (ttyS0)");
    list.StoreRemembered("pts/3", {"/dev/pts/3", "pts/3", "", ""});
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Rs485, "pts/3"), 0);
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Infrared, "pts/3"), 0);
    // Reported after all, it is an ordinary port again and beats the adapter.
    Add("ttyUSB0", "IR (ttyUSB0)", "A7C4", "0004");
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Infrared, "pts/3"), 2);
    Add("pts/3", "pts/3");
    EXPECT_EQ(list.IndexForMode(ConnectionMode::Infrared, "pts/3"), 0);
}
