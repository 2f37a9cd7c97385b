#pragma once

#include <stdexcept>
#include <string>

// What went wrong, so that a caller can tell a fault that another attempt
// may mend from one that it will not.
enum class FaultKind {
    // The operation does not take what it was given: a value out of range, a
    // file's content, a device it does not support or that differs.
    RefusedInput,
    // A file could not be read or written; the text names the system's reason.
    File,
    // The exchange with the device failed on the way: time-out, CRC error,
    // invalid transaction or response, a port or connection that cannot be
    // opened, set up or kept. Retryable.
    Link,
    // The device answered with a Modbus exception response.
    DeviceException,
    // The user stopped the operation; the text is empty and never shown.
    Abort,
};

// Only a link fault may pass when the same exchange is tried again.
constexpr bool IsRetryable(FaultKind kind)
{
    return kind == FaultKind::Link;
}

// The program's one error type. It carries the finished message text and the
// kind of fault; the user-interface boundary shows the text with the error
// icon. A user abort, and only an abort, has an empty text, which is never shown.
class CPrivateException : public std::exception {
public:
    explicit CPrivateException(std::string text, FaultKind kind = FaultKind::RefusedInput);
    // Text of the string table.
    explicit CPrivateException(int stringId, FaultKind kind = FaultKind::RefusedInput);
    // Text of the string table with the system text of errorCode inserted as %1.
    CPrivateException(int stringId, int systemErrorCode, FaultKind kind = FaultKind::RefusedInput);

    static CPrivateException Aborted()
    {
        return CPrivateException(std::string(), FaultKind::Abort);
    }

    const std::string& Text() const noexcept { return text_; }
    FaultKind Kind() const noexcept { return kind_; }
    bool IsAbort() const noexcept { return kind_ == FaultKind::Abort; }
    bool IsRetryable() const noexcept { return ::IsRetryable(kind_); }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
    FaultKind kind_;
};

// The operating system's text for an errno value, without a trailing line break.
std::string SystemErrorText(int errorCode);
