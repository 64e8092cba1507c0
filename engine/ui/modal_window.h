// TModalWindow: the window class of everything the window manager stacks (the screen, dialogs,
// full-screen pages). A barrier for input and messages, with its own pausable clock and task list
// (so that the animations under a dialog freeze while it is open), the children that cover it
// completely, a focus child, hot keys, and Enter / Escape for its default and cancel buttons.
#pragma once

#include <map>
#include <set>

#include "engine/core/app/task.h"
#include "engine/core/base/clock.h"
#include "engine/ui/window.h"

class TModalWindow : public TWindow {
public:
    TModalWindow();
    ~TModalWindow() override;

    static TClassId ClassId();
    const char* GetClassName() const override { return "TModalWindow"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // Starts the clock.
    bool OnAttach() override;
    // Always fits the children before the placement is completed.
    void PostCreate(TWindowStyle& style) override;
    // kCloseWindow pops down to the modal window the message names.
    bool OnMessage(TMessage* message) override;
    // Enter and Escape.
    bool OnChar(uint8_t character) override;
    // Hot keys.
    bool OnKeyDown(uint8_t key, int modifiers) override;
    // Passes the focus on to the focus child.
    void OnFocus(TWindow* previous) override;
    // Binds a hot-key text to a button's name; an empty name removes the binding.
    virtual void RegisterHotKey(const TString& keyText, const TString& buttonName);

    void AddTask(TTask* task) { tasks_.AddTask(task); }
    void ClearTasks() { tasks_.Clear(); }
    void RunTasks(int mode) { tasks_.Run(mode); }
    TTaskList& GetTaskList() { return tasks_; }
    TClock& GetClock() { return clock_; }

    TWindow* GetFocusWindow() const { return focusChild_; }
    void SetFocusWindow(TWindow* child);
    // Records whether the descendant covers this window completely; the window covers its own
    // modal parent while any does.
    void SetCovered(TWindow* child, bool covers);
    bool IsCoveredBy(const TWindow* child) const;

    // Presses the button of that name below this window; logs when there is none.
    void ActivateHotKeyButton(const TString& buttonName);

private:
    TTaskList tasks_;
    TWindow* focusChild_ = nullptr;
    std::set<TWindow*> covering_;
    TClock clock_;
    std::map<TString, TString> hotKeys_;
};
