#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Result = ProcessResult;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// ormel-devsim as a child process serving Modbus/TCP on a free loopback port.
class Simulator {
public:
    explicit Simulator(const std::vector<std::string>& args)
        : process_(BuiltProgram("ormel-devsim"), args)
    {
        const std::string ready = process_.Line();
        if (ready.rfind("tcp ", 0) == 0)
            endpoint_ = ready.substr(4);
    }
    const std::string& Endpoint() const { return endpoint_; }

private:
    ChildProcess process_;
    std::string endpoint_;
};

// A loopback port that nothing listens on: bound once, then released.
int UnusedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
    close(fd);
    return ntohs(a.sin_port);
}

class CliProcessTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return scratch_.File(name); }

    // Runs ormel-cli with stdin from the given text.
    static Result Cli(const std::vector<std::string>& args, const std::string& input = "")
    {
        return RunToEnd(BuiltProgram("ormel-cli"), args, input);
    }

    TempDir scratch_;
};

class CliAgainstKtaGen2 : public CliProcessTest {
protected:
    Simulator device_{{"--type", "70"}};
    std::vector<std::string> Tcp() const { return {"--tcp", device_.Endpoint()}; }
    std::vector<std::string> Tcp(std::vector<std::string> args) const
    {
        std::vector<std::string> all = Tcp();
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
};

TEST_F(CliAgainstKtaGen2, IdentifyPrintsTheIdentityLineByLine)
{
    ASSERT_FALSE(device_.Endpoint().empty());
    const Result r = Cli(Tcp({"identify"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                                "type id: 70",
                                "text: KTA-1**1 Modbus, Do x1, Di x1 Ver.2.40 or later",
                                "model code: 4711",
                                "firmware: 2.40",
                                "option code: 2",
                                "io words: 1 1 0 0 0",
                            }));
}

TEST_F(CliAgainstKtaGen2, DefaultsSurviveDownloadAndUploadUnchanged)
{
    ASSERT_FALSE(device_.Endpoint().empty());
    const std::string defaults = File("defaults.cfg"), uploaded = File("uploaded.cfg");
    ASSERT_EQ(Cli({"defaults", "--type", "70", "-o", defaults}).status, 0);
    const Result down = Cli(Tcp({"download", "-i", defaults}));
    ASSERT_EQ(down.status, 0) << down.err;
    const Result up = Cli(Tcp({"upload", "-o", uploaded}));
    ASSERT_EQ(up.status, 0) << up.err;

    const std::string csv = File("report.csv");
    const Result report = Cli({"report", "-i", defaults, "--compare-file", uploaded, "--csv", csv});
    ASSERT_EQ(report.status, 0) << report.err;
    const std::vector<std::string> lines = Lines(report.out);
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(lines.back(), "All parameters matching.");
    EXPECT_EQ(lines.front(), "#\tGroup\tName\tPC\tuploaded.cfg");

    // One CSV line per printed row, each a quoted record ended by CR LF.
    const std::string text = ReadFile(csv);
    const std::vector<std::string> records = Lines(text);
    EXPECT_EQ(records.size(), lines.size() - 2);
    EXPECT_EQ(records.front().front(), '"');
    EXPECT_EQ(records.front().back(), '\r');
}

TEST_F(CliAgainstKtaGen2, CompareWithTheDeviceMarksAChangedValue)
{
    ASSERT_FALSE(device_.Endpoint().empty());
    const std::string defaults = File("defaults.cfg"), edited = File("edited.cfg");
    ASSERT_EQ(Cli({"defaults", "--type", "70", "-o", defaults}).status, 0);
    ASSERT_EQ(Cli(Tcp({"download", "-i", defaults})).status, 0);
    // Primary voltage (register 5603, words 36-37) of 6600 in place of the default 110.
    std::string text = ReadFile(defaults);
    const auto at = text.find("\nL5603=");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, text.find('\n', at + 1) - at, "\nL5603=6600");
    std::ofstream(edited) << text;

