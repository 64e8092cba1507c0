// The message pump, fed with native records as the SDL backend makes them and as tests script
// them, checked against the exact event sequence.
#include <SDL2/SDL.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/bridge_service.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/replayed_input.h"
#include "engine/core/app/sound_service.h"
#include "engine/core/app/window_system_service.h"
#include "platform/backend/backend.h"
#include "platform/clock/clock.h"
#include "platform/window/window_sdl_input.h"

namespace {

using platform::NativeEvent;

struct Expected {
    int32_t type, param, x, y, extra;
    bool operator==(const Expected& o) const {
        return type == o.type && param == o.param && x == o.x && y == o.y && extra == o.extra;
    }
};

std::ostream& operator<<(std::ostream& out, const Expected& e) {
    return out << "{" << e.type << ", p" << e.param << ", " << e.x << "," << e.y << ", e" << e.extra << "}";
}

// One input: an SDL event (through the SDL backend's translation) or a native record; time may
// pass before it arrives.
struct Input {
    SDL_Event sdl{};
    NativeEvent native;
    bool isSdl = false;
    uint32_t waitMs = 0;
    uint16_t mouseModifiers = 0;
};

Input Sdl(const SDL_Event& event, uint16_t modifiers = 0) {
    Input input;
    input.sdl = event;
    input.isSdl = true;
    input.mouseModifiers = modifiers;
    return input;
}

Input Native(uint32_t message, uint32_t code = 0, int x = 0, int y = 0) {
    Input input;
    input.native.message = message;
    input.native.code = code;
    input.native.x = x;
    input.native.y = y;
    return input;
}

Input After(uint32_t ms, Input input) {
    input.waitMs = ms;
    return input;
}

SDL_Event Key(uint32_t type, SDL_Keycode key, uint16_t modifiers = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

SDL_Event Button(uint32_t type, uint8_t button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event Wheel(int notches) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return event;
}

SDL_Event Text(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, utf8, sizeof event.text.text);
    return event;
}

SDL_Event WindowEvent(uint8_t what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

// A bridge whose host window can vanish, and whose host holds the game paused for a number of
// questions.
class FakeBridge : public IGameBridge {
public:
    bool IsHostWindowAlive(uint32_t window) const override { return alive; }
    void SetState(const TString& name, const TString& value) override { states.push_back(name.CStr()); }
    bool IsHostPaused() const override {
        if (pausedAnswers == 0) return false;
        --pausedAnswers;
        return true;
    }
    uint32_t HostPausedTime() const override { return pausedTime; }
    bool alive = true;
    std::vector<std::string> states;
    mutable int pausedAnswers = 0;
    uint32_t pausedTime = 0;
};

class MessagePumpTest : public testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        platform::UseBackends(platform::Backends::Headless);  // even from a desktop shell
        platform::SetTestClock(50000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        ClearConfig();
        SetGameBridge(&bridge_);
    }
    void TearDown() override {
        application_.reset();
        platform::UseBackends(platform::Backends::Real);
        SetGameBridge(nullptr);
        std::filesystem::current_path(previousFolder_);
        ClearConfig();
    }

    void Start(const char* commandLine = "", bool utf8 = true) {
        SetConfig("utf8mode", utf8 ? "1" : "0");
        auto* data = new TApplicationData(commandLine, true);
        data->portalHosted = TString(commandLine).Find("-pq=") >= 0;
        if (TString(commandLine).Find("-wnd=") >= 0) {
            data->hosted = true;
            data->externalParent = 0x1234;
        }
        application_ = std::make_unique<TApplication>(data);
        ASSERT_TRUE(application_->CreateMainWindow());
        window_ = dynamic_cast<platform::HeadlessWindow*>(application_->Data()->window.get());
        ASSERT_NE(window_, nullptr);
        window_->width = 800;
        window_->height = 600;
        TAppEvent first;
        application_->ProcessMessages(first);  // the first call's greetings, then idle
    }

    // Feeds the inputs one by one and collects every event up to the idle event after each.
    std::vector<Expected> Run(const std::vector<Input>& inputs) {
        std::vector<Expected> events;
        for (const Input& input : inputs) {
            platform::AdvanceTestClock(input.waitMs);
            if (input.isSdl) {
                platform::SdlInputState state;
                state.modifiers = input.mouseModifiers;
                state.mouseX = 11;
                state.mouseY = 22;
                std::vector<NativeEvent> records;
                platform::TranslateSdlEvent(input.sdl, state, records);
                for (const NativeEvent& record : records) window_->Push(record);
            } else {
                window_->Push(input.native);
            }
            Drain(events);
        }
        return events;
    }

    void Drain(std::vector<Expected>& events) {
        for (int guard = 0; guard < 20; ++guard) {
            TAppEvent event;
            application_->ProcessMessages(event);
            if (event.type == kEventIdle) return;
            events.push_back({event.type, event.param, event.x, event.y, event.extra});
        }
        ADD_FAILURE() << "the pump never went idle";
    }

    FakeBridge bridge_;
    std::unique_ptr<TApplication> application_;
    platform::HeadlessWindow* window_ = nullptr;
    std::filesystem::path previousFolder_;
};

TEST_F(MessagePumpTest, FirstCallGreetsTheBridge) {
    Start();
    EXPECT_EQ(bridge_.states, (std::vector<std::string>{"loadbroadcast", "sessionready"}));
}

TEST_F(MessagePumpTest, InputSequences) {
    struct Case {
        const char* name;
        std::vector<Input> inputs;
        std::vector<Expected> events;
    };
    const uint16_t shift = KMOD_LSHIFT, ctrl = KMOD_LCTRL, alt = KMOD_LALT, num = KMOD_NUM;
    Case cases[] = {
        {"wheel forward and backward",
         {Sdl(Wheel(1)), Sdl(Wheel(-2), shift)},
         {{6, 6, 11, 22, 0}, {6, 7, 11, 22, 1}}},
        {"right, middle and extra buttons",
         {Sdl(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6), ctrl),
          Sdl(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 5, 6)),
          Sdl(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 7, 8), shift | ctrl),
          Sdl(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 7, 8)),
          Sdl(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 2)),
          Sdl(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X2, 3, 4)),
          Native(platform::kMsgExtraDown, 3, 0, 0)},
         {{6, 1, 5, 6, 2}, {6, 0, 5, 6, 0}, {6, 3, 7, 8, 3}, {6, 2, 7, 8, 0}, {6, 4, 1, 2, 0}, {6, 5, 3, 4, 0},
          {2, 0, 0, 0, 0}}},
        {"left button and moves",
         {Sdl(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 200), shift),
          Sdl(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 101, 201), shift),
          Native(platform::kMsgMouseMove, 0, 300, 301)},
         {{5, 0, 100, 200, 1}, {7, 0, 101, 201, 0}, {8, 0, 300, 301, 0}}},
        {"click guard after a click that activates the window",
         {Native(platform::kMsgMouseActivate), Native(platform::kMsgActivateApp, 1),
          After(100, Native(platform::kMsgLeftDown, 0, 9, 9)),
          After(299, Native(platform::kMsgLeftUp, 0, 9, 9)),
          After(1, Native(platform::kMsgLeftDown, 0, 9, 9))},
         {{2, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {18, 1, 0, 0, 0}, {18, 1, 0, 0, 0}, {2, 0, 0, 0, 0},
          {2, 0, 0, 0, 0}, {5, 0, 9, 9, 0}}},
        {"navigation keys down and up",
         {Sdl(Key(SDL_KEYDOWN, SDLK_UP)), Sdl(Key(SDL_KEYUP, SDLK_UP)), Sdl(Key(SDL_KEYDOWN, SDLK_DOWN)),
          Sdl(Key(SDL_KEYDOWN, SDLK_LEFT)), Sdl(Key(SDL_KEYDOWN, SDLK_RIGHT)), Sdl(Key(SDL_KEYDOWN, SDLK_PAGEUP)),
          Sdl(Key(SDL_KEYUP, SDLK_PAGEDOWN)), Sdl(Key(SDL_KEYDOWN, SDLK_DELETE)), Sdl(Key(SDL_KEYUP, SDLK_DELETE)),
          Sdl(Key(SDL_KEYDOWN, SDLK_HOME))},
         {{11, -128, 0, 0, 8}, {12, 65408, 0, 0, 0}, {11, -127, 0, 0, 8}, {11, -126, 0, 0, 8},
          {11, -125, 0, 0, 8}, {11, -123, 0, 0, 8}, {12, 65414, 0, 0, 0}, {11, -1, 0, 0, 8},
          {12, 65535, 0, 0, 0}, {11, 36, 0, 0, 8}}},
        {"numeric pad",
         {Sdl(Key(SDL_KEYDOWN, SDLK_KP_5, num)), Sdl(Key(SDL_KEYDOWN, SDLK_KP_MULTIPLY, num)),
          Sdl(Key(SDL_KEYDOWN, SDLK_KP_PLUS)), Sdl(Key(SDL_KEYDOWN, SDLK_KP_MINUS)),
          Sdl(Key(SDL_KEYDOWN, SDLK_KP_PERIOD, num)), Sdl(Key(SDL_KEYDOWN, SDLK_KP_DIVIDE)),
          Sdl(Key(SDL_KEYDOWN, SDLK_KP_8)), Sdl(Key(SDL_KEYUP, SDLK_KP_0, num))},
         {{11, '5', 0, 0, 0}, {11, 42, 0, 0, 0}, {11, 43, 0, 0, 0}, {11, 45, 0, 0, 0}, {11, 46, 0, 0, 0},
          {11, 47, 0, 0, 8}, {11, -128, 0, 0, 0}, {12, '0', 0, 0, 0}}},
        {"punctuation keys",
         {Sdl(Key(SDL_KEYDOWN, SDLK_SEMICOLON)), Sdl(Key(SDL_KEYDOWN, SDLK_COMMA)),
          Sdl(Key(SDL_KEYDOWN, SDLK_BACKQUOTE)), Sdl(Key(SDL_KEYDOWN, SDLK_LEFTBRACKET)),
          Sdl(Key(SDL_KEYDOWN, SDLK_RIGHTBRACKET)), Sdl(Key(SDL_KEYDOWN, SDLK_BACKSLASH)),
          Sdl(Key(SDL_KEYDOWN, SDLK_QUOTE)), Sdl(Key(SDL_KEYDOWN, SDLK_EQUALS)),
          Sdl(Key(SDL_KEYDOWN, SDLK_SLASH)), Sdl(Key(SDL_KEYDOWN, SDLK_F5))},
         {{11, 59, 0, 0, 0}, {11, 44, 0, 0, 0}, {11, 96, 0, 0, 0}, {11, 91, 0, 0, 0}, {11, 93, 0, 0, 0},
          {11, 92, 0, 0, 0}, {11, 39, 0, 0, 0}, {11, 43, 0, 0, 0}, {11, 47, 0, 0, 0}, {11, 0x74, 0, 0, 0}}},
        {"letters with Ctrl and Alt",
         {Sdl(Key(SDL_KEYDOWN, SDLK_p, ctrl | alt)), Sdl(Key(SDL_KEYDOWN, SDLK_p, ctrl | alt | shift)),
          Sdl(Key(SDL_KEYDOWN, SDLK_p, shift)), Sdl(Key(SDL_KEYDOWN, SDLK_c, ctrl))},
         {{11, 'P', 0, 0, 6}, {11, 'P', 0, 0, 7}, {11, 'P', 0, 0, 1}, {11, 'C', 0, 0, 2}, {14, 3, 0, 0, 0}}},
        {"Insert only with Shift alone",
         {Sdl(Key(SDL_KEYDOWN, SDLK_INSERT)), Sdl(Key(SDL_KEYDOWN, SDLK_INSERT, shift)),
          Sdl(Key(SDL_KEYDOWN, SDLK_INSERT, shift | ctrl)), Sdl(Key(SDL_KEYDOWN, SDLK_KP_0, shift))},
         {{2, 0, 0, 0, 0}, {11, -124, 0, 0, 9}, {2, 0, 0, 0, 0}, {11, -124, 0, 0, 1}}},
        {"typed text, a surrogate pair giving one character",
         {Sdl(Text("a\xC3\xA9")), Sdl(Text("\xF0\x9F\x98\x80")), Native(platform::kMsgChar, 0xDC00),
          Sdl(Key(SDL_KEYDOWN, SDLK_BACKSPACE))},
         {{14, 'a', 0, 0, 0}, {14, 0xE9, 0, 0, 0}, {2, 0, 0, 0, 0}, {14, 0x1F600, 0, 0, 0}, {2, 0, 0, 0, 0},
          {11, 8, 0, 0, 0}, {14, 8, 0, 0, 0}}},
        {"Alt+F1 gives nothing; other Alt keys are key events",
         {Sdl(Key(SDL_KEYDOWN, SDLK_F1, alt)), Sdl(Key(SDL_KEYDOWN, SDLK_x, alt)),
          Sdl(Key(SDL_KEYUP, SDLK_x, alt))},
         {{2, 0, 0, 0, 0}, {11, 'X', 0, 0, 4}, {2, 0, 0, 0, 0}}},
        // The mouse-left event reports where the backend last saw the pointer.
        {"repaint and the mouse leaving",
         {Sdl(WindowEvent(SDL_WINDOWEVENT_EXPOSED)), Native(platform::kMsgMouseLeave, 0, 4, 5),
          Native(platform::kMsgCaptureChanged, 1), Native(platform::kMsgCaptureChanged, 0, 6, 7)},
         {{15, 0, 0, 0, 0}, {15, 0, 0, 0, 0}, {10, 0, 4, 5, 0}, {9, 0, 0, 0, 0}, {2, 0, 0, 0, 0},
          {9, 0, 6, 7, 0}}},
        // Minimising marks a (forced) activation change even when already inactive.
        {"activation gained and lost, then minimised",
         {Sdl(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)), Sdl(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)),
          Sdl(WindowEvent(SDL_WINDOWEVENT_MINIMIZED))},
         {{2, 0, 0, 0, 0}, {18, 1, 0, 0, 0}, {18, 1, 0, 0, 0}, {2, 0, 0, 0, 0}, {18, 0, 0, 0, 0},
          {18, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {18, 0, 0, 0, 0}}},
        {"close request, then quit",
         {Sdl(WindowEvent(SDL_WINDOWEVENT_CLOSE)), Native(platform::kMsgQuit)},
         {{2, 0, 0, 0, 0}, {3, 0, 0, 0, 0}, {4, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        EXPECT_EQ(Run(c.inputs), c.events);
        application_.reset();
    }
}

TEST_F(MessagePumpTest, EightBitModeGivesByteCharacters) {
    Start("", false);
    EXPECT_EQ(Run({Native(platform::kMsgChar, 'q'), Native(platform::kMsgChar, 0xE9), Sdl(Text("\xE2\x82\xAC"))}),
              (std::vector<Expected>{{13, 'q', 0, 0, 0}, {13, 0xE9, 0, 0, 0}, {2, 0, 0, 0, 0}}));
}

// Scripted events of headless runs enter the pump as native records and come out as themselves.
TEST_F(MessagePumpTest, ReplayedEventsComeBackAsThemselves) {
    Start();
    const Expected replayed[] = {
        {kEventLeftDown, 0, 10, 20, 3}, {kEventLeftUp, 0, 10, 20, 0},   {kEventOtherButton, 1, 5, 6, 1},
        {kEventOtherButton, 7, 5, 6, 0}, {kEventOtherButton, 4, 1, 2, 0}, {kEventMouseMove, 0, 300, 301, 0},
        {kEventKeyDown, 'P', 0, 0, 0},   {kEventKeyDown, -128, 0, 0, 8},  {kEventKeyDown, 43, 0, 0, 0},
        {kEventKeyDown, 'Q', 0, 0, 4},   {kEventKeyUp, 65408, 0, 0, 0},   {kEventUnicodeChar, 0x1F600, 0, 0, 0},
        {kEventClose, 0, 0, 0, 0},       {kEventQuit, 0, 0, 0, 0},
    };
    for (const Expected& expected : replayed) {
        TAppEvent event;
        MakeAppEvent(event, expected.type, expected.x, expected.y, expected.param, expected.extra);
        for (const NativeEvent& record : NativeRecordsFor(event)) window_->Push(record);
        std::vector<Expected> events;
        Drain(events);
        // Records that give no input of their own (a surrogate's first half, the close record) pass as "nothing".
        std::erase_if(events, [](const Expected& e) { return e.type == kEventNothing; });
        EXPECT_EQ(events, std::vector<Expected>{expected});
    }
}

TEST_F(MessagePumpTest, PostedQuitEndsTheLoop) {
    Start();
    application_->PostQuit(3);
    std::vector<Expected> events;
    Drain(events);
    EXPECT_EQ(events, (std::vector<Expected>{{4, 0, 0, 0, 0}}));
    EXPECT_EQ(application_->Data()->exitCode, 3);
}

TEST_F(MessagePumpTest, RelativeMouseModeReportsDistancesFromTheCentre) {
    Start();
    application_->SetMouseMode(1);
    EXPECT_EQ(Run({Native(platform::kMsgMouseMove, 0, 410, 290), Native(platform::kMsgMouseMove, 0, 400, 300)}),
              (std::vector<Expected>{{8, 0, 10, -10, 0}, {2, 0, 0, 0, 0}}));
    int x, y;
    window_->GetMousePosition(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST_F(MessagePumpTest, HostWindowGoneQuits) {
    Start("-wnd=1234");
    bridge_.alive = false;
    std::vector<Expected> events;
    TAppEvent event;
    application_->ProcessMessages(event);
    EXPECT_EQ(event.type, kEventQuit);
}

// While the host holds the game paused, records are only dispatched: a close request is reported
// after the pause, a quit ends it. The host's pause does not count as application time.
TEST_F(MessagePumpTest, HostPauseHoldsTheGameAndItsTime) {
    Start();
    EXPECT_EQ(application_->GetTimer(), 0u);
    window_->Push(Native(platform::kMsgClose).native);
    bridge_.pausedAnswers = 3;
    std::vector<Expected> events;
    Drain(events);
    window_->Push(Native(platform::kMsgKeyDown, 'A').native);
    window_->Push(Native(platform::kMsgQuit).native);
    bridge_.pausedAnswers = 2;
    Drain(events);
    EXPECT_EQ(events, (std::vector<Expected>{{3, 0, 0, 0, 0}, {4, 0, 0, 0, 0}}));
    EXPECT_TRUE(window_->queue.empty());

    platform::AdvanceTestClock(1000);
    bridge_.pausedTime = 250;
    EXPECT_EQ(application_->GetTimer(), 750u);
}

TEST_F(MessagePumpTest, AltEnterTogglesFullScreenUnlessAPlainHostOwnsTheWindow) {
    Start("-wnd=1234");
    EXPECT_EQ(Run({Sdl(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT))}), (std::vector<Expected>{{2, 0, 0, 0, 0}}));
    application_.reset();
    Start("-wnd=1234 -pq=portal");
    EXPECT_EQ(Run({Sdl(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT)), Sdl(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT))}),
              (std::vector<Expected>{{19, 1, 0, 0, 0}, {19, 0, 0, 0, 0}}));
}

