// One call puts the graphics layer back as a fresh process has it.
#include "engine/graphics/graphics_state.h"

#include "engine/graphics/texture_display.h"
#include "tests/engine/graphics/display_fixture.h"

namespace {

TEST_F(DisplayTest, ResetLeavesNoDisplayAndNoInstalledServices) {
    ASSERT_NE(Make(), nullptr);
    TRenderer::Get();
    ITextureDisplay* platformDisplay = &GetTextureDisplay();
    ASSERT_EQ(&GetDisplayHost(), &host);

    ResetGraphicsState();
    EXPECT_EQ(TPlatform::Instance(), nullptr);
    EXPECT_NE(&GetDisplayHost(), &host);
    EXPECT_NE(&GetTextureDisplay(), platformDisplay);
    EXPECT_EQ(GetTextureDisplay().GetDisplayObject(), nullptr);
}

}  // namespace
