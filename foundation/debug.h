// The engine's log: one line per message on standard error and, when a log file is set,
// appended to that file as well. Every subsystem reports its failures through Debug::Trace.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Debug {

// Formats the message onto standard error followed by a line feed; returns the message length.
SInt32 Print(const char* format, ...) VORN_PRINTF_FORMAT(1, 2);

// Appends the formatted text to the file at path (created when missing);
// returns the number of characters written, or -1 when the file cannot be opened.
SInt32 AppendToLogFile(const char* path, const char* format, ...) VORN_PRINTF_FORMAT(2, 3);

// The engine's log line: standard error, then the log file when one is set.
void Trace(const char* format, ...) VORN_PRINTF_FORMAT(1, 2);

// Keeps a copy of path as the log file; null or empty leaves no log file.
void SetLogFile(const char* path);
void ClearLogFile();

} // namespace Debug
} // namespace Vorn
