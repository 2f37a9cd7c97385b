// Feeds arbitrary bytes as a configuration file: the INI reader, the key
// scanning and the loader into a parameter set must never crash or read
// outside the set, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/CPrivateException.h"
#include "app/IFileSystem.h"
#include "device/CConfigFile.h"
#include "device/IniFile.h"
#include "device/ParameterSet.h"

namespace {

constexpr const char* kPath = "fuzz.cfg";

// One file in memory, so that each input is loaded without a disk.
class CFuzzInput : public IFileSystem {
public:
    std::string_view content;

    Status StatusOf(const std::string&) override { return {Kind::Regular, true}; }
    std::error_code ReadWholeFile(const std::string&, std::size_t maxSize,
                                  std::string& out) override
    {
        if (content.size() > maxSize)
            return std::make_error_code(std::errc::file_too_large);
        out.assign(content);
        return {};
    }
    std::error_code ReplaceFile(const std::string&, std::string_view) override
    {
        return std::make_error_code(std::errc::read_only_file_system);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    ini.Parse(text);
    (void)ini.Text();

    static CFuzzInput input;
    input.content = text;
    SetFileSystem(&input);
    ParameterSet set;
    try {
        CConfigFile::LoadFromFile(set, kPath);
    } catch (const CPrivateException&) {
    }
    return 0;
}
