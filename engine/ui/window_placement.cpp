#include "engine/ui/window.h"

namespace {

bool IsEncodedPosition(int32_t pos) {
    return pos < 0 || pos > kPlainLimit;
}

bool IsEncodedSize(int32_t size) {
    return size < 0 || size > kCentre;
}

// Encoded coordinates need the parent's extent; relative positions need the window's own size.
bool CanResolve(int32_t pos, int32_t size, const TWindow* parent, int32_t parentSize) {
    if (parent && (IsEncodedPosition(pos) || IsEncodedSize(size)) && parentSize == 0) return false;
    return !(IsEncodedPosition(pos) && size == 0);
}

}  // namespace

void TWindow::ApplyPlacement(const TPlacement& placement) {
    int32_t x = placement.x, y = placement.y, w = placement.w, h = placement.h;
    int32_t parentWidth = parent_ ? parent_->GetWidth() : 0;
    int32_t parentHeight = parent_ ? parent_->GetHeight() : 0;
    if (!CanResolve(x, w, parent_, parentWidth) || !CanResolve(y, h, parent_, parentHeight)) return;

    bool alignGiven = placement.align != -1;
    int32_t align = alignGiven ? placement.align : 0;
    ResolveAxis(x, w, parentWidth, align & kAlignCentre, align & kAlignRight, alignGiven, parent_ != nullptr);
    ResolveAxis(y, h, parentHeight, align & kAlignMiddle, align & kAlignBottom, alignGiven, parent_ != nullptr);

    // Fields already set (non-zero) are kept: placement runs again after the children exist.
    MoveTo(rect_.left != 0 ? rect_.left : x, rect_.top != 0 ? rect_.top : y);
    SetSize(GetWidth() != 0 ? GetWidth() : w, GetHeight() != 0 ? GetHeight() : h);
}
