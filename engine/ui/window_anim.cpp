#include "engine/ui/window_anim.h"

#include "engine/ui/window.h"

TWindowAnim::~TWindowAnim() {
    if (window_) window_->anim_ = nullptr;
}

bool TWindowAnim::Animate() {
    return window_ && window_->OnAnimate();
}
