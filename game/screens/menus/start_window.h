// clsStart: the first panel of the menus (the scripts' "StartWindow"). It may show a logo
// ("bmpLogo") over the screen for "SponsorTime" ms and fade it out over "SponsorFade" ms; the panel
// "BackGround" slides in when the fade begins (at once without a logo), and its start button
// "btnStart" and the backdrop "AlphaBackGround" show when it has come to rest, with a border running
// once round the panel. The style's "collapse" picks the wide outline of the border.
#pragma once

#include "game/screens/dialogs/panel_dialog.h"

class TImage;

class clsStart : public clsPanelDialog {
public:
    static constexpr const char* kLogo = "bmpLogo";
    static constexpr const char* kBackdrop = "AlphaBackGround";
    static constexpr const char* kStartButton = "btnStart";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsStart"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsStart();

    // The outline, the style's own placement, then the logo's times (or the panel at once).
    void PostCreate(TWindowStyle& style) override;
    void PlaceAtRest() override;

    // Null once the logo has faded (or without one).
    TImage* GetLogo() const { return logo_; }
    bool IsPanelPending() const { return panelPending_; }

protected:
    void OnFxUpdate(int elapsedMs) override;

private:
    // The panel slides in; the button and the backdrop wait for its rest.
    void ShowPanel();
    void FadeLogo(int elapsedMs);

    TImage* logo_ = nullptr;  // a child; not owned
    int sponsorMs_ = 0;
    int shownMs_ = 0;
    int fadeMs_ = 0;
    int fadeElapsedMs_ = 0;
    bool panelPending_ = true;
};
