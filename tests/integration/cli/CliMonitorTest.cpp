#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kBin = std::string(ORMEL_BINARY_DIR) + "/bin/";
constexpr int kKta = 70;         // one input channel
constexpr int kQgTwoInputs = 36; // channel 2

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t Count(const std::string& text, const std::string& needle)
{
    std::size_t n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

// A child process whose stdout and stderr the test reads as they come.
class Child {
public:
    Child(const std::string& program, std::vector<std::string> args)
    {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(open("/dev/null", O_RDONLY), 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            const std::string path = kBin + program;
            std::vector<char*> argv = {const_cast<char*>(path.c_str())};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(path.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        fds_[0] = out[0];
        fds_[1] = err[0];
    }
    ~Child()
    {
        if (status_ == -2)
            Finish(SIGKILL);
    }
    void Signal(int signal) const { kill(pid_, signal); }

    // Reads until stdout (or stderr) holds count copies of needle; false after 20 s or at EOF.
    bool WaitFor(const std::string& needle, std::size_t count = 1, bool onStderr = false)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Count(onStderr ? err_ : out_, needle) < count)
            if (!Pump(deadline))
                return false;
        return true;
    }
    // Reads both streams to their end (at most 60 s, then kills) and returns the exit status.
    int Finish(int signal = 0)
    {
        if (signal)
            Signal(signal);
        for (const auto deadline = Clock::now() + std::chrono::seconds(60); Pump(deadline);) {
        }
        if (fds_[0] >= 0 || fds_[1] >= 0)
            kill(pid_, SIGKILL);
        for (int& fd : fds_)
            fd = fd >= 0 ? close(fd), -1 : -1;
        int status = 0;
        waitpid(pid_, &status, 0);
        return status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& Out() const { return out_; }
    const std::string& Err() const { return err_; }

private:
    using Clock = std::chrono::steady_clock;

    bool Pump(Clock::time_point deadline)
    {
        pollfd p[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if ((fds_[0] < 0 && fds_[1] < 0) || left <= 0 || poll(p, 2, int(left)) <= 0)
            return false;
        for (int i = 0; i < 2; ++i) {
            char buffer[4096];
            if (fds_[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP)))
                continue;
            const ssize_t n = read(fds_[i], buffer, sizeof buffer);
            if (n > 0)
                (i == 0 ? out_ : err_).append(buffer, std::size_t(n));
            else
                fds_[i] = (close(fds_[i]), -1);
        }
        return true;
    }

    pid_t pid_ = -1;
    int fds_[2] = {-1, -1};
    int status_ = -2;
    std::string out_, err_;
};

class CliMonitorTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (device_)
            device_->Finish(SIGTERM);
    }
    // ormel-devsim of a catalogue type on a free loopback port, logging its requests.
    void Start(int type, std::vector<std::string> faults = {})
    {
        std::vector<std::string> args = {"--type", std::to_string(type), "--log", File("log")};
        args.insert(args.end(), faults.begin(), faults.end());
        device_ = std::make_unique<Child>("ormel-devsim", args);
        ASSERT_TRUE(device_->WaitFor("\n"));
        endpoint_ = Lines(device_->Out()).front().substr(4);
    }
    std::vector<std::string> Monitor(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--tcp", endpoint_, "monitor"});
        return args;
    }
    std::string File(const std::string& name) const { return scratch_.File(name); }
    std::vector<std::string> Read(const std::string& name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return Lines(s.str());
    }
    // First registers of the device's read requests.
    std::set<int> ReadAddresses() const
    {
        std::set<int> addresses;
        static const std::regex read(R"(fn=4 addr=(\d+) )");
        std::smatch m;
        for (const auto& line : Read("log"))
            if (std::regex_search(line, m, read))
                addresses.insert(std::stoi(m[1]));
        return addresses;
    }

    TempDir scratch_;
    const fs::path& dir_ = scratch_.Path();
    std::unique_ptr<Child> device_;
    std::string endpoint_;
};

// Fields of a record whose fields are all quoted and hold no quote.
std::vector<std::string> CsvFields(const std::string& record)
{
    EXPECT_EQ(record.substr(record.size() - 2), "\"\r") << record;
    std::vector<std::string> fields;
    const std::string inner = record.substr(1, record.size() - 3);
    for (std::size_t from = 0, to = 0; to != std::string::npos; from = to + 3) {
        to = inner.find("\",\"", from);
        fields.push_back(inner.substr(from, to - from));
    }
    return fields;
}

TEST_F(CliMonitorTest, OneCyclePrintsEachItemOnceAscendingThenTheTenSpectrumRows)
{
    Start(kQgTwoInputs);
    Child cli("ormel-cli", Monitor({"--count", "1"}));
    ASSERT_EQ(cli.Finish(), 0) << cli.Err();
    EXPECT_EQ(cli.Err(), "");
    std::vector<std::string> lines = Lines(cli.Out());
    ASSERT_GT(lines.size(), 11u);
    EXPECT_EQ(lines.back(), "");
    int last = -1;
    std::map<int, std::string> texts;
    for (std::size_t i = 0; i + 11 < lines.size(); ++i) {
        const auto tab = lines[i].find('\t');
        const int item = std::stoi(lines[i].substr(0, tab));
        EXPECT_GT(item, last) << lines[i];
        texts[last = item] = lines[i].substr(tab + 1);
    }
    for (int row = 0; row < 10; ++row) {
        const std::string& line = lines[lines.size() - 11 + std::size_t(row)];
        const std::string head = "spectrum " + std::to_string(row) + "\t";
        ASSERT_EQ(line.substr(0, head.size()), head) << line;
        EXPECT_TRUE(std::regex_match(line.substr(head.size()), std::regex(R"(\d+( \d+){29})")))
            << line;
    }
    EXPECT_EQ(texts[1873], "QGCPW");
    EXPECT_EQ(texts[1877], "Protection disabled");
    EXPECT_NE(texts[15], "0.00"); // a measured value, not the empty image
}

