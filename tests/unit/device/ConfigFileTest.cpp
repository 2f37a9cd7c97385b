#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/CPrivateException.h"
#include "device/CConfigFile.h"
#include "device/IniFile.h"
#include "device/RegisterMap.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "support/PlatformFilesScope.h"
#include "support/TempDir.h"

namespace {
// Values that tell words apart, fill both halves of 32-bit values and make
// some of them negative.
ParameterSet PatternedSet(int typeId)
{
    ParameterSet set = ZeroedSetOf(typeId);
    for (int w = 0; w < kParameterWords; ++w)
        set[w] = static_cast<std::uint16_t>(w * 7919 + typeId * 131 + 1);
    return set;
}

std::vector<bool> WordsInFile(const CDeviceType& type)
{
    std::vector<bool> covered(kParameterWords, false);
    for (const RegisterBlock& e : RegisterMapFor(type)) {
        if (EntryApplies(e, type))
            for (int w = e.firstWord; w < e.EndWord(); ++w)
                covered[size_t(w)] = true;
    }
    return covered;
}

std::string RemoveLine(const std::string& text, const std::string& line)
{
    std::string out = text;
    const auto at = out.find(line + "\r\n");
    if (at != std::string::npos)
        out.erase(at, line.size() + 2);
    return out;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CPrivateException& e) {
        return e.IsAbort() ? "<abort>" : e.Text();
    }
    return "<no error>";
}

const std::string kInvalidFormat = "Load error. Invalid file format.";

} // namespace

class ConfigFile : public ::testing::Test {
protected:
    void Save(const ParameterSet& set) { ASSERT_TRUE(CConfigFile::SaveToFile(set, path)); }
    ParameterSet Load()
    {
        ParameterSet set;
        EXPECT_TRUE(CConfigFile::LoadFromFile(set, path));
        return set;
    }
    std::string LoadError()
    {
        return ErrorOf([&] {
            ParameterSet set;
            CConfigFile::LoadFromFile(set, path);
        });
    }
    void Edit(const std::string& key, const std::string& value)
    {
        IniFile ini;
        ASSERT_FALSE(ini.Read(path));
        ini.Set(CConfigFile::kSection, key, value);
        ASSERT_FALSE(ini.WriteAtomically(path));
    }

    CPlatformFilesScope files;
    TempDir dir;
    std::string path = dir.File("device.cfg");
};

class ConfigFileRoundTrip : public ConfigFile, public ::testing::WithParamInterface<int> {};

TEST_P(ConfigFileRoundTrip, EveryWordOfTheVariantComesBack)
{
    const int typeId = DeviceCatalogue()[size_t(GetParam())].typeId;
    const ParameterSet saved = PatternedSet(typeId);
    Save(saved);
    const ParameterSet loaded = Load();

    EXPECT_TRUE(loaded.type.SameIdentity(saved.type));
    EXPECT_GE(loaded.type.CatalogueIndex(), 0);
    const ParameterSet untouched;
    const std::vector<bool> covered = WordsInFile(saved.type);
    for (int w = 0; w < kParameterWords; ++w)
        EXPECT_EQ(loaded[w], covered[size_t(w)] ? saved[w] : untouched[w]) << "word " << w;
}

INSTANTIATE_TEST_SUITE_P(AllVariants, ConfigFileRoundTrip, ::testing::Range(0, kDeviceTypeCount));

TEST_F(ConfigFile, WritesIdentityFirstThenKeysInMapOrder)
{
    Save(ZeroedSetOf(kKtaGen3Modbus));
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(
        text.rfind("[KTACFG]\r\nModel=4711\r\nDeviceExtension=2\r\nDeviceVersion=240\r\n"
                   "DeviceIO0=1\r\nDeviceIO1=1\r\nDeviceIO2=0\r\nDeviceIO3=0\r\nDeviceIO4=0\r\n"
                   "L5200=0\r\nL5201=0\r\n",
                   0),
        0u)
        << text.substr(0, 200);
}

