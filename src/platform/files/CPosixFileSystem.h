#pragma once

#include "app/IFileSystem.h"

// Files through POSIX calls: reads refuse anything but a regular file without
// blocking on it, and a replacement is written beside the target, flushed
// with fsync and renamed over it. Needs no Qt, so that every build has files.
class CPosixFileSystem : public IFileSystem {
public:
    Status StatusOf(const std::string& path) override;
    std::error_code ReadWholeFile(const std::string& path, std::size_t maxSize,
                                  std::string& content) override;
    std::error_code ReplaceFile(const std::string& path, std::string_view data) override;
};

// Makes the core read and write files through CPosixFileSystem. The desktop
// program, the tools and the tests call it at start; calling it again is harmless.
void InstallPlatformFiles();
