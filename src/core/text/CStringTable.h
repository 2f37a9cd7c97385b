#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

// One insert of a message text: a string, an integer or a floating-point value.
// The insert's format (%1!s!, %2!d!, %.1lf) decides how it is written; a
// number inserted as !s! is written in decimal, a string inserted as !d! is
// read as a number first.
class FormatArg {
public:
    enum class Kind { String, Integer, Real };

    FormatArg(std::string s) : kind_(Kind::String), text_(std::move(s)) {}
    FormatArg(const char* s) : kind_(Kind::String), text_(s ? s : "") {}
    FormatArg(std::string_view s) : kind_(Kind::String), text_(s) {}
    FormatArg(int v) : kind_(Kind::Integer), integer_(v) {}
    FormatArg(unsigned v) : kind_(Kind::Integer), integer_(v) {}
    FormatArg(long v) : kind_(Kind::Integer), integer_(v) {}
    FormatArg(unsigned long v) : kind_(Kind::Integer), integer_(static_cast<long long>(v)) {}
    FormatArg(long long v) : kind_(Kind::Integer), integer_(v) {}
    FormatArg(double v) : kind_(Kind::Real), real_(v) {}

    Kind kind() const { return kind_; }
    std::string AsString() const;
    long long AsInteger() const;
    double AsReal() const;

private:
    Kind kind_;
    std::string text_;
    long long integer_ = 0;
    double real_ = 0;
};

// Fills the inserts of a message pattern: "%1!s!", "%2!d!", "%1" (a string),
// "%%", and plain printf conversions ("%s", "%d", "%.1lf") that take the
// arguments in order. Inserts without an argument are left empty.
std::string FormatMessage(std::string_view pattern, const std::vector<FormatArg>& args);

// The text of the current language for an id; empty for an id the table lacks.
std::string LoadText(int id);
std::string FormatText(int id, const std::vector<FormatArg>& args);

// Collects the ids that were looked up and that the current table lacks, from
// any thread. A text check installs one to find windows that ask for texts
// nobody wrote; a lookup that found its id, even an empty text, is no miss.
class CMissingTextRecorder {
public:
    void Record(int id);
    // The ids recorded since the last Clear, each once, in ascending order.
    std::vector<int> Ids() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::set<int> ids_;
};

// The program's texts by numeric id. English is compiled in; a language module
// is a UTF-8 file of "id=text" lines (with \n, \t and \\ escapes, '#' comments)
// that replaces the texts it holds. Texts are read from any thread; the
// language changes only while no window is open.
class CStringTable {
public:
    using Table = std::map<int, std::string>;

    static CStringTable& Instance();

    // Reads "id=text" lines. Fails on a line without '=', an id that is not a
    // decimal number, or an id given twice; the error names the line.
    static bool Parse(std::string_view data, Table& out, std::string* error = nullptr);

    static const Table& English();

    // Loads a language module; on failure the current texts stay.
    bool LoadLanguageModule(const std::string& path, std::string* error = nullptr);
    void UseEnglish();
    bool IsEnglish() const;

    // The text of an id; an id the table lacks gives empty text and is
    // reported to the miss recorder. Has asks without reporting.
    std::string Get(int id) const;
    bool Has(int id) const;

    // Installs the recorder that lookups of missing ids report to; nullptr
    // removes it. Shared, so a lookup on another thread never outlives it.
    void SetMissRecorder(std::shared_ptr<CMissingTextRecorder> recorder);

private:
    CStringTable();
    mutable std::shared_mutex mutex_;
    std::shared_ptr<const Table> current_;
    std::shared_ptr<CMissingTextRecorder> missRecorder_;
    bool english_ = true;
};