TEST_F(ConfigFile, ThirtyTwoBitKeysRunOnByOnePerValue)
{
    ParameterSet set = ZeroedSetOf(kKtbGen1Modbus);
    set.Set32(112, -5);
    set.Set32(114, 70000);
    set.Set32(122, 6);
    Save(set);
    IniFile ini;
    ASSERT_FALSE(ini.Read(path));
    EXPECT_EQ(ini.Get("KTACFG", "L6768"), "-5");
    EXPECT_EQ(ini.Get("KTACFG", "L6769"), "70000");
    EXPECT_EQ(ini.Get("KTACFG", "L6773"), "6");
    // 6774-6779 hold the upper halves on the device and have no key.
    EXPECT_FALSE(ini.Get("KTACFG", "L6774"));
    EXPECT_TRUE(ini.Get("KTACFG", "L6780"));
}

TEST_F(ConfigFile, ThirtyTwoBitKeySetsBothWords)
{
    Save(ZeroedSetOf(kKtaGen3Modbus));
    Edit("L5603", "110");
    const ParameterSet set = Load();
    EXPECT_EQ(set[36], 110);
    EXPECT_EQ(set[37], 0);
}

TEST_F(ConfigFile, MissingModelIs4711)
{
    const ParameterSet saved = PatternedSet(kKtaGen3Modbus);
    Save(saved);
    WriteWholeFile(path, RemoveLine(ReadWholeFile(path), "Model=4711"));
    const ParameterSet loaded = Load();
    EXPECT_EQ(loaded.type.modelCode, 4711);
    EXPECT_EQ(loaded.type.TypeId(), kKtaGen3Modbus);
    EXPECT_EQ(loaded[0], saved[0]);
}

TEST_F(ConfigFile, UnknownIdentityLoadsNoParameters)
{
    WriteWholeFile(path, "[KTACFG]\r\nModel=1234\r\nL5200=7\r\n");
    const ParameterSet loaded = Load();
    EXPECT_EQ(loaded.type.CatalogueIndex(), -1);
    EXPECT_EQ(loaded.words, ParameterSet().words);
}

TEST_F(ConfigFile, ZmFileWithoutLongRegisterLoadsItAsZero)
{
    ParameterSet saved = PatternedSet(kZmModbus);
    saved[154] = 1;
    Save(saved);
    WriteWholeFile(path, RemoveLine(ReadWholeFile(path), "L5734=1"));
    EXPECT_EQ(Load()[154], 0);
}

TEST_F(ConfigFile, MissingParameterKeyOfOtherVariantsFails)
{
    ParameterSet saved = ZeroedSetOf(kKtaGen3Modbus);
    saved[154] = 1;
    Save(saved);
    WriteWholeFile(path, RemoveLine(ReadWholeFile(path), "L5734=1"));
    EXPECT_EQ(LoadError(), "Load error. " + SystemErrorText(ENODATA));
}

TEST_F(ConfigFile, QhSaveOverKtaFileKeepsTheKtaKeys)
{
    ParameterSet kta = PatternedSet(kKtaGen3Modbus);
    Save(kta);
    const ParameterSet qh = PatternedSet(kQhModbusEx8);
    Save(qh);

    IniFile ini;
    ASSERT_FALSE(ini.Read(path));
    EXPECT_EQ(ini.Get("KTACFG", "L5200"), std::to_string(kta[0]));
    EXPECT_EQ(ini.Get("KTACFG", "Model"), "4741");
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.find("Model="), text.rfind("Model=")) << "identity keys are overwritten";
    EXPECT_LT(text.find("L5200="), text.find("L25502=")) << "new keys go after the old ones";

    const ParameterSet loaded = Load();
    EXPECT_EQ(loaded.type.TypeId(), kQhModbusEx8);
    EXPECT_EQ(loaded[0], ParameterSet()[0]) << "the KTA keys are not read";
    EXPECT_EQ(loaded[30], qh[30]);
}

