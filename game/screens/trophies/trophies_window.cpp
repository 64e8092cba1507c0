#include "game/screens/trophies/trophies_window.h"

#include "engine/core/base/log.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/text.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/probe/game_probe.h"

namespace {

using T = clsTrophyTracker;

constexpr const char* kPanelNames[clsTrophiesWnd::kPanelCount] = {"dialog01", "dialog02", "dialog03", "dialog04"};
constexpr const char* kEffectFile = "assets/fx/panel/panel.par";
constexpr int kEffectSegments = 5;
constexpr int kEffectSegmentMs = 400;

// The sparkle's way round the cabinet's panel, in the cabinet's own coordinates.
constexpr OutlineCurve kCabinetCurves[] = {
    {{532, 32}, {342, 58}, {241, 49}, {50, 40}},
    {{50, 40}, {55, 100}, {60, 258}, {62, 385}},
    {{65, 386}, {224, 385}, {347, 389}, {526, 383}},
    {{524, 386}, {519, 223}, {518, 158}, {532, 40}},
};
const BorderOutline kCabinetOutline{{532, 32}, kCabinetCurves};

void Show(TWindow* window, bool shown) {
    uint32_t flags = window->GetFlags();
    window->SetFlags(shown ? flags | kWindowVisible : flags & ~kWindowVisible);
}

// Strictly inside: a point on the edge is outside.
bool StrictlyContains(const TRect& rect, TPoint point) {
    return rect.left < point.x && point.x < rect.right && rect.top < point.y && point.y < rect.bottom;
}

void SetLabel(TWindow* panel, const char* name, const TString& text) {
    TWindow* label = panel->FindChild(name);
    if (label && label->IsKindOf(TText::ClassId())) static_cast<TText*>(label)->SetText(text);
}

}  // namespace

const std::array<clsTrophiesWnd::Trophy, clsTrophiesWnd::kTrophyCount> clsTrophiesWnd::kTrophies = {{
    {"GrandWitch", &T::HasGrandWitch, "GrandWitch", "GrandWitchTip", 1, {196, 225}},
    {"PotionMaster", &T::HasPotionMaster, "PotionMaster", "PotionMasterTip", 1, {395, 225}},
    {"PotionMasterGold", &T::HasPotionMasterGold, "PotionMasterGold", "PotionMasterGoldTip", 4, {387, 113}},
    {"GoldenPhoenixFeather", &T::HasGoldenPhoenixFeather, "GoldenPhoenixFeather", "GoldenPhoenixFeatherTip", 1, {0, 0}},
    {"MagicCatBelt", &T::HasMagicCatBelt, "MagicCatBelt", "MagicCatBeltTip", 4, {165, 260}},
    {"Artifact", &T::HasArtifact, "Artifact", "ArtifactTip", 2, {275, 225}},
    {"Plant", &T::HasPlant, "Plant", "PlantTip", 4, {345, 260}},
    {"PotionPedia", &T::HasPotionPedia, "Potionpedia", "PotionpediaTip", 3, {244, 260}},
    {"ShopMonth", &T::HasShopMonth, "ShopMonth", "ShopMonthTip", 3, {308, 113}},
    {"ShopYear", &T::HasShopYear, "ShopYear", "ShopYearTip", 4, {187, 113}},
    {"UpgradeFreak", &T::HasUpgradeFreak, "UpgradeFreak", "UpgradeFreakTip", 3, {413, 260}},
}};

TWindow* clsTrophiesWnd::Create() { return new clsTrophiesWnd(); }

TClassId clsTrophiesWnd::ClassId() { return reinterpret_cast<TClassId>(&clsTrophiesWnd::Create); }

clsTrophiesWnd::clsTrophiesWnd()
    : panelFx_(std::make_unique<clsParticleFx>(this, kEffectFile, kEffectSegments, TRenderer::Get())),
      tracker_(clsTrophyTracker::GetInstance()) {
    panelFx_->Mirror();
    panelFx_->SetLoop(false);
    panelFx_->SetSegmentDuration(kEffectSegmentMs);
    if (!tracker_->LoadFromProfile()) tracker_->SaveToProfile();
    GameProbe::Get().Add(this, "trophies", [this] { return EarnedShown(); });
    GameProbe::Get().Add(this, "tooltip", [this] { return std::string(tooltipTrophy_ ? tooltipTrophy_ : "none"); });
}

clsTrophiesWnd::~clsTrophiesWnd() { GameProbe::Get().RemoveOwner(this); }

std::string clsTrophiesWnd::EarnedShown() {
    std::string earned;
    for (const Trophy& trophy : kTrophies) {
        TWindow* picture = FindChild(TString(trophy.window) + "_n");
        if (picture && picture->HasFlags(kWindowVisible)) earned += (earned.empty() ? "" : ",") + std::string(trophy.window);
    }
    return earned.empty() ? "none" : earned;
}

void clsTrophiesWnd::OnFxCreate() {
    // The particles live on the screen: the outline goes where the cabinet stands.
    BorderOutline outline = kCabinetOutline;
    const TRect place = GetGlobalRect();
    outline.shiftX = static_cast<float>(place.left);
    outline.shiftY = static_cast<float>(place.top);
    outline.LayInto(panelFx_->GetPath());
    panelFx_->Play();
}

void clsTrophiesWnd::OnFxUpdate(int elapsedMs) { panelFx_->Update(elapsedMs); }

void clsTrophiesWnd::OnFxDraw() { panelFx_->Draw(); }

void clsTrophiesWnd::PostCreate(TWindowStyle&) {
    HideTooltips();
    ShowTrophies();
}

void clsTrophiesWnd::ShowTrophies() {
    for (const Trophy& trophy : kTrophies) {
        bool earned = (tracker_->*trophy.earned)();
        if (TWindow* shown = FindChild(TString(trophy.window) + "_n")) Show(shown, earned);
        if (TWindow* notYet = FindChild(TString(trophy.window) + "_i")) Show(notYet, !earned);
    }
}

TWindow* clsTrophiesWnd::Panel(int panel) { return FindChild(kPanelNames[panel - 1]); }

void clsTrophiesWnd::HideTooltips() {
    tooltipTrophy_ = nullptr;
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        if (TWindow* window = Panel(panel)) Show(window, false);
    }
}

void clsTrophiesWnd::ShowTooltip(int x, int y, int panel, const TString& name, const TString& tip) {
    if (panel < 1 || panel > kPanelCount) return;
    if (TWindow* chosen = Panel(panel)) {
        SetLabel(chosen, "lblName", name);
        SetLabel(chosen, "lblToolTip", tip);
        chosen->MoveTo(x, y);
    }
    for (int other = 1; other <= kPanelCount; ++other) {
        if (TWindow* window = Panel(other)) Show(window, other == panel);
    }
}

bool clsTrophiesWnd::OnMouseMove(TPoint point) {
    // The pictures may stand in windows of their own: compare on the screen.
    TPoint onScreen = ClientToScreen(point);
    for (const Trophy& trophy : kTrophies) {
        TWindow* picture = FindChild(TString(trophy.window) + "_n");
        if (!picture || !StrictlyContains(picture->GetGlobalRect(), onScreen)) continue;
        ShowTooltip(trophy.tooltip.x, trophy.tooltip.y, trophy.panel, LabelText(trophy.nameLabel),
                    LabelText(trophy.tipLabel));
        tooltipTrophy_ = trophy.window;
        return true;
    }
    HideTooltips();
    return true;
}

bool clsTrophiesWnd::OnMouseLeave() {
    HideTooltips();
    LogPrintf("On Mouse Leave");
    return true;
}
