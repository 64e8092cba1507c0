#include "engine/core/base/log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>

namespace {

constexpr long kWrapMark = 102400;
constexpr long kWrapTarget = 51200;
constexpr const char kWrapBanner[] = "\n\n\n\n ****************** LOG WRAP AROUND ******************\n\n\n\n";
constexpr const char kMemoryMaxPrefix[] = "__MEMORYMAX__";

struct LogState {
    std::mutex lock;  // worker threads may log too
    TString path;
    int file = -1;    // opened at the first entry, kept until the log stops or restarts
    long offset = 0;
    int memoryCeiling = 0;
};

LogState& State() {
    static LogState state;
    return state;
}

TString LocalTimeText() {
    std::time_t now = std::time(nullptr);
    char buffer[64] = {};
    if (!ctime_r(&now, buffer)) return TString();
    buffer[std::strcspn(buffer, "\n")] = 0;
    return TString(buffer);
}

void CloseLogFile(LogState& state) {
    if (state.file >= 0) close(state.file);
    state.file = -1;
}

// Opens the log file once; a link planted at its name is refused, never followed.
bool OpenLogFile(LogState& state) {
    if (state.file < 0 && !state.path.IsEmpty())
        state.file = open(state.path.CStr(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    return state.file >= 0;
}

void WriteAt(LogState& state, const char* bytes, size_t count, long offset) {
    if (pwrite(state.file, bytes, count, offset) == static_cast<ssize_t>(count)) state.offset = offset + count;
}

}  // namespace

void LogInit(const char* folder) {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    if (folder && std::strncmp(folder, kMemoryMaxPrefix, sizeof kMemoryMaxPrefix - 1) == 0) {
        state.memoryCeiling = std::strlen(folder) > 14 ? TString(folder + 14).ToInt() : 0;
        return;
    }
    CloseLogFile(state);
    state.path = TString();
    if (!folder) return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    state.path = TString(folder) + "/logfile.txt";
    std::remove(state.path.CStr());
    state.offset = 0;
}

void LogPrintf(const char* format, ...) {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    if (state.path.IsEmpty()) return;

    TString message;
    va_list args;
    va_start(args, format);
    message.VFormat(format, args);
    va_end(args);
    TString entry = TString::Format("%s: ", LocalTimeText().CStr()) + message + "\n";

    if (!OpenLogFile(state)) return;
    if (state.offset > kWrapMark) WriteAt(state, kWrapBanner, sizeof kWrapBanner - 1, kWrapTarget);
    WriteAt(state, entry.CStr(), entry.Length(), state.offset);
}

int LogMemoryCeiling() {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    return state.memoryCeiling;
}
