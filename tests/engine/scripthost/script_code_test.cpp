#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/scripthost/script_code.h"

namespace {

TEST(Asset, ScriptCodeKeepsBinaryBytes) {
    const char chunk[] = {27, 'L', 'u', 'a', 0, 0x50, 1};
    std::vector<char> dumped;
    WriteChunkBlock(nullptr, chunk, 3, &dumped);
    EXPECT_EQ(WriteChunkBlock(nullptr, chunk + 3, sizeof chunk - 3, &dumped), 0);  // go on
    ASSERT_EQ(dumped.size(), sizeof chunk);
    auto code = std::make_shared<TScriptCode>(dumped.data(), static_cast<uint32_t>(dumped.size()));
    EXPECT_EQ(code->GetSize(), sizeof chunk);
    EXPECT_EQ(std::memcmp(code->GetBytes(), chunk, sizeof chunk), 0);
    EXPECT_STREQ(code->GetClassName(), "TScriptCode");
    EXPECT_NE(AssetCast<TScriptCode>(std::shared_ptr<TAsset>(code)), nullptr);
}

}  // namespace
