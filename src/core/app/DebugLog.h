#pragma once

#include <functional>
#include <string>

// The diagnostics channel: request traces and errors that are never shown to
// the user. The GUI routes it to a logging category, the command-line tool to
// stderr with --verbose; by default it goes nowhere.
using DebugSink = std::function<void(const std::string&)>;

void SetDebugSink(DebugSink sink);
void DebugOutput(const std::string& line);
// printf-style convenience; the line is formatted only when a sink is set.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
