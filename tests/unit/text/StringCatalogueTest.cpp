#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/CStringTable.h"

namespace {

namespace fs = std::filesystem;

const fs::path kEnglishDir = fs::path(ORMEL_SOURCE_DIR) / "resources" / "strings" / "en";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::vector<fs::path> EnglishFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kEnglishDir))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The inserts of one text: numbered ones ("%2!d!", "%1") and plain printf ones ("%s").
struct Inserts {
    std::set<int> numbered;
    int plain = 0;
    std::string error;
};

Inserts ScanInserts(const std::string& text)
{
    static const std::string kConversions = "diuxXocfFeEgGs";
    static const std::string kFlags = "-+#0123456789.lhI";
    Inserts found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        const char next = text[i + 1];
        if (next == '%') {
            ++i;
        } else if (next >= '1' && next <= '9') {
            size_t j = i + 1;
            int number = 0;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                number = number * 10 + (text[j++] - '0');
            found.numbered.insert(number);
            if (j < text.size() && text[j] == '!') {
                const size_t end = text.find('!', j + 1);
                const std::string conv =
                    end == std::string::npos ? "" : text.substr(j + 1, end - j - 1);
                if (conv.empty() || kConversions.find(conv.back()) == std::string::npos ||
                    conv.substr(0, conv.size() - 1).find_first_not_of(kFlags) != std::string::npos)
                    found.error = "unclosed or invalid insert at offset " + std::to_string(i);
                i = end == std::string::npos ? text.size() : end;
            }
        } else {
            size_t j = i + 1;
            while (j < text.size() && kFlags.find(text[j]) != std::string::npos)
                ++j;
            if (j < text.size() && kConversions.find(text[j]) != std::string::npos) {
                ++found.plain;
                i = j;
            }
        }
    }
    return found;
}

} // namespace

TEST(StringCatalogue, EveryFileParsesAndNoIdIsDefinedInTwoFiles)
{
    std::map<int, std::string> owner;
    size_t total = 0;
    for (const auto& path : EnglishFiles()) {
        CStringTable::Table table;
        std::string error;
        ASSERT_TRUE(CStringTable::Parse(ReadFile(path), table, &error))
            << path.filename() << ": " << error;
        for (const auto& [id, text] : table) {
            const auto [it, inserted] = owner.emplace(id, path.filename().string());
            EXPECT_TRUE(inserted) << "id " << id << " is in " << it->second << " and in "
                                  << path.filename();
        }
        total += table.size();
    }
    // The embedded table is the concatenation: a duplicate or a bad line would cut it short.
    EXPECT_EQ(CStringTable::English().size(), total);
    EXPECT_EQ(CStringTable::English().size(), owner.size());
}

struct KnownText {
    int id;
    const char* text;
};

class KnownTexts : public testing::TestWithParam<KnownText> {};

