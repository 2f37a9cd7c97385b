#pragma once

#include <string>
#include <string_view>
#include <system_error>

// Writes data to a temporary file beside the target, flushes it to disk and
// renames it over the target, so that a failed write (no space, no access, a
// failing close) leaves any old file whole and is never taken for success. A
// symbolic link is followed and an existing file's mode is kept; a write-protected
// file is refused, as writing it in place would be. Returns the error of the
// first step that failed.
std::error_code WriteFileAtomically(const std::string& path, std::string_view data);
