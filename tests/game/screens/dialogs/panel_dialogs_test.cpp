#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/screens/dialogs/panel_dialogs.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

class PanelDialogsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        windowScript->RegisterWindowType("YesNoWindow", &clsYesNo::Create);
    }

    // The first point of the border path's segment.
    static OutlinePoint SegmentStart(clsPanelDialog* dialog, int segment) {
        float points[12] = {};
        dialog->GetBorder().GetEffect().GetPath().GetSegment(segment, points);
        return {points[0], points[1]};
    }
};

// Every panel dialog: its outline, built hidden; the panel slides in; the border shows at rest and
// stops emitting after the wait and the outline's curves, one segment duration each.
TEST_F(PanelDialogsTest, EachDialogRunsItsBorderOnceAroundThePanelAtRest) {
    const struct {
        const char* className;
        std::function<clsPanelDialog*()> make;
        const BorderOutline& outline;
        OutlinePoint start;
        int segments;
        int segmentMs;
    } kDialogs[] = {
        {"clsEnterName", [this] { return MakeDialog<clsEnterName>(); }, kOutlineA, {652, 122}, 5, 400},
        {"clsRegisterUser", [this] { return MakeDialog<clsRegisterUser>(); }, kOutlineA, {652, 122}, 5, 400},
        {"clsPause", [this] { return MakeDialog<clsPause>(); }, kOutlineC, {658, 200}, 5, 400},
        {"clsYesNo", [this] { return MakeDialog<clsYesNo>(); }, kOutlineA2, {652, 122}, 5, 300},
        {"clsGainTrophy", [this] { return MakeDialog<clsGainTrophy>(); }, kOutlineB10, {560, 88}, 9, 400},
        {"clsEndCollapse", [this] { return MakeDialog<clsEndCollapse>(); }, kOutlineB, {550, 88}, 9, 400},
    };
    for (const auto& test : kDialogs) {
        SCOPED_TRACE(test.className);
        clsPanelDialog* dialog = test.make();
        clsParticleFx& border = dialog->GetBorder().GetEffect();
        EXPECT_STREQ(dialog->GetClassName(), test.className);
        EXPECT_TRUE(dialog->IsKindOf(TWindow::ClassId()));
        EXPECT_EQ(border.GetPath().GetCount(), test.segments);
        EXPECT_EQ(test.outline.SegmentCount(), test.segments);
        EXPECT_EQ(SegmentStart(dialog, 0).x, test.start.x);
        EXPECT_EQ(SegmentStart(dialog, 0).y, test.start.y);
        EXPECT_EQ(SegmentStart(dialog, 1).x, test.start.x);

        RunFrames(dialog, 64);
        EXPECT_NE(dialog->FindChild("BackGround")->GetRect(), kPanel);
        int restMs = 64;
        while (!border.IsVisible() && restMs < 2000) RunFrames(dialog, 16), restMs += 16;
        // Nine legs of 596 ms in all, each ending on the first 16 ms frame past its end.
        EXPECT_GE(restMs, 596);
        EXPECT_LE(restMs, 596 + 9 * 16);
        EXPECT_EQ(dialog->FindChild("BackGround")->GetRect(), kPanel);

        EXPECT_FALSE(border.IsStopped());
        // The wait and the curves, one segment duration each.
        RunFrames(dialog, test.segments * test.segmentMs - 20);
        EXPECT_FALSE(border.IsStopped()) << "stopped before the end of the outline";
        RunFrames(dialog, 40);
        EXPECT_TRUE(border.IsStopped());
        delete dialog;
    }
}

TEST_F(PanelDialogsTest, EndCollapseShowsItsNextLevelButtonOnlyAtRest) {
    clsEndCollapse* dialog = MakeDialog<clsEndCollapse>({clsEndCollapse::kNextLevelButton});
    TWindow* button = dialog->FindChild(clsEndCollapse::kNextLevelButton);
    EXPECT_FALSE(Visible(button));
    RunFrames(dialog, 580);
    EXPECT_FALSE(Visible(button));
    RunFrames(dialog, 100);
    EXPECT_TRUE(Visible(button));
}

TEST_F(PanelDialogsTest, EndCollapseWithoutItsButtonStillComesToRest) {
    clsEndCollapse* dialog = MakeDialog<clsEndCollapse>();
    RunFrames(dialog, 700);
    EXPECT_TRUE(dialog->GetBorder().GetEffect().IsVisible());
}

TEST_F(PanelDialogsTest, WithoutAPanelTheBorderNeverShows) {
    clsPause* dialog = MakeDialog<clsPause>({}, false);
    RunFrames(dialog, 2000);
    EXPECT_FALSE(dialog->GetBorder().GetEffect().IsVisible());
}

// setBorderFx from the script: 3 the short outline C10, 1 back to A2, anything else nothing; a new
// outline stays hidden until the next rest.
TEST_F(PanelDialogsTest, SetBorderFxSwitchesTheYesNoOutline) {
    clsYesNo* dialog = MakeDialog<clsYesNo>();
    RunFrames(dialog, 700);
    ASSERT_TRUE(dialog->GetBorder().GetEffect().IsVisible());
    const struct {
        int choice;
        float startX;
        float firstCurveSecondX;
        bool hidden;
    } kChoices[] = {
        {2, 652, 652, false},  // nothing changes, the border goes on showing
        {3, 648, 648, true},
        {0, 648, 648, true},
        {1, 652, 652, true},
    };
    for (const auto& test : kChoices) {
        SCOPED_TRACE(test.choice);
        Run("setBorderFx(" + std::to_string(test.choice) + ")");
        EXPECT_EQ(SegmentStart(dialog, 0).x, test.startX);
        EXPECT_EQ(SegmentStart(dialog, 1).x, test.firstCurveSecondX);
        EXPECT_EQ(dialog->GetBorder().GetEffect().IsVisible(), !test.hidden);
    }
    Run("setBorderFx(3)");
    EXPECT_EQ(dialog->GetBorder().GetEffect().GetPath().GetCount(), 5);
    float points[12];
    dialog->GetBorder().GetEffect().GetPath().GetSegment(1, points);
    EXPECT_EQ(points[3], 660.0f);  // C's (670, 193) moved 10 px left
    EXPECT_EQ(points[4], 193.0f);
}

}  // namespace
