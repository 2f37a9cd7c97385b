#include "CPosixFileSystem.h"

#include <atomic>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::error_code LastSystemError()
{
    return {errno, std::generic_category()};
}

// Owns a file descriptor. Close() is explicit where its result matters,
// because close() can report a failed delayed write.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    std::error_code Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code() : LastSystemError();
    }

private:
    int fd_;
};

std::error_code WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastSystemError();
        if (n == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        data.remove_prefix(static_cast<size_t>(n));
    }
    return {};
}

std::filesystem::path ResolveTarget(const std::string& path)
{
    std::filesystem::path target(path);
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (target.parent_path().empty())
        target = std::filesystem::path(".") / target;
    return target;
}

// A name beside the target that no other writer picks; the caller retries on
// EEXIST. The target's name is shortened so that a long one still fits.
std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    const std::string base = target.filename().string().substr(0, 64);
    return target.parent_path() / ("." + base + "." + std::to_string(::getpid()) + "." +
                                   std::to_string(counter++) + ".tmp");
}

int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryName(target);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The rename is durable only once the directory entry is on disk; a failure
// here does not undo the write, so it is not reported.
void SyncDirectory(const std::filesystem::path& dir)
{
    FileDescriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

std::error_code FillTemporary(FileDescriptor& fd, std::string_view data, const struct stat* old)
{
    if (old) {
        ::fchmod(fd.get(), old->st_mode & 07777);
        // Only possible with privileges; the file then keeps its owner.
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), old->st_uid, old->st_gid);
    }
    if (auto ec = WriteAll(fd.get(), data))
        return ec;
    if (::fsync(fd.get()) != 0)
        return LastSystemError();
    return fd.Close();
}

} // namespace

IFileSystem::Status CPosixFileSystem::StatusOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    Status status;
    if (S_ISREG(st.st_mode))
        status.kind = Kind::Regular;
    else if (S_ISDIR(st.st_mode))
        status.kind = Kind::Directory;
    else
        status.kind = Kind::Other;
    status.writeProtected = ::access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0;
    return status;
}

std::error_code CPosixFileSystem::ReadWholeFile(const std::string& path, std::size_t maxSize,
                                                std::string& content)
{
    content.clear();
    // Non-blocking, so that a FIFO picked by mistake cannot hang the open waiting for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return LastSystemError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return LastSystemError();
    if (S_ISDIR(st.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(st.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    std::string data;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastSystemError();
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > maxSize)
            return std::make_error_code(std::errc::file_too_large);
        data.append(buf, static_cast<std::size_t>(n));
    }
    content = std::move(data);
    return {};
}

std::error_code CPosixFileSystem::ReplaceFile(const std::string& path, std::string_view data)
{
    const std::filesystem::path target = ResolveTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // The core refuses these before; a rename must not replace them even so.
    if (exists && S_ISDIR(old.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (exists && !S_ISREG(old.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    std::filesystem::path temporary;
    FileDescriptor fd(CreateTemporary(target, temporary));
    if (fd.get() < 0)
        return LastSystemError();
    std::error_code ec = FillTemporary(fd, data, exists ? &old : nullptr);
    if (!ec && ::rename(temporary.c_str(), target.c_str()) != 0)
        ec = LastSystemError();
    if (ec) {
        ::unlink(temporary.c_str());
        return ec;
    }
    SyncDirectory(target.parent_path());
    return {};
}

void InstallPlatformFiles()
{
    // Lives until the process ends, like the transports.
    static CPosixFileSystem files;
    SetFileSystem(&files);
}
