#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimTestClient.h"

namespace {

const std::string kDevsim = std::string(ORMEL_BINARY_DIR) + "/bin/ormel-devsim";

// ormel-devsim as a child process, its ready lines read from a pipe.
class DevsimProcess {
public:
    explicit DevsimProcess(const std::vector<std::string>& args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            close(out[0]);
            std::vector<char*> argv = {const_cast<char*>(kDevsim.c_str())};
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(kDevsim.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        stdout_ = out[0];
    }
    ~DevsimProcess()
    {
        if (pid_ > 0 && !exited_)
            Terminate();
        if (stdout_ >= 0)
            close(stdout_);
    }
    // The next line the simulator printed, or "" at its end.
    std::string Line()
    {
        std::string s;
        char c = 0;
        while (WaitReadable(stdout_, 10000) && read(stdout_, &c, 1) == 1 && c != '\n')
            s += c;
        return s;
    }
    int Terminate()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
};

int PortOf(const std::string& readyLine)
{
    return std::atoi(readyLine.substr(readyLine.rfind(':') + 1).c_str());
}

std::string Capture(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

bool HaveMbpoll()
{
    return std::system("command -v mbpoll > /dev/null 2>&1") == 0;
}

TEST(DevsimProgram, PrintsItsEndpointsServesBothAndStopsOnSigterm)
{
    const auto log = std::filesystem::temp_directory_path() / "devsim-program-test.log";
    std::filesystem::remove(log);
    DevsimProcess p({"--type", "83", "--tcp", "127.0.0.1:0", "--rtu", "--log", log.string()});
    const std::string tcpLine = p.Line(), rtuLine = p.Line();
    ASSERT_EQ(tcpLine.rfind("tcp 127.0.0.1:", 0), 0u) << tcpLine;
    ASSERT_EQ(rtuLine.rfind("rtu /dev/", 0), 0u) << rtuLine;

    TcpTestClient tcp("127.0.0.1", PortOf(tcpLine));
    EXPECT_EQ(Registers(*tcp.Transact(ReadPdu(9600, 1))), std::vector<std::uint16_t>{4761});
    RtuTestClient rtu(rtuLine.substr(4));
    EXPECT_EQ(Registers(*rtu.Transact(ReadPdu(9622, 1))), std::vector<std::uint16_t>{0x0002});
    EXPECT_EQ(p.Terminate(), 0);

    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "tcp fn=4 addr=9600 count=1 -> ok\nrtu fn=4 addr=9622 count=1 -> ok\n");
}

TEST(DevsimProgram, RejectsAnUnknownTypeWithUsage)
{
    DevsimProcess p({"--type", "86"});
    EXPECT_EQ(p.Line(), "");
    EXPECT_EQ(p.Terminate(), 2);
}

TEST(DevsimMbpoll, ReadsOverTcp)
{
    if (!HaveMbpoll())
        GTEST_SKIP() << "mbpoll is not installed";
    DevsimProcess p({"--type", "70"});
    const int port = PortOf(p.Line());
    const std::string out = Capture("mbpoll -m tcp -p " + std::to_string(port) +
                                    " -0 -t 3 -r 9600 -c 2 -1 -o 2 127.0.0.1 2>&1");
    EXPECT_NE(out.find("[9600]: \t4711"), std::string::npos) << out;
    EXPECT_NE(out.find("[9601]: \t240"), std::string::npos) << out;
}

TEST(DevsimMbpoll, ReadsOverRtuOnThePseudoTerminal)
{
    if (!HaveMbpoll())
        GTEST_SKIP() << "mbpoll is not installed";
    DevsimProcess p({"--type", "52", "--rtu", "--unit", "3"});
    const std::string path = p.Line().substr(4);
    const std::string out = Capture(
        "mbpoll -m rtu -a 3 -b 38400 -P none -0 -t 3 -r 9622 -c 5 -1 -o 2 " + path + " 2>&1");
    EXPECT_NE(out.find("[9622]: \t2"), std::string::npos) << out;
    EXPECT_NE(out.find("[9626]: \t8"), std::string::npos) << out;
}

} // namespace
