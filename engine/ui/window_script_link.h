// What the window manager asks of its window script: the script's queues for messages no window
// took, its stack of current windows, the window-type registry and running script text.
#pragma once

#include "engine/core/base/tstring.h"
#include "engine/ui/window.h"

class TMessage;
class TTask;

class IWindowScript {
public:
    virtual ~IWindowScript() = default;

    // Takes the message into "gMessageQueue" (or "gCommandQueue" for a command); false when it did
    // not take it, and the caller still owns it.
    virtual bool QueueMessage(TMessage* message, bool command) = 0;
    // The current-window stack becomes this window alone (empty for null).
    virtual void ResetWindowStack(TWindow* window) = 0;
    virtual void PushWindow(TWindow* window) = 0;
    virtual void PopWindow() = 0;
    // Stores the factory under the name and defines the script constructor of that name.
    virtual void RegisterWindowType(const TString& name, TWindowFactory factory) = 0;
    virtual void DoLuaString(const TString& text) = 0;
    // Answers the previous mode.
    virtual bool SetStringTableMode(bool on) = 0;
    // The script runs as a task on the application's task list, which then owns it (null: none).
    virtual TTask* AsTask() = 0;
};