TEST_F(CliMonitorTest, CsvGetsOneHeaderAndOneRowPerCycle)
{
    Start(kQgTwoInputs);
    const std::string csv = File("log.csv");
    Child first("ormel-cli", Monitor({"--count", "2", "--interval-ms", "0", "--csv", csv}));
    ASSERT_EQ(first.Finish(), 0) << first.Err();
    Child more("ormel-cli", Monitor({"--count", "1", "--csv", csv}));
    ASSERT_EQ(more.Finish(), 0) << more.Err();

    const std::vector<std::string> records = Read("log.csv");
    ASSERT_EQ(records.size(), 4u);
    const std::vector<std::string> header = CsvFields(records[0]);
    EXPECT_EQ(header.front(), "Time");
    EXPECT_EQ(std::set<std::string>(header.begin(), header.end()).size(), header.size());
    EXPECT_NE(std::find(header.begin(), header.end(), "15 U1N"), header.end());
    EXPECT_EQ(header.size(), Lines(more.Out()).size() - 11 + 1); // time, then each printed item
    static const std::regex time(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)");
    for (std::size_t r = 1; r < records.size(); ++r) {
        const std::vector<std::string> row = CsvFields(records[r]);
        EXPECT_EQ(row.size(), header.size()) << "row " << r;
        EXPECT_TRUE(std::regex_match(row.front(), time)) << row.front();
    }
}

// The THD block answers with an exception: the cycle fails at its seventh command.
class FailingCycle : public CliMonitorTest {
protected:
    void SetUp() override
    {
        CliMonitorTest::SetUp();
        Start(kKta, {"--exception-at", "1280"});
    }
};

TEST_F(FailingCycle, WithACountEndsTheCommandAndPrintsNothingOfIt)
{
    const std::string csv = File("log.csv");
    Child cli("ormel-cli", Monitor({"--count", "3", "--interval-ms", "0", "--csv", csv}));
    EXPECT_EQ(cli.Finish(), 1);
    EXPECT_EQ(cli.Out(), "");
    EXPECT_EQ(cli.Err().rfind("Modbus command failed. ", 0), 0u) << cli.Err();
    EXPECT_NE(cli.Err().find("reason=receive exception 4."), std::string::npos) << cli.Err();
    EXPECT_EQ(Lines(cli.Err()).size(), 1u);
    EXPECT_EQ(Read("log.csv").size(), 1u); // the header only
}

TEST_F(FailingCycle, WithoutACountIsReportedAndTriedAgain)
{
    const std::string csv = File("log.csv");
    Child cli("ormel-cli", Monitor({"--interval-ms", "0", "--csv", csv}));
    ASSERT_TRUE(cli.WaitFor("Modbus command failed. ", 3, true)) << cli.Err();
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Finish(), 0);
    EXPECT_EQ(cli.Out(), "");
    EXPECT_EQ(Read("log.csv").size(), 1u);
}

TEST_F(CliMonitorTest, ChannelTwoReadsTheSecondInputsRegisters)
{
    Start(kQgTwoInputs);
    Child cli("ormel-cli", Monitor({"--count", "1", "--channel", "2"}));
    ASSERT_EQ(cli.Finish(), 0) << cli.Err();
    const std::set<int> reads = ReadAddresses();
    for (int channel2 : {5338, 30100, 5610, 5609, 4000, 4032, 2768, 2928, 4128, 4160, 8280, 2864,
                         8536, 8536 + 9 * 64})
        EXPECT_TRUE(reads.count(channel2)) << channel2;
    for (int channel1 : {5335, 30000, 5602, 0, 64, 768, 928, 128, 160, 1280, 864, 1536})
        EXPECT_FALSE(reads.count(channel1)) << channel1;
}

TEST_F(CliMonitorTest, ChannelTwoOfAOneChannelDeviceIsRefused)
{
    Start(kKta);
    Child cli("ormel-cli", Monitor({"--count", "1", "--channel", "2"}));
    EXPECT_EQ(cli.Finish(), 2);
    EXPECT_EQ(cli.Out(), "");
    EXPECT_EQ(cli.Err(), "ormel-cli: --channel 2: the device has one input channel\n");
    EXPECT_FALSE(ReadAddresses().count(5735)); // identified, nothing polled
}

class StopSignal : public CliMonitorTest, public ::testing::WithParamInterface<int> {};

TEST_P(StopSignal, EndsCleanlyAfterTheLastWholeCycle)
{
    Start(kQgTwoInputs);
    Child cli("ormel-cli", Monitor({"--interval-ms", "0"}));
    ASSERT_TRUE(cli.WaitFor("\n\n", 2)) << cli.Err();
    cli.Signal(GetParam());
    EXPECT_EQ(cli.Finish(), 0) << cli.Err();
    EXPECT_EQ(cli.Err(), "");
    EXPECT_EQ(cli.Out().substr(cli.Out().size() - 2), "\n\n");
    // Every cycle printed is whole: the same number of lines between the blank ones.
    const std::size_t cycles = Count(cli.Out(), "\n\n");
    EXPECT_EQ(Lines(cli.Out()).size() % cycles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal, ::testing::Values(SIGINT, SIGTERM));

} // namespace