    const Result r = Cli(Tcp({"report", "-i", edited, "--compare-device"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    EXPECT_EQ(lines.back(), "1 parameter(s) not matching.");
    EXPECT_EQ(lines.front().substr(lines.front().rfind('\t') + 1), "Device");
    int marked = 0;
    for (const auto& line : lines)
        if (line.rfind("*\t", 0) == 0) {
            ++marked;
            EXPECT_NE(line.find("\t6600\t"), std::string::npos) << line;
        }
    EXPECT_EQ(marked, 1);
}

// The device acknowledges the write of Primary voltage's low word and keeps 110.
TEST_F(CliProcessTest, VerifiedDownloadPrintsTheRowOfAWriteTheDeviceIgnored)
{
    Simulator device({"--type", "70", "--ignore-write-at", "5603"});
    ASSERT_FALSE(device.Endpoint().empty());
    const std::string defaults = File("defaults.cfg"), edited = File("edited.cfg");
    ASSERT_EQ(Cli({"defaults", "--type", "70", "-o", defaults}).status, 0);
    std::string text = ReadFile(defaults);
    const auto at = text.find("\nL5603=");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, text.find('\n', at + 1) - at, "\nL5603=6600");
    std::ofstream(edited) << text;

    const Result r = Cli({"--tcp", device.Endpoint(), "download", "-i", edited, "--verify"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "1 parameter(s) not matching.\n");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0], "#\tGroup\tName\tPC\tDevice");
    EXPECT_EQ(lines[1].rfind("*\t", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("\t6600\t110"), std::string::npos) << lines[1];

    // Without --verify the same download reports success: the fault is silent.
    EXPECT_EQ(Cli({"--tcp", device.Endpoint(), "download", "-i", edited}).status, 0);
    const Result clean = Cli({"--tcp", device.Endpoint(), "download", "-i", defaults, "--verify"});
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_EQ(clean.out, "All parameters matching.\n");
}

TEST_F(CliAgainstKtaGen2, DownloadOfAnotherVariantFailsWithTheSystemsText)
{
    ASSERT_FALSE(device_.Endpoint().empty());
    const std::string other = File("kta-gen1.cfg");
    ASSERT_EQ(Cli({"defaults", "--type", "0", "-o", other}).status, 0);
    const Result r = Cli(Tcp({"download", "-i", other}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Communication error.", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("\nThe settings of a different device cannot be downloaded."),
              std::string::npos)
        << r.err;
}

// A KTA second-generation device protected by Modbus passcode 1234, logging its requests.
class CliAgainstProtectedDevice : public CliProcessTest {
protected:
    void SetUp() override
    {
        CliProcessTest::SetUp();
        device_.emplace(std::vector<std::string>{"--type", "70", "--passcode", "1234", "--log",
                                                 File("requests.log")});
        ASSERT_FALSE(device_->Endpoint().empty());
        ASSERT_EQ(Cli({"defaults", "--type", "70", "-o", File("set.cfg")}).status, 0);
    }
    void TearDown() override
    {
        device_.reset();
        CliProcessTest::TearDown();
    }
    Result Download(std::vector<std::string> extra, const std::string& input = "")
    {
        std::vector<std::string> args = {"--tcp", device_->Endpoint(), "download", "-i",
                                         File("set.cfg")};
        args.insert(args.end(), extra.begin(), extra.end());
        return Cli(args, input);
    }
    std::vector<std::string> Requests() const { return Lines(ReadFile(File("requests.log"))); }
    int ParameterWrites() const
    {
        int n = 0;
        for (const auto& line : Requests())
            n += line.find("fn=16 addr=5") != std::string::npos &&
                 line.find("addr=5333") == std::string::npos;
        return n;
    }

    std::optional<Simulator> device_;
};

TEST_F(CliAgainstProtectedDevice, GivenPasscodeUnlocksWritesAndLocksAgain)
{
    const Result r = Download({"--passcode", "1234"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("Enter Modbus passcode"), std::string::npos);
    EXPECT_GT(ParameterWrites(), 10);
    const std::vector<std::string> log = Requests();
    ASSERT_GE(log.size(), 2u);
    EXPECT_NE(log[log.size() - 2].find("fn=16 addr=4944 count=1 values=0 -> ok"), std::string::npos)
        << log[log.size() - 2];
    EXPECT_NE(log.back().find("fn=16 addr=4942 count=2 values=0,0 -> ok"), std::string::npos)
        << log.back();
}

TEST_F(CliAgainstProtectedDevice, AsksOnTheTerminalWithoutAPasscode)
{
    const Result r = Download({}, "1234\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Enter Modbus passcode"), std::string::npos);
    EXPECT_GT(ParameterWrites(), 10);
}

TEST_F(CliAgainstProtectedDevice, WrongPasscodeWritesNothing)
{
    const Result r = Download({"--passcode", "4321"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Modbus passcode mismatch!\n");
    EXPECT_EQ(ParameterWrites(), 0);
}

TEST_F(CliAgainstProtectedDevice, NoAnswerCancels)
{
    const Result r = Download({}, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cancelled"), std::string::npos) << r.err;
    EXPECT_EQ(ParameterWrites(), 0);
}

TEST_F(CliProcessTest, UnreachablePortIsACommunicationError)
{
    const Result r = Cli({"--tcp", "127.0.0.1:" + std::to_string(UnusedPort()), "identify"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Modbus/TCP Error. ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(CliProcessTest, MissingFileIsAFileError)
{
    const Result r = Cli({"report", "-i", File("absent.cfg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Load error. ", 0), 0u) << r.err;
}

// A file naming no known device has nothing to report: an empty report with
// status 0 would pass for a result. Either side of a compare is refused.
TEST_F(CliProcessTest, FileOfAnUnknownDeviceIsRefusedAsNotSupported)
{
    const std::string known = File("known.cfg"), unknown = File("unknown.cfg");
    ASSERT_EQ(Cli({"defaults", "--type", "70", "-o", known}).status, 0);
    std::string text = ReadFile(known);
    const auto at = text.find("\nModel=4711");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 11, "\nModel=4799");
    std::ofstream(unknown) << text;

    const std::string notSupported =
        "This device is not supported. (device id=4799, extension id=2)\n";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"report", "-i", unknown},
             {"report", "-i", known, "--compare-file", unknown},
             {"report", "-i", unknown, "--compare-file", known}}) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_EQ(r.err, notSupported);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CliProcessTest, BadUsageExitsWith2AndTheUsage)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"identify"}, {"--tcp", "h", "upload"}, {"defaults", "--type", "99", "-o", "x"}}) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("ormel-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("usage: ormel-cli"), std::string::npos);
    }
    EXPECT_EQ(Cli({"--help"}).status, 0);
}

} // namespace
