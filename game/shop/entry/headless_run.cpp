#include "game/shop/entry/headless_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/core/app/application.h"
#include "engine/core/base/config.h"
#include "game/shop/entry/game_main.h"
#include "game/shop/entry/headless_steps.h"
#include "game/shop/entry/scenario.h"
#include "platform/backend/backend.h"
#include "platform/clock/clock.h"

namespace fs = std::filesystem;

namespace {

enum { kBadInput = 2 };

const char kUsage[] =
    "usage: alembria --headless [--assets DIR] [--events FILE] [--scenario FILE] [--frames N] [--seed N]\n"
    "                           [--shot OUT.png] [--log]\n";

struct HeadlessOptions {
    fs::path gameFolder;
    fs::path events;
    fs::path scenario;
    fs::path shot;
    long frames = 100000;
    std::string seed;
    bool log = false;
};

bool ParseCount(const char* text, long& count) {
    char* end = nullptr;
    count = std::strtol(text, &end, 10);
    return *text != '\0' && *end == '\0' && count >= 0;
}

bool ParseOptions(int argc, char** argv, HeadlessOptions& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        long seed = 0;
        if (arg == "--headless") {
            continue;
        } else if (arg == "--assets" && hasValue) {
            options.gameFolder = fs::absolute(argv[++i]).lexically_normal();
        } else if (arg == "--events" && hasValue) {
            options.events = fs::absolute(argv[++i]).lexically_normal();
        } else if (arg == "--scenario" && hasValue) {
            options.scenario = fs::absolute(argv[++i]).lexically_normal();
        } else if (arg == "--shot" && hasValue) {
            options.shot = fs::absolute(argv[++i]).lexically_normal();
        } else if (arg == "--frames" && hasValue) {
            if (!ParseCount(argv[++i], options.frames)) return false;
        } else if (arg == "--seed" && hasValue) {
            options.seed = argv[++i];
            if (!ParseCount(options.seed.c_str(), seed)) return false;
        } else if (arg == "--log") {
            options.log = true;
        } else {
            return false;
        }
    }
    return true;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The script errors the log holds.
void PrintScriptErrors(const std::string& log) {
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("Lua error") != std::string::npos) std::fprintf(stderr, "alembria: %s\n", line.c_str());
    }
}

HeadlessRun* runningGame = nullptr;

int HeadlessGameMain(TApplication* application, const TString& commandLine) {
    HeadlessSteps steps(application, commandLine, *runningGame);
    RunGame(steps);
    return 0;
}

}  // namespace

bool IsHeadlessRun(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) return true;
    }
    return false;
}

int RunHeadlessGame(int argc, char** argv) {
    HeadlessOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return kBadInput;
    }
    std::error_code error;
    if (!options.gameFolder.empty() && !fs::is_directory(options.gameFolder, error)) {
        std::fprintf(stderr, "alembria: cannot read the game folder %s\n", options.gameFolder.c_str());
        return kBadInput;
    }
    HeadlessRun run;
    run.frameLimit = options.frames;
    run.shot = options.shot.string();
    std::string inputError;
    if (!options.events.empty() && !ReadTimedEvents(options.events.string(), run.events, inputError)) {
        std::fprintf(stderr, "alembria: %s\n", inputError.c_str());
        return kBadInput;
    }
    run.scenarioPath = options.scenario.string();
    if (!options.scenario.empty() && !ReadScenario(run.scenarioPath, run.scenario, inputError)) {
        std::fprintf(stderr, "alembria: %s\n", inputError.c_str());
        return kBadInput;
    }

    GameSetup();
    if (!options.seed.empty()) SetConfig("randomseed", options.seed.c_str());
    platform::UseBackends(platform::Backends::Headless);
    platform::SetTestClock(0);
    platform::UseClockBackend(platform::ClockBackend::Test);
    InstallServices();
    runningGame = &run;
    // The runner's options stay off the game's command line.
    ApplicationMain(TString(), HeadlessGameMain, true, options.gameFolder.c_str());
    runningGame = nullptr;

    if (run.status == HeadlessRun::kMainScriptFailed) PrintScriptErrors(run.logFile);
    if (run.status == HeadlessRun::kScenarioFailed) std::fprintf(stderr, "alembria: %s\n", run.failure.c_str());
    if (options.log) std::fputs(ReadText(run.logFile).c_str(), stderr);
    return run.status;
}
