// Start-up time of the game: from starting its process to its first frame on the screen of a virtual
// desktop. The game says "first frame shown" on its standard output once the frame is on the window.
// Like a window manager, the benchmark gives each new top-level window the input focus and grants full-screen
// requests. Beside it, the
// whole run of the headless tool ui_run on a script that ends at once, in processor time: its start and its exit.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/virtual_display.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

constexpr int kPatienceMs = 20000;

// Starts the game on the display with its standard output going to outputFd; answers its process id, or 0.
pid_t StartGame(const std::string& display, const fs::path& home, int outputFd) {
    std::vector<std::string> environment = {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11",
                                            "XDG_DATA_HOME=" + (home / "data").string(),
                                            "XDG_RUNTIME_DIR=" + (home / "run").string()};
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('=') + 1);
        if (name != "DISPLAY=" && name != "SDL_VIDEODRIVER=" && name != "XDG_DATA_HOME=" && name != "XDG_RUNTIME_DIR=")
            environment.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(ALEMBRIA_GAME), const_cast<char*>("--multiple"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    pid_t child = 0;
    if (posix_spawn(&child, ALEMBRIA_GAME, &actions, nullptr, argv, envp.data()) != 0) child = 0;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// Full-screen requests of a window (_NET_WM_STATE, data.l[0] 1 add, 0 remove), answered as a window manager
// would: the window covers the screen and carries the state, or leaves it.
void AnswerFullScreenRequest(Display* display, const XClientMessageEvent& request) {
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    if (request.message_type != state || static_cast<Atom>(request.data.l[1]) != fullScreen) return;
    if (request.data.l[0] == 1) {
        XChangeProperty(display, request.window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&fullScreen), 1);
        XMoveResizeWindow(display, request.window, 0, 0, DisplayWidth(display, DefaultScreen(display)),
                          DisplayHeight(display, DefaultScreen(display)));
    } else if (request.data.l[0] == 0) {
        XChangeProperty(display, request.window, state, XA_ATOM, 32, PropModeReplace, nullptr, 0);
    }
}

// Serves the desktop as a window manager would: every top-level window that is mapped gets the input focus,
// and full-screen requests are granted.
void ServeDesktop(Display* display) {
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) XSetInputFocus(display, event.xmap.window, RevertToParent, CurrentTime);
        if (event.type == ClientMessage) AnswerFullScreenRequest(display, event.xclient);
    }
    XFlush(display);
}

// Waits for the line "first frame shown" on output while serving the desktop; false after kPatienceMs.
bool WaitForFirstFrame(Display* display, int output) {
    std::string text;
    pollfd sources[] = {{output, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (std::chrono::steady_clock::now() < deadline) {
        ServeDesktop(display);
        if (poll(sources, 2, 10) <= 0 || !(sources[0].revents & (POLLIN | POLLHUP))) continue;
        char buffer[256];
        ssize_t got = read(output, buffer, sizeof buffer);
        if (got <= 0) return false;
        text.append(buffer, static_cast<size_t>(got));
        if (text.find("first frame shown\n") != std::string::npos) return true;
    }
    return false;
}

// Only the start is measured: the game is stopped outright (SDL turns SIGTERM into a quit request, which the
// game may answer with a question on screen).
void StopGame(pid_t game) {
    kill(game, SIGKILL);
    waitpid(game, nullptr, 0);
}

void StartUpToFirstFrame(benchmark::State& state) {
    VirtualDisplay desktop(1024, 768);
    Display* display = desktop.Name().empty() ? nullptr : XOpenDisplay(desktop.Name().c_str());
    if (!display) {
        state.SkipWithError("Xvfb could not start");
        return;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    fs::path home = fs::temp_directory_path() / ("alembria-startup-" + std::to_string(getpid()));
    fs::create_directories(home / "data");
    fs::create_directories(home / "run");
    double totalMs = 0;
    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        auto start = std::chrono::steady_clock::now();
        pid_t game = StartGame(desktop.Name(), home, pipeEnds[1]);
        close(pipeEnds[1]);
        bool shown = game != 0 && WaitForFirstFrame(display, pipeEnds[0]);
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (game) StopGame(game);
        close(pipeEnds[0]);
        if (!shown) {
            state.SkipWithError("the game showed no frame");
            break;
        }
        state.SetIterationTime(elapsed.count());
        totalMs += elapsed.count() * 1000;
    }
    state.counters["first_frame_ms"] = benchmark::Counter(totalMs / std::max<double>(1, state.iterations()));
    XCloseDisplay(display);
    fs::remove_all(home);
}
BENCHMARK(StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Runs a program to its end; answers its processor time (user and system) in seconds, so that waiting for a busy
// core does not count, or -1 when it failed.
double RunForProcessorTime(char** argv) {
    pid_t child = 0;
    int status = -1;
    rusage usage{};
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) == 0) wait4(child, &status, 0, &usage);
    if (status != 0) return -1;
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// ui_run on a script that ends at once, interleaved with /bin/true: the cost of starting any process on this
// machine, as the reference.
void UiRunOfAnEmptyScript(benchmark::State& state) {
    fs::path folder = fs::temp_directory_path() / ("alembria-ui-run-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::path script = folder / "done.lua";
    FILE* file = std::fopen(script.c_str(), "w");
    if (!file) {
        state.SkipWithError("cannot write the script");
        return;
    }
    std::fputs("return function() end\n", file);
    std::fclose(file);
    std::string scriptPath = script.string();
    char* uiRun[] = {const_cast<char*>(ALEMBRIA_UI_RUN), scriptPath.data(), nullptr};
    char* empty[] = {const_cast<char*>("/bin/true"), nullptr};
    double uiRunMs = 0, emptyMs = 0;
    for (auto _ : state) {
        double seconds = RunForProcessorTime(uiRun);
        double emptySeconds = RunForProcessorTime(empty);
        if (seconds < 0) {
            state.SkipWithError("ui_run failed");
            break;
        }
        state.SetIterationTime(seconds);
        uiRunMs += seconds * 1000;
        emptyMs += emptySeconds * 1000;
    }
    double runs = std::max<double>(1, state.iterations());
    state.counters["ui_run_ms"] = benchmark::Counter(uiRunMs / runs);
    state.counters["bin_true_ms"] = benchmark::Counter(emptyMs / runs);
    fs::remove_all(folder);
}
BENCHMARK(UiRunOfAnEmptyScript)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
