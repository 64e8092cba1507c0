#include "engine/core/base/log.h"

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

}  // namespace

void LogInit(const char* folder) {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    if (!folder) {
        state.path = TString();
        return;
    }
    if (std::strncmp(folder, kMemoryMaxPrefix, sizeof kMemoryMaxPrefix - 1) == 0) {
        state.memoryCeiling = std::strlen(folder) > 14 ? TString(folder + 14).ToInt() : 0;
        return;
    }
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

    FILE* file = std::fopen(state.path.CStr(), "r+");
    if (!file) file = std::fopen(state.path.CStr(), "w");
    if (!file) return;
    if (state.offset <= kWrapMark) {
        std::fseek(file, state.offset, SEEK_SET);
    } else {
        std::fseek(file, kWrapTarget, SEEK_SET);
        std::fwrite(kWrapBanner, 1, sizeof kWrapBanner - 1, file);
    }
    std::fwrite(entry.CStr(), 1, entry.Length(), file);
    state.offset = std::ftell(file);
    std::fclose(file);
}

int LogMemoryCeiling() {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    return state.memoryCeiling;
}