TEST_P(KnownTexts, AreStoredExactly)
{
    const auto& table = CStringTable::English();
    const auto it = table.find(GetParam().id);
    ASSERT_NE(it, table.end()) << GetParam().id;
    EXPECT_EQ(it->second, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FromEveryRange, KnownTexts,
    testing::Values(
        KnownText{1600 + 7, "Single-phase / 2-wire branced from Single-phase / 3-wire"},
        KnownText{3614, "U31 / 3-1 Delta volgate"}, KnownText{3633, "THDIN / Neutral cuurent THD"},
        KnownText{2430, "DIsable"}, KnownText{1905, "38400 bps"},
        KnownText{2700, "Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*||"},
        KnownText{5013, "T-EQA / Reactive energy"}, KnownText{5212, "EPA / Active energy, peak"},
        KnownText{5313, "L-EQA / Reactive energy, off peak"}, KnownText{5607, "Custom-2"},
        KnownText{6003, "Circuit D"}, KnownText{6614, "0.0k"}, KnownText{5773, "23:00 to 00:00"},
        KnownText{1305, "React.power"}, KnownText{999, " "},
        KnownText{11016, "    Communication error    "},
        KnownText{11000, "You should input %1!s! within the range of %2!s! - %3!s!."},
        KnownText{11013, "Modbus command failed. command=%1!s! address=%2!d! size=%3!d! "
                         "reason=%4!s!."},
        KnownText{11025, "Communication error. Please check device address, pc communication "
                         "port setting, cable, device power.\r\rError Information:\r%s"},
        KnownText{11040, "For KTA, the Modbus settings also apply to CONFIG communications, so "
                         "you must select Modbus-RTU and adjust the transfer rate, parity bit, "
                         "stop bit, and device address (node address) to the Modbus settings."
                         "\r\n(except when the Modbus settings are the same as the default "
                         "values)"},
        KnownText{11051, "Unit: %"}, KnownText{15152, "Secondary current / CT sensor"}),
    [](const testing::TestParamInfo<KnownText>& info) {
        return "Id" + std::to_string(info.param.id);
    });

TEST(StringCatalogue, InsertsAreWellFormedAndNumberedWithoutGaps)
{
    for (const auto& [id, text] : CStringTable::English()) {
        const Inserts inserts = ScanInserts(text);
        EXPECT_TRUE(inserts.error.empty()) << id << ": " << inserts.error;
        EXPECT_FALSE(!inserts.numbered.empty() && inserts.plain > 0)
            << id << " mixes numbered and plain inserts";
        int expected = 1;
        for (int number : inserts.numbered)
            EXPECT_EQ(number, expected++) << id << " skips an insert number";
    }
}

TEST(StringCatalogue, FormattingAMessageConsumesEveryInsert)
{
    const std::vector<FormatArg> args = {7001, 7002, 7003, 7004, 7005};
    for (const auto& [id, text] : CStringTable::English()) {
        const Inserts inserts = ScanInserts(text);
        if (inserts.numbered.empty())
            continue;
        const std::string out = FormatMessage(text, args);
        for (int number : inserts.numbered)
            EXPECT_NE(out.find(std::to_string(7000 + number)), std::string::npos)
                << id << ": %" << number << " missing from \"" << out << "\"";
        for (const char* leftover : {"!s!", "!d!", "%1", "%2", "%3", "%4"})
            EXPECT_EQ(out.find(leftover), std::string::npos) << id << ": " << out;
    }
    EXPECT_EQ(FormatText(11035, {"Frequency", "45.00", "65.00", "0.00"}),
              "You should input Frequency within 0.00 or the range of 45.00 - 65.00.");
    EXPECT_EQ(FormatText(11023, {4711, 2}),
              "This device is not supported. (device id=4711, extension id=2)");
}

TEST(StringCatalogue, DisplayItemListRunsOnIntoTheEnergyTexts)
{
    const auto& table = CStringTable::English();
    for (int v = 0; v <= 44; ++v)
        EXPECT_EQ(table.count(3600 + v), 1u) << "value " << v;
    for (int v = 45; v < 100; ++v)
        EXPECT_EQ(table.count(3600 + v), 0u) << "value " << v << " must have no text";
    for (int v = 100; v <= 119; ++v)
        EXPECT_EQ(table.count(3600 + v), 1u) << "value " << v;
    EXPECT_EQ(table.at(3600 + 100), "EP / Active energy, incoming");
    EXPECT_EQ(table.at(3600 + 119), "L-TIMER, off peak");
}

TEST(StringCatalogue, EnergyListsAgreeWithEachOther)
{
    const auto& table = CStringTable::English();
    for (int k : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13}) {
        const std::string& kind = table.at(5900 + k);
        EXPECT_EQ(table.at(5000 + k), "T-" + kind) << k;
        EXPECT_EQ(table.at(5200 + k), kind + ", peak") << k;
        EXPECT_EQ(table.at(5300 + k), "L-" + kind + ", off peak") << k;
    }
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(table.at(3700 + k), table.at(5900 + k)) << k;
        EXPECT_EQ(table.at(3710 + k), table.at(5300 + k)) << k;
    }
    // Code 9 is the operating timer, which a pulse output cannot count.
    for (int base : {5000, 5200, 5300, 5900})
        EXPECT_EQ(table.count(base + 9), 0u) << base;
}

struct ChoiceList {
    int base;
    int count;
};

class ChoiceLists : public testing::TestWithParam<ChoiceList> {};

TEST_P(ChoiceLists, HaveATextForEveryValueAndNoneBeyond)
{
    const auto& table = CStringTable::English();
    const auto [base, count] = GetParam();
    for (int v = 0; v < count; ++v)
        EXPECT_EQ(table.count(base + v), 1u) << base << " + " << v;
    EXPECT_EQ(table.count(base + count), 0u) << base << " + " << count;
}

INSTANTIATE_TEST_SUITE_P(
    Bases, ChoiceLists,
    testing::Values(
        ChoiceList{1600, 9}, ChoiceList{1700, 5}, ChoiceList{1800, 3}, ChoiceList{1850, 3},
        ChoiceList{1900, 6}, ChoiceList{1950, 3}, ChoiceList{2000, 2}, ChoiceList{2150, 4},
        ChoiceList{2400, 6}, ChoiceList{2420, 6}, ChoiceList{2500, 2}, ChoiceList{2600, 2},
        ChoiceList{2650, 3}, ChoiceList{2750, 2}, ChoiceList{2800, 2}, ChoiceList{2850, 2},
        ChoiceList{2900, 2}, ChoiceList{3000, 2}, ChoiceList{3050, 2}, ChoiceList{3100, 2},
        ChoiceList{3150, 2}, ChoiceList{3200, 2}, ChoiceList{3700, 20}, ChoiceList{3900, 2},
        ChoiceList{4200, 2}, ChoiceList{4500, 2}, ChoiceList{4600, 3}, ChoiceList{5400, 5},
        ChoiceList{5600, 8}, ChoiceList{5650, 2}, ChoiceList{5700, 2}, ChoiceList{6000, 4},
        ChoiceList{6100, 3}, ChoiceList{6200, 4}, ChoiceList{6300, 2}, ChoiceList{6400, 7},
        ChoiceList{6500, 10}, ChoiceList{6600, 15}, ChoiceList{6700, 2}, ChoiceList{6800, 2},
        ChoiceList{6900, 2}),
    [](const testing::TestParamInfo<ChoiceList>& info) {
        return "Base" + std::to_string(info.param.base);
    });
