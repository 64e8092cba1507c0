#include "engine/core/app/computer_id.h"

#include <cstring>
#include <gtest/gtest.h>

#include "platform/sysinfo/sysinfo.h"

namespace {

TEST(ComputerId, FromAddressBytes) {
    struct Case {
        uint8_t address[8];
        const char* id;
    } cases[] = {
        // All equal bytes: every XOR is 0, so each pair is '@' and 'B' + i.
        {{0, 0, 0, 0, 0, 0, 0, 0}, "@B@C@D@E@F@G@H@I"},
        // Bytes 6 and 7 are replaced by bytes 3 and 4 before use.
        {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xEE, 0xFF}, "CBACGDAECFBGAHDI"},
        {{0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00}, "_I_J_K@E@F@G@H_P"},
    };
    for (const Case& c : cases) {
        TString id = ComputerIdFromAddress(c.address);
        ASSERT_EQ(id.Length(), 16u);
        for (int i = 0; i < 16; i += 2) {
            EXPECT_GE(id.CharAt(i), 64);
            EXPECT_LE(id.CharAt(i), 95);
            EXPECT_GE(id.CharAt(i + 1), 66);
            EXPECT_LE(id.CharAt(i + 1), 80);
        }
        EXPECT_STREQ(id.CStr(), c.id);
    }
}

TEST(ComputerId, UsesTheTestAddress) {
    const uint8_t bytes[8] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x00, 0x00};
    platform::SetTestAddress(bytes);
    platform::UseSysinfoBackend(platform::SysinfoBackend::Test);
    EXPECT_STREQ(ComputeComputerId().CStr(), ComputerIdFromAddress(bytes).CStr());
    EXPECT_STREQ(ComputeComputerId().CStr(), ComputeComputerId().CStr());

    // Without an adapter, random bytes stand in: still a well-formed identifier, not a fixed one.
    platform::SetTestAddress(nullptr);
    TString first = ComputeComputerId();
    TString second = ComputeComputerId();
    EXPECT_EQ(first.Length(), 16u);
    EXPECT_NE(first, second);
    platform::UseSysinfoBackend(platform::SysinfoBackend::Real);
}

}  // namespace
