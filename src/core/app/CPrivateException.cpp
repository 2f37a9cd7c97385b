#include "app/CPrivateException.h"

#include <cstring>

#include "text/CStringTable.h"

CPrivateException::CPrivateException(int stringId) : text_(LoadText(stringId)) {}

CPrivateException::CPrivateException(int stringId, int systemErrorCode)
    : text_(FormatText(stringId, {SystemErrorText(systemErrorCode)}))
{
}

std::string SystemErrorText(int errorCode)
{
    char buf[256];
    // GNU strerror_r may return a static string instead of filling buf.
    const char* text = strerror_r(errorCode, buf, sizeof buf);
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}
