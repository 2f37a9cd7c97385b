#include "device/IniFile.h"

#include <cstdint>

#include "app/IFileSystem.h"

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Profile files on Windows may be UTF-16LE with a byte order mark; they are
// edited as UTF-8 here and written back in their own encoding.
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Unpaired surrogates become U+FFFD; an odd last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    const auto unit = [&](std::size_t i) {
        return char32_t(std::uint8_t(bytes[i]) | (std::uint8_t(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// By the lead byte; 0 for a byte that cannot start a sequence.
int Utf8SequenceLength(std::uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    return (lead >> 3) == 0x1E ? 4 : 0;
}

// Invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text)
{
    std::string out;
    const auto put = [&](char32_t u) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto b = std::uint8_t(text[i]);
        const int len = Utf8SequenceLength(b);
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = len > 0 && i + std::size_t(len) <= text.size();
        for (int k = 1; valid && k < len; ++k) {
            const auto cont = std::uint8_t(text[i + std::size_t(k)]);
            valid = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!valid || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = 0xFFFD;
            i += 1;
        } else {
            i += std::size_t(len);
        }
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

} // namespace

std::error_code IniFile::Read(const std::string& path)
{
    lines_.clear();
    utf8Bom_ = false;
    std::string data;
    if (const std::error_code ec = ReadWholeFile(path, kMaxFileSize, data))
        return ec;
    Parse(data);
    return {};
}

void IniFile::Parse(std::string_view text)
{
    utf16_ = text.substr(0, kUtf16LeBom.size()) == kUtf16LeBom;
    if (utf16_) {
        const std::string decoded = Utf16LeToUtf8(text.substr(kUtf16LeBom.size()));
        ParseUtf8(decoded);
    } else {
        ParseUtf8(text);
    }
}

void IniFile::ParseUtf8(std::string_view text)
{
    lines_.clear();
    utf8Bom_ = text.substr(0, 3) == "\xEF\xBB\xBF";
    if (utf8Bom_)
        text.remove_prefix(3);
    const auto firstBreak = text.find('\n');
    eol_ = firstBreak == std::string_view::npos || (firstBreak > 0 && text[firstBreak - 1] == '\r')
               ? "\r\n"
               : "\n";
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.push_back(ParseLine(line));
    }
}

IniFile::Line IniFile::ParseLine(std::string_view text)
{
    Line line;
    line.text = std::string(text);
    const std::string_view t = Trim(text);
    if (t.empty() || t.front() == ';')
        return line;
    if (t.front() == '[') {
        line.kind = LineKind::Section;
        line.name = std::string(Trim(t.substr(1, t.find(']') - 1)));
        return line;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return line;
    line.kind = LineKind::Key;
    line.name = std::string(Trim(t.substr(0, eq)));
    line.value = std::string(Trim(t.substr(eq + 1)));
    return line;
}

std::string IniFile::Text() const
{
    std::string out = utf8Bom_ ? "\xEF\xBB\xBF" : "";
    for (const Line& line : lines_)
        out += line.text + eol_;
    return utf16_ ? std::string(kUtf16LeBom) + Utf8ToUtf16Le(out) : out;
}

std::size_t IniFile::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && SameName(lines_[i].name, section))
            return i;
    }
    return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != LineKind::Section)
        ++i;
    return i;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind != LineKind::Key || !SameName(line.name, key))
            continue;
        std::string_view v = line.value;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return std::string(v);
    }
    return std::nullopt;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    Line line;
    line.kind = LineKind::Key;
    line.name = std::string(key);
    line.value = std::string(value);
    line.text = line.name + "=" + line.value;

    std::size_t header = FindSection(section);
    if (header == npos) {
        Line head;
        head.kind = LineKind::Section;
        head.name = std::string(section);
        head.text = "[" + head.name + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(line));
        return;
    }
    const std::size_t end = SectionEnd(header);
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind != LineKind::Key)
            continue;
        if (SameName(lines_[i].name, key)) {
            lines_[i] = std::move(line);
            return;
        }
        insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::error_code IniFile::WriteAtomically(const std::string& path) const
{
    return WriteFileAtomically(path, Text());
}
