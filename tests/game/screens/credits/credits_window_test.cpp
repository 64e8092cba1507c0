#include <string>

#include "engine/core/files/file.h"
#include "game/screens/credits/credits_window.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

const char kCredits[] = "[[Alembria]]\r\n|\r\n[Made by]\r\n  The team\r\nlast";
const char kHeader[] = "<font color='ff7f00ff' size='28'>";
const char kSection[] = "<font color='ffffffff' size='40'>";

class CreditsWindowTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        RegisterMemoryFile("credits.txt", kCredits, sizeof kCredits - 1);
    }
    void TearDown() override {
        RegisterMemoryFile("credits.txt", nullptr, 0);
        WidgetTest::TearDown();
    }

    clsCreditsWnd* MakeCredits(const std::string& fields) {
        return Create<clsCreditsWnd>(dialog, "{ name = 'credits', x = 10, w = 400, h = 600, " + fields + " }");
    }
    static std::string Blank(int lines) { return std::string(static_cast<size_t>(lines), '\n'); }
};

TEST_F(CreditsWindowTest, ConvertsTheFileAndEndsWithAScreenOfEmptyLines) {
    clsCreditsWnd* credits = MakeCredits(
        "file = 'credits.txt', time = 1000, slotheight = 40, fontsize = 24, headercolor = { 1, 0.5, 0, 1 },"
        "sectionsize = 40");
    EXPECT_EQ(std::string(credits->GetText().CStr()),
              std::string("\n") + kSection + "Alembria</font>\n\n" + kHeader + "Made by</font>\nThe team\nlast\n" +
                  Blank(600 / 24));
    EXPECT_STREQ(credits->GetClassName(), "clsCreditsWnd");
}

TEST_F(CreditsWindowTest, BadSettingsAndAMissingFileGiveAWarningAndBlankLines) {
    struct Case {
        const char* fields;
        std::string text;
        const char* warning;
    } cases[] = {
        {"file = 'missing.txt', time = 1000", "\n" + Blank(600 / 24),
         "[WARN] CreditsWindow: the credits file \"missing.txt\" cannot be read"},
        {"time = 1000", "\n" + Blank(600 / 24), "[WARN] CreditsWindow: the credits file \"\" cannot be read"},
        {"file = 'missing.txt', time = 1000, fontsize = 0", "\n" + Blank(600),
         "[WARN] CreditsWindow: \"fontsize\" 0 is not above 0; 1 is used"},
        {"file = 'missing.txt', fontsize = -3", "\n" + Blank(600),
         "[WARN] CreditsWindow: \"fontsize\" -3 is not above 0; 1 is used"},
        {"file = 'missing.txt'", "\n" + Blank(600 / 24), "[WARN] CreditsWindow: \"time\" 0 is not above 0; 1 is used"},
    };
    for (const Case& c : cases) {
        clsCreditsWnd* credits = MakeCredits(c.fields);
        EXPECT_EQ(std::string(credits->GetText().CStr()), c.text) << c.fields;
        EXPECT_TRUE(Logged(c.warning)) << c.fields;
    }
}

TEST_F(CreditsWindowTest, RisesBySlotHeightEveryTimeAndStartsAgainAfterItsHeight) {
    // 40 pixels a second over a window 600 high: it starts again every 15 s.
    clsCreditsWnd* credits = MakeCredits("file = 'credits.txt', time = 1000, slotheight = 40");
    EXPECT_EQ(credits->GetRect().top, 40) << "starts one slot down";
    EXPECT_EQ(credits->GetRect().left, 10);
    struct Case {
        uint32_t elapsedMs;
        int offset;
    } cases[] = {
        {0, -40}, {24, -40}, {25, -39}, {1000, 0}, {2500, 60}, {14999, 559}, {15000, -40}, {16000, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(credits->ScrollOffsetAt(c.elapsedMs), c.offset) << c.elapsedMs;

    // Its animation places it on the window manager's clock.
    Advance(2500);
    Idle();
    EXPECT_EQ(credits->GetRect().top, -60);
    EXPECT_EQ(credits->GetRect().left, 10);
    Advance(12500);
    Idle();
    EXPECT_EQ(credits->GetRect().top, 40);
}

TEST_F(CreditsWindowTest, ZeroTimeScrollsAtOneSlotPerMillisecond) {
    clsCreditsWnd* credits = MakeCredits("file = 'credits.txt', time = 0, slotheight = 2");
    EXPECT_EQ(credits->ScrollOffsetAt(10), 18);
    clsCreditsWnd* flat = Create<clsCreditsWnd>(dialog, "{ name = 'flat', w = 400, h = 0, time = 10, slotheight = 5 }");
    EXPECT_EQ(flat->ScrollOffsetAt(1000), 0) << "a window of no height stays";
}

}  // namespace
