// What a modal window asks of its buttons: Enter and Escape press the default and cancel buttons,
// hot keys activate theirs. Button classes implement it beside TWindow.
#pragma once

class IDialogButton {
public:
    virtual ~IDialogButton() = default;

    virtual bool IsDefaultButton() const = 0;
    virtual bool IsCancelButton() const = 0;
    // Posts the button's press messages and runs its action; true when the action took the button
    // out of the window tree.
    virtual bool PostPress() = 0;
    // Presses the button as a click would; true when the button's dialog stays on top.
    virtual bool Activate() = 0;
};
