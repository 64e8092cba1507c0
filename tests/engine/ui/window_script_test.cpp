// The window script end to end: dialogs built from script tables, modal loops waiting inside the
// coroutine while events arrive, the queues, and the window script functions.
#include <gtest/gtest.h>

#include "engine/script/lua.h"
#include "engine/ui/button.h"
#include "engine/ui/message.h"
#include "engine/ui/script_message.h"
#include "engine/ui/text.h"
#include "tests/engine/ui/window_script_fixture.h"

namespace {

constexpr const char* kOkDialog =
    "MakeDialog{ Button{ name='ok', close=true, x=kCenter, y=kCenter, w=100, h=40 } }";

// Counts its live instances: a message the scripts own must be deleted exactly once.
struct CountedMessage : TMessage {
    static inline int live = 0;
    CountedMessage(int type, const char* name) : TMessage(type, name) { ++live; }
    ~CountedMessage() override { --live; }
};

// A window no parent accepts.
struct Refusing : TWindow {
    static inline int live = 0;
    Refusing() { ++live; }
    ~Refusing() override { --live; }
    bool OnAttach() override { return false; }
    static TWindow* Create() { return new Refusing(); }
};

TEST_F(WindowScriptTest, DoModalAnswersTheClosingButtonsNameAndRemovesTheDialog) {
    AddScript("dlg.lua", kOkDialog);
    Run("return function() gResult = DoModal('dlg.lua'); gAfter = gReturnValue end");
    TWindow* dialogWindow = manager->GetTopModal();
    ASSERT_EQ(dialogWindow->GetName(), TString("dlg.lua"));
    TWindow* ok = Find("ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Centre(ok).x, Centre(dialogWindow).x);

    Click(ok);

    EXPECT_EQ(Global("gResult"), "ok");
    EXPECT_EQ(Global("gAfter"), "nil");
    EXPECT_EQ(manager->GetTopModal(), dialog);
    EXPECT_EQ(dialog->FindChild("ok"), nullptr);
}

TEST_F(WindowScriptTest, AButtonWithoutCloseIsAPressThatWaitForMessageAnswers) {
    Run("return function() PushModal('d'); MakeDialog{ Button{ name='go', x=10, y=10, w=80, h=30 } };"
        " local m; repeat m = WaitForMessage() until m; gSeen = m.type .. ':' .. m.name end");
    Click(Find("go"));
    EXPECT_EQ(Global("gSeen"), "3:go");
}

TEST_F(WindowScriptTest, MessagesArrivingWhileNoScriptWaitsAreQueuedInOrder) {
    ASSERT_TRUE(windowScript->QueueMessage(new TMessage(kGeneric, "first"), false));
    ASSERT_TRUE(windowScript->QueueMessage(new TMessage(kGeneric, "second"), false));
    Run("gQueued = gMessageQueue[1].name .. ',' .. gMessageQueue[2].name");
    EXPECT_EQ(Global("gQueued"), "first,second");
    // The newest queued message comes first.
    Run("return function() gNext = WaitForMessage().name end");
    EXPECT_EQ(Global("gNext"), "second");
}

TEST_F(WindowScriptTest, ANativeCallWhileTheScriptWaitsRunsNestedInsideTheCoroutine) {
    AddScript("p.lua", "MakeDialog{ Button{ name='resume', close=true, x=0, y=0, w=50, h=20 } }");
    Run("return function() gOuter = WaitForMessage(); gOuterDone = true end");
    ASSERT_TRUE(windowScript->IsWaiting());

    Run("gInner = DoModal('p.lua')");
    EXPECT_EQ(manager->GetTopModal()->GetName(), TString("p.lua"));
    EXPECT_EQ(Global("gOuterDone"), "nil");

    Click(Find("resume"));
    EXPECT_EQ(Global("gInner"), "resume");
    EXPECT_EQ(Global("gOuterDone"), "true");
    EXPECT_EQ(Global("gOuter"), "nil");
}

TEST_F(WindowScriptTest, CommandsRunWithTheirMessageOrFromTheCommandQueue) {
    Run("return function() PushModal('c'); MakeDialog{ Button{ name='b', x=0, y=0, w=50, h=20 } };"
        " SetCommand('b', function() gRan = GetButtonName() end);"
        " local m; repeat m = WaitForMessage() until m; gWith = m.type end");
    Click(Find("b"));
    EXPECT_EQ(Global("gRan"), "b");
    EXPECT_EQ(Global("gWith"), "8");

    // Queued while no script waits: the next wait that reaches the coroutine's suspension runs it.
    Run("gCommandQueue = {}; gMessageQueue = {}; gRan = nil");
    Run("function Later() gRan = 'later' end");
    lua_State* L = windowScript->GetState();
    lua_pushstring(L, "Later");
    lua_gettable(L, LUA_GLOBALSINDEX);
    TLuaFunction later(L);
    ASSERT_TRUE(windowScript->QueueCommand(nullptr, later));
    Run("gQueuedCommands = table.getn(gCommandQueue)");
    EXPECT_EQ(Global("gQueuedCommands"), "1");
    Run("return function() WaitForMessage(0); gTimedOut = true end");
    Step();
    EXPECT_EQ(Global("gRan"), "later");
    EXPECT_EQ(Global("gTimedOut"), "true");
}

TEST_F(WindowScriptTest, DisplaySplashShowsItsPictureForItsTime) {
    AddSolidPicture("splash.png", 64, 32, 0xFF2040C0);
    Run("return function() DisplaySplash('intro.swf', 'splash.png', 500); gDone = true end");
    TWindow* splash = Find("splashimage");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->GetWidth(), 64);
    Steps(20);
    EXPECT_EQ(Global("gDone"), "nil");
    Steps(20);
    EXPECT_EQ(Global("gDone"), "true");
    Steps(2);
    EXPECT_EQ(manager->GetTopModal(), dialog);
}

TEST_F(WindowScriptTest, APostedScriptMessageComesBackAsTheSameObject) {
    Run("return function() gSent = CreateNamedMessage(kUserMessageBase + 1, 'ping'); PostMessage(gSent);"
        " local m = WaitForMessage(); gSame = (m == gSent); gText = m.text end");
    Steps(2);
    EXPECT_EQ(Global("gSame"), "true");
    EXPECT_EQ(Global("gText"), "nil");
}

TEST_F(WindowScriptTest, ScriptOwnedMessagesAreDeletedOnce) {
    ASSERT_TRUE(windowScript->QueueMessage(new CountedMessage(kGeneric, "kept"), false));
    EXPECT_EQ(CountedMessage::live, 1);
    Run("gMessageQueue = {}");
    lua_setgcthreshold(windowScript->GetState(), 0);
    EXPECT_EQ(CountedMessage::live, 0);
}

TEST_F(WindowScriptTest, UnknownOrRefusedWindowsCreateNothing) {
    Run("PushModal('u'); GenericCreate{ typename='NoSuchType', name='ghost' }; gWidth = gDialogWidth");
    EXPECT_EQ(Find("ghost"), nullptr);
    EXPECT_EQ(Global("gWidth"), "nil");

    // A type whose windows the parent refuses: the window is deleted, nothing made current.
    windowScript->RegisterWindowType("Refusing", &Refusing::Create);
    Run("MakeDialog{ Refusing{ w=10, h=10 }, Text{ name='after', w=10, h=10 } }");
    EXPECT_EQ(Refusing::live, 0);
    ASSERT_NE(Find("after"), nullptr);
    EXPECT_EQ(Find("after")->GetParent(), manager->GetTopModal());
}

TEST_F(WindowScriptTest, LabelFunctionsAnswerTheirTexts) {
    Run("PushModal('l'); MakeDialog{ Text{ name='t', label='Hello', w=100, h=20 },"
        " Window{ name='w', w=10, h=10 },"
        " Button{ name='ok', w=40, h=20, Text{ name='label', label='42', w=40, h=20 } } }");
    struct Case {
        const char* expression;
        const char* expected;
    } cases[] = {
        {"GetLabel('t')", "Hello"},
        {"GetLabel('w')", "w_is_not_a_TText_window_or_TButton"},
        {"GetLabel('ok')", "42"},
        {"GetLabel('none')", "none_is_not_found"},
        {"TagHotKey('ctrl-s', 'Save')", "<u>S</u>ave"},
        {"TagHotKey('', 'Save')", "Save"},
        {"TagHotKey('q', 'Save')", "Save"},
        {"_GetString('#literal')", "literal"},
        {"GetString('#x')", "x"},
        {"string.format('%s|%s', StripKeyFromLabel('&Open'))", "Open|@O"},
        {"string.format('%s|%s', StripKeyFromLabel('Op&en'))", "Open|@e"},
        {"string.format('%s|%s', StripKeyFromLabel('Open'))", "Open|"},
        {"string.format('%s|%s', StripKeyFromLabel('Open&'))", "Open|"},
        {"GetWindowDepth()", "3"},
    };
    for (const Case& c : cases) {
        Run(std::string("gOut = ") + c.expression);
        EXPECT_EQ(Global("gOut"), c.expected) << c.expression;
    }
    Run("SetLabel('t', 'Bye')");
    Run("gOut = GetLabel('t')");
    EXPECT_EQ(Global("gOut"), "Bye");
    Run("SetLabel('ok', '43')");
    Run("gOut = GetLabel('ok')");
    EXPECT_EQ(Global("gOut"), "43");
}

TEST_F(WindowScriptTest, PushModalAnswersTheIdTextAndPopWindowKeepsTheLast) {
    Run("gId = PushModal('m')");
    EXPECT_EQ(Global("gId"), FormatWindowId(manager->GetTopModal()).CStr());
    windowScript->PopWindow();
    windowScript->PopWindow();
    EXPECT_EQ(windowScript->GetCurrentWindow(), manager->GetTopModal());
    Run("DoPopModal(gId)");
    EXPECT_EQ(manager->GetTopModal(), dialog);
}

TEST_F(WindowScriptTest, WindowFunctionsActOnNamedWindows) {
    Run("PushModal('f'); MakeDialog{ Button{ name='tog', type=kToggle, x=0, y=0, w=20, h=20 },"
        " Window{ name='box', x=5, y=5, w=30, h=10 } }");
    Run("SetButtonToggleState('tog', true); gOn = GetButtonToggleState('tog')");
    EXPECT_EQ(Global("gOn"), "true");
    Run("gFound = EnableWindow('box', false); gMissing = EnableWindow('nothing', true)");
    EXPECT_EQ(Global("gFound"), "true");
    EXPECT_EQ(Global("gMissing"), "false");
    EXPECT_FALSE(Find("box")->HasFlags(kWindowVisible));
    Run("SetPosition('box', kCenter, 40)");
    TWindow* box = Find("box");
    EXPECT_EQ(box->GetRect(), TRect(385, 40, 415, 50));
    Run("StringToClipboard('copied')");
    EXPECT_EQ(windowHost.clipboard, TString("copied"));
    Run("DestroyWindow('box')");
    EXPECT_EQ(Find("box"), nullptr);
    Run("gTopOnly = SetTopModalOnly(true)");
    EXPECT_EQ(Global("gTopOnly"), "true");
    Run("gMovie = StartMovie('intro.swf', true, true); gPlaying = IsMoviePlaying(); StopMovie()");
    EXPECT_EQ(Global("gMovie"), "false");
    EXPECT_EQ(Global("gPlaying"), "false");
}

// The layer's functions that screens lean on, each run as the coroutine; gOut holds the answer.
TEST_F(WindowScriptTest, TheBuiltInLayerFunctions) {
    AddScript("swap.lua", "MakeDialog{ Window{ name='swapped', w=40, h=30 } }");
    AddScript("dd.lua", "MakeDialog{ Button{ name='yes', close=true, x=0, y=0, w=40, h=20 } };"
                        " gArg = gDialogTable[2]");
    struct Case {
        const char* name;
        const char* body;
        const char* click;  // a window to click after the start, or null
        const char* expected;
    } cases[] = {
        {"colours", "local c = Color(255, 0, 0); local f = FColor(0.5, 1, 0);"
                    " gOut = c[1]..','..c[2]..','..c[4]..' '..f[1]..','..f[4]",
         nullptr, "1,0,1 0.5,1"},
        {"style chain",
         "SetDefaultStyle({ parent = { font = 'base' } }); AppendStyle({ size = 3 })();"
         " gOut = GetTag({}, 'font') .. GetTag({}, 'size') .. tostring(GetTag({}, 'none'))",
         nullptr, "base3nil"},
        {"style restored after a dialog",
         "PushModal('s'); SetDefaultStyle({ mark = 'outer' });"
         " MakeDialog{ SetStyle({ mark = 'inner' }), Window{ name='x', w=1, h=1 } }; gOut = GetTag({}, 'mark')",
         nullptr, "outer"},
        {"distribute",
         "PushModal('s'); MakeDialog{ Window{ name='wide', w=400, h=300, function()"
         " local x = DistributeX(3); local y = DistributeY(2); gOut = x[1]..','..x[3]..' '..y[2] end } }",
         nullptr, "100,300 200"},
        {"swap to modal",
         "PushModal('s'); MakeDialog{ Window{ name='old', w=10, h=10 } }; SwapToModal('swap.lua');"
         " gOut = GetLabel('old') .. ' ' .. GetWindowDepth()",
         nullptr, "old_is_not_found 3"},
        {"display dialog", "gOut = DisplayDialog({ 'dd.lua', 'extra' }) .. ' ' .. gArg", "yes", "yes extra"},
        {"display dialog without script", "gOut = tostring(DisplayDialog({}))", nullptr, "nil"},
        {"close during a nested wait",
         "local id = PushModal('outer'); gClosedWindows[id] = true; PostMessage(CreateNamedMessage(kGeneric, 'wake'));"
         " WaitForCloseMessage(id); gOut = 'returned'",
         nullptr, "returned"},
        {"pause keeps messages",
         "PostMessage(CreateNamedMessage(kGeneric, 'kept')); Pause(100); gOut = gMessageQueue[1].name",
         nullptr, "kept"},
        {"a key ends a pause when asked",
         "local t = GetTimer(); PostMessage(CreateNamedMessage(kPressAnyKey, 'raw:a')); Pause(100000, true);"
         " gOut = tostring(GetTimer() - t < 1000)",
         nullptr, "true"},
    };
    for (const Case& c : cases) {
        Run("gOut = nil; gMessageQueue = {}");
        Run(std::string("return function() ") + c.body + " end");
        Steps(2);
        if (c.click) {
            TWindow* target = Find(c.click);
            ASSERT_NE(target, nullptr) << c.name;
            Click(target);
        }
        Steps(10, 20);
        EXPECT_EQ(Global("gOut"), c.expected) << c.name;
        while (manager->GetTopModal() != dialog) manager->PopModal();
        Step();
    }
}

}  // namespace

