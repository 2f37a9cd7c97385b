#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/CStringTable.h"

namespace {

namespace fs = std::filesystem;

using FileOfId = std::map<int, std::string>;

// Parses every file of a language folder, failing on an id defined in two files.
CStringTable::Table LoadFolder(const std::string& folder, FileOfId* fileOfId = nullptr)
{
    CStringTable::Table all;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".txt")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        CStringTable::Table t;
        std::string error;
        EXPECT_TRUE(CStringTable::Parse(s.str(), t, &error)) << f << ": " << error;
        for (auto& [id, text] : t) {
            EXPECT_TRUE(all.emplace(id, text).second) << "id " << id << " again in " << f;
            if (fileOfId)
                fileOfId->emplace(id, f.filename().string());
        }
    }
    return all;
}

std::multiset<std::string> Inserts(const std::string& text)
{
    static const std::regex insert(R"(%[1-9][0-9]?(![^!]*!)?|%[-+#0-9.]*l?[sdufxXc])");
    std::multiset<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), insert), end; it != end; ++it)
        found.insert(it->str());
    return found;
}

// Unnumbered inserts are taken by position, so their order must survive translation.
std::vector<std::string> PlainInserts(const std::string& text)
{
    static const std::regex plain(R"(%[-+#0-9.]*l?[sdufxXc])");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), plain), end; it != end; ++it)
        found.push_back(it->str());
    return found;
}

std::string JoinIds(const std::vector<int>& ids)
{
    std::string joined;
    for (int id : ids)
        joined += (joined.empty() ? "" : ", ") + std::to_string(id);
    return joined;
}

const std::string kStrings = std::string(ORMEL_SOURCE_DIR) + "/resources/strings/";

} // namespace

TEST(LanguageModule, JapaneseTextsKeepTheIdsAndInsertsOfTheEnglishOnes)
{
    const auto en = LoadFolder(kStrings + "en");
    const auto jpn = LoadFolder(kStrings + "jpn");
    ASSERT_FALSE(jpn.empty());
    for (const auto& [id, text] : jpn) {
        auto it = en.find(id);
        if (it == en.end()) {
            ADD_FAILURE() << "Japanese id " << id << " has no English text";
            continue;
        }
        EXPECT_EQ(Inserts(text), Inserts(it->second)) << "inserts differ for id " << id;
        EXPECT_EQ(PlainInserts(text), PlainInserts(it->second))
            << "unnumbered inserts reordered for id " << id;
        // Device-type texts and file filters are split at '|'.
        EXPECT_EQ(std::count(text.begin(), text.end(), '|'),
                  std::count(it->second.begin(), it->second.end(), '|'))
            << "'|' fields differ for id " << id;
    }
}

TEST(LanguageModule, EveryEnglishTextHasAJapaneseOneInTheFileOfTheSameName)
{
    FileOfId enFile, jpnFile;
    const auto en = LoadFolder(kStrings + "en", &enFile);
    const auto jpn = LoadFolder(kStrings + "jpn", &jpnFile);
    std::vector<int> missing, misplaced;
    for (const auto& [id, text] : en) {
        auto it = jpn.find(id);
        if (it == jpn.end() || (it->second.empty() && !text.empty()))
            missing.push_back(id);
        else if (jpnFile[id] != enFile[id])
            misplaced.push_back(id);
    }
    EXPECT_TRUE(missing.empty()) << missing.size()
                                 << " English id(s) without Japanese text: " << JoinIds(missing);
    EXPECT_TRUE(misplaced.empty())
        << "Japanese text not in the file named like the English one: " << JoinIds(misplaced);
}

TEST(LanguageModule, EmbeddedEnglishTableHoldsEveryTextOfTheFolder)
{
    EXPECT_EQ(CStringTable::English(), LoadFolder(kStrings + "en"));
}

TEST(LanguageModule, BuiltModuleLoads)
{
    const std::string module = std::string(ORMEL_BINARY_DIR) + "/bin/ORMEL_jpn.txt";
    if (!fs::exists(module))
        GTEST_SKIP() << "language module not built";
    auto& table = CStringTable::Instance();
    std::string error;
    ASSERT_TRUE(table.LoadLanguageModule(module, &error)) << error;
    EXPECT_FALSE(table.IsEnglish());
    table.UseEnglish();
}
