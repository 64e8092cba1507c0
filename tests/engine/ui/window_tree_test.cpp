#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ui/layered_window.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_anim.h"
#include "platform/clock/clock.h"

namespace {

TWindow* Named(const char* name, TRect rect = TRect()) {
    TWindow* window = new TWindow();
    window->SetName(name);
    window->MoveTo(rect.left, rect.top);
    window->SetSize(rect.Width(), rect.Height());
    return window;
}

std::vector<std::string> Names(const std::vector<TWindow*>& windows) {
    std::vector<std::string> names;
    for (TWindow* window : windows) names.push_back(window->GetName().CStr());
    return names;
}

class RefusingWindow : public TWindow {
public:
    bool OnAttach() override { return false; }
};

TEST(WindowTreeTest, IdsCountUpByOnePerWindow) {
    TWindow first;
    TWindow second;
    TModalWindow third;
    EXPECT_EQ(second.GetId(), first.GetId() + 1);
    EXPECT_EQ(third.GetId(), first.GetId() + 2);
}

TEST(WindowTreeTest, ChildrenGoInFrontAndAttachmentCanBeRefused) {
    TWindow parent;
    parent.AddChild(Named("a"), false);
    parent.AddChild(Named("b"), true);
    EXPECT_EQ(Names(parent.GetChildren()), (std::vector<std::string>{"b", "a"}));

    RefusingWindow refused;
    EXPECT_TRUE(parent.AddChild(&refused, false)) << "without attachment nobody asks";
    parent.RemoveChild(&refused);
    EXPECT_FALSE(parent.AddChild(&refused, true));
    EXPECT_EQ(refused.GetParent(), nullptr);
    EXPECT_EQ(Names(parent.GetChildren()), (std::vector<std::string>{"b", "a"}));
}

TEST(WindowTreeTest, FindChildSearchesFrontFirstToTheGivenDepth) {
    TWindow root;
    root.SetName("root");
    TWindow* back = Named("back");
    TWindow* front = Named("front");
    root.AddChild(back, false);
    root.AddChild(front, false);
    TWindow* deep = Named("twin");
    back->AddChild(deep, false);
    TWindow* shallow = Named("twin");
    front->AddChild(shallow, false);
    TWindow* deeper = Named("leaf");
    deep->AddChild(deeper, false);

    struct Case {
        const char* name;
        int depth;
        TWindow* expected;
    };
    const Case cases[] = {
        {"root", 0, &root}, {"front", 0, nullptr}, {"front", 1, front}, {"twin", 1, nullptr},
        {"twin", 2, shallow}, {"leaf", 2, nullptr}, {"leaf", 3, deeper}, {"leaf", -1, deeper},
        {"none", -1, nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(root.FindChild(c.name, c.depth), c.expected) << c.name << " " << c.depth;
}

TEST(WindowTreeTest, FitToChildrenGrowsButNeverShrinks) {
    TWindow parent;
    parent.SetSize(50, 300);
    parent.AddChild(Named("a", TRect(10, 10, 120, 40)), false);
    parent.AddChild(Named("b", TRect(0, 100, 20, 150)), false);
    parent.FitToChildren();
    EXPECT_EQ(parent.GetWidth(), 120);
    EXPECT_EQ(parent.GetHeight(), 300);
}

TEST(WindowTreeTest, HitTestTakesTheFrontmostVisibleChild) {
    TWindow root;
    root.SetSize(100, 100);
    TWindow* back = Named("back", TRect(0, 0, 100, 100));
    TWindow* front = Named("front", TRect(0, 0, 50, 50));
    root.AddChild(back, false);
    root.AddChild(front, false);
    TWindow* inner = Named("inner", TRect(5, 5, 20, 20));
    front->AddChild(inner, false);

    EXPECT_EQ(root.ChildAt({10, 10}), front);
    EXPECT_EQ(root.ChildAt({50, 50}), back) << "right and bottom are outside";
    EXPECT_EQ(root.ChildAt({200, 10}), &root);
    EXPECT_EQ(root.DeepestChildAt({10, 10}), inner);

    front->SetFlags(front->GetFlags() & ~kWindowVisible);
    EXPECT_EQ(root.DeepestChildAt({10, 10}), back) << "a hidden window and its subtree are not hit";
    EXPECT_FALSE(inner->IsVisibleToModal());
}

TEST(WindowTreeTest, LayersShowOneGroupOfChildrenAtATime) {
    TLayeredWindow layered(3);
    TWindow* zero = Named("zero");
    layered.AddChild(zero, false);
    layered.SelectLayer(-1);
    TWindow* shared = Named("shared");
    layered.AddChild(shared, false);
    layered.SelectLayer(2);
    TWindow* two = Named("two");
    layered.AddChild(two, false);

    auto shown = [&] {
        std::string text;
        for (TWindow* child : layered.GetChildren())
            if (child->HasFlags(kWindowVisible)) text += std::string(child->GetName().CStr()) + " ";
        return text;
    };
    EXPECT_EQ(shown(), "two shared ");
    layered.SelectLayer(1);
    EXPECT_EQ(shown(), "shared ");
    layered.SelectLayer(-1);
    EXPECT_EQ(shown(), "shared zero ");

    two->SetFlags(two->GetFlags() | kWindowVisible);
    layered.SelectLayer(-1);
    EXPECT_EQ(shown(), "two shared zero ") << "selecting the current layer changes nothing";

    layered.RemoveChild(shared);
    delete shared;
    layered.SelectLayer(2);
    EXPECT_EQ(shown(), "two ");
}

class CountingWindow : public TWindow {
public:
    bool OnAnimate() override {
        ++frames;
        return true;
    }
    int frames = 0;
};

// Animation tests read a stopped clock, so that no time passes between scheduling and running.
class WindowAnimTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTestClock(10000);
        platform::UseClockBackend(platform::ClockBackend::Test);
    }
    void TearDown() override { platform::UseClockBackend(platform::ClockBackend::Real); }
};

TEST_F(WindowAnimTest, AnimationAskedBeforeAttachmentRunsOnceUnderAModalWindow) {
    CountingWindow* window = new CountingWindow();
    window->StartAnim(0, true, false);  // no modal window yet: nothing to run it on

    TModalWindow modal;
    modal.OnAttach();
    modal.RunTasks(0);
    EXPECT_EQ(window->frames, 0);

    TWindow* holder = new TWindow();
    holder->AddChild(window, false);
    modal.AddChild(holder, true);
    EXPECT_TRUE(modal.GetTaskList().Contains(window->GetWindowAnim()));
    modal.RunTasks(0);
    EXPECT_EQ(window->frames, 1);
}

TEST_F(WindowAnimTest, AnAnimationWithoutAPeriodRunsOnEveryPass) {
    TModalWindow modal;
    modal.OnAttach();
    CountingWindow* window = new CountingWindow();
    modal.AddChild(window, false);
    window->GetWindowAnim();
    for (int pass = 0; pass < 3; ++pass) modal.RunTasks(0);  // the modal's clock has not moved
    EXPECT_EQ(window->frames, 3);
}

TEST_F(WindowAnimTest, WindowAndTaskUnlinkWhenEitherDies) {
    TModalWindow modal;
    TWindow* window = new TWindow();
    modal.AddChild(window, false);
    TWindowAnim* anim = window->GetWindowAnim();
    anim->Schedule(0, true, false, false);
    modal.OnAttach();
    modal.RemoveChild(window);
    delete window;
    EXPECT_EQ(anim->GetWindow(), nullptr);
    modal.RunTasks(0);  // the orphaned task ends
    EXPECT_EQ(modal.GetTaskList().Count(), 0u);
}

}  // namespace
