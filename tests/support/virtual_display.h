// An Xvfb server of the test's own, on the display number it picks; Name() is empty when it could
// not start (tests then skip). The server stops with the object, or with the test process.
#pragma once

#include <sys/types.h>

#include <string>

class VirtualDisplay {
public:
    explicit VirtualDisplay(int width = 800, int height = 600);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", or empty.
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = 0;
    std::string name_;
};
