#pragma once

#include <cerrno>
#include <system_error>

#include <unistd.h>

// The errno of the last failing system call, as an error code.
inline std::error_code LastSystemError()
{
    return {errno, std::generic_category()};
}

// Owns a POSIX file descriptor. Close() is explicit where its result matters,
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
