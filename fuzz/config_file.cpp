// Feeds arbitrary bytes as a configuration file: the INI reader, the key
// scanning and the loader into a parameter set must never crash or read
// outside the set, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <unistd.h>

#include "app/CPrivateException.h"
#include "device/CConfigFile.h"
#include "device/IniFile.h"
#include "device/ParameterSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    ini.Parse(text);
    (void)ini.Text();

    static const std::string path = "/dev/shm/ormel-fuzz-" + std::to_string(::getpid()) + ".cfg";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
        ParameterSet set;
        try {
            CConfigFile::LoadFromFile(set, path);
        } catch (const CPrivateException&) {
        }
    }
    return 0;
}
