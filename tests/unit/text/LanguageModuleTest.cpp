#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "text/CStringTable.h"

namespace {

namespace fs = std::filesystem;

// Parses every file of a language folder, failing on an id defined in two files.
CStringTable::Table LoadFolder(const std::string& folder)
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
        for (auto& [id, text] : t)
            EXPECT_TRUE(all.emplace(id, text).second) << "id " << id << " again in " << f;
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

const std::string kStrings = std::string(ORMEL_SOURCE_DIR) + "/resources/strings/";

}  // namespace

TEST(LanguageModule, JapaneseTextsKeepTheIdsAndInsertsOfTheEnglishOnes)
{
    const auto en = LoadFolder(kStrings + "en");
    const auto jpn = LoadFolder(kStrings + "jpn");
    ASSERT_FALSE(jpn.empty());
    for (const auto& [id, text] : jpn) {
        auto it = en.find(id);
        ASSERT_NE(it, en.end()) << "Japanese id " << id << " has no English text";
        EXPECT_EQ(Inserts(text), Inserts(it->second)) << "inserts differ for id " << id;
    }
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
