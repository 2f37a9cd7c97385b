#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// An INI text file held line by line, so that writing a few keys changes only
// those lines: other sections, keys, comments, blank lines and their order stay
// as they were. Names match without regard to ASCII case and the first of
// duplicate sections or keys wins, as profile readers on Windows do; the files
// travel between both. A UTF-16LE file (with its byte order mark) stays UTF-16LE.
class IniFile {
public:
    // A configuration file is a few kilobytes; anything larger is not one.
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    // Replaces the content with the file's, read through the installed file
    // system. A missing file gives errc::no_such_file_or_directory and an
    // empty document; only a regular file is read.
    std::error_code Read(const std::string& path);
    void Parse(std::string_view text);
    std::string Text() const;

    // The value with blanks around it removed and one pair of enclosing quotes
    // taken off; nullopt when the section or the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Overwrites the key where it stands, or adds it after the last key of its
    // section; a missing section is added at the end.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Writes a temporary file beside the target, flushes it to disk and renames
    // it over the target, so that a failed save leaves the old file whole
    // (WriteFileAtomically). A symbolic link is followed, and the old file's
    // mode is kept.
    std::error_code WriteAtomically(const std::string& path) const;

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;
        LineKind kind = LineKind::Other;
        std::string name;  // section name or key, trimmed
        std::string value; // key lines: the text after '=', trimmed
    };

    void ParseUtf8(std::string_view text);
    static Line ParseLine(std::string_view text);
    // Index of the section's header line, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index one past the section's last line (the next header or the end).
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
    bool utf8Bom_ = false;
    bool utf16_ = false; // UTF-16LE with a byte order mark on disk
};
