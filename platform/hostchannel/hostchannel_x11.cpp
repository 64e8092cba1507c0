// The host channel over X11: ClientMessages to the host's window, liveness by asking the server.
#include <X11/Xlib.h>

#include <mutex>

#include "platform/hostchannel/hostchannel.h"

namespace platform {

namespace {

// Xlib reports a vanished window through the error handler, which is process-wide: count such
// errors while asking.
struct HostChannelState {
    std::mutex errorLock;
    int errors = 0;
};

HostChannelState& GetHostChannelState() {
    static HostChannelState state;
    return state;
}

int CountError(Display*, XErrorEvent*) {
    ++GetHostChannelState().errors;
    return 0;
}

bool WindowExists(Display* display, Window window) {
    HostChannelState& state = GetHostChannelState();
    std::lock_guard<std::mutex> guard(state.errorLock);
    state.errors = 0;
    XErrorHandler previous = XSetErrorHandler(CountError);
    XWindowAttributes attributes;
    Status status = XGetWindowAttributes(display, window, &attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    return status != 0 && state.errors == 0;
}

class X11HostChannel : public HostChannel {
public:
    X11HostChannel(Display* display, Window window)
        : display_(display), window_(window), type_(XInternAtom(display, "_QV_HOST_MESSAGE", False)) {}
    ~X11HostChannel() override { XCloseDisplay(display_); }

    bool IsAlive() override { return WindowExists(display_, window_); }

    void Post(uint32_t message, uint32_t first, uint32_t second) override {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window_;
        event.xclient.message_type = type_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(message);
        event.xclient.data.l[1] = static_cast<long>(first);
        event.xclient.data.l[2] = static_cast<long>(second);
        XSendEvent(display_, window_, False, NoEventMask, &event);
        XFlush(display_);
    }

private:
    Display* display_;
    Window window_;
    Atom type_;
};

}  // namespace

std::unique_ptr<HostChannel> OpenX11HostChannel(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    if (!window || !WindowExists(display, window)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11HostChannel>(display, window);
}

}  // namespace platform
