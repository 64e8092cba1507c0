#include "platform/sysinfo/sysinfo.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(SysInfo, RandomBytesDiffer) {
    uint8_t a[16] = {}, b[16] = {};
    ASSERT_TRUE(platform::RandomBytes(a, sizeof a));
    ASSERT_TRUE(platform::RandomBytes(b, sizeof b));
    EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
    EXPECT_TRUE(platform::RandomBytes(nullptr, 0));
}

bool Injected(uint8_t address[8]) {
    for (int i = 0; i < 8; ++i) address[i] = static_cast<uint8_t>(i + 1);
    return true;
}

TEST(SysInfo, AddressSourceIsInjectable) {
    platform::SetAddressSource(Injected);
    uint8_t address[8] = {};
    ASSERT_TRUE(platform::ReadNetworkAddress(address));
    EXPECT_EQ(address[0], 1);
    EXPECT_EQ(address[7], 8);
    platform::SetAddressSource(nullptr);

    // The system's own source: a found address is 6 bytes padded with zeros.
    uint8_t real[8];
    std::memset(real, 0xAA, sizeof real);
    if (platform::ReadNetworkAddress(real)) {
        EXPECT_EQ(real[6], 0);
        EXPECT_EQ(real[7], 0);
    }
}

}  // namespace
