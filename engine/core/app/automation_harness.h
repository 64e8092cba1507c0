// The automation harness: a library "qvHarness.so" that test rigs place beside the program. When
// it is there, its hook "TestHook" runs at start-up and answers the window (an X11 window id) that
// is told with the quit message when the game has ended.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "platform/library/library.h"

class TAutomationHarness {
public:
    // Loads the harness from folder when present and calls its hook.
    void Load(const TString& folder);
    // Posts the quit message to the harness window, when the hook named one that exists.
    void PostQuit();

private:
    std::unique_ptr<platform::Library> library_;
    unsigned long window_ = 0;
};
