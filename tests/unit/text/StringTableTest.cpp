#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"

TEST(FormatMessage, NumberedInsertsTakeTheirConversion)
{
    EXPECT_EQ(FormatMessage("Modbus command failed. command=%1!s! address=%2!d! size=%3!d! "
                            "reason=%4!s!.",
                            {"ReadHoldingRegisters", 5201, 4, "timeout"}),
              "Modbus command failed. command=ReadHoldingRegisters address=5201 size=4 "
              "reason=timeout.");
    EXPECT_EQ(FormatMessage("%2!s! before %1!s!", {"a", "b"}), "b before a");
    EXPECT_EQ(FormatMessage("%1!04X!", {0xAB}), "00AB");
    EXPECT_EQ(FormatMessage("%1 and %1", {"x"}), "x and x");
}

TEST(FormatMessage, PlainPrintfConversionsTakeArgumentsInOrder)
{
    EXPECT_EQ(FormatMessage("%s=%d (%.1lf%%)", {"rate", 7, 99.25}), "rate=7 (99.2%)");
    EXPECT_EQ(FormatMessage("%d", {"12"}), "12");
    EXPECT_EQ(FormatMessage("%s", {42}), "42");
}

TEST(FormatMessage, MissingArgumentsAndStrayPercentsAreHarmless)
{
    EXPECT_EQ(FormatMessage("%1!s!-%2!d!", {"a"}), "a-");
    EXPECT_EQ(FormatMessage("100% sure", {}), "100% sure");
    EXPECT_EQ(FormatMessage("ends with %", {}), "ends with %");
    EXPECT_EQ(FormatMessage("%1!s", {"x"}), "x!s");
}

// A language module is a text file anyone can edit; a conversion printf cannot
// be trusted with must never reach it. Such an insert shows its argument as text.
TEST(FormatMessage, ConversionsFromAnEditedModuleNeverReachPrintfUnchecked)
{
    EXPECT_EQ(FormatMessage("s%2!gggge\xae%0se%0sge!", {"a", 2.5}), "s2.5");
    EXPECT_EQ(FormatMessage("%1!%s%n%d!", {"a"}), "a");
    EXPECT_EQ(FormatMessage("[%1!999999999d!]", {7}), "[7]");
    EXPECT_EQ(FormatMessage("[%1!5.100f!]", {1.0}), "[1]");
    EXPECT_EQ(FormatMessage("[%ll.5d]", {3}), "[3]");
    EXPECT_EQ(FormatMessage("[%1!I64d!|%2!-5s!|%3!+.2lf!]", {12, "ab", 1.5}), "[12|ab   |+1.50]");
}

TEST(StringTable, ParsesIdsEscapesAndComments)
{
    CStringTable::Table t;
    std::string error;
    ASSERT_TRUE(CStringTable::Parse("# c\r\n10=a\\nb\r\n\n11=x=y\\\\\n12=\n", t, &error)) << error;
    EXPECT_EQ(t.at(10), "a\nb");
    EXPECT_EQ(t.at(11), "x=y\\");
    EXPECT_EQ(t.at(12), "");
}

TEST(StringTable, RejectsMalformedLinesAndDuplicates)
{
    CStringTable::Table t;
    std::string error;
    EXPECT_FALSE(CStringTable::Parse("10=a\n10=b\n", t, &error));
    EXPECT_EQ(error, "line 2: id given twice");
    t.clear();
    EXPECT_FALSE(CStringTable::Parse("x1=a\n", t, &error));
    t.clear();
    EXPECT_FALSE(CStringTable::Parse("no equals sign\n", t, &error));
    t.clear();
    EXPECT_FALSE(CStringTable::Parse("=a\n", t, &error));
}

TEST(StringTable, UnknownIdIsEmptyAndModuleOverridesOnlyItsIds)
{
    auto& table = CStringTable::Instance();
    EXPECT_EQ(LoadText(99999999), "");
    ASSERT_FALSE(LoadText(3500).empty());

    const std::string path = testing::TempDir() + "module.txt";
    {
        std::ofstream out(path);
        out << "3500=JA-KTA\n";
    }
    ASSERT_TRUE(table.LoadLanguageModule(path));
    EXPECT_FALSE(table.IsEnglish());
    EXPECT_EQ(LoadText(3500), "JA-KTA");
    EXPECT_EQ(LoadText(3501), CStringTable::English().at(3501));

    EXPECT_FALSE(table.LoadLanguageModule(path + ".missing"));
    EXPECT_EQ(LoadText(3500), "JA-KTA");
    table.UseEnglish();
    EXPECT_EQ(LoadText(3500), CStringTable::English().at(3500));
    std::remove(path.c_str());
}

// Windows look texts up from the GUI thread and workers alike; the recorder
// sees every miss once, and nothing that the table holds or that was only asked.
TEST(StringTable, MissRecorderCollectsMissingIdsFromEveryThread)
{
    auto& table = CStringTable::Instance();
    auto recorder = std::make_shared<CMissingTextRecorder>();
    table.SetMissRecorder(recorder);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i) {
                (void)LoadText(99999000 + (i + t) % 3);
                (void)LoadText(3500);
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_FALSE(table.Has(99999999));
    (void)FormatText(99999100, {1});
    EXPECT_EQ(recorder->Ids(), (std::vector<int>{99999000, 99999001, 99999002, 99999100}));

    recorder->Clear();
    table.SetMissRecorder(nullptr);
    (void)LoadText(99999000);
    EXPECT_TRUE(recorder->Ids().empty());
}

TEST(PrivateException, CarriesTextAndMarksAborts)
{
    EXPECT_EQ(CPrivateException("boom").Text(), "boom");
    EXPECT_FALSE(CPrivateException("boom").IsAbort());
    EXPECT_TRUE(CPrivateException::Aborted().IsAbort());
    EXPECT_EQ(CPrivateException(3500).Text(), LoadText(3500));
    EXPECT_EQ(SystemErrorText(2), "No such file or directory");
}
