#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

class ButtonTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        for (int i = 0; i < 4; ++i) AddSolidPicture("pics/b" + std::to_string(i) + ".png", 40, 20, 0xFF000010 + i);
    }

    // Names of the button's visible children, back to front.
    static std::string Shown(TButton* button) {
        std::string names;
        for (auto child = button->GetChildren().rbegin(); child != button->GetChildren().rend(); ++child) {
            if ((*child)->HasFlags(kWindowVisible)) names += std::string(names.empty() ? "" : " ") + (*child)->GetName().CStr();
        }
        return names;
    }

    TButton* MakeButton(const std::string& fields, TWindow* parent = nullptr) {
        return Create<TButton>(parent ? parent : dialog,
                               "{ graphics = { 'pics/b0.png', 'pics/b1.png', 'pics/b2.png', 'pics/b3.png' }, " + fields +
                                   " }",
                               [](TButton* button) {
                                   auto* label = new TWindow();
                                   label->SetName("label");
                                   button->AddChild(label, true);
                               });
    }

    void Click(TWindow* window) {
        TPoint at = Centre(window);
        MouseMove(at.x, at.y);
        MouseDown(at.x, at.y);
        MouseUp(at.x, at.y);
        Deliver();
    }
};

TEST_F(ButtonTest, PushButtonShowsAPicturePerStateAndTheLabelInEach) {
    TButton* button = MakeButton("name = 'ok', x = 100, y = 100");
    EXPECT_EQ(button->GetChildren().size(), 4u) << "three pictures and the label; a fourth picture is ignored";
    EXPECT_EQ(button->GetRect(), TRect(100, 100, 140, 120));
    EXPECT_EQ(Shown(button), "image0 label");

    MouseMove(110, 110);
    EXPECT_EQ(Shown(button), "image2 label");
    MouseDown(110, 110);
    EXPECT_EQ(Shown(button), "image1 label");
    MouseMove(300, 300);  // captured: leaving the button lets it go
    EXPECT_EQ(Shown(button), "image0 label");
    EXPECT_FALSE(manager->HasCapture(button));
    MouseUp(300, 300);
    Deliver();
    EXPECT_EQ(heard, (std::vector<std::string>{"4:mouse:up"})) << "released over the dialog, not the button";
    heard.clear();

    Click(button);
    EXPECT_EQ(heard, (std::vector<std::string>{"3:ok"}));
    EXPECT_EQ(Shown(button), "image2 label");
}

TEST_F(ButtonTest, ToggleFlipsAfterItsPressAndShowsTheOppositeWhileHeld) {
    TButton* toggle = MakeButton("name = 'sound', type = 1");
    EXPECT_EQ(Shown(toggle), "image0 label");
    TPoint at = Centre(toggle);
    MouseDown(at.x, at.y);
    EXPECT_EQ(Shown(toggle), "image1 label") << "held down, the off button shows the on picture";
    MouseUp(at.x, at.y);
    EXPECT_TRUE(toggle->GetToggleState());
    EXPECT_EQ(Shown(toggle), "image3 label") << "on, under the pointer";
    MouseDown(at.x, at.y);
    EXPECT_EQ(Shown(toggle), "image0 label");
    MouseUp(at.x, at.y);
    MouseMove(500, 500);
    Deliver();
    EXPECT_FALSE(toggle->GetToggleState());
    EXPECT_EQ(Shown(toggle), "image0 label");
    EXPECT_EQ(heard, (std::vector<std::string>{"3:sound", "3:sound"}));
}

TEST_F(ButtonTest, RadioButtonsSwitchOffTheRestOfTheirGroupOnly) {
    // In the order the script adds them; the push button "divider" starts the next group.
    TButton* first = MakeButton("name = 'r1', type = 2, beginGroup = true");
    TButton* second = MakeButton("name = 'r2', type = 2, on = true");
    TButton* third = MakeButton("name = 'r3', type = 2");
    MakeButton("name = 'divider', beginGroup = true");
    TButton* fourth = MakeButton("name = 'r4', type = 2, on = true");
    ASSERT_TRUE(second->GetToggleState());

    third->Activate();
    EXPECT_FALSE(first->GetToggleState());
    EXPECT_FALSE(second->GetToggleState());
    EXPECT_TRUE(third->GetToggleState());
    EXPECT_TRUE(fourth->GetToggleState()) << "after the next group start";

    // The group's first button starts the group itself.
    first->Activate();
    EXPECT_TRUE(first->GetToggleState());
    EXPECT_FALSE(third->GetToggleState());
    EXPECT_TRUE(fourth->GetToggleState());
}

