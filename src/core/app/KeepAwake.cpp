#include "app/KeepAwake.h"

#include <atomic>

namespace {
std::atomic<KeepAwakeFunction> g_keepAwake{nullptr};
}

void InstallKeepAwake(KeepAwakeFunction f)
{
    g_keepAwake = f;
}

KeepAwakeFunction InstalledKeepAwake()
{
    return g_keepAwake;
}

CKeepAwake::CKeepAwake() : function_(g_keepAwake)
{
    if (function_)
        function_(true);
}

CKeepAwake::~CKeepAwake()
{
    if (function_)
        function_(false);
}
