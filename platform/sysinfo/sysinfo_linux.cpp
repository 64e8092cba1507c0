#include "platform/sysinfo/sysinfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <sys/random.h>
#include <vector>

namespace platform {
namespace {

struct SysinfoState {
    std::mutex lock;
    SysinfoBackend backend = SysinfoBackend::Real;
    std::optional<std::array<uint8_t, 8>> testAddress;
};

SysinfoState& GetSysinfoState() {
    static SysinfoState state;
    return state;
}

// "aa:bb:cc:dd:ee:ff" into 6 bytes; false for anything else or an all-zero address.
bool ParseHardwareAddress(const std::string& text, uint8_t out[6]) {
    unsigned value[6];
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x", &value[0], &value[1], &value[2], &value[3],
                    &value[4], &value[5]) != 6) {
        return false;
    }
    bool anySet = false;
    for (int i = 0; i < 6; ++i) {
        out[i] = static_cast<uint8_t>(value[i]);
        anySet = anySet || value[i] != 0;
    }
    return anySet;
}

bool FirstNetworkAddress(uint8_t address[8]) {
    std::error_code error;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net", error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());  // a stable choice from one start to the next
    for (const std::string& name : names) {
        if (name == "lo") continue;
        std::ifstream file("/sys/class/net/" + name + "/address");
        std::string text;
        if (!std::getline(file, text)) continue;
        std::memset(address, 0, 8);
        if (ParseHardwareAddress(text, address)) return true;
    }
    return false;
}

}  // namespace

bool RandomBytes(void* buffer, size_t size) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (size > 0) {
        ssize_t got = getrandom(bytes, size, 0);
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

void UseSysinfoBackend(SysinfoBackend backend) {
    SysinfoState& state = GetSysinfoState();
    std::lock_guard hold(state.lock);
    state.backend = backend;
}

SysinfoBackend GetSysinfoBackend() {
    SysinfoState& state = GetSysinfoState();
    std::lock_guard hold(state.lock);
    return state.backend;
}

void SetTestAddress(const uint8_t address[8]) {
    SysinfoState& state = GetSysinfoState();
    std::lock_guard hold(state.lock);
    state.testAddress.reset();
    if (address) std::copy(address, address + 8, state.testAddress.emplace().begin());
}

bool ReadNetworkAddress(uint8_t address[8]) {
    SysinfoState& state = GetSysinfoState();
    {
        std::lock_guard hold(state.lock);
        if (state.backend == SysinfoBackend::Test) {
            if (!state.testAddress) return false;
            std::copy(state.testAddress->begin(), state.testAddress->end(), address);
            return true;
        }
    }
    return FirstNetworkAddress(address);
}

}  // namespace platform
