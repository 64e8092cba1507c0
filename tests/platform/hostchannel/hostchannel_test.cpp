#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/hostchannel/hostchannel.h"
#include "tests/support/virtual_display.h"

namespace {

TEST(HostChannel, NoDisplayGivesNoChannel) {
    std::string saved = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(platform::OpenX11HostChannel(0x1234), nullptr);
    if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
}

// A private X server for the test's lifetime.
class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_.Name().empty()) GTEST_SKIP() << "Xvfb could not start here";
        display_ = XOpenDisplay(server_.Name().c_str());
        ASSERT_NE(display_, nullptr) << "no connection to " << server_.Name();
        setenv("DISPLAY", server_.Name().c_str(), 1);
    }

    void TearDown() override {
        if (display_) XCloseDisplay(display_);
        unsetenv("DISPLAY");
    }

    VirtualDisplay server_{64, 64};
    Display* display_ = nullptr;
};

TEST_F(XvfbTest, PostsClientMessagesAndFollowsTheWindowsLife) {
    Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 8, 8, 0, 0, 0);
    XSync(display_, False);
    EXPECT_EQ(platform::OpenX11HostChannel(window + 0x100000), nullptr); // no such window
    auto channel = platform::OpenX11HostChannel(window);
    ASSERT_NE(channel, nullptr);
    EXPECT_TRUE(channel->IsAlive());

    channel->Post(1024, 0x656D6147, 0x28646E45);
    XEvent event{};
    bool received = false;
    for (int i = 0; i < 200 && !received; ++i) {
        if (XPending(display_)) {
            XNextEvent(display_, &event);
            received = event.type == ClientMessage;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ASSERT_TRUE(received);
    EXPECT_EQ(event.xclient.message_type, XInternAtom(display_, "_QV_HOST_MESSAGE", False));
    EXPECT_EQ(event.xclient.format, 32);
    EXPECT_EQ(static_cast<uint32_t>(event.xclient.data.l[0]), 1024u);
    EXPECT_EQ(static_cast<uint32_t>(event.xclient.data.l[1]), 0x656D6147u);
    EXPECT_EQ(static_cast<uint32_t>(event.xclient.data.l[2]), 0x28646E45u);

    XDestroyWindow(display_, window);
    XSync(display_, False);
    EXPECT_FALSE(channel->IsAlive());
}

}  // namespace
