#include <gtest/gtest.h>

#include <map>

#include "app/CPrivateException.h"
#include "app/IFileSystem.h"
#include "device/CConfigFile.h"

namespace {

// Files in memory, each with the status the platform would report.
class CMemoryFiles : public IFileSystem {
public:
    std::map<std::string, Status> status;
    std::map<std::string, std::string> content;

    Status StatusOf(const std::string& path) override
    {
        const auto it = status.find(path);
        return it == status.end() ? Status{} : it->second;
    }
    std::error_code ReadWholeFile(const std::string& path, std::size_t, std::string& out) override
    {
        const auto it = content.find(path);
        if (it == content.end())
            return std::make_error_code(std::errc::no_such_file_or_directory);
        out = it->second;
        return {};
    }
    std::error_code ReplaceFile(const std::string& path, std::string_view data) override
    {
        content[path] = std::string(data);
        status[path] = {Kind::Regular, false};
        return {};
    }
};

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override { SetFileSystem(&files_); }
    void TearDown() override { SetFileSystem(nullptr); }

    CMemoryFiles files_;
};

struct RefusalCase {
    IFileSystem::Kind kind;
    bool writeProtected;
    std::errc error;
};

class AtomicWriteRefusal : public FileSystemTest,
                           public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(AtomicWriteRefusal, LeavesTheTargetAlone)
{
    const RefusalCase& c = GetParam();
    files_.status["target"] = {c.kind, c.writeProtected};
    files_.content["target"] = "old";
    EXPECT_EQ(WriteFileAtomically("target", "new"), c.error);
    EXPECT_EQ(files_.content["target"], "old");
}

INSTANTIATE_TEST_SUITE_P(
    NotARegularWritableFile, AtomicWriteRefusal,
    ::testing::Values(RefusalCase{IFileSystem::Kind::Directory, false, std::errc::is_a_directory},
                      RefusalCase{IFileSystem::Kind::Other, false, std::errc::invalid_argument},
                      RefusalCase{IFileSystem::Kind::Regular, true, std::errc::permission_denied}));

TEST_F(FileSystemTest, RegularAndMissingFilesAreReplaced)
{
    files_.status["old"] = {IFileSystem::Kind::Regular, false};
    files_.content["old"] = "old";
    EXPECT_FALSE(WriteFileAtomically("old", "new"));
    EXPECT_FALSE(WriteFileAtomically("fresh", "text"));
    EXPECT_EQ(files_.content["old"], "new");
    EXPECT_EQ(files_.content["fresh"], "text");
}

// A program that never installed a file system reports its saves and loads
// as failures, never as done.
TEST(NoFileSystem, SavesAndLoadsFailWithTheFileErrorTexts)
{
    SetFileSystem(nullptr);
    std::string content = "stale";
    EXPECT_EQ(ReadWholeFile("a.cfg", 10, content), std::errc::function_not_supported);
    EXPECT_TRUE(content.empty());
    EXPECT_EQ(WriteFileAtomically("a.cfg", "x"), std::errc::function_not_supported);

    const std::string reason = SystemErrorText(ENOSYS);
    try {
        CConfigFile::SaveToFile(ParameterSet(), "a.cfg");
        ADD_FAILURE() << "saved without a file system";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Save error. " + reason);
    }
    try {
        ParameterSet set;
        CConfigFile::LoadFromFile(set, "a.cfg");
        ADD_FAILURE() << "loaded without a file system";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Load error. " + reason);
    }
}

} // namespace
