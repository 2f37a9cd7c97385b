#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/DisplayTexts.h"
#include "monitor/MonitorTexts.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

namespace fs = std::filesystem;

CStringTable::Table LoadLanguageFolder(const std::string& language)
{
    CStringTable::Table all;
    const fs::path folder = fs::path(ORMEL_SOURCE_DIR) / "resources" / "strings" / language;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().extension() != ".txt")
            continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        CStringTable::Table t;
        EXPECT_TRUE(CStringTable::Parse(s.str(), t)) << e.path();
        all.merge(t);
    }
    return all;
}

// The ids several parts of the program look up through the shared tables.
const std::vector<int> kSharedIds = {
    TextId::Ok,
    TextId::Cancel,
    TextId::Close,
    TextId::DeviceAddress,
    TextId::NewPasscode,
    TextId::ConfirmPasscode,
    TextId::TagNo,
    TextId::ConfigurationFilter,
    TextId::DeviceAddressName,
    TextId::FirstChannel,
    TextId::FirstSensor,
    TextId::FirstCircuit,
    TextId::OutOfRange,
    TextId::NotNumber,
    TextId::OutOfRangeOrSpecial,
    TextId::PortCannotOpen,
    TextId::AllMatching,
    TextId::NotMatching,
    TextId::SaveError,
    TextId::Uploading,
    TextId::Downloading,
    TextId::Verifying,
    TextId::TcpError,
    TextId::PasscodeMismatch,
    TextId::DeviceNotSupported,
    TextId::TransferCommunicationError,
    TextId::AreYouSure,
    TextId::ClearAlarm,
    MonitorText::kVoltage,
    MonitorText::kCurrent,
    MonitorText::kActivePower,
    MonitorText::kReactivePower,
    MonitorText::kApparentPower,
    MonitorText::kPowerFactor,
    MonitorText::kFrequency,
    MonitorText::kNeutralCurrent,
    MonitorText::kActiveIn,
    MonitorText::kReactiveLag,
    MonitorText::kAo1,
    MonitorText::kFirmwareVersion,
    MonitorText::kSerial,
    MonitorText::kTagNo,
    MonitorText::kSupportInformation,
    MonitorText::kModel,
    MonitorText::kModbusPasscode,
    MonitorText::kProtectionEnabled,
    MonitorText::kProtectionDisabled,
    MonitorText::kNotSupported,
    MonitorText::kCommunicationError,
    MonitorText::kUnitMilliampere,
    DisplayText::OffTimer,
    DisplayText::DataDisplayView,
    DisplayText::UpdateRate,
};

} // namespace

TEST(TextIds, EverySharedIdHasAnEnglishAndAJapaneseText)
{
    const CStringTable::Table& english = CStringTable::English();
    const CStringTable::Table japanese = LoadLanguageFolder("jpn");
    ASSERT_FALSE(japanese.empty());
    for (const int id : kSharedIds) {
        const auto en = english.find(id);
        ASSERT_NE(en, english.end()) << id;
        EXPECT_FALSE(en->second.empty()) << id;
        const auto ja = japanese.find(id);
        ASSERT_NE(ja, japanese.end()) << id;
        EXPECT_FALSE(ja->second.empty()) << id;
    }
}

TEST(TextIds, SharedIdsSayWhatTheirNamesPromise)
{
    // A wrong number in the table would still find a text; these catch it.
    const std::vector<std::pair<int, std::string>> known = {
        {TextId::Ok, "OK"},
        {TextId::Cancel, "Cancel"},
        {TextId::Close, "Close"},
        {TextId::DeviceAddress, "Device address"},
        {TextId::DeviceAddressName, "Device address"},
        {TextId::NewPasscode, "New passcode"},
        {TextId::ConfirmPasscode, "Confirm new passcode"},
        {TextId::TagNo, "Tag No."},
        {TextId::FirstChannel, "1ch"},
        {TextId::FirstCircuit, "Circuit A"},
        {TextId::AllMatching, "All parameters matching."},
        {TextId::Uploading, "Uploading now..."},
        {TextId::Downloading, "Downloading now..."},
        {TextId::Verifying, "Verifying now..."},
        {TextId::AreYouSure, "Are you sure?"},
        {TextId::ClearAlarm, "Clear alarm?"},
        {TextId::PasscodeMismatch, "Modbus passcode mismatch!"},
        {MonitorText::kVoltage, "Voltage"},
        {MonitorText::kNeutralCurrent, "N. current"},
        {MonitorText::kActiveIn, "Active in"},
        {MonitorText::kReactiveLag, "Reactive LAG"},
        {MonitorText::kAo1, "Ao1"},
        {MonitorText::kUnitMilliampere, "Unit: mA"},
    };
    for (const auto& [id, text] : known)
        EXPECT_EQ(CStringTable::English().at(id), text) << id;
    // The messages carry the inserts their callers fill.
    const auto& en = CStringTable::English();
    EXPECT_NE(en.at(TextId::NotMatching).find("%1!d!"), std::string::npos);
    EXPECT_NE(en.at(TextId::SaveError).find("%1!s!"), std::string::npos);
    EXPECT_NE(en.at(TextId::TcpError).find("%1!s!"), std::string::npos);
    EXPECT_NE(en.at(TextId::PortCannotOpen).find("%s"), std::string::npos);
    EXPECT_NE(en.at(TextId::OutOfRangeOrSpecial).find("%4!s!"), std::string::npos);
    EXPECT_NE(en.at(TextId::ConfigurationFilter).find("*.cfg"), std::string::npos);
}
