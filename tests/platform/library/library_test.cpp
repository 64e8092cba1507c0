#include "platform/library/library.h"

#include <gtest/gtest.h>

namespace {

TEST(Library, LoadsAndFindsSymbols) {
    platform::Library maths;
    ASSERT_TRUE(maths.Open("libm.so.6")) << maths.Error();
    using Cosine = double (*)(double);
    auto cosine = reinterpret_cast<Cosine>(maths.Find("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(maths.Find("no_such_symbol_here"), nullptr);
    maths.Close();
    EXPECT_FALSE(maths.IsOpen());
    EXPECT_EQ(maths.Find("cos"), nullptr);
}

TEST(Library, MissingLibraryReportsWhy) {
    platform::Library missing;
    EXPECT_FALSE(missing.Open("/nonexistent/qvHarness.so"));
    EXPECT_FALSE(missing.Error().empty());
    EXPECT_FALSE(missing.IsOpen());
}

}  // namespace
