#include <gtest/gtest.h>

#include "engine/graphics/texture.h"
#include "engine/ui/modal_window.h"
#include "tests/engine/ui/ui_harness.h"

namespace {

using Lines = std::vector<std::string>;

class WindowManagerTest : public UiHarness {
protected:
    ProbeWindow* Probe(TWindow* parent, const char* name, TRect rect) {
        auto* window = new ProbeWindow(name, log, rect);
        parent->AddChild(window, true);
        return window;
    }
    // One frame as the idle step draws it, with the draws it made.
    Lines Frame() {
        log.clear();
        Idle();
        return log;
    }

    Lines log;
};

TEST_F(WindowManagerTest, DoPopModalPopsDownToTheNamedWindowAndReportsEachClosed) {
    struct Case {
        const char* what;
        int nameIndex;  // 0..2 bottom to top; -1 an unknown name
        bool byId;
        size_t remaining;
    };
    const Case cases[] = {
        {"third from the top", 0, false, 1},
        {"the top", 2, false, 3},
        {"by id text", 1, true, 2},
        {"unknown", -1, false, 4},
    };
    for (const Case& c : cases) {
        const char* names[] = {"one", "two", "three"};
        std::vector<TModalWindow*> dialogs;
        for (const char* name : names) dialogs.push_back(PushDialog(name));
        std::vector<std::string> closed;
        for (size_t i = c.nameIndex < 0 ? 3 : static_cast<size_t>(c.nameIndex); i < 3; ++i)
            closed.insert(closed.begin(), "6:" + std::string(FormatWindowId(dialogs[i]).CStr()));
        TString name = c.nameIndex < 0 ? TString("none")
                       : c.byId        ? FormatWindowId(dialogs[static_cast<size_t>(c.nameIndex)])
                                       : TString(names[c.nameIndex]);
        script.queued.clear();

        manager->DoPopModal(name);
        EXPECT_EQ(manager->GetModalStack().size(), c.remaining) << c.what;
        Idle();  // the popped windows are deleted now and say so
        EXPECT_EQ(script.queued, closed) << c.what;
        while (manager->GetTopModal() != screen) manager->PopModal();
        Idle();
    }
}

class CountingWindow : public TWindow {
public:
    bool OnAnimate() override {
        ++frames;
        return true;
    }
    int frames = 0;
};

TEST_F(WindowManagerTest, ACoveredModalWindowsClockStopsUntilDoPopModalRestartsIt) {
    TModalWindow* page = PushDialog("page");
    auto* animated = new CountingWindow();
    page->AddChild(animated, true);
    animated->StartAnim(10, true, false);
    Advance(100);
    Idle();
    EXPECT_EQ(page->GetClock().GetTime(), 100u);
    EXPECT_EQ(animated->frames, 1);

    PushDialog("dialog");
    Advance(50);
    Idle();
    EXPECT_EQ(page->GetClock().GetTime(), 100u);
    EXPECT_EQ(animated->frames, 1) << "only the top modal window's tasks run";

    manager->PopModal();
    Advance(50);
    EXPECT_EQ(page->GetClock().GetTime(), 100u) << "PopModal alone leaves the clock stopped";

    PushDialog("dialog");
    manager->DoPopModal("dialog");
    Advance(30);
    Idle();
    EXPECT_EQ(page->GetClock().GetTime(), 130u);
    EXPECT_EQ(animated->frames, 2);
}

TEST_F(WindowManagerTest, FramesArePacedOnTheApplicationClock) {
    Probe(screen, "w", TRect(0, 0, 10, 10));
    ASSERT_EQ(Frame(), (Lines{"w:draw"}));

    struct Case {
        bool focus, hosted;
        uint32_t interval;
    };
    const Case cases[] = {{true, false, 12}, {false, false, 200}, {false, true, 12}, {true, true, 12}};
    for (const Case& c : cases) {
        windowHost.focus = c.focus;
        windowHost.hosted = c.hosted;
        manager->Invalidate();
        Advance(c.interval - 1);
        EXPECT_EQ(Frame(), Lines{}) << c.interval;
        Advance(1);
        EXPECT_EQ(Frame(), (Lines{"w:draw"})) << c.interval;
    }

    Advance(500);
    EXPECT_EQ(Frame(), Lines{}) << "nothing to redraw";
    manager->Invalidate();
    windowHost.frameDone = false;
    EXPECT_EQ(Frame(), Lines{}) << "the display still shows the last frame";
    windowHost.frameDone = true;
    EXPECT_EQ(Frame(), (Lines{"w:draw"}));
}

TEST_F(WindowManagerTest, AFullScreenCoveringModalWindowHidesTheWindowsBelow) {
    Probe(screen, "under", TRect(0, 0, 10, 10));
    TModalWindow* page = PushDialog("page");
    ProbeWindow* cover = Probe(page, "cover", TRect(0, 0, kWidth, kHeight));
    cover->SetFlags(cover->GetFlags() | kWindowCovers);
    EXPECT_TRUE(page->HasFlags(kWindowCovers));
    EXPECT_EQ(Frame(), (Lines{"cover:draw"}));

    cover->SetSize(100, 100);
    EXPECT_FALSE(page->HasFlags(kWindowCovers));
    Advance(12);
    EXPECT_EQ(Frame(), (Lines{"under:draw", "cover:draw"}));
}

TEST_F(WindowManagerTest, TheScreenClearsOnlyWhileOnTopUnlessAlwaysClear) {
    const uint32_t red = 0xFF0000, green = 0x00FF00;
    screen->SetBackground(1, 0, 0, 1);
    Idle();
    EXPECT_EQ(Pixel(700, 10), red);

    screen->SetBackground(0, 1, 0, 1);
    PushDialog("dialog", TRect(0, 0, 10, 10));
    Advance(12);
    Idle();
    EXPECT_EQ(Pixel(700, 10), red);

    screen->SetAlwaysClear(true);
    manager->Invalidate();
    Advance(12);
    Idle();
    EXPECT_EQ(Pixel(700, 10), green);

    screen->SetNeverClear(true);
    screen->SetBackground(0, 0, 1, 1);
    manager->Invalidate();
    Advance(12);
    Idle();
    EXPECT_EQ(Pixel(700, 10), green);
}

TEST_F(WindowManagerTest, FocusEventLetsTheRenderTargetGo) {
    Probe(screen, "main", TRect(0, 0, 10, 10));
    manager->SetRenderTarget(TTexture::CreateRenderTarget(256, 256, false));
    ASSERT_TRUE(manager->GetRenderTarget());
    Dispatch(kEventFocus);
    EXPECT_FALSE(manager->GetRenderTarget());
    EXPECT_EQ(Frame(), (Lines{"main:draw"}));
}

class SelfDeletingWindow : public TWindow {
public:
    explicit SelfDeletingWindow(int& deleted) : deleted(deleted) { SetSize(100, 100); }
    ~SelfDeletingWindow() override { ++deleted; }
    bool OnMouseDown(TPoint) override {
        GetParent()->RemoveChild(this);
        TWindowManager::Get()->DeleteLater(this);
        deletedInHandler = deleted;
        return true;
    }
    int& deleted;
    int deletedInHandler = -1;
};

TEST_F(WindowManagerTest, AWindowDeletedInItsOwnHandlerGoesAtTheNextEvent) {
    int deleted = 0;
    auto* window = new SelfDeletingWindow(deleted);
    screen->AddChild(window, true);
    MouseDown(10, 10);
    EXPECT_EQ(window->deletedInHandler, 0);
    EXPECT_EQ(deleted, 0);
    MouseMove(10, 10);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(manager->GetHover(), screen);
}

}  // namespace