namespace {

// A cross-promotion page with every entry's text and button, the site button at (100, 500).
constexpr const char* kXSellPage = R"(
    PushModal('page')
    local items = { name = 'xs', w = 800, h = 600 }
    for i = 1, 8 do
      table.insert(items, Text{ name = 'descrip' .. i, x = 0, y = i * 30, w = 300, h = 20 })
      table.insert(items, Button{ name = 'xsellbutton' .. i, x = 400, y = i * 30, w = 40, h = 20 })
    end
    table.insert(items, Window{ name = 'gamesite', x = 100, y = 500, w = 60, h = 20 })
    MakeDialog{ XSellWindow(items) }
)";

std::string GameInfos(int count) {
    std::string entries;
    for (int i = 1; i <= count; ++i) {
        std::string n = std::to_string(i);
        entries += "<gameinfo description=\"Game " + n + "\" linktext=\"Get " + n + "\" link=\"http://game" + n + "\"/>";
    }
    return entries;
}

TEST_F(WindowScriptTest, SetupXSellFillsTheEntriesAndHidesTheRest) {
    AddFile("xsell/xsell.xml", "<xsell>" + GameInfos(1) +
                                   R"(<gameinfo description="Plain" link="http://plain"/></xsell>)");
    Run(kXSellPage);
    Run("SetupXSell()");
    Run("gOut = GetLabel('descrip1') .. '|' .. GetLabel('descrip2')");
    EXPECT_EQ(Global("gOut"),
              "Game 1 <u><font color=\"003cff\"><a id='xsellbutton1'>Get 1</a></font></u>|Plain");
    for (int m = 3; m <= 8; ++m) {
        EXPECT_FALSE(Find(("descrip" + std::to_string(m)).c_str())->HasFlags(kWindowVisible)) << m;
        EXPECT_FALSE(Find(("xsellbutton" + std::to_string(m)).c_str())->HasFlags(kWindowVisible)) << m;
    }
    EXPECT_TRUE(Find("xsellbutton2")->HasFlags(kWindowVisible));
    EXPECT_FALSE(Find("gamesite")->HasFlags(kWindowVisible));
    EXPECT_EQ(Find("gamesite")->GetRect(), TRect(70, 490, 130, 510));
    EXPECT_EQ(Find("xsellbutton1")->GetRect(), TRect(380, 20, 420, 40));

    Run("LaunchGameLink(2); LaunchGameLink(9); LaunchGameLink(-1); LaunchGameLink(0)");
    EXPECT_EQ(windowHost.links, std::vector<std::string>{"http://plain"});
}

TEST_F(WindowScriptTest, OnlyWebLinksOfTheCrossPromotionAreOpened) {
    AddFile("xsell/xsell.xml", R"xml(<xsell>
        <gameinfo description="a" link="file:///etc/passwd"/>
        <gameinfo description="b" link="HTTPS://games.example/b"/>
        <gameinfo description="c" link="--help"/>
        <gameinfo description="d" link=" http://space.example"/>
        <gameinfo description="e" link="javascript:alert(1)"/>
        <gameinfo description="f" link="http://games.example/f"/>
        <sitelink link="smb://share/x"/></xsell>)xml");
    Run(kXSellPage);
    Run("SetupXSell() for n = 0, 6 do LaunchGameLink(n) end");
    EXPECT_EQ(windowHost.links, (std::vector<std::string>{"HTTPS://games.example/b", "http://games.example/f"}));
}

TEST_F(WindowScriptTest, AnEighthCrossPromotionEntryKeepsTheSiteLink) {
    AddFile("xsell/xsell.xml", "<xsell>" + GameInfos(9) + R"(<sitelink link="http://site"/></xsell>)");
    Run(kXSellPage);
    Run("SetupXSell(); LaunchGameLink(8); LaunchGameLink(0)");
    EXPECT_EQ(windowHost.links, (std::vector<std::string>{"http://game8", "http://site"}));
    EXPECT_TRUE(Find("gamesite")->HasFlags(kWindowVisible));
}

}  // namespace
