#include "app/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {
std::mutex g_sinkMutex;
DebugSink g_sink;
} // namespace

void SetDebugSink(DebugSink sink)
{
    std::lock_guard lock(g_sinkMutex);
    g_sink = std::move(sink);
}

void DebugOutput(const std::string& line)
{
    std::lock_guard lock(g_sinkMutex);
    if (g_sink)
        g_sink(line);
}

void DebugPrintf(const char* format, ...)
{
    {
        std::lock_guard lock(g_sinkMutex);
        if (!g_sink)
            return;
    }
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    DebugOutput(buf);
}
