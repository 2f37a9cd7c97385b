#pragma once

#include <stdexcept>
#include <string>

// The program's one error type. It carries the finished message text; the
// user-interface boundary shows it with the error icon. An empty text marks a
// user abort, which is never shown.
class CPrivateException : public std::exception {
public:
    explicit CPrivateException(std::string text) : text_(std::move(text)) {}
    // Text of the string table.
    explicit CPrivateException(int stringId);
    // Text of the string table with the system text of errorCode inserted as %1.
    CPrivateException(int stringId, int systemErrorCode);

    static CPrivateException Aborted() { return CPrivateException(std::string()); }

    const std::string& Text() const noexcept { return text_; }
    bool IsAbort() const noexcept { return text_.empty(); }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// The operating system's text for an errno value, without a trailing line break.
std::string SystemErrorText(int errorCode);
