#include <gtest/gtest.h>

#include <QSerialPort>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CSerialIO.h"
#include "CSerialPortLock.h"
#include "app/CPrivateException.h"

namespace {

class SerialPortLockTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ormel-lock-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/LCK..ttyUSB7";
    }
    void TearDown() override
    {
        ::unlink(file.c_str());
        ::rmdir(dir.c_str());
    }

    bool Acquire(CSerialPortLock& lock) { return lock.Acquire("/dev/ttyUSB7", {dir}); }

    void WriteLock(const std::string& text) const { std::ofstream(file) << text; }
    std::string ReadLock() const
    {
        std::stringstream s;
        s << std::ifstream(file).rdbuf();
        return s.str();
    }
    bool Exists() const { return ::access(file.c_str(), F_OK) == 0; }

    std::string dir;
    std::string file;
};

pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string OwnProgram()
{
    char target[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", target, sizeof target - 1);
    const std::string path(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    return path.substr(path.find_last_of('/') + 1);
}

std::string HostName()
{
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

} // namespace

TEST(SerialPortLockPath, NamesThePortAsOtherProgramsDo)
{
    const std::vector<std::string> dirs = {"/ormel-no-such-dir", "/tmp"};
    EXPECT_EQ(CSerialPortLock::PathFor("/dev/ttyUSB0", dirs), "/tmp/LCK..ttyUSB0");
    EXPECT_EQ(CSerialPortLock::PathFor("/dev/pts/3", dirs), "/tmp/LCK..pts_3");
    EXPECT_EQ(CSerialPortLock::PathFor("ttyS1", dirs), "/tmp/LCK..ttyS1");
    EXPECT_EQ(CSerialPortLock::PathFor("/dev/ttyS1", {"/ormel-no-such-dir"}), "");
    EXPECT_EQ(CSerialPortLock::DefaultDirectories().front(), "/var/lock");
}

TEST_F(SerialPortLockTest, HoldsTheFileWithItsOwnerAndRemovesItOnRelease)
{
    {
        CSerialPortLock lock;
        ASSERT_TRUE(Acquire(lock));
        EXPECT_EQ(lock.Path(), file);
        std::istringstream lines(ReadLock());
        std::string pid, program, host;
        std::getline(lines, pid);
        std::getline(lines, program);
        std::getline(lines, host);
        EXPECT_EQ(pid, std::to_string(::getpid()));
        EXPECT_EQ(program, OwnProgram());
        EXPECT_EQ(host, HostName());

        // Held by an flock, so nobody can take it for stale.
        const int fd = ::open(file.c_str(), O_RDWR);
        EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);

        CSerialPortLock second;
        EXPECT_FALSE(Acquire(second));
        EXPECT_FALSE(second.Held());
    }
    EXPECT_FALSE(Exists());
    CSerialPortLock again;
    EXPECT_TRUE(Acquire(again));
}

TEST_F(SerialPortLockTest, LocksOfLiveOwnersAreRespected)
{
    const std::string self = std::to_string(::getpid());
    for (const std::string& text : {
             "      " + self + "\n",                                // a UUCP tool
             self + "\n" + OwnProgram() + "\n" + HostName() + "\n", // a program like us
             self + "\nsomething\nanother-host\n",                  // written elsewhere
             std::string(),                                         // still being written
         }) {
        WriteLock(text);
        CSerialPortLock lock;
        EXPECT_FALSE(Acquire(lock)) << text;
        EXPECT_EQ(ReadLock(), text) << "the owner's file stays as it was";
    }

    // An flock tells of a live owner whatever the file says.
    WriteLock(std::to_string(EndedProcess()) + "\n");
    const int held = ::open(file.c_str(), O_RDWR);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    CSerialPortLock lock;
    EXPECT_FALSE(Acquire(lock));
    ::close(held);
    EXPECT_TRUE(Acquire(lock));
}

TEST_F(SerialPortLockTest, StaleLocksAreTakenOver)
{
    const std::string self = std::to_string(::getpid());
    const std::string ended = std::to_string(EndedProcess());
    for (const std::string& text : {
             "      " + ended + "\n", ended + "\nORMEL\n" + HostName() + "\n",
             self + "\nnot-this-program\n" + HostName() + "\n",                 // id reused
             self + "\n" + OwnProgram() + "\n" + HostName() + "\n\nold-boot\n", // earlier boot
         }) {
        WriteLock(text);
        CSerialPortLock lock;
        EXPECT_TRUE(Acquire(lock)) << text;
        EXPECT_EQ(ReadLock().substr(0, self.size() + 1), self + "\n");
    }

    // An owner that has ended and waits for its parent to reap it.
    const pid_t zombie = ::fork();
    if (zombie == 0)
        ::_exit(0);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT), 0);
    WriteLock(std::to_string(zombie) + "\n" + OwnProgram() + "\n" + HostName() + "\n");
    {
        CSerialPortLock lock;
        EXPECT_TRUE(Acquire(lock));
    }
    ::waitpid(zombie, nullptr, 0);

    // A file that tells nothing is stale once it has stood for a while.
    WriteLock("garbage");
    const timespec old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);
    CSerialPortLock lock;
    EXPECT_TRUE(Acquire(lock));
}

TEST_F(SerialPortLockTest, ReleaseLeavesAFileThatIsNoLongerOurs)
{
    CSerialPortLock lock;
    ASSERT_TRUE(Acquire(lock));
    ::unlink(file.c_str());
    WriteLock("4242\n");
    lock.Release();
    EXPECT_EQ(ReadLock(), "4242\n");
}

TEST(SerialPortLockInterplay, PortsOpenedByTheQtSerialPortAndByUsExcludeEachOther)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string path = ::ptsname(master);
    SerialLineSettings line;
    line.portName = path;
    line.displayName = "pty";

    {
        CSerialIO io(line);
        io.Open();
        QSerialPort other;
        other.setPortName(QString::fromStdString(path));
        EXPECT_FALSE(other.open(QIODevice::ReadWrite));
    }
    {
        QSerialPort other;
        other.setPortName(QString::fromStdString(path));
        ASSERT_TRUE(other.open(QIODevice::ReadWrite));
        CSerialIO io(line);
        EXPECT_THROW(io.Open(), CPrivateException);
        other.close();
        EXPECT_NO_THROW(io.Open());
    }
    ::close(master);
}