// Counts the idle step's task-list pass.
class IdleCounter : public TTask {
public:
    explicit IdleCounter(int& runs) : runs_(runs) {}
    bool Run() override { return ++runs_ < 2; }

private:
    int& runs_;
};

TEST_F(MessagePumpTest, IdleStepRunsTheTaskList) {
    Start();
    int runs = 0;
    application_->AddTask(new IdleCounter(runs));
    TAppEvent event;
    application_->ProcessMessages(event);
    EXPECT_EQ(event.type, kEventIdle);
    EXPECT_EQ(runs, 1);
    application_->ProcessMessages(event);
    application_->ProcessMessages(event);
    EXPECT_EQ(runs, 2);  // the task ended after its second run
}

struct SoundLog {
    int notifications = 0;
    std::vector<bool> switches;
} soundLog;

class RecordingSound : public ISoundManager {
public:
    bool Init() override { return true; }
    void NotifyStreams() override { ++soundLog.notifications; }
    void EnableSound(bool on) override { soundLog.switches.push_back(on); }
};

std::unique_ptr<ISoundManager> MakeRecordingSound() { return std::make_unique<RecordingSound>(); }

TEST_F(MessagePumpTest, IdleServicesSoundAndActivationSwitchesIt) {
    soundLog = SoundLog();
    SoundServices services;
    services.createManager = MakeRecordingSound;
    SetSoundServices(services);
    Start();
    ASSERT_TRUE(application_->InitSoundManager());
    TAppEvent event;
    application_->ProcessMessages(event);
    EXPECT_EQ(soundLog.notifications, 1);
    Run({Native(platform::kMsgActivateApp, 1), Native(platform::kMsgActivateApp, 0)});
    // On each change the window and then the application switch the sound.
    EXPECT_EQ(soundLog.switches, (std::vector<bool>{true, true, false, false}));
    application_.reset();
    SetSoundServices(SoundServices());
}

