#include <gtest/gtest.h>

#include "engine/core/base/config.h"
#include "engine/ui/modal_window.h"
#include "tests/engine/ui/ui_harness.h"

namespace {

using Lines = std::vector<std::string>;

class FocusableProbe : public ProbeWindow {
public:
    FocusableProbe(const char* name, Lines& log, TRect rect) : ProbeWindow(name, log, rect) {
        SetClassFlags(kWindowFocusable, true);
    }
};

class WindowInputTest : public UiHarness {
protected:
    ProbeWindow* Add(TWindow* parent, const char* name, TRect rect, std::vector<std::string> handles = {}) {
        auto* window = new ProbeWindow(name, log, rect, std::move(handles));
        parent->AddChild(window, true);
        return window;
    }
    Lines TakeLog() {
        Lines taken;
        taken.swap(log);
        return taken;
    }

    Lines log;
};

TEST_F(WindowInputTest, LastAddedChildIsDrawnLastAndHitFirst) {
    Add(screen, "back", TRect(0, 0, 200, 200), {"down"});
    ProbeWindow* front = Add(screen, "front", TRect(100, 100, 300, 300), {"down"});
    Add(front, "inner", TRect(0, 0, 10, 10));
    TModalWindow* dialog = PushDialog("dialog", TRect(500, 500, 600, 600));
    Add(dialog, "dialog child", TRect(0, 0, 10, 10));

    Idle();
    EXPECT_EQ(TakeLog(), (Lines{"back:draw", "front:draw", "inner:draw", "dialog child:draw"}));

    manager->PopModal();
    MouseDown(150, 150);
    EXPECT_EQ(TakeLog(), (Lines{"front:down 50,50"}));
}

TEST_F(WindowInputTest, PressFocusesTheFirstFocusableWindowUpwards) {
    auto* field = new FocusableProbe("field", log, TRect(0, 0, 200, 200));
    screen->AddChild(field, true);
    Add(field, "label", TRect(10, 10, 50, 50));
    Add(screen, "plain", TRect(300, 0, 400, 100));

    struct Case {
        int x, y;
        TWindow* focus;
    };
    const Case cases[] = {{20, 20, field}, {350, 50, screen}, {100, 100, field}, {700, 500, screen}};
    for (const Case& c : cases) {
        MouseDown(c.x, c.y);
        EXPECT_EQ(manager->GetFocus(), c.focus) << c.x << "," << c.y;
    }
}

TEST_F(WindowInputTest, UnhandledMouseFallsThroughToTheWindowBeneath) {
    ProbeWindow* beneath = Add(screen, "beneath", TRect(0, 0, 400, 400));
    Add(beneath, "deep", TRect(100, 100, 300, 300), {"up"});
    ProbeWindow* button = Add(screen, "button", TRect(150, 150, 250, 250));
    Add(button, "icon", TRect(0, 0, 20, 20));

    MouseUp(160, 160);
    EXPECT_EQ(TakeLog(), (Lines{"icon:up 10,10", "button:up 10,10", "deep:up 60,60"}));
    EXPECT_TRUE(script.queued.empty());

    MouseUp(50, 50);
    EXPECT_EQ(TakeLog(), (Lines{"beneath:up 50,50"}));
    EXPECT_EQ(script.queued, (std::vector<std::string>{"4:mouse:up"})) << "nobody took it: any-key notice";
}

TEST_F(WindowInputTest, UnhandledKeyGoesToTheParentNeverToASibling) {
    Add(screen, "beneath", TRect(0, 0, 800, 600), {"key"});
    ProbeWindow* field = Add(screen, "field", TRect(0, 0, 100, 100));
    manager->SetFocus(field);
    TakeLog();

    KeyDown('A');
    EXPECT_EQ(TakeLog(), (Lines{"field:key", "field:message raw:A"}));
    EXPECT_EQ(script.queued, (std::vector<std::string>{"4:raw:A"}));
}

TEST_F(WindowInputTest, AnyKeyNoticesOfTheModalWindow) {
    struct Case {
        const char* overlayMouse;
        int32_t type;
        int32_t param;
        std::vector<std::string> queued;
    };
    const Case cases[] = {
        {"0", kEventLeftUp, 0, {"4:mouse:up"}},
        {"0", kEventKeyDown, 'Q', {"4:raw:Q"}},
        {"0", kEventLeftDown, 0, {}},
        {"0", kEventChar, 'q', {}},
        {"1", kEventKeyDown, 'Q', {}},
        {"1", kEventLeftUp, 0, {"4:mouse:up"}},  // posted by the dispatcher instead
    };
    for (const Case& c : cases) {
        SetConfig("overlaymouse", c.overlayMouse);
        script.queued.clear();
        Dispatch(c.type, 10, 10, c.param);
        EXPECT_EQ(script.queued, c.queued) << c.overlayMouse << " " << c.type;
    }
}

class ReleasingProbe : public ProbeWindow {
public:
    using ProbeWindow::ProbeWindow;
    bool OnMouseLeave() override {
        TWindowManager::Get()->ReleaseMouse(this);
        return ProbeWindow::OnMouseLeave();
    }
};

TEST_F(WindowInputTest, CapturedWindowsGetTheMouseWhereverThePointerIs) {
    Add(screen, "beneath", TRect(0, 0, 800, 600), {"move"});
    ProbeWindow* holder = Add(screen, "holder", TRect(100, 100, 200, 200), {"move"});
    auto* leaver = new ReleasingProbe("leaver", log, TRect(300, 100, 400, 200));
    screen->AddChild(leaver, true);
    manager->CaptureMouse(leaver);
    manager->CaptureMouse(holder);
    manager->CaptureMouse(holder);
    TakeLog();

    MouseMove(150, 150);
    EXPECT_EQ(TakeLog(), (Lines{"leaver:leave", "holder:move 50,50"})) << "the walk survives a release";
    MouseMove(10, 20);
    EXPECT_EQ(TakeLog(), (Lines{"holder:leave", "holder:move -90,-80"})) << "still captured: it gets the move";

    Dispatch(kEventMouseLost);
    EXPECT_EQ(TakeLog(), (Lines{"holder:leave"}));

    windowHost.mouseMode = 1;
    MouseMove(5, -3);
    EXPECT_EQ(TakeLog(), (Lines{"holder:move 5,-3"})) << "relative moves keep their distance";
    manager->ReleaseMouse(holder);
    MouseMove(5, -3);
    EXPECT_EQ(TakeLog(), Lines{}) << "relative moves without capture are dropped";
}

class PoppingProbe : public ProbeWindow {
public:
    using ProbeWindow::ProbeWindow;
    bool OnMouseMove(TPoint point) override {
        TWindowManager::Get()->PopModal();
        return ProbeWindow::OnMouseMove(point);
    }
};

TEST_F(WindowInputTest, CaptureWalkStopsWhenTheTopModalWindowChanges) {
    ProbeWindow* holder = Add(screen, "holder", TRect(0, 0, 800, 600));
    TModalWindow* dialog = PushDialog("dialog");
    auto* popper = new PoppingProbe("popper", log, TRect(0, 0, 800, 600));
    dialog->AddChild(popper, true);
    manager->CaptureMouse(popper);
    manager->CaptureMouse(holder);

    MouseMove(10, 10);
    EXPECT_EQ(TakeLog(), (Lines{"popper:move 10,10"}));
    EXPECT_EQ(manager->GetTopModal(), screen);
}

TEST_F(WindowInputTest, PushingAModalWindowLetsEveryCaptureGo) {
    ProbeWindow* holder = Add(screen, "holder", TRect(0, 0, 10, 10));
    manager->CaptureMouse(holder);
    PushDialog("dialog");
    EXPECT_EQ(TakeLog(), (Lines{"holder:leave"}));
    EXPECT_FALSE(manager->HasCapture(holder));
}

}  // namespace
