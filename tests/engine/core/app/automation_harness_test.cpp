// The automation harness beside the program: loaded when present, told when the game has ended.
#include "engine/core/app/automation_harness.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/virtual_display.h"

namespace {

// The first words of every client message that reaches the display within timeoutMs.
std::vector<long> ClientMessagesWithin(Display* display, int timeoutMs) {
    std::vector<long> messages;
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        while (XPending(display)) {
            XEvent event{};
            XNextEvent(display, &event);
            if (event.type == ClientMessage) messages.push_back(event.xclient.data.l[0]);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return messages;
}

TEST(AutomationHarness, TheHarnessWindowGetsTheQuitMessage) {
    VirtualDisplay server(64, 64);
    if (server.Name().empty()) GTEST_SKIP() << "Xvfb could not start here";
    Display* display = XOpenDisplay(server.Name().c_str());
    ASSERT_NE(display, nullptr);
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
    XSync(display, False);
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("ALEMBRIA_HARNESS_WINDOW", std::to_string(window).c_str(), 1);

    TAutomationHarness absent;
    absent.Load("/nonexistent");
    absent.PostQuit();  // no harness: nothing is sent
    TAutomationHarness harness;
    harness.Load(HARNESS_FOLDER);
    harness.PostQuit();
    EXPECT_EQ(ClientMessagesWithin(display, 300), std::vector<long>{18});

    unsetenv("ALEMBRIA_HARNESS_WINDOW");
    unsetenv("DISPLAY");
    XCloseDisplay(display);
}

}  // namespace
