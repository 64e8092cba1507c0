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

TEST(SysInfo, TestBackendAnswersTheTestAddress) {
    const uint8_t injected[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    platform::SetTestAddress(injected);
    platform::UseSysinfoBackend(platform::SysinfoBackend::Test);
    uint8_t address[8] = {};
    ASSERT_TRUE(platform::ReadNetworkAddress(address));
    EXPECT_EQ(std::memcmp(address, injected, 8), 0);
    platform::SetTestAddress(nullptr);
    EXPECT_FALSE(platform::ReadNetworkAddress(address));
    platform::UseSysinfoBackend(platform::SysinfoBackend::Real);

    // The system's own source: a found address is 6 bytes padded with zeros.
    uint8_t real[8];
    std::memset(real, 0xAA, sizeof real);
    if (platform::ReadNetworkAddress(real)) {
        EXPECT_EQ(real[6], 0);
        EXPECT_EQ(real[7], 0);
    }
}

}  // namespace
