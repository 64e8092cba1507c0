#include "game/screens/widgets/control_button.h"

#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"
#include "game/screens/scripting/script_calls.h"

TWindow* controlButton::Create() { return new controlButton(); }

TClassId controlButton::ClassId() { return reinterpret_cast<TClassId>(&controlButton::Create); }

void controlButton::PostCreate(TWindowStyle& style) {
    TButton::PostCreate(style);
    mouseOverScript_ = style.GetString("onMouseOver", TString());
    mouseLeaveScript_ = style.GetString("onMouseLeave", TString());
}

bool controlButton::OnMouseMove(TPoint point) {
    TWindowManager* manager = TWindowManager::Get();
    if (!inside_) {
        inside_ = true;
        if (manager) manager->CaptureMouse(this);
        RunMouseOverScript();
    } else if (!GetClientRect().Contains(point.x, point.y)) {
        if (manager) manager->ReleaseMouse(this);
        inside_ = false;
    }
    return TButton::OnMouseMove(point);
}

bool controlButton::OnMouseLeave() {
    if (inside_) {
        if (TWindowManager* manager = TWindowManager::Get()) manager->ReleaseMouse(this);
        if (!mouseLeaveScript_.IsEmpty()) RunScriptLine(mouseLeaveScript_);
        inside_ = false;
    }
    return TButton::OnMouseLeave();
}

void controlButton::RunMouseOverScript() {
    if (!mouseOverScript_.IsEmpty()) RunScriptLine(mouseOverScript_);
}
