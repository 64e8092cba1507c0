#include <gtest/gtest.h>

#include "engine/ui/dialog_button.h"
#include "engine/ui/hot_key.h"
#include "engine/ui/modal_window.h"
#include "tests/engine/ui/ui_harness.h"

namespace {

using Lines = std::vector<std::string>;

TEST(HotKeyTest, TextsNormaliseToOneForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ctrl-Shift-s", "shift-ctrl-S"}, {"control-x", "ctrl-X"}, {"p", "P"},
        {"alt-SHIFT-control-q", "shift-ctrl-alt-Q"}, {"@a", "@A"}, {"@shift-a", "@A"},
        {"@", "@"}, {"ctrl-", "ctrl--"}, {"", ""},
    };
    for (const auto& [text, normal] : cases) EXPECT_STREQ(NormaliseHotKey(text).CStr(), normal) << text;
}

// A button that records how it was pressed.
class FakeButton : public TWindow, public IDialogButton {
public:
    FakeButton(const char* name, Lines& log, bool isDefault, bool isCancel)
        : log(log), isDefault(isDefault), isCancel(isCancel) {
        SetName(name);
    }
    bool IsDefaultButton() const override { return isDefault; }
    bool IsCancelButton() const override { return isCancel; }
    bool PostPress() override {
        log.push_back(std::string(GetName().CStr()) + ":press");
        return pressSent;
    }
    void Activate() override { log.push_back(std::string(GetName().CStr()) + ":activate"); }

    Lines& log;
    bool isDefault, isCancel;
    bool pressSent = true;
};

class ModalWindowTest : public UiHarness {
protected:
    FakeButton* AddButton(TWindow* parent, const char* name, bool isDefault = false, bool isCancel = false) {
        auto* button = new FakeButton(name, log, isDefault, isCancel);
        parent->AddChild(button, true);
        return button;
    }

    Lines log;
};

TEST_F(ModalWindowTest, HotKeysActivateTheirButtons) {
    TModalWindow* dialog = PushDialog("dialog");
    AddButton(dialog, "print");
    AddButton(dialog, "any");
    dialog->RegisterHotKey("Ctrl-P", "print");
    dialog->RegisterHotKey("@a", "any");
    dialog->RegisterHotKey("x", "gone");
    dialog->RegisterHotKey("X", "");

    struct Case {
        int key, modifiers;
        Lines log;
        bool handled;
    };
    const Case cases[] = {
        {'P', kKeyControl, {"print:activate"}, true},
        {'P', kKeyControl | kKeyShift, {}, false},
        {'P', 0, {}, false},
        {'A', 0, {"any:activate"}, true},
        {'A', kKeyAlt | kKeyShift, {"any:activate"}, true},
        {'X', 0, {}, false},
    };
    for (const Case& c : cases) {
        log.clear();
        script.queued.clear();
        KeyDown(c.key, c.modifiers);
        EXPECT_EQ(log, c.log) << c.key << " " << c.modifiers;
        EXPECT_EQ(script.queued.empty(), c.handled) << "an unbound key ends as an any-key notice";
    }
}

TEST_F(ModalWindowTest, HotKeyForAMissingButtonIsLoggedAndCountsAsHandled) {
    TModalWindow* dialog = PushDialog("dialog");
    dialog->AddChild(new TWindow(), true);
    dialog->GetChildren().front()->SetName("plain");
    dialog->RegisterHotKey("q", "plain");
    KeyDown('Q');
    EXPECT_TRUE(script.queued.empty());
    EXPECT_TRUE(Logged("ERROR: Hot key button not found. Button:'plain'"));
}

TEST_F(ModalWindowTest, EnterAndEscapePressTheVisibleDefaultAndCancelButtons) {
    struct Case {
        const char* what;
        bool defaultHidden;
        bool pressSent;
        int key;
        Lines log;
        std::vector<std::string> focusMessages;
    };
    const Case cases[] = {
        {"enter", false, true, 13, {"ok:press"}, {}},
        {"escape", false, true, 27, {"cancel:press"}, {}},
        {"hidden default", true, true, 13, {}, {"2:"}},
        {"press not sent", false, false, 13, {"ok:press"}, {"2:"}},
        {"other key", false, true, 'a', {}, {}},
    };
    for (const Case& c : cases) {
        TModalWindow* dialog = PushDialog("dialog");
        TWindow* panel = new TWindow();
        dialog->AddChild(panel, true);
        FakeButton* ok = AddButton(panel, "ok", true, false);
        AddButton(dialog, "cancel", false, true);
        if (c.defaultHidden) panel->SetFlags(panel->GetFlags() & ~kWindowVisible);
        ok->pressSent = c.pressSent;
        log.clear();
        script.queued.clear();

        Char(c.key);
        EXPECT_EQ(log, c.log) << c.what;
        EXPECT_EQ(script.queued, c.focusMessages) << c.what;
        manager->PopModal();
        Idle();
    }
}

TEST_F(ModalWindowTest, CloseWindowMessagePopsTheNamedDialog) {
    TModalWindow* first = PushDialog("first");
    PushDialog("second");
    manager->PostMessage(new TMessage(kCloseWindow, ""));
    manager->ProcessMessages();
    EXPECT_EQ(manager->GetModalStack().size(), 3u) << "no name: handled, nothing popped";
    manager->PostMessage(new TMessage(kCloseWindow, FormatWindowId(first)));
    manager->ProcessMessages();
    EXPECT_EQ(manager->GetTopModal(), screen);
    EXPECT_TRUE(script.queued.empty());
}

TEST_F(ModalWindowTest, FocusPassesToTheFocusChild) {
    TModalWindow* dialog = PushDialog("dialog");
    auto* field = new ProbeWindow("field", log, TRect(0, 0, 10, 10));
    dialog->AddChild(field, true);
    dialog->SetFocusWindow(field);
    EXPECT_EQ(manager->GetFocus(), field);
    PushDialog("over");
    manager->PopModal();
    EXPECT_EQ(manager->GetFocus(), field) << "the dialog on top again hands the focus on";
    EXPECT_EQ(log, (Lines{"field:focus", "field:focus"}));
    dialog->RemoveChild(field);
    delete field;
    EXPECT_EQ(dialog->GetFocusWindow(), nullptr);
    EXPECT_EQ(manager->GetFocus(), nullptr);
}

}  // namespace