TEST_F(ConfigFile, SaveKeepsForeignSectionsAndKeys)
{
    WriteWholeFile(path, "; notes\r\n[Other]\r\nx=1\r\n[KTACFG]\r\nComment=kept\r\n");
    Save(ZeroedSetOf(kKtaGen3Modbus));
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.rfind("; notes\r\n[Other]\r\nx=1\r\n[KTACFG]\r\nComment=kept\r\nModel=", 0), 0u);
}

TEST_F(ConfigFile, MissingFileIsALoadError)
{
    EXPECT_EQ(LoadError(), "Load error. " + SystemErrorText(ENOENT));
}

struct ValueCase {
    const char* key;
    const char* text;
    int word;
    int expected; // -1: the load fails with the format error
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << c.key << "=\"" << c.text << "\"";
}

class ConfigFileValues : public ConfigFile, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ConfigFileValues, ParseLikeADecimalScan)
{
    const ValueCase& c = GetParam();
    Save(ZeroedSetOf(kKtaGen3Modbus));
    Edit(c.key, c.text);
    if (c.expected < 0) {
        EXPECT_EQ(LoadError(), kInvalidFormat);
        return;
    }
    EXPECT_EQ(Load()[c.word], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFileValues,
    ::testing::Values(ValueCase{"L5200", "12x", 0, 12}, ValueCase{"L5200", " +7", 0, 7},
                      ValueCase{"L5200", "-1", 0, 65535}, ValueCase{"L5200", "70000", 0, 4464},
                      ValueCase{"L5603", "-2", 37, 65535}, ValueCase{"L5200", "x12", 0, -1},
                      ValueCase{"L5200", "", 0, -1}, ValueCase{"L5200", "-", 0, -1},
                      ValueCase{"Model", "", 0, -1}, ValueCase{"Model", "abc", 0, -1}));

TEST(ConfigFileScan, WrapsOutOfRangeNumbersToThirtyTwoBits)
{
    int v = 0;
    ASSERT_TRUE(CConfigFile::ScanInt("4294967295", v));
    EXPECT_EQ(v, -1);
    ASSERT_TRUE(CConfigFile::ScanInt("\t-2147483648junk", v));
    EXPECT_EQ(v, INT32_MIN);
}

class ConfigFileFailedSave : public ConfigFile {
protected:
    void SetUp() override
    {
        Save(PatternedSet(kKtaGen3Modbus));
        before = ReadWholeFile(path);
    }
    std::string SaveError(const ParameterSet& set, const std::string& target)
    {
        return ErrorOf([&] { CConfigFile::SaveToFile(set, target); });
    }
    std::size_t FilesInDir() const
    {
        return size_t(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    }
    std::string before;
};

TEST_F(ConfigFileFailedSave, WriteErrorLeavesTheOldFileWhole)
{
    // A file size limit makes the write of the temporary fail part-way, even for root.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = SaveError(PatternedSet(kQhModbusEx8), path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, "Save error. " + SystemErrorText(EFBIG));
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(FilesInDir(), 1u) << "the temporary file is removed";
}

TEST_F(ConfigFileFailedSave, ReadOnlyDirectoryLeavesTheOldFileWhole)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0555));
    const std::string error = SaveError(PatternedSet(kQhModbusEx8), path);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
    EXPECT_EQ(error, "Save error. " + SystemErrorText(EACCES));
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST_F(ConfigFileFailedSave, WriteProtectedFileIsRefusedEvenForRoot)
{
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const std::string error = SaveError(PatternedSet(kQhModbusEx8), path);
    std::filesystem::permissions(path, std::filesystem::perms(0644));
    EXPECT_EQ(error, "Save error. " + SystemErrorText(EACCES));
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(ConfigFileFailedSave, DirectoryAsTargetIsAnError)
{
    const std::string target = dir.File("folder.cfg");
    std::filesystem::create_directory(target);
    EXPECT_EQ(SaveError(PatternedSet(kQhModbusEx8), target),
              "Save error. " + SystemErrorText(EISDIR));
    EXPECT_TRUE(std::filesystem::is_empty(target));
    EXPECT_EQ(FilesInDir(), 2u);
}
