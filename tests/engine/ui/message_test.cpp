#include <gtest/gtest.h>

#include "engine/ui/modal_window.h"
#include "tests/engine/ui/ui_harness.h"

namespace {

using Lines = std::vector<std::string>;
using Queue = std::vector<std::string>;

TEST(FormatWindowIdTest, EightHexDigitsPaddedWithSpaces) {
    EXPECT_STREQ(FormatWindowId(26).CStr(), "      1a");
    EXPECT_STREQ(FormatWindowId(0u).CStr(), "       0");
    EXPECT_STREQ(FormatWindowId(0xDEADBEEFu).CStr(), "deadbeef");
}

class MessageTest : public UiHarness {
protected:
    // dialog > panel > button, and the dialog's focus child beside the panel.
    void BuildDialog(std::vector<std::string> buttonHandles, std::vector<std::string> panelHandles,
                     std::vector<std::string> focusHandles) {
        dialog = PushDialog("dialog");
        panel = new ProbeWindow("panel", log, TRect(0, 0, 100, 100), panelHandles);
        dialog->AddChild(panel, true);
        button = new ProbeWindow("button", log, TRect(0, 0, 10, 10), buttonHandles);
        panel->AddChild(button, true);
        focusChild = new ProbeWindow("focus", log, TRect(200, 0, 300, 100), focusHandles);
        dialog->AddChild(focusChild, true);
        dialog->SetFocusWindow(focusChild);
        log.clear();
    }

    Lines log;
    TModalWindow* dialog = nullptr;
    ProbeWindow* panel = nullptr;
    ProbeWindow* button = nullptr;
    ProbeWindow* focusChild = nullptr;
};

TEST_F(MessageTest, SentMessagesBubbleToTheModalWindowsFocusChildThenToTheScripts) {
    struct Case {
        std::vector<std::string> buttonHandles, panelHandles, focusHandles;
        Lines log;
        Queue queued;
    };
    const std::vector<std::string> yes = {"message"};
    const Case cases[] = {
        {yes, {}, {}, {"button:message go"}, {}},
        {{}, yes, {}, {"button:message go", "panel:message go"}, {}},
        {{}, {}, yes, {"button:message go", "panel:message go", "focus:message go"}, {}},
        {{}, {}, {}, {"button:message go", "panel:message go", "focus:message go"}, {"3:go"}},
    };
    for (const Case& c : cases) {
        BuildDialog(c.buttonHandles, c.panelHandles, c.focusHandles);
        script.queued.clear();
        button->SendMessage(new TMessage(kButtonPress, "go"));
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(script.queued, c.queued);
        manager->PopModal();
    }
}

TEST_F(MessageTest, PostedMessagesArriveInOrderIncludingThosePostedMeanwhile) {
    class Reposting : public ProbeWindow {
    public:
        using ProbeWindow::ProbeWindow;
        bool OnMessage(TMessage* message) override {
            if (message->GetName() == TString("first"))
                TWindowManager::Get()->PostMessage(new TMessage(kGeneric, "third", this));
            return ProbeWindow::OnMessage(message);
        }
    };
    auto* target = new Reposting("target", log, TRect(0, 0, 10, 10), {"message"});
    screen->AddChild(target, true);
    manager->PostMessage(new TMessage(kGeneric, "first", target));
    manager->PostMessage(new TMessage(kGeneric, "second", target));
    manager->ProcessMessages();
    EXPECT_EQ(log, (Lines{"target:message first", "target:message second", "target:message third"}));
    EXPECT_EQ(manager->PendingMessageCount(), 0u);
}

class UserMessageListener : public IMessageListener {
public:
    explicit UserMessageListener(Lines& seen) : seen(seen) {}
    bool OnMessage(TMessage* message) override {
        seen.push_back(message->GetName().CStr());
        return message->GetType() >= kUserMessageBase;
    }
    Lines& seen;
};

TEST_F(MessageTest, MessagesWithoutTargetMeetTheListenersFirstAndQuitNowQuits) {
    Lines seen;
    manager->AddListener(std::make_unique<UserMessageListener>(seen));
    manager->PostMessage(new TMessage(kUserMessageBase + 1, "mine"));
    manager->PostMessage(new TMessage(kGeneric, "yours"));
    manager->PostMessage(new TMessage(kQuitNow, "bye"));
    manager->ProcessMessages();
    EXPECT_EQ(seen, (Lines{"mine", "yours"}));
    EXPECT_EQ(script.queued, (Queue{"0:yours"}));
    EXPECT_EQ(windowHost.quits, (std::vector<int>{0}));
}

class CountedWindow : public TWindow {
public:
    explicit CountedWindow(int& deleted) : deleted(deleted) {}
    ~CountedWindow() override { ++deleted; }
    int& deleted;
};

TEST_F(MessageTest, DeferredDeletionSendsPendingMessagesToTheDefaultTarget) {
    int deleted = 0;
    auto* doomed = new CountedWindow(deleted);
    screen->AddChild(doomed, true);
    auto* child = new ProbeWindow("child", log, TRect(0, 0, 10, 10), {"message"});
    doomed->AddChild(child, true);
    auto* bystander = new ProbeWindow("bystander", log, TRect(0, 0, 10, 10), {"message"});
    screen->AddChild(bystander, true);
    manager->PostMessage(new TMessage(kGeneric, "orphan", child));
    manager->PostMessage(new TMessage(kGeneric, "kept", bystander));

    screen->RemoveChild(doomed);
    manager->DeleteLater(doomed);
    EXPECT_EQ(deleted, 0);
    MouseMove(700, 500);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(log, (Lines{"bystander:message kept"}));
    EXPECT_EQ(script.queued, (Queue{"0:orphan"}));
}

}  // namespace
