#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ui/text.h"
#include "game/screens/trophies/trophies_window.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

using Cabinet = clsTrophiesWnd;

// Trophy i stands at (20 + 60 i, 400), 50 x 50; the second one overlaps the first by 10 px.
TRect TrophyRect(int i) {
    int left = 20 + 60 * i - (i == 1 ? 20 : 0);
    return TRect(left, 400, left + 50, 450);
}

// A cabinet over the tracker, with its 22 pictures and four tooltip panels as the script gives them.
class TrophiesWindowTest : public DialogTest {
protected:
    void TearDown() override {
        clsTrophyTracker::DestroyInstance();
        DialogTest::TearDown();
    }

    Cabinet* MakeCabinet(uint32_t trophyBits) {
        clsTrophyTracker* tracker = clsTrophyTracker::GetInstance();
        tracker->Clear();
        for (uint32_t bit = 1; bit <= clsTrophyTracker::kUpgradeFreak; bit <<= 1)
            if (trophyBits & bit) tracker->AwardTrophy(bit);
        return Create<Cabinet>(modal, "{ name = 'trophies', x = 0, y = 0, w = 800, h = 600 }", [&](Cabinet* cabinet) {
            for (int i = 0; i < Cabinet::kTrophyCount; ++i) {
                std::string name = Cabinet::kTrophies[i].window;
                for (const char* ending : {"_i", "_n"}) {
                    TWindow* picture = AddChildWindow(cabinet, (name + ending).c_str(), TrophyRect(i));
                    picture->SetFlags(kWindowVisible | kWindowCovers);
                }
            }
            for (int panel = 1; panel <= Cabinet::kPanelCount; ++panel) {
                TWindow* window = AddChildWindow(cabinet, ("dialog0" + std::to_string(panel)).c_str(), TRect(0, 0, 240, 120));
                Create<TText>(window, "{ name = 'lblName', x = 10, y = 10, w = 200, h = 30 }");
                Create<TText>(window, "{ name = 'lblToolTip', x = 10, y = 40, w = 200, h = 60 }");
            }
        });
    }
    // The panels shown, by number, and the texts of the shown ones.
    static std::string Tooltips(Cabinet* cabinet) {
        std::string shown;
        for (int panel = 1; panel <= Cabinet::kPanelCount; ++panel) {
            TWindow* window = cabinet->FindChild(TString("dialog0") + std::to_string(panel).c_str());
            if (!Visible(window)) continue;
            auto text = [&](const char* label) { return std::string(static_cast<TText*>(window->FindChild(label))->GetText().CStr()); };
            shown += std::to_string(panel) + "@" + std::to_string(window->GetRect().left) + "," +
                     std::to_string(window->GetRect().top) + " " + text("lblName") + "/" + text("lblToolTip") + " ";
        }
        return shown;
    }
};

TEST_F(TrophiesWindowTest, EachTrophyShowsTheEarnedOrTheNotYetEarnedPicture) {
    struct Case {
        uint32_t bits;
        const char* earned;
    } cases[] = {
        {0, ""},
        {clsTrophyTracker::kGrandWitch | clsTrophyTracker::kPotionPedia | clsTrophyTracker::kUpgradeFreak,
         "GrandWitch PotionPedia UpgradeFreak "},
        {0x7FF, "GrandWitch PotionMaster PotionMasterGold GoldenPhoenixFeather MagicCatBelt Artifact Plant "
                "PotionPedia ShopMonth ShopYear UpgradeFreak "},
    };
    for (const Case& c : cases) {
        Cabinet* cabinet = MakeCabinet(c.bits);
        std::string earned;
        for (const Cabinet::Trophy& trophy : Cabinet::kTrophies) {
            TWindow* shownEarned = cabinet->FindChild(TString(trophy.window) + "_n");
            TWindow* shownNotYet = cabinet->FindChild(TString(trophy.window) + "_i");
            EXPECT_NE(Visible(shownEarned), Visible(shownNotYet)) << trophy.window;
            if (Visible(shownEarned)) earned += std::string(trophy.window) + " ";
            // Hiding and showing touch the visible bit alone.
            EXPECT_TRUE(shownEarned->HasFlags(kWindowCovers) && shownNotYet->HasFlags(kWindowCovers)) << trophy.window;
        }
        EXPECT_EQ(earned, c.earned) << c.bits;
        EXPECT_EQ(Tooltips(cabinet), "") << c.bits;
        EXPECT_STREQ(cabinet->GetClassName(), "clsTrophiesWnd");
    }
}

TEST_F(TrophiesWindowTest, TheTooltipUnderThePointerNamesTheTrophyEarnedOrNot) {
    Cabinet* cabinet = MakeCabinet(clsTrophyTracker::kPotionMaster);
    struct Case {
        TPoint point;
        const char* tooltips;
    } cases[] = {
        {{45, 425}, "1@196,225 GrandWitch/GrandWitchTip "},                  // not earned: the hidden picture counts
        {{65, 425}, "1@196,225 GrandWitch/GrandWitchTip "},                  // where two overlap the first wins
        {{85, 425}, "1@395,225 PotionMaster/PotionMasterTip "},              // earned
        {{145, 425}, "4@387,113 PotionMasterGold/PotionMasterGoldTip "},     // another panel, the last one gone
        {{205, 425}, "1@0,0 GoldenPhoenixFeather/GoldenPhoenixFeatherTip "}, // at the cabinet's corner
        {{465, 425}, "3@244,260 Potionpedia/PotionpediaTip "},
        {{465, 400}, ""},                                                    // on the edge: outside
        {{465, 425}, "3@244,260 Potionpedia/PotionpediaTip "},
        {{700, 100}, ""},
    };
    for (const Case& c : cases) {
        MouseMove(c.point.x, c.point.y);
        EXPECT_EQ(Tooltips(cabinet), c.tooltips) << c.point.x << "," << c.point.y;
    }

    MouseMove(465, 425);
    EXPECT_NE(Tooltips(cabinet), "");
    EXPECT_TRUE(cabinet->OnMouseLeave());
    EXPECT_EQ(Tooltips(cabinet), "");
    EXPECT_TRUE(Logged("On Mouse Leave"));
}

TEST_F(TrophiesWindowTest, TheSparkleWaitsAtItsStartThenRunsRoundThePanel) {
    Cabinet* cabinet = MakeCabinet(0);
    clsParticleFx& sparkle = cabinet->GetPanelFx();
    EXPECT_TRUE(sparkle.IsVisible());
    ASSERT_EQ(sparkle.GetPath().GetCount(), 5);
    float p[12] = {};
    sparkle.GetPath().GetSegment(0, p);
    EXPECT_EQ((std::vector<float>(p, p + 12)),
              (std::vector<float>{532, 32, -1.2f, 532, 32, -1.2f, 532, 32, -1.2f, 532, 32, -1.2f}));
    sparkle.GetPath().GetSegment(4, p);
    EXPECT_EQ((std::vector<float>(p, p + 12)),
              (std::vector<float>{524, 386, 0.2f, 519, 223, 0.2f, 518, 158, 0.2f, 532, 40, 0.2f}));
}

}  // namespace
