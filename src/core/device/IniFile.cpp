#include "device/IniFile.h"

#include "app/AtomicFile.h"

#include <cerrno>
#include <filesystem>

#include "app/FileDescriptor.h"

// POSIX for what the standard library lacks: fsync before the rename, and
// the errno of each failing step for the user's message.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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


} // namespace

std::error_code IniFile::Read(const std::string& path)
{
    lines_.clear();
    utf8Bom_ = false;
    // Non-blocking, so that a FIFO picked by mistake cannot hang the open waiting for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return LastSystemError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return LastSystemError();
    if (S_ISDIR(st.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(st.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    std::string data;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastSystemError();
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > kMaxFileSize)
            return std::make_error_code(std::errc::file_too_large);
        data.append(buf, static_cast<std::size_t>(n));
    }
    Parse(data);
    return {};
}

void IniFile::Parse(std::string_view text)
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
    return out;
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
