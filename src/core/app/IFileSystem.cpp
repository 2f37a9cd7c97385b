#include "app/IFileSystem.h"

#include <atomic>

namespace {

std::atomic<IFileSystem*> g_files{nullptr};

std::error_code NoFileSystem()
{
    return std::make_error_code(std::errc::function_not_supported);
}

} // namespace

void SetFileSystem(IFileSystem* files)
{
    g_files = files;
}

IFileSystem* GetFileSystem()
{
    return g_files;
}

std::error_code ReadWholeFile(const std::string& path, std::size_t maxSize, std::string& content)
{
    content.clear();
    IFileSystem* files = GetFileSystem();
    if (!files)
        return NoFileSystem();
    return files->ReadWholeFile(path, maxSize, content);
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view data)
{
    IFileSystem* files = GetFileSystem();
    if (!files)
        return NoFileSystem();
    const IFileSystem::Status status = files->StatusOf(path);
    switch (status.kind) {
    case IFileSystem::Kind::Directory:
        return std::make_error_code(std::errc::is_a_directory);
    case IFileSystem::Kind::Other:
        // A rename would put a plain file in the place of a device or a FIFO.
        return std::make_error_code(std::errc::invalid_argument);
    case IFileSystem::Kind::Regular:
        // A rename must not slip past a protection that writing in place would meet.
        if (status.writeProtected)
            return std::make_error_code(std::errc::permission_denied);
        break;
    case IFileSystem::Kind::Missing:
        break;
    }
    return files->ReplaceFile(path, data);
}
