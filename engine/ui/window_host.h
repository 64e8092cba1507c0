// What the window system asks of the application: time, focus, the display's state, the mouse
// mode, the application's task list and quitting. The default host answers through TApplication
// (with headless answers while none exists); tests install one of their own.
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

class TStringTable;
class TTask;
class TTaskList;

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    // Application time in ms.
    virtual uint32_t GetTimer() = 0;
    virtual bool HasFocus() = 0;
    // Inside a web portal's page frames keep their pace while the window lacks the focus.
    virtual bool IsHosted() = 0;
    // The display finished showing the previous frame.
    virtual bool IsFrameDone() = 0;
    virtual bool IsDisplayReady() = 0;
    // 1 = relative mode: moves arrive as distances.
    virtual int GetMouseMode() = 0;
    // The application's task list; null when there is none.
    virtual TTaskList* GetTaskList() = 0;
    virtual void PostQuit(int code) = 0;
    // The clipboard's text as UTF-8; empty when it holds none.
    virtual TString GetClipboardText() = 0;
    virtual bool StringToClipboard(const TString& text) = 0;
    // Opens the link in the desktop's browser.
    virtual void ExecuteLink(const TString& url) = 0;
    // The loaded string table; null when there is none.
    virtual TStringTable* GetStringTable() = 0;
};

// The host that forwards to the application.
IWindowHost& ApplicationWindowHost();
