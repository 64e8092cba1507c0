// What a modal window asks of its buttons: Enter and Escape press the default and cancel buttons,
// hot keys activate theirs. Button classes implement it beside TWindow.
#pragma once

class IDialogButton {
public:
    virtual ~IDialogButton() = default;

    virtual bool IsDefaultButton() const = 0;
    virtual bool IsCancelButton() const = 0;
    // Posts the button's press; true only when its messages were sent.
    virtual bool PostPress() = 0;
    // Presses the button as a click would.
    virtual void Activate() = 0;
};
