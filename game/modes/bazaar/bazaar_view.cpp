// What the bazaar shows: the description panel, the merchant's message and the money warning, the
// add-ons under the pointer and the one clicked, the frame update and the drawing.
#include "engine/core/base/clock.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/text.h"
#include "game/modes/bazaar/addon.h"
#include "game/modes/bazaar/bazaar.h"
#include "game/modes/bazaar/bazaar_layout.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr char kPriceWord[] = "lblPrice";

// The window of that name when it is of the class; null else.
template <class Window>
Window* FindTyped(TWindow& parent, const char* name) {
    TWindow* window = parent.FindChild(name);
    return window && window->IsKindOf(Window::ClassId()) ? static_cast<Window*>(window) : nullptr;
}

void SetText(TText* text, const TString& value) {
    if (text) text->SetText(value);
}

// The description panel's picture of an add-on; empty for a kind without one.
TString IconName(const clsAddon& addon) {
    switch (addon.GetKind()) {
        case clsAddon::kCauldron: return TString::Format("anim/bazaar/gui_cauldron_0%d", addon.GetLevel());
        case clsAddon::kShoes: return TString::Format("anim/bazaar/gui_shoes_0%d", addon.GetLevel());
        case clsAddon::kPhoenix: return "anim/bazaar/gui_egg";
        case clsAddon::kHarp: return TString::Format("anim/bazaar/harp0%d_over", addon.GetLevel());
        case clsAddon::kDrawer: return TString::Format("anim/bazaar/gui_key_0%d", addon.GetLevel());
        default: return TString();
    }
}

bool Contains(const TRect& rect, TPoint point) {
    return rect.left <= point.x && point.x < rect.right && rect.top <= point.y && point.y < rect.bottom;
}

template <class List>
void DrawLastToFirst(const List& list) {
    for (size_t i = list.size(); i-- > 0;)
        if (list[i]) list[i]->Draw();
}

}  // namespace

void clsBazaar::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    descriptionPanel_ = FindTyped<TImage>(*this, "panelDescription");
    if (!descriptionPanel_) return;
    SetWindowVisible(descriptionPanel_, false);
    TRect panel = descriptionPanel_->GetGlobalRect();
    icon_->SetPosition(static_cast<float>(panel.left) + kIconOffset.x, static_cast<float>(panel.top) + kIconOffset.y);
    icon_->Update(0.0f);
    FindPanels();
    HideDescription();
    ShowScore();
    if (allSold_) ShowMerchantMessage("msgMerchantCompleted");
    mode_ = kBrowsing;
}

void clsBazaar::FindPanels() {
    warningPanel_ = FindTyped<TImage>(*this, "panelMessageWarning");
    descriptionContainer_ = FindTyped<TImage>(*this, "containerDescription");
    messageContainer_ = FindTyped<TImage>(*this, "containerMessage");
    buyButton_ = FindTyped<TButton>(*this, "btn_buy");
    cancelButton_ = FindTyped<TButton>(*this, "btn_cancel");
    nameText_ = FindTyped<TText>(*this, "txtAddonName");
    descriptionText_ = FindTyped<TText>(*this, "txtAddonDescription");
    costText_ = FindTyped<TText>(*this, "txtAddonCost");
    merchantText_ = FindTyped<TText>(*this, "txtMessageMerchant");
    scoreText_ = FindTyped<TText>(*this, "txtScore");
    doneButton_ = FindTyped<TButton>(*this, "btnBazaarDone");
    SetWindowVisible(warningPanel_, false);
    SetWindowVisible(descriptionContainer_, false);
    SetWindowVisible(messageContainer_, false);
}

void clsBazaar::HideDescription() {
    SetWindowVisible(descriptionPanel_, false);
    SetWindowVisible(descriptionContainer_, false);
    icon_->SetVisible(false);
    icon_->Update(0.0f);
}

