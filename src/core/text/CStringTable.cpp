#include "text/CStringTable.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>

extern const unsigned char kEnglishStrings[];
extern const std::size_t kEnglishStringsSize;

std::string FormatArg::AsString() const
{
    switch (kind_) {
    case Kind::String:
        return text_;
    case Kind::Integer:
        return std::to_string(integer_);
    case Kind::Real: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%g", real_);
        return buf;
    }
    }
    return {};
}

long long FormatArg::AsInteger() const
{
    switch (kind_) {
    case Kind::String:
        return std::strtoll(text_.c_str(), nullptr, 0);
    case Kind::Integer:
        return integer_;
    case Kind::Real:
        return static_cast<long long>(real_);
    }
    return 0;
}

double FormatArg::AsReal() const
{
    switch (kind_) {
    case Kind::String:
        return std::strtod(text_.c_str(), nullptr);
    case Kind::Integer:
        return static_cast<double>(integer_);
    case Kind::Real:
        return real_;
    }
    return 0;
}

namespace {

// The flags, width and precision of a conversion (head: all of it but the
// type character) without its length modifiers ("l", "h", "I64", ...), or
// nothing when printf cannot be trusted with it. Texts come from language
// modules that anyone can edit, so only [-+# 0]* width? (.precision)? with
// widths below 100 pass.
std::optional<std::string> SafeFlags(std::string_view head)
{
    std::string flags;
    size_t i = 0;
    while (i < head.size() && std::string_view("-+# 0").find(head[i]) != std::string_view::npos)
        flags += head[i++];
    auto digits = [&]() -> bool {
        size_t count = 0;
        while (i < head.size() && head[i] >= '0' && head[i] <= '9') {
            flags += head[i++];
            if (++count > 2)
                return false;
        }
        return true;
    };
    if (!digits())
        return std::nullopt;
    if (i < head.size() && head[i] == '.') {
        flags += head[i++];
        if (!digits())
            return std::nullopt;
    }
    std::string_view length = head.substr(i);
    for (std::string_view known : {"", "l", "ll", "h", "hh", "L", "z", "I", "I64", "I32"})
        if (length == known)
            return flags;
    return std::nullopt;
}

// Writes one argument with a printf conversion such as "s", "d", "5.1lf", "04X".
std::string FormatOne(std::string_view conversion, const FormatArg* arg)
{
    if (!arg || conversion.empty())
        return {};
    const char type = conversion.back();
    const std::optional<std::string> safe = SafeFlags(conversion.substr(0, conversion.size() - 1));
    if (!safe)
        return arg->AsString();
    const std::string& flags = *safe;

    char buf[512];
    switch (type) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o': {
        const std::string fmt = "%" + flags + "ll" + type;
        std::snprintf(buf, sizeof buf, fmt.c_str(), arg->AsInteger());
        return buf;
    }
    case 'c': {
        const std::string fmt = "%" + flags + "c";
        std::snprintf(buf, sizeof buf, fmt.c_str(), static_cast<int>(arg->AsInteger()));
        return buf;
    }
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G': {
        const std::string fmt = "%" + flags + type;
        std::snprintf(buf, sizeof buf, fmt.c_str(), arg->AsReal());
        return buf;
    }
    default: { // 's' and anything unknown
        const std::string value = arg->AsString();
        if (flags.empty())
            return value;
        const std::string fmt = "%" + flags + "s";
        std::snprintf(buf, sizeof buf, fmt.c_str(), value.c_str());
        return buf;
    }
    }
}

bool IsConversionChar(char c)
{
    return std::string_view("diuxXocfFeEgGs").find(c) != std::string_view::npos;
}

} // namespace

std::string FormatMessage(std::string_view pattern, const std::vector<FormatArg>& args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    size_t sequential = 0;
    auto argAt = [&](size_t index) -> const FormatArg* {
        return index < args.size() ? &args[index] : nullptr;
    };
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
            continue;
        }
        if (next >= '1' && next <= '9') {
            // Numbered insert: %N or %N!conversion!
            size_t j = i + 1;
            size_t number = 0;
            while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9' && number < 100)
                number = number * 10 + static_cast<size_t>(pattern[j++] - '0');
            std::string_view conversion = "s";
            if (j < pattern.size() && pattern[j] == '!') {
                const size_t end = pattern.find('!', j + 1);
                if (end != std::string_view::npos) {
                    conversion = pattern.substr(j + 1, end - j - 1);
                    j = end + 1;
                }
            }
            out += FormatOne(conversion, argAt(number - 1));
            i = j - 1;
            continue;
        }
        // Plain printf conversion: flags, width, precision, length, type.
        size_t j = i + 1;
        while (j < pattern.size() && !IsConversionChar(pattern[j]) &&
               std::string_view("-+#0123456789.lhLIz").find(pattern[j]) != std::string_view::npos)
            ++j;
        if (j < pattern.size() && IsConversionChar(pattern[j])) {
            out += FormatOne(pattern.substr(i + 1, j - i), argAt(sequential++));
            i = j;
        } else {
            out += c;
        }
    }
    return out;
}

