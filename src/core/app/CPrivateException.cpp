#include "app/CPrivateException.h"

#include <system_error>

#include "text/CStringTable.h"

namespace {

// An empty text is never shown, so it can only be an abort, and an abort has
// nothing to show.
FaultKind KindFor(const std::string& text, FaultKind kind)
{
    return text.empty() ? FaultKind::Abort : kind;
}

} // namespace

CPrivateException::CPrivateException(std::string text, FaultKind kind)
    : text_(kind == FaultKind::Abort ? std::string() : std::move(text)), kind_(KindFor(text_, kind))
{
}

CPrivateException::CPrivateException(int stringId, FaultKind kind)
    : CPrivateException(LoadText(stringId), kind)
{
}

CPrivateException::CPrivateException(int stringId, int systemErrorCode, FaultKind kind)
    : CPrivateException(FormatText(stringId, {SystemErrorText(systemErrorCode)}), kind)
{
}

std::string SystemErrorText(int errorCode)
{
    std::string s = std::generic_category().message(errorCode);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}