void clsBazaar::ShowDescription(clsAddon* addon, bool withButtons) {
    if (!addon) {
        HideDescription();
        return;
    }
    SetWindowVisible(descriptionPanel_, true);
    SetWindowVisible(descriptionContainer_, true);
    SetText(nameText_, addon->GetName());
    SetText(descriptionText_, addon->GetDescription());
    SetText(costText_, LabelText(kPriceWord) + TString::Format(" $ %d", addon->GetCost()));
    TString icon = IconName(*addon);
    if (!icon.IsEmpty()) {
        icon_->SetTexture(icon_->GetSceneTexture(icon));
        icon_->SetVisible(true);
        icon_->Update(0.0f);
    }
    SetWindowVisible(buyButton_, withButtons);
    SetWindowVisible(cancelButton_, withButtons);
}

void clsBazaar::ShowMerchantMessage(const TString& label) {
    HideDescription();
    SetWindowVisible(descriptionPanel_, true);
    SetWindowVisible(messageContainer_, true);
    SetWindowVisible(doneButton_, false);
    SetText(merchantText_, LabelText(label));
}

void clsBazaar::ShowMoneyWarning() {
    HideDescription();
    mode_ = kMoneyWarning;
    SetWindowVisible(warningPanel_, true);
    SetWindowVisible(doneButton_, false);
}

void clsBazaar::ShowScore() { SetText(scoreText_, TString::Format("$%d", GetLevelFlow().playerMoney)); }

void clsBazaar::Deselect() {
    if (selected_) selected_->SetState(clsAddon::kNormal, false);
    selected_ = nullptr;
}

bool clsBazaar::OnMouseMove(TPoint point) {
    clsGameInterface::OnMouseMove(point);
    if (mode_ == kMoneyWarning) {
        hovered_ = nullptr;
        return true;
    }
    clsAddon* candidate = nullptr;
    for (size_t i = addons_.size(); i-- > 0;) {
        clsAddon* addon = addons_[i].get();
        if (!addon->IsSelectable() || addon == selected_) continue;
        bool over = !candidate && Contains(addon->GetWorldRect(), point);
        if (over) candidate = addon;
        addon->SetState(over ? clsAddon::kOver : clsAddon::kNormal, false);
    }
    if (candidate != hovered_) {
        hovered_ = candidate;
        if (!selected_) ShowDescription(hovered_, false);
    }
    return true;
}

bool clsBazaar::OnMouseDown(TPoint point) {
    if (!hovered_ || hovered_ == selected_) return true;
    if (selected_) selected_->SetState(clsAddon::kNormal, false);
    selected_ = hovered_;
    selected_->SetState(clsAddon::kSelected, false);
    ShowDescription(selected_, true);
    return true;
}

bool clsBazaar::OnAnimate() {
    clsGameInterface::OnAnimate();
    uint32_t now = GetClock() ? GetClock()->GetTime() : lastFrameMs_;
    float dt = static_cast<float>(now - lastFrameMs_) / 1000.0f;
    lastFrameMs_ = now;
    if (ShelfSlot()) ShelfSlot()->Update(dt);
    if (HeroineSlot()) HeroineSlot()->Update(dt);
    icon_->Update(dt);
    for (size_t i = addons_.size(); i-- > 0;) addons_[i]->Update(dt);
    DeleteReleasedObjects();
    return true;
}

void clsBazaar::Draw() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer || !HeroineSlot()) return;
    bool entered = !renderer->IsIn2d() && renderer->Begin2d();
    ShelfSlot()->Draw();
    DrawLastToFirst(MagicBoxList());
    HeroineSlot()->Draw();
    TableSlot()->Draw();
    PerchSlot()->Draw();
    if (PhoenixSlot()) PhoenixSlot()->Draw();
    HarpSlot()->Draw();
    DrawLastToFirst(CauldronList());
    DrawLastToFirst(addons_);
    DrawLastToFirst(priceTags_);
    TWindow::Draw();
    if (entered) renderer->End2d();
}

void clsBazaar::PostDraw() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer) return;
    bool entered = !renderer->IsIn2d() && renderer->Begin2d();
    icon_->Draw();
    TWindow::PostDraw();
    if (entered) renderer->End2d();
}
