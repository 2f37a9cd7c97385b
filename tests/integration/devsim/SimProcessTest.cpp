#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimTestClient.h"
#include "support/ChildProcess.h"

namespace {

const std::string kDevsim = BuiltProgram("ormel-devsim");

int PortOf(const std::string& readyLine)
{
    return std::atoi(readyLine.substr(readyLine.rfind(':') + 1).c_str());
}

// mbpoll's stdout and stderr, as a user reading its terminal sees them.
std::string Mbpoll(const std::vector<std::string>& args)
{
    const ProcessResult r = RunToEnd("mbpoll", args);
    return r.out + r.err;
}

bool HaveMbpoll()
{
    return std::system("command -v mbpoll > /dev/null 2>&1") == 0;
}

TEST(DevsimProgram, PrintsItsEndpointsServesBothAndStopsOnSigterm)
{
    const auto log = std::filesystem::temp_directory_path() / "devsim-program-test.log";
    std::filesystem::remove(log);
    ChildProcess p(kDevsim,
                   {"--type", "83", "--tcp", "127.0.0.1:0", "--rtu", "--log", log.string()});
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
    ChildProcess p(kDevsim, {"--type", "86"});
    EXPECT_EQ(p.Line(), "");
    EXPECT_EQ(p.Terminate(), 2);
}

TEST(DevsimMbpoll, ReadsOverTcp)
{
    if (!HaveMbpoll())
        GTEST_SKIP() << "mbpoll is not installed";
    ChildProcess p(kDevsim, {"--type", "70"});
    const int port = PortOf(p.Line());
    const std::string out = Mbpoll({"-m", "tcp", "-p", std::to_string(port), "-0", "-t", "3", "-r",
                                    "9600", "-c", "2", "-1", "-o", "2", "127.0.0.1"});
    EXPECT_NE(out.find("[9600]: \t4711"), std::string::npos) << out;
    EXPECT_NE(out.find("[9601]: \t240"), std::string::npos) << out;
}

TEST(DevsimMbpoll, ReadsOverRtuOnThePseudoTerminal)
{
    if (!HaveMbpoll())
        GTEST_SKIP() << "mbpoll is not installed";
    ChildProcess p(kDevsim, {"--type", "52", "--rtu", "--unit", "3"});
    const std::string path = p.Line().substr(4);
    const std::string out = Mbpoll({"-m", "rtu", "-a", "3", "-b", "38400", "-P", "none", "-0", "-t",
                                    "3", "-r", "9622", "-c", "5", "-1", "-o", "2", path});
    EXPECT_NE(out.find("[9622]: \t2"), std::string::npos) << out;
    EXPECT_NE(out.find("[9626]: \t8"), std::string::npos) << out;
}

} // namespace
