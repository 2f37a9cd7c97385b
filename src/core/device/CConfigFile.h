#pragma once

#include <string>

#include "device/ParameterSet.h"

// A parameter set with the identity of its variant in an INI file, section
// "KTACFG": the identity keys, then one key "L<register>" per value of every
// register-map entry that applies to the variant. Saving merges into an
// existing file, so keys of other variants stay in it.
class CConfigFile {
public:
    static constexpr const char* kSection = "KTACFG";
    static constexpr const char* kDefaultModel = "4711";

    // Throws CPrivateException "Save error. ..." when the file cannot be
    // read for the merge or written; the old file is then unchanged.
    static bool SaveToFile(const ParameterSet& set, const std::string& path);
    // Fills a default-constructed set. Throws "Load error. ..." for an
    // unreadable file or a missing parameter key, "Load error. Invalid file
    // format." for a value that is empty or does not begin with an integer;
    // the set may then be partly filled.
    static bool LoadFromFile(ParameterSet& set, const std::string& path);

    // The value as a "%d" scan reads it: blanks, a sign and digits, with
    // anything after the digits ignored; nothing when no digit follows.
    static bool ScanInt(const std::string& text, int& value);
};
