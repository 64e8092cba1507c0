#include "game/screens/menus/start_window.h"

#include "engine/ui/image.h"
#include "engine/ui/window_style.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr int kBorderSegments = 9;
constexpr int kBorderSegmentMs = 300;

}  // namespace

TWindow* clsStart::Create() { return new clsStart(); }

TClassId clsStart::ClassId() { return reinterpret_cast<TClassId>(&clsStart::Create); }

clsStart::clsStart() : clsPanelDialog(kOutlineB, kBorderSegments, kBorderSegmentMs) {}

void clsStart::PostCreate(TWindowStyle& style) {
    UseOutline(style.GetBool("collapse", false) ? kOutlineA2 : kOutlineB);
    TWindow::PostCreate(style);
    TWindow* logo = FindChild(kLogo);
    logo_ = logo && logo->IsKindOf(TImage::ClassId()) ? static_cast<TImage*>(logo) : nullptr;
    if (!logo_) {
        ShowPanel();
        return;
    }
    sponsorMs_ = style.GetInt("SponsorTime", 0);
    fadeMs_ = style.GetInt("SponsorFade", 0);
}

void clsStart::ShowPanel() {
    panelPending_ = false;
    StartPanelEntry();
    SetWindowVisible(FindChild(kBackdrop), false);
    SetWindowVisible(FindChild(kStartButton), false);
}

void clsStart::PlaceAtRest() {
    clsPanelDialog::PlaceAtRest();
    SetWindowVisible(FindChild(kBackdrop), true);
    SetWindowVisible(FindChild(kStartButton), true);
}

void clsStart::OnFxUpdate(int elapsedMs) {
    clsPanelDialog::OnFxUpdate(elapsedMs);
    if (!logo_) return;
    shownMs_ += elapsedMs;
    if (shownMs_ < sponsorMs_) return;
    if (panelPending_) ShowPanel();
    FadeLogo(elapsedMs);
}

// A fade of no length (or less) ends at once.
void clsStart::FadeLogo(int elapsedMs) {
    fadeElapsedMs_ += elapsedMs;
    if (fadeMs_ > 0 && fadeElapsedMs_ <= fadeMs_) {
        logo_->SetAlpha(static_cast<float>(fadeMs_ - fadeElapsedMs_) / static_cast<float>(fadeMs_));
        return;
    }
    logo_->SetAlpha(0.0f);
    logo_ = nullptr;
}