TEST_F(ButtonTest, MaskPixelsDarkerThanTwentyAreOutside) {
    // Left half just too dark in every channel, right half red at the threshold.
    AddPicture("pics/mask.png", 20, 10, [](int x, int) { return x < 10 ? 0xFF131313 : 0xFF140000; });
    TButton* button = MakeButton("name = 'm', mask = 'pics/mask.png', x = 0, y = 0");
    MouseMove(5, 10);
    MouseDown(5, 10);
    MouseUp(5, 10);
    Deliver();
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(button->GetState(), kButtonNormal);

    MouseMove(30, 10);
    MouseDown(30, 10);
    MouseUp(30, 10);
    Deliver();
    EXPECT_EQ(heard, (std::vector<std::string>{"3:m"}));
}

TEST_F(ButtonTest, ClosingButtonClosesItsDialogFirstAndNamesItselfToTheScript) {
    // A name that would end a long-bracket string or a quoted one and run code.
    const std::string name = "x]]; gHacked = true; --\" '\\\n";
    script.lua.SetGlobalString("gName", name.c_str());
    TButton* button = MakeButton("name = gName, close = true");
    std::string closeDialog = "1:" + std::string(FormatWindowId(dialog).CStr());
    Click(button);
    // Closing took the dialog away: the press that was aimed at it goes to the scripts.
    EXPECT_EQ(heard, (std::vector<std::string>{closeDialog}));
    EXPECT_EQ(script.queued, (std::vector<std::string>{"3:" + name}));
    EXPECT_EQ(std::string(script.lua.GetGlobalString("gReturnValue").CStr()), name);
    EXPECT_STREQ(script.lua.GetGlobalString("gHacked").CStr(), "");
    EXPECT_EQ(manager->GetTopModal(), screen);
}

TEST_F(ButtonTest, CommandRunsWithTheButtonsName) {
    const std::string name = "go]]..(function() gHacked = 1 end)()..[[";
    script.lua.SetGlobalString("gName", name.c_str());
    TButton* button = MakeButton("name = gName, command = function() gPressed = GetButtonName() end");
    Click(button);
    EXPECT_EQ(std::string(script.lua.GetGlobalString("gPressed").CStr()), name);
    EXPECT_STREQ(script.lua.GetGlobalString("gHacked").CStr(), "");
    EXPECT_EQ(script.queued, (std::vector<std::string>{"cmd 8:LuaAction:" + name, "3:" + name}));
}

// An action that takes its button out of the window tree.
class RemoveButton : public TButton::Action {
public:
    void Do(TButton* button) override {
        button->GetParent()->RemoveChild(button);
        TWindowManager::Get()->DeleteLater(button);
    }
};

TEST_F(ButtonTest, APressWhoseActionRemovesTheButtonGoesOnlyToTheDialogsParent) {
    for (bool sendToParent : {false, true}) {
        TButton* button = MakeButton(std::string("name = 'bye', sendToParent = ") + (sendToParent ? "true" : "false"));
        button->SetAction(new RemoveButton());
        EXPECT_TRUE(button->PostPress());
        script.queued.clear();
        Deliver();
        // A send-to-parent press targets the screen (the top modal's parent) and reaches the script.
        EXPECT_EQ(script.queued.size(), sendToParent ? 1u : 0u) << sendToParent;
        Idle();
    }
}

TEST_F(ButtonTest, BadStyleValuesFallBackToDefaults) {
    TButton* button = Create<TButton>(dialog, "{ name = 'odd', type = 7, graphics = 'none', sound = 'snd/none.ogg', "
                                              "close = 'yes', scale = -1, w = 40, h = 20 }");
    EXPECT_EQ(button->GetType(), kPush);
    EXPECT_FALSE(button->IsClosing());
    EXPECT_TRUE(button->GetChildren().empty());
    EXPECT_TRUE(Logged("Button 'odd': unknown type 7; made a push button"));
    Click(button);  // no sound manager, no sound file: the press still goes out
    EXPECT_EQ(heard, (std::vector<std::string>{"3:odd"}));
}

}  // namespace
