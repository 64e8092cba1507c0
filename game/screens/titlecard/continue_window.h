// clsContinueWnd: the continue window (the scripts' "ContinueWindow"). It adds the title card to what
// the scripts put into it, drawn over its children; it has no entry transition and no border, and
// its children stay where the style puts them.
#pragma once

#include <memory>

#include "game/screens/dialogs/fx_window.h"
#include "game/screens/titlecard/title_card.h"
#include "game/shop/probe/screen_probe.h"

class clsContinueWnd : public clsFxWindow {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsContinueWnd"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsContinueWnd();
    ~clsContinueWnd() override;

    // Starts the title card; the style's "fit" is not applied.
    void PostCreate(TWindowStyle& style) override;

    // Null until the window is complete.
    clsTitleCard* GetTitleCard() const { return titleCard_.get(); }

protected:
    void OnFxUpdate(int elapsedMs) override;
    void OnFxPostDraw() override;

private:
    std::unique_ptr<clsTitleCard> titleCard_;
    ScreenProbe probe_;
};
