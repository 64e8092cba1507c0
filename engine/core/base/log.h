// The log file "logfile.txt" in the user data folder: time-stamped entries, wrapping at about 100 KB.
#pragma once

#include "engine/core/base/tstring.h"

// Starts the log in folder (created when missing; the old file is deleted). A null folder stops it.
// "__MEMORYMAX__=<n>" instead stores n as the memory ceiling.
void LogInit(const char* folder);
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int LogMemoryCeiling();
