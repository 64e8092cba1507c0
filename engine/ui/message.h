// TMessage: a notice that windows send up the tree and the window manager queues (a button was
// pressed, a modal window closed, a key nobody wanted). Whoever holds a message owns it: a window
// that handles one does not delete it, its sender does; unhandled ones go to the script queues.
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"
#include "engine/ui/window.h"

// Codes shared with the scripts, whose constants carry the same names.
enum TMessageType : int32_t {
    kGeneric = 0,
    kCloseWindow = 1,       // pops the modal windows down to the one the name names
    kDefaultAction = 2,     // Enter or Escape that no default or cancel button took
    kButtonPress = 3,
    kPressAnyKey = 4,       // "mouse:up" or "raw:" + key byte that no window handled
    kQuitNow = 5,
    kModalClosed = 6,       // name = the closed window's id text
    kTextEditChanged = 7,
    kCommandOnly = 8,
    kSliderValChanged = 9,
    kSliderMouseUp = 10,
    kSliderPageUp = 11,
    kSliderPageDown = 12,
    kUserMessageBase = 1000,
};

class TMessage {
public:
    TMessage(int32_t type, const TString& name, TWindow* target = nullptr)
        : type_(type), name_(name), target_(target) {}
    virtual ~TMessage() = default;
    TMessage(const TMessage&) = delete;
    TMessage& operator=(const TMessage&) = delete;

    static TClassId ClassId();
    virtual const char* GetClassName() const { return "TMessage"; }
    virtual bool IsKindOf(TClassId id) const { return id == ClassId(); }

    int32_t GetType() const { return type_; }
    const TString& GetName() const { return name_; }
    // Null: the default target (the focus window, else the top modal window).
    TWindow* GetTarget() const { return target_; }
    void SetTarget(TWindow* target) { target_ = target; }

private:
    int32_t type_;
    TString name_;
    TWindow* target_;
};

// The window's id as eight hexadecimal characters, space-padded on the left: the text by which
// scripts name modal windows.
TString FormatWindowId(const TWindow* window);
TString FormatWindowId(uint32_t id);
