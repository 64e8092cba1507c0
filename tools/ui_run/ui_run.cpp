// ui_run [--assets DIR] [--events FILE] [--frames N] [--shot OUT.png] [--log] SCRIPT
//
// Runs a screen script on the window system without a display: the test clock, a headless window
// drawn into memory at 800 x 600, the window script with its built-in layer, and DIR's settings
// ("assets/settings.xml") and string table ("assets/strings.xml") when it has them (DIR defaults to
// the folder holding SCRIPT; its "assets" folder is the asset folder). SCRIPT's chunk returns the function that
// runs as the window script's coroutine; `print` writes to stdout.
//
// The events file holds one event a line, "MS TYPE PARAM X Y [EXTRA]": dispatched when the test
// clock reaches MS. Between events the loop idles and draws frames 16 ms apart.
//
// Exit status: 0 the script's function returned, 1 the script failed (the error on stderr),
// 2 usage or unreadable input, 3 N frames (default 10000) passed first. --shot writes the last frame
// as PNG; --log copies the log to stderr.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/core/app/timed_events.h"
#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/core/files/file.h"
#include "engine/core/files/settings_file.h"
#include "engine/core/files/stringtable.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/png_shot.h"
#include "engine/graphics/renderer.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "platform/clock/clock.h"
#include "tools/ui_run/ui_run_host.h"

namespace fs = std::filesystem;

namespace {

enum ExitStatus { kDone = 0, kScriptFailed = 1, kBadInput = 2, kOutOfFrames = 3 };

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Options {
    fs::path assets;
    fs::path events;
    fs::path shot;
    fs::path script;
    long frames = 10000;
    bool log = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--assets" && hasValue) {
            options.assets = argv[++i];
        } else if (arg == "--events" && hasValue) {
            options.events = argv[++i];
        } else if (arg == "--shot" && hasValue) {
            options.shot = argv[++i];
        } else if (arg == "--frames" && hasValue) {
            char* end = nullptr;
            options.frames = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || options.frames < 0) return false;
        } else if (arg == "--log") {
            options.log = true;
        } else if (arg.rfind("--", 0) != 0 && options.script.empty() && i == argc - 1) {
            options.script = arg;
        } else {
            return false;
        }
    }
    return !options.script.empty();
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool scriptFinished = false;
bool scriptFailed = false;

int MarkFinished(lua_State*) {
    scriptFinished = true;
    return 0;
}

// Errors of protected calls: to stderr as well as the log.
int ReportError(lua_State* L) {
    const char* text = lua_tostring(L, 1);
    std::fprintf(stderr, "ui_run: %s\n", text ? text : "(non-string error)");
    LogPrintf("Lua error: %s", text ? text : "(non-string error)");
    scriptFailed = true;
    return 1;
}

// Loads SCRIPT and starts the function its chunk returns as the coroutine, followed by a mark that
// tells a return from a failure.
bool StartScript(TWindowScript& script, const fs::path& path) {
    lua_State* L = script.GetState();
    lua_register(L, "_ALERT", &ReportError);
    std::string source = ReadText(path);
    std::string chunkName = "@" + path.filename().string();
    if (luaL_loadbuffer(L, source.data(), source.size(), chunkName.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0) {
        std::fprintf(stderr, "ui_run: %s\n", lua_tostring(L, -1));
        return false;
    }
    if (!lua_isfunction(L, -1)) {
        std::fprintf(stderr, "ui_run: %s does not return a function\n", path.c_str());
        return false;
    }
    const char* starter = "return function(main, finished) return function() main(); finished() end end";
    luaL_loadbuffer(L, starter, std::strlen(starter), "=ui_run");
    lua_pcall(L, 0, 1, 0);
    lua_insert(L, -2);
    lua_pushcfunction(L, &MarkFinished);
    return script.RunFunction(2, 1) == 0 && !scriptFailed;
}

// Prints the log's script errors (a coroutine's failure is only logged).
void PrintLoggedErrors(const fs::path& logFile) {
    std::ifstream in(logFile);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("lua_resume") != std::string::npos) std::fprintf(stderr, "ui_run: %s\n", line.c_str());
    }
}

void LoadFolderData(TWindowManager& manager, UiRunWindowHost& host, TStringTable& strings) {
    if (FileExists("assets/settings.xml")) LoadSettingsFile("::assets/settings.xml");
    if (FileExists("strings.xml") && strings.LoadXml("strings.xml")) {
        host.strings = &strings;
        manager.SetStringTableMode(true);
    }
}

