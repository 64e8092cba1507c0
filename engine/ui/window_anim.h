// TWindowAnim: a window's animation task; each run calls the window's OnAnimate. The window and the
// task unlink each other when either dies.
#pragma once

#include "engine/core/app/task.h"

class TWindow;

class TWindowAnim : public TAnimTask {
public:
    explicit TWindowAnim(TWindow* window) : window_(window) {}
    ~TWindowAnim() override;

    TWindow* GetWindow() const { return window_; }

protected:
    bool Animate() override;

private:
    friend class TWindow;

    TWindow* window_;
};
