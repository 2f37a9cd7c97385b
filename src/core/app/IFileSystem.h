#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

// The files the program reads and writes (configuration files, CSV exports)
// as the platform provides them. Errors are the system's, as generic error
// codes, so that the user's message can name the reason.
class IFileSystem {
public:
    enum class Kind { Missing, Regular, Directory, Other };
    struct Status {
        Kind kind = Kind::Missing;
        // The file may not be written in place: this user has no write
        // access, or no write bit is set at all (root would pass an access check).
        bool writeProtected = false;
    };

    virtual ~IFileSystem() = default;

    // Follows symbolic links; a path that cannot be examined counts as missing.
    virtual Status StatusOf(const std::string& path) = 0;
    // The whole content of a regular file. Anything else is refused without
    // waiting on it (a FIFO without a writer): is_a_directory or
    // invalid_argument; more than maxSize bytes: file_too_large.
    virtual std::error_code ReadWholeFile(const std::string& path, std::size_t maxSize,
                                          std::string& content) = 0;
    // Writes data to a new file beside the target (a symbolic link is
    // followed), flushes it to disk and renames it over the target, keeping an
    // existing file's mode. On failure the temporary is removed and any old
    // file is left whole.
    virtual std::error_code ReplaceFile(const std::string& path, std::string_view data) = 0;
};

// The program and the tools install the platform's file system at start.
void SetFileSystem(IFileSystem* files); // not owned
IFileSystem* GetFileSystem();

// The whole content of a regular file of at most maxSize bytes, through the
// installed file system; without one, function_not_supported.
std::error_code ReadWholeFile(const std::string& path, std::size_t maxSize, std::string& content);

// Replaces the file whole or not at all, so that a failed write (no space, no
// access, a failing close) leaves any old file whole and is never taken for
// success. Only a regular file is replaced, and never a write-protected one,
// as writing it in place would fail. Returns the error of the first step that
// failed; without an installed file system, function_not_supported.
std::error_code WriteFileAtomically(const std::string& path, std::string_view data);