std::string LoadText(int id)
{
    return CStringTable::Instance().Get(id);
}

std::string FormatText(int id, const std::vector<FormatArg>& args)
{
    return FormatMessage(LoadText(id), args);
}

bool CStringTable::Parse(std::string_view data, Table& out, std::string* error)
{
    auto fail = [&](size_t lineNo, const char* what) {
        if (error) {
            std::ostringstream s;
            s << "line " << lineNo << ": " << what;
            *error = s.str();
        }
        return false;
    };
    // A UTF-8 byte order mark is tolerated at the start of a module.
    if (data.substr(0, 3) == "\xEF\xBB\xBF")
        data.remove_prefix(3);
    size_t lineNo = 0;
    while (!data.empty()) {
        ++lineNo;
        const size_t eol = data.find('\n');
        std::string_view line = data.substr(0, eol);
        data.remove_prefix(eol == std::string_view::npos ? data.size() : eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0 || eq > 9)
            return fail(lineNo, "expected id=text");
        int id = 0;
        for (char c : line.substr(0, eq)) {
            if (c < '0' || c > '9')
                return fail(lineNo, "id is not a number");
            id = id * 10 + (c - '0');
        }
        std::string text;
        text.reserve(eq < line.size() ? line.size() - eq : 0);
        for (size_t k = eq + 1; k < line.size(); ++k) {
            if (line[k] == '\\' && k + 1 < line.size()) {
                const char e = line[++k];
                text += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
            } else {
                text += line[k];
            }
        }
        if (!out.emplace(id, std::move(text)).second)
            return fail(lineNo, "id given twice");
    }
    return true;
}

const CStringTable::Table& CStringTable::English()
{
    static const Table table = [] {
        Table t;
        std::string error;
        const std::string_view data(reinterpret_cast<const char*>(kEnglishStrings),
                                    kEnglishStringsSize);
        if (!Parse(data, t, &error))
            std::fprintf(stderr, "English string table: %s\n", error.c_str());
        return t;
    }();
    return table;
}

CStringTable::CStringTable() : current_(std::shared_ptr<const Table>(&English(), [](auto*) {})) {}

CStringTable& CStringTable::Instance()
{
    static CStringTable instance;
    return instance;
}

bool CStringTable::LoadLanguageModule(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot open " + path;
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    Table module;
    if (!Parse(buffer.str(), module, error))
        return false;
    // Ids the module lacks keep their English text rather than going blank.
    auto merged = std::make_shared<Table>(English());
    for (auto& [id, text] : module)
        (*merged)[id] = std::move(text);
    std::unique_lock lock(mutex_);
    current_ = std::move(merged);
    english_ = false;
    return true;
}

void CStringTable::UseEnglish()
{
    std::unique_lock lock(mutex_);
    current_ = std::shared_ptr<const Table>(&English(), [](auto*) {});
    english_ = true;
}

bool CStringTable::IsEnglish() const
{
    std::shared_lock lock(mutex_);
    return english_;
}

std::string CStringTable::Get(int id) const
{
    std::shared_lock lock(mutex_);
    auto it = current_->find(id);
    if (it != current_->end())
        return it->second;
    if (missRecorder_)
        missRecorder_->Record(id);
    return {};
}

bool CStringTable::Has(int id) const
{
    std::shared_lock lock(mutex_);
    return current_->count(id) != 0;
}

void CStringTable::SetMissRecorder(std::shared_ptr<CMissingTextRecorder> recorder)
{
    std::unique_lock lock(mutex_);
    missRecorder_ = std::move(recorder);
}

void CMissingTextRecorder::Record(int id)
{
    std::lock_guard lock(mutex_);
    ids_.insert(id);
}

std::vector<int> CMissingTextRecorder::Ids() const
{
    std::lock_guard lock(mutex_);
    return {ids_.begin(), ids_.end()};
}

void CMissingTextRecorder::Clear()
{
    std::lock_guard lock(mutex_);
    ids_.clear();
}
