#include "engine/core/app/computer_id.h"

#include <cstring>

#include "platform/sysinfo/sysinfo.h"

TString ComputerIdFromAddress(const uint8_t address[8]) {
    uint8_t a[8];
    std::memcpy(a, address, 8);
    a[6] = a[3];
    a[7] = a[4];
    TString id;
    for (int i = 0; i < 8; ++i) {
        uint8_t x = a[i] ^ a[(i + 1) % 8];
        id += static_cast<char>((x & 31) + 64);
        id += static_cast<char>((x >> 5) + i + 66);
    }
    return id;
}

TString ComputeComputerId() {
    uint8_t address[16] = {};
    if (!platform::ReadNetworkAddress(address)) {
        // No adapter: random bytes (a fresh GUID) stand in for the address.
        platform::RandomBytes(address, sizeof address);
    }
    return ComputerIdFromAddress(address);
}
