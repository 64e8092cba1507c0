// Damaged ".mesh" files: every load must fail cleanly or give indices within the vertices, never read
// outside the file's bytes (run under the address sanitizer).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/graphics/model.h"

namespace {

std::vector<uint8_t> ValidMesh() {
    std::vector<uint8_t> bytes = {'T', 'R', 'I', 'S'};
    auto s16 = [&](int v) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    };
    s16(4), s16(2);
    for (int v = 0; v < 4; ++v)
        for (int i = 0; i < 8; ++i) s16(v * 100 + i);
    for (int index : {0, 1, 2, 2, 3, 0}) s16(index);
    return bytes;
}

void ExpectCleanLoad(const std::vector<uint8_t>& bytes) {
    // An exact-size heap copy, so a read past the end is caught.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() + 1]);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    RegisterMemoryFile("fuzz/model.mesh", copy.get(), bytes.size());
    TModel model;
    if (model.Init("fuzz/model.mesh")) {
        for (uint16_t index : model.Indices()) EXPECT_LT(index, model.Vertices().size());
        EXPECT_EQ(model.Indices().size() % 3, 0u);
    } else {
        EXPECT_TRUE(model.Vertices().empty());
    }
    RegisterMemoryFile("fuzz/model.mesh", nullptr, 0);
}

TEST(MeshFuzz, TruncatedAndDamagedMeshesLoadCleanly) {
    const std::vector<uint8_t> valid = ValidMesh();
    for (size_t length = 0; length <= valid.size(); ++length)
        ExpectCleanLoad(std::vector<uint8_t>(valid.begin(), valid.begin() + length));
    std::mt19937 random(99);
    for (int round = 0; round < 500; ++round) {
        std::vector<uint8_t> damaged = valid;
        for (int flips = 1 + round % 6; flips > 0; --flips)
            damaged[4 + random() % (damaged.size() - 4)] = static_cast<uint8_t>(random());
        ExpectCleanLoad(damaged);
    }
}

}  // namespace
