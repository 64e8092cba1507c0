#include <gtest/gtest.h>

#include <string>

#include "engine/ui/image.h"
#include "game/screens/menus/start_window.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

class StartWindowTest : public DialogTest {
protected:
    // The start panel of the style's attributes, with its panel, button and backdrop, and the logo
    // unless logo is false.
    clsStart* MakeStart(const std::string& attributes, bool logo = true) {
        return Create<clsStart>(modal, "{ name = 'start', x = 0, y = 0, w = 800, h = 600" + attributes + " }",
                                [&](clsStart* start) {
                                    AddChildWindow(start, "BackGround", kPanel);
                                    AddChildWindow(start, clsStart::kStartButton, TRect(300, 400, 400, 440));
                                    AddChildWindow(start, clsStart::kBackdrop, TRect(0, 0, 800, 600));
                                    if (logo) Create<TImage>(start, "{ name = 'bmpLogo', x = 0, y = 0, w = 800, h = 600 }");
                                });
    }
    static float LogoAlpha(clsStart* start) {
        return static_cast<TImage*>(start->FindChild(clsStart::kLogo))->GetAlpha();
    }
    static float BorderStartX(clsStart* start) {
        float points[12] = {};
        start->GetBorder().GetEffect().GetPath().GetSegment(0, points);
        return points[0];
    }
};

// The logo stays for the sponsor time and fades linearly; the panel starts when the fade does.
TEST_F(StartWindowTest, LogoShowsThenFadesWhileThePanelSlidesIn) {
    clsStart* start = MakeStart(", SponsorTime = 2000, SponsorFade = 500");
    const struct {
        int atMs;
        bool pending;
        float alpha;
        bool logoKept;
    } kMoments[] = {
        {1900, true, 1.0f, true},  {2000, false, 0.8f, true}, {2200, false, 0.4f, true},
        {2400, false, 0.0f, true}, {2500, false, 0.0f, false},
    };
    int done = 0;
    for (const auto& moment : kMoments) {
        SCOPED_TRACE(moment.atMs);
        RunFrames(start, moment.atMs - done, 100);
        done = moment.atMs;
        EXPECT_EQ(start->IsPanelPending(), moment.pending);
        EXPECT_FLOAT_EQ(LogoAlpha(start), moment.alpha);
        EXPECT_EQ(start->GetLogo() != nullptr, moment.logoKept);
    }
    delete start;
}

// No fade time (or a fade of less than nothing) ends the logo on the first frame, even a frame of
// no time; without the times the panel starts on the first frame too.
TEST_F(StartWindowTest, LogoWithoutFadeTimeGoesAtOnce) {
    for (const char* attributes : {"", ", SponsorFade = -40", ", SponsorFade = 0"}) {
        SCOPED_TRACE(attributes);
        clsStart* start = MakeStart(attributes);
        EXPECT_TRUE(start->IsPanelPending());
        start->OnAnimate();  // a frame of no time
        EXPECT_FALSE(start->IsPanelPending());
        EXPECT_EQ(start->GetLogo(), nullptr);
        EXPECT_EQ(LogoAlpha(start), 0.0f);
        delete start;
    }
}

// The button and the backdrop wait for the panel's rest, then the border runs; "collapse" picks
// the wide outline.
TEST_F(StartWindowTest, WithoutLogoThePanelSlidesInAtOnceAndItsButtonShowsAtRest) {
    for (bool collapse : {false, true}) {
        SCOPED_TRACE(collapse);
        clsStart* start = MakeStart(collapse ? ", collapse = true" : "", false);
        EXPECT_FALSE(start->IsPanelPending());
        EXPECT_EQ(BorderStartX(start), collapse ? 652.0f : 550.0f);
        EXPECT_FALSE(Visible(start->FindChild(clsStart::kStartButton)));
        EXPECT_FALSE(Visible(start->FindChild(clsStart::kBackdrop)));
        RunFrames(start, 1000);
        EXPECT_EQ(start->FindChild("BackGround")->GetRect(), kPanel);
        EXPECT_TRUE(Visible(start->FindChild(clsStart::kStartButton)));
        EXPECT_TRUE(Visible(start->FindChild(clsStart::kBackdrop)));
        EXPECT_TRUE(start->GetBorder().GetEffect().IsVisible());
        delete start;
    }
}

}  // namespace
