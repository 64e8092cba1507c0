// The channel to a host window that embeds the game (a web portal): 8-byte messages, each as
// a message number and two 32-bit words, and whether the host window still exists.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class HostChannel {
public:
    virtual ~HostChannel() = default;
    virtual bool IsAlive() = 0;
    virtual void Post(uint32_t message, uint32_t first, uint32_t second) = 0;
};

// The X11 window with that id ("-wnd=" in hexadecimal). Each post is a ClientMessage of type
// "_QV_HOST_MESSAGE", format 32, data.l = {message, first, second}. Null when there is no
// display or no such window.
std::unique_ptr<HostChannel> OpenX11HostChannel(unsigned long window);

// Keeps what was posted, for tests; alive until told otherwise.
class RecordingHostChannel : public HostChannel {
public:
    struct Message {
        uint32_t message, first, second;
    };
    bool IsAlive() override { return alive; }
    void Post(uint32_t message, uint32_t first, uint32_t second) override {
        messages.push_back({message, first, second});
    }

    std::vector<Message> messages;
    bool alive = true;
};

}  // namespace platform
