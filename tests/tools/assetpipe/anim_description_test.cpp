#include "tools/assetpipe/anim_description.h"

#include <gtest/gtest.h>

#include "tools/assetpipe/anim_sheet.h"

namespace {

using assetpipe::AnimDescription;
using assetpipe::ParseAnimDescription;

const char kHead[] = "svg a.svg\nsize 40 20\nframes 8\n";

AnimDescription Parse(const std::string& text) {
    AnimDescription description;
    std::string error;
    EXPECT_TRUE(ParseAnimDescription(text, &description, &error)) << error;
    return description;
}

TEST(AnimDescriptionTest, BadLinesNameTheirLineAndFault) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"size 40 20\nframes 8\n", "no 'svg' line"},
        {std::string(kHead) + "spin x 1:2\n", "line 4: unknown keyword 'spin'"},
        {std::string(kHead) + "track arm twist 1:2\n", "line 4: unknown property 'twist'"},
        {std::string(kHead) + "track arm rotate 5:1 3:2\n", "line 4: keys must go forward in frames"},
        {std::string(kHead) + "track arm rotate 9:1\n", "line 4: frame 9 is outside 1..8"},
        {std::string(kHead) + "track arm rotate 1:abc\n", "line 4: 'abc' is not a number"},
        {std::string(kHead) + "action DoAnim 1 8\naction DoAnim 2 3\n", "line 5: action 'DoAnim' is given twice"},
        {std::string(kHead) + "action do-it 1 8\n", "line 4: an action needs a name of letters, digits and '_'"},
        {"svg a.svg\naction DoAnim 1 2\n", "line 2: 'frames' must come before actions and tracks"},
        {"svg a.svg\nsize 2000 20\n", "line 2: size must be 1..1024 in both directions"},
        {std::string(kHead) + "bleed top middle\n", "line 4: unknown side 'middle' (top, bottom, left, right)"},
    };
    for (const auto& c : cases) {
        AnimDescription description;
        std::string error;
        EXPECT_FALSE(ParseAnimDescription(c.text, &description, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(AnimDescriptionTest, KeysInterpolateBetweenAndHoldOutside) {
    AnimDescription d = Parse(std::string(kHead) + "track arm translate 3:0,10 7:8,-10  # comment\n"
                                                   "track arm show 2 5-6\n");
    const struct {
        int frame;
        double dx, dy;
        bool visible;
    } cases[] = {{1, 0, 10, false}, {3, 0, 10, false}, {5, 4, 0, true}, {6, 6, -5, true}, {8, 8, -10, false}};
    for (const auto& c : cases) {
        assetpipe::ElementPose pose = assetpipe::PoseAt(d.elements["arm"], c.frame);
        EXPECT_DOUBLE_EQ(pose.dx, c.dx) << c.frame;
        EXPECT_DOUBLE_EQ(pose.dy, c.dy) << c.frame;
        EXPECT_EQ(pose.visible, c.visible) << c.frame;
        EXPECT_DOUBLE_EQ(pose.sx, 1) << "untracked properties stay neutral";
    }
}

TEST(AnimDescriptionTest, ActionsBecomeScriptFunctions) {
    EXPECT_EQ(assetpipe::ActionScript(Parse(kHead)),
              "function DoAnim()\n    delay(60);\n    frames{1,2,3,4,5,6,7,8};\nend\n");
    EXPECT_EQ(assetpipe::ActionScript(Parse(std::string(kHead) + "frametime 90\naction endMsg 3 1\naction Loop 7 8 loop\n")),
              "function endMsg()\n    delay(90);\n    frames{3,2,1};\nend\n"
              "function Loop()\n    delay(90);\n    while true do\n        frames{7,8};\n    end\nend\n");
}

TEST(AnimSheetTest, FramesTakeTheSmallestSurfaceThatFits) {
    assetpipe::SheetLayout layout;
    ASSERT_TRUE(assetpipe::LayoutSheet(100, 100, 8, &layout));
    EXPECT_EQ(layout.columns, 2);  // 202 x 406 fits 256 x 512, as 406 x 202 does; the squarer wins a tie
    EXPECT_EQ(layout.cellX(3), 102);
    EXPECT_EQ(layout.cellY(3), 102);
    ASSERT_TRUE(assetpipe::LayoutSheet(800, 600, 1, &layout));
    EXPECT_FALSE(assetpipe::LayoutSheet(160, 160, 37, &layout)) << "36 frames of 160 fill a 1024 sheet";
}

}  // namespace
