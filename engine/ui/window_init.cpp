#include "engine/ui/window.h"
#include "engine/ui/window_style.h"

namespace {

TPlacement ReadPlacement(const TWindowStyle& style, const TWindow& window) {
    TPlacement placement;
    placement.x = style.GetInt("x", 0);
    placement.y = style.GetInt("y", 0);
    placement.w = style.GetInt("w", window.GetWidth());
    placement.h = style.GetInt("h", window.GetHeight());
    placement.align = style.GetInt("align", -1);
    return placement;
}

}  // namespace

void TWindow::Init(TWindowStyle& style) {
    SetName(style.GetString("name", TString()).CStr());
    ApplyPlacement(ReadPlacement(style, *this));
}

void TWindow::PostCreate(TWindowStyle& style) {
    if (style.GetBool("fit", false)) FitToChildren();
    ApplyPlacement(ReadPlacement(style, *this));
}
