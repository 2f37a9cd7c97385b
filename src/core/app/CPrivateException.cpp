#include "app/CPrivateException.h"

#include <system_error>

#include "text/CStringTable.h"

CPrivateException::CPrivateException(int stringId) : text_(LoadText(stringId)) {}

CPrivateException::CPrivateException(int stringId, int systemErrorCode)
    : text_(FormatText(stringId, {SystemErrorText(systemErrorCode)}))
{
}

std::string SystemErrorText(int errorCode)
{
    std::string s = std::generic_category().message(errorCode);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}