// A display whose state the test sets; it counts restores.
struct DisplayState {
    bool usable = true;
    bool lost = false;
    int restores = 0;
    int deactivations = 0;
    bool fullScreen = false;
    int statisticsToggles = 0;
} displayState;

class ScriptedDisplay : public IDisplay {
public:
    bool IsUsable() const override { return displayState.usable; }
    bool AreSurfacesLost() const override { return displayState.lost; }
    bool Restore() override {
        ++displayState.restores;
        displayState.lost = false;
        return true;
    }
    void OnDeactivated() override { ++displayState.deactivations; }
    bool IsFullScreen() const override { return displayState.fullScreen; }
    bool SetFullScreen(bool on) override {
        displayState.fullScreen = on;
        return true;
    }
    void ToggleStatistics() override { ++displayState.statisticsToggles; }
    TVec2 ClientToGame(int x, int y) const override { return TVec2(x * 0.5f, y * 0.5f); }
};

std::unique_ptr<IDisplay> MakeScriptedDisplay() { return std::make_unique<ScriptedDisplay>(); }

TEST_F(MessagePumpTest, DisplayStateComesBeforeInput) {
    displayState = DisplayState();
    SetDisplayFactory(MakeScriptedDisplay);
    Start();
    application_->CreateDisplay();

    // Positions are mapped to game coordinates by the display.
    EXPECT_EQ(Run({Native(platform::kMsgLeftDown, 0, 100, 60)}), (std::vector<Expected>{{5, 0, 50, 30, 0}}));

    // Lost surfaces of an active window are restored before anything else is read.
    Run({Native(platform::kMsgActivateApp, 1)});
    displayState.lost = true;
    window_->Push(Native(platform::kMsgKeyDown, 'A').native);
    std::vector<Expected> events;
    Drain(events);
    EXPECT_EQ(events, (std::vector<Expected>{{2, 0, 0, 0, 0}, {11, 'A', 0, 0, 0}}));
    EXPECT_EQ(displayState.restores, 1);

    // A waiting quit goes first while the display is usable (and stays waiting); otherwise it
    // comes in its turn.
    window_->Push(Native(platform::kMsgKeyDown, 'B').native);
    application_->PostQuit(0);
    TAppEvent event;
    application_->ProcessMessages(event);
    EXPECT_EQ(event.type, kEventQuit);
    displayState.usable = false;
    events.clear();
    Drain(events);
    EXPECT_EQ(events, (std::vector<Expected>{{11, 'B', 0, 0, 0}, {4, 0, 0, 0, 0}}));

    // The repaint the window recorded restores a display that is not usable.
    Run({Native(platform::kMsgPaint)});
    EXPECT_EQ(displayState.restores, 2);
    Run({Native(platform::kMsgActivateApp, 0)});
    EXPECT_EQ(displayState.deactivations, 1);
    application_.reset();
    SetDisplayFactory(nullptr);
}

// Alt+Enter switches the display's full screen and reports the new state; Alt+F1 switches the
// statistics overlay and reports nothing.
TEST_F(MessagePumpTest, AltKeysSwitchTheDisplay) {
    displayState = DisplayState();
    SetDisplayFactory(MakeScriptedDisplay);
    Start();
    application_->CreateDisplay();
    const uint16_t alt = KMOD_LALT;
    EXPECT_EQ(Run({Sdl(Key(SDL_KEYDOWN, SDLK_RETURN, alt)), Sdl(Key(SDL_KEYDOWN, SDLK_F1, alt)),
                   Sdl(Key(SDL_KEYDOWN, SDLK_RETURN, alt))}),
              (std::vector<Expected>{{19, 1, 0, 0, 0}, {2, 0, 0, 0, 0}, {19, 0, 0, 0, 0}}));
    EXPECT_FALSE(displayState.fullScreen);
    EXPECT_EQ(displayState.statisticsToggles, 1);
    application_.reset();
    SetDisplayFactory(nullptr);
}

}  // namespace