int RunLoop(const Options& options, TWindowManager& manager, UiRunWindowHost& host, TWindowScript& script,
            const std::vector<TimedEvent>& events) {
    size_t next = 0;
    for (long frames = 0;;) {
        if (scriptFinished) return kDone;
        if (scriptFailed || !script.IsYielded()) return kScriptFailed;
        if (next < events.size() && events[next].ms <= platform::TicksMs()) {
            manager.DispatchEvent(events[next++].event);
            continue;
        }
        if (frames++ >= options.frames) return kOutOfFrames;
        platform::AdvanceTestClock(kHeadlessFrameMs);
        host.tasks.Run();
        TAppEvent idle;
        MakeAppEvent(idle, kEventIdle);
        manager.DispatchEvent(idle);
        manager.RenderFrame();
    }
}

int RunUi(const Options& options, const std::vector<TimedEvent>& events, const fs::path& logFolder) {
    UiRunDisplayHost display;
    display.window.Create(platform::WindowOptions());
    SetDisplayHost(&display);
    SetAssetManager(&display.assets);
    TPlatform* platform = TPlatform::Create();
    platform->SetDisplay(kWidth, kHeight, false, false, false, false);
    if (!platform->Data()->displayReady) {
        std::fprintf(stderr, "ui_run: the headless display did not start\n");
        return kBadInput;
    }
    TRenderer::Get()->PushClipRect(platform->Data()->modeRect);

    int status;
    {
        UiRunWindowHost host;
        TStringTable strings;
        TWindowManager manager(&host);
        LoadFolderData(manager, host, strings);
        manager.CreateRootScreen(kWidth, kHeight);
        manager.CreateWindowScript();
        auto* script = dynamic_cast<TWindowScript*>(manager.GetScript());
        status = StartScript(*script, options.script) ? RunLoop(options, manager, host, *script, events)
                                                        : kScriptFailed;
        if (status == kScriptFailed) PrintLoggedErrors(logFolder / "logfile.txt");
        if (!options.shot.empty() && !WritePngShot(*platform->Data()->backSurface, options.shot.c_str())) {
            std::fprintf(stderr, "ui_run: cannot write %s\n", options.shot.c_str());
        }
    }
    TRenderer::Destroy();
    TPlatform::Destroy();
    SetDisplayHost(nullptr);
    SetAssetManager(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: ui_run [--assets DIR] [--events FILE] [--frames N] [--shot OUT.png] [--log] SCRIPT\n");
        return kBadInput;
    }
    std::error_code error;
    options.script = fs::absolute(options.script);
    if (!options.events.empty()) options.events = fs::absolute(options.events);
    if (!options.shot.empty()) options.shot = fs::absolute(options.shot);
    fs::path folder = options.assets.empty() ? options.script.parent_path() : fs::absolute(options.assets);
    if (!fs::is_regular_file(options.script, error) || !fs::is_directory(folder, error)) {
        std::fprintf(stderr, "ui_run: cannot read %s\n", options.script.c_str());
        return kBadInput;
    }
    std::vector<TimedEvent> events;
    std::string eventsError;
    if (!options.events.empty() && !ReadTimedEvents(options.events, events, eventsError)) {
        std::fprintf(stderr, "ui_run: %s\n", eventsError.c_str());
        return kBadInput;
    }

    // A folder of its own that nobody else can have prepared (a fixed name could hold a planted link).
    std::string logPattern = (fs::temp_directory_path() / "ui_run-XXXXXX").string();
    if (!mkdtemp(logPattern.data())) {
        std::fprintf(stderr, "ui_run: cannot make a log folder in %s\n", fs::temp_directory_path().c_str());
        return kBadInput;
    }
    fs::path logFolder = logPattern;
    LogInit(logFolder.c_str());
    fs::current_path(folder, error);
    SetStartupFolder(folder.c_str());
    SetAssetFolder((folder / "assets").c_str());
    InitFileSystem();
    platform::SetTestClock(0);
    platform::UseClockBackend(platform::ClockBackend::Test);

    int status = RunUi(options, events, logFolder);

    LogInit(nullptr);
    if (options.log) std::fputs(ReadText(logFolder / "logfile.txt").c_str(), stderr);
    fs::remove_all(logFolder, error);
    return status;
}
