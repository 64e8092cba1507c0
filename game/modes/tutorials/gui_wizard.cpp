#include "game/modes/tutorials/gui_wizard.h"

#include <string>

#include "engine/core/app/application.h"
#include "engine/core/base/clock.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/button.h"
#include "engine/ui/text.h"
#include "engine/ui/window_anim.h"
#include "engine/ui/window_manager.h"
#include "game/shop/session/game_session.h"
#include "engine/ui/window_style.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr char kPanelTexture[] = "gui/panel_tutorial";
constexpr uint32_t kFramePeriodMs = 16;

template <class T>
T* ChildAs(TWindow& window, const char* name) {
    TWindow* child = window.FindChild(name);
    return child && child->IsKindOf(T::ClassId()) ? static_cast<T*>(child) : nullptr;
}

}  // namespace

TPoint ParsePanelPosition(const TString& text) {
    TString compact = text;
    compact.Replace(" ", "");
    int comma = compact.FindChar(',');
    TString x = comma < 0 ? compact : compact.Mid(0, comma);
    TString rest = comma < 0 ? TString() : compact.Mid(comma + 1);
    int secondComma = rest.FindChar(',');
    TString y = secondComma < 0 ? rest : rest.Mid(0, secondComma);
    return TPoint{x.ToInt(), y.ToInt()};
}

TWindow* clsGuiWizard::Create() { return new clsGuiWizard; }

TClassId clsGuiWizard::ClassId() { return reinterpret_cast<TClassId>(&clsGuiWizard::Create); }

clsGuiWizard::clsGuiWizard() : TLayeredWindow(2) {
    functions_.Bind("wizardHidePanel", this, &clsGuiWizard::wizardHidePanel);
    functions_.Bind("wizardShowMessage", this, &clsGuiWizard::wizardShowMessage);
    panel_ = std::make_unique<clsAnimatedSprite>(nullptr);
    panel_->SetTexture(clsGameSession::Instance()->GetTexture(kPanelTexture));
    panel_->SetVisible(false);
    GameProbe::Get().Add(this, "wizard", [this] { return std::to_string(state_); });
}

clsGuiWizard::~clsGuiWizard() {
    functions_.Unbind();
    GameProbe::Get().RemoveOwner(this);
}

void clsGuiWizard::PreloadAssets(iGameAssets& assets) { assets.AddPreloadAnim(kPanelTexture); }

void clsGuiWizard::Init(TWindowStyle& style) {
    TLayeredWindow::Init(style);
    StartAnim(kFramePeriodMs, true, true);
    clock_ = GetWindowAnim()->GetTimeSource();
    panel_->GetAnimation().SetTimeSource(clock_);
    lastMs_ = NowMs();
    panelPosition_ = TVec2(style.GetString("x", TString()).ToFloat(), style.GetString("y", TString()).ToFloat());
}

// Until its first message the panel shows nothing: no button, no text.
void clsGuiWizard::PostCreate(TWindowStyle& style) {
    TLayeredWindow::PostCreate(style);
    message_ = ChildAs<TText>(*this, "txtWizard_message");
    continueButton_ = ChildAs<TButton>(*this, "btnWizard_continue");
    SelectLayer(kLayerWithoutButton);
    SetTextAlpha(0.0f);
}

uint32_t clsGuiWizard::NowMs() const { return clock_ ? clock_->GetTime() : ApplicationTimer(); }

bool clsGuiWizard::OnAnimate() {
    uint32_t now = NowMs();
    float dt = static_cast<float>(now - lastMs_) / 1000.0f;
    lastMs_ = now;
    PlacePanel();
    panel_->Update(dt);
    bool moving = state_ == Opening || state_ == Closing;
    if (moving && !panel_->GetAnimation().IsPlaying(-1)) Advance();
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    return true;
}

// The picture follows the window: its centre sits at the style's point inside it.
void clsGuiWizard::PlacePanel() {
    TRect global = GetGlobalRect();
    panel_->SetPosition(static_cast<float>(global.left) + panelPosition_.x,
                        static_cast<float>(global.top) + panelPosition_.y);
}

void clsGuiWizard::Draw() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer) return;
    bool entered = !renderer->IsIn2d() && renderer->Begin2d();
    panel_->Draw();
    if (entered) renderer->End2d();
}

void clsGuiWizard::wizardShowMessage(TString label, TString flag, TString position) {
    TPoint point = ParsePanelPosition(position);
    MoveTo(point.x, point.y);
    if (state_ == Hidden) SetWindowVisible(this, true);
    continue_ = flag.ToInt() != 0;
    panel_->SetVisible(true);
    label_ = label;
    switch (state_) {
        case Hidden:
        case Closing:
            panel_->Play("open");
            state_ = Opening;
            break;
        case Shown:
            state_ = Opening;
            Advance();
            break;
        default:
            break;
    }
}

void clsGuiWizard::wizardHidePanel() {
    if (state_ == Closing) return;
    panel_->Play("close");
    SelectLayer(kLayerWithoutButton);
    SetTextAlpha(0.0f);
    state_ = Closing;
}

void clsGuiWizard::Advance() {
    if (state_ == Opening) {
        state_ = Shown;
        ShowMessage();
    } else if (state_ == Closing) {
        state_ = Hidden;
        panel_->SetVisible(false);
        // A hidden panel lets the mouse reach the shop under it.
        SetWindowVisible(this, false);
    }
}

void clsGuiWizard::ShowMessage() {
    SelectLayer(continue_ ? kLayerWithButton : kLayerWithoutButton);
    if (continueButton_) SetWindowVisible(continueButton_, continue_);
    SetTextAlpha(1.0f);
    if (!label_.IsEmpty() && message_) message_->SetText(LabelText(label_));
}

// A panel without its message text shows no text.
void clsGuiWizard::SetTextAlpha(float alpha) {
    if (message_) message_->SetAlpha(alpha);
}
