// controlButton: a button that runs script text when the pointer comes onto it ("onMouseOver")
// and when it goes away ("onMouseLeave"), each time (the scripts' "controlButton").
#pragma once

#include "engine/ui/button.h"

class controlButton : public TButton {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "controlButton"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TButton::IsKindOf(id); }

    // The button's own completion, then the two texts.
    void PostCreate(TWindowStyle& style) override;
    // Coming onto the button holds the pointer and runs the mouse-over text.
    bool OnMouseMove(TPoint point) override;
    // Going away lets the pointer go and runs the mouse-leave text.
    bool OnMouseLeave() override;
    virtual void RunMouseOverScript();

    bool IsPointerInside() const { return inside_; }

private:
    bool inside_ = false;
    TString mouseOverScript_;
    TString mouseLeaveScript_;
};
