#include "engine/graphics/renderer.h"
#include "engine/ui/window.h"

bool TWindow::DrawTree(int mode) {
    if (!(flags_ & kWindowVisible)) return false;
    if (mode == kDrawTargetPass) {
        // The root starts the pass; below it a window joins only when its parent was drawn in it.
        if (!(flags_ & kWindowInTargetPass) || (parent_ && !(parent_->flags_ & kWindowDrawnInTarget)))
            return false;
        flags_ |= kWindowDrawnInTarget;
    } else if (mode == kDrawAfterTargetPass && (flags_ & kWindowDrawnInTarget)) {
        return false;
    }
    TRenderer* renderer = TRenderer::Get();
    TRect clip = TRect::Intersect(renderer->GetClipRect(), GetGlobalRect());
    if (clip.left >= clip.right || clip.top >= clip.bottom) return true;

    renderer->PushClipRect(clip);
    Draw();
    // Back to front, so that the front child ends on top. A child's drawing may change the list.
    std::vector<TWindow*> children = children_;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (!((*child)->flags_ & kWindowModal)) (*child)->DrawTree(mode);
    }
    PostDraw();
    renderer->PopClipRect();
    return true;
}
