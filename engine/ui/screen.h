// TScreen: the root of the window tree, the modal window at the bottom of the stack. It clears the
// frame with its background colour.
#pragma once

#include "engine/ui/modal_window.h"

class TScreen : public TModalWindow {
public:
    TScreen();

    static TClassId ClassId();
    const char* GetClassName() const override { return "TScreen"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TModalWindow::IsKindOf(id); }

    // Clears the viewport (unless never-clear) when always-clear is set or it is the top modal
    // window, then copies the manager's render target.
    void Draw() override;

    void SetAlwaysClear(bool on) { alwaysClear_ = on; }
    void SetNeverClear(bool on) { neverClear_ = on; }
    // Red, green, blue, alpha in 0..1.
    void SetBackground(float red, float green, float blue, float alpha);

private:
    bool alwaysClear_ = false;
    bool neverClear_ = false;
    float background_[4] = {0, 0, 0, 0};
};
