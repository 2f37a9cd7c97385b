#include "CSerialPortLock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/DebugLog.h"

namespace {

// A lock file younger than this may still be being written by its owner.
constexpr time_t kFreshLockSeconds = 30;
constexpr int kAttempts = 3;

std::string FirstLineOf(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[128];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0)
        return {};
    std::string line(buffer, static_cast<std::size_t>(n));
    line.erase(line.find_last_not_of(" \n\r\t") + 1);
    return line.substr(0, line.find('\n'));
}

// Neither changes while the process runs; the port is opened for every poll command.
const std::string& MachineId()
{
    static const std::string id = [] {
        std::string first = FirstLineOf("/etc/machine-id");
        return first.empty() ? FirstLineOf("/var/lib/dbus/machine-id") : first;
    }();
    return id;
}

const std::string& BootId()
{
    static const std::string id = FirstLineOf("/proc/sys/kernel/random/boot_id");
    return id;
}

std::string HostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

// The program a process runs, by the name of its executable; empty when the
// system does not tell (another user's process, no /proc).
std::string ProgramName(pid_t pid)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/%d/exe", static_cast<int>(pid));
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return {};
    std::string path(target, static_cast<std::size_t>(n));
    constexpr const char kDeleted[] = " (deleted)"; // the program was replaced while it ran
    if (path.size() > sizeof kDeleted - 1 &&
        path.compare(path.size() - (sizeof kDeleted - 1), std::string::npos, kDeleted) == 0)
        path.resize(path.size() - (sizeof kDeleted - 1));
    return path.substr(path.find_last_of('/') + 1);
}

// A process that has ended but is not yet reaped by its parent runs no more.
bool ProcessRuns(pid_t pid)
{
    if (::kill(pid, 0) != 0 && errno != EPERM)
        return false;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    const std::string stat = FirstLineOf(path);
    const std::size_t name = stat.rfind(") ");
    return name == std::string::npos || name + 2 >= stat.size() ||
           (stat[name + 2] != 'Z' && stat[name + 2] != 'X');
}

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// "   1234" (UUCP) or "1234" (Qt): a positive process id, or 0.
pid_t ParsePid(const std::string& line)
{
    errno = 0;
    char* end = nullptr;
    const long pid = std::strtol(line.c_str(), &end, 10);
    if (errno != 0 || end == line.c_str() || pid <= 0 || pid > INT32_MAX)
        return 0;
    while (*end == ' ' || *end == '\r')
        ++end;
    return *end == '\0' ? static_cast<pid_t>(pid) : 0;
}

std::string LockContents()
{
    static const std::string program = ProgramName(::getpid());
    return std::to_string(::getpid()) + '\n' + program + '\n' + HostName() + '\n' + MachineId() +
           '\n' + BootId() + '\n';
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SameFile(int fd, const std::string& path)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

std::vector<std::string> CSerialPortLock::DefaultDirectories()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string temp = tmp && *tmp ? tmp : "/tmp";
    while (temp.size() > 1 && temp.back() == '/')
        temp.pop_back();
    return {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp", temp};
}

std::string CSerialPortLock::PathFor(const std::string& portName,
                                     const std::vector<std::string>& directories)
{
    // A path loses its first five characters ("/dev/") and a bare name stays
    // as it is, so that a port opened either way has the lock file other
    // programs look for.
    std::string name = portName;
    if (name.starts_with('/') || name.starts_with("./") || name.starts_with("../"))
        name = name.size() > 5 ? name.substr(5) : std::string();
    for (char& c : name)
        if (c == '/')
            c = '_';
    for (const std::string& directory : directories) {
        const std::string path = directory + "/LCK.." + name;
        if (::access(directory.c_str(), R_OK) == 0 &&
            (::access(path.c_str(), F_OK) == 0 || ::access(directory.c_str(), W_OK) == 0))
            return path;
    }
    return {};
}

CSerialPortLock::~CSerialPortLock()
{
    Release();
}

bool CSerialPortLock::Acquire(const std::string& portName,
                              const std::vector<std::string>& directories)
{
    Release();
    path_ = PathFor(portName, directories);
    if (path_.empty()) {
        DebugPrintf("Lock of %s: no usable lock directory\n", portName.c_str());
        return false;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) {
            if (Examine() == Existing::Busy)
                return false;
            continue; // gone or taken over: try to make it ours
        }
        if (fd < 0) {
            DebugPrintf("Lock file %s: %s\n", path_.c_str(), std::strerror(errno));
            return false;
        }
        // The flock keeps the file from being taken for stale while it is ours.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            DebugPrintf("Lock file %s: flock %s\n", path_.c_str(), std::strerror(errno));
        // Not synced to disk: a lock file only matters while its owner runs,
        // and one left by a crash is recognised as stale by its process id.
        if (!WriteAll(fd, LockContents())) {
            DebugPrintf("Lock file %s: %s\n", path_.c_str(), std::strerror(errno));
            ::unlink(path_.c_str());
            ::close(fd);
            return false;
        }
        fd_ = fd;
        return true;
    }
    DebugPrintf("Lock file %s keeps changing hands\n", path_.c_str());
    return false;
}

CSerialPortLock::Existing CSerialPortLock::Examine() const
{
    const int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Existing::Gone : Existing::Busy;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        DebugPrintf("Port lock %s is held\n", path_.c_str());
        return Existing::Busy;
    }
    std::string text(1024, '\0');
    const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::vector<std::string> lines = LinesOf(text);
    const pid_t pid = lines.empty() ? 0 : ParsePid(lines[0]);

    bool stale = false;
    if (pid == 0) {
        // Being written by its owner, or of a form we do not read: only age tells.
        struct stat info {};
        stale = ::fstat(fd, &info) == 0 && std::time(nullptr) - info.st_mtime > kFreshLockSeconds;
    } else {
        auto line = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
        const std::string program = line(1), host = line(2), machine = line(3), boot = line(4);
        if ((!host.empty() && host != HostName()) || (!machine.empty() && machine != MachineId())) {
            DebugPrintf("Port lock %s belongs to host %s\n", path_.c_str(), host.c_str());
            return Existing::Busy; // its process ids are not ours to judge
        }
        if (!boot.empty() && boot != BootId()) {
            stale = true; // left from before the system last started
        } else if (!ProcessRuns(pid)) {
            stale = true;
        } else {
            const std::string running = ProgramName(pid);
            stale = !program.empty() && !running.empty() && running != program; // id reused
        }
    }
    if (!stale) {
        DebugPrintf("Port lock %s: owned by process %d\n", path_.c_str(), static_cast<int>(pid));
        return Existing::Busy;
    }
    // Holding the flock, the file is still the one examined unless someone
    // who does not lock this way replaced it.
    if (!SameFile(fd, path_))
        return Existing::Gone;
    DebugPrintf("Port lock %s of process %d is stale; taken over\n", path_.c_str(),
                static_cast<int>(pid));
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT) {
        DebugPrintf("Port lock %s: %s\n", path_.c_str(), std::strerror(errno));
        return Existing::Busy;
    }
    return Existing::Stale;
}

void CSerialPortLock::Release()
{
    if (fd_ < 0)
        return;
    // Unlinked while the flock still holds, so nobody takes the file for stale meanwhile.
    if (SameFile(fd_, path_) && ::unlink(path_.c_str()) != 0)
        DebugPrintf("Lock file %s: %s\n", path_.c_str(), std::strerror(errno));
    ::close(fd_);
    fd_ = -1;
}
