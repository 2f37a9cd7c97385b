#pragma once

#include "CPosixFileSystem.h"

// The platform's file system for the life of a test, and none afterwards: a
// test that touches files without one fails instead of passing by luck.
class CPlatformFilesScope {
public:
    CPlatformFilesScope() { InstallPlatformFiles(); }
    ~CPlatformFilesScope() { SetFileSystem(nullptr); }
    CPlatformFilesScope(const CPlatformFilesScope&) = delete;
    CPlatformFilesScope& operator=(const CPlatformFilesScope&) = delete;
};
