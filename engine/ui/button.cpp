#include "engine/ui/button.h"

#include "engine/core/base/log.h"
#include "engine/graphics/texture.h"
#include "engine/scripthost/lua_literal.h"
#include "engine/scripthost/script_refs.h"
#include "engine/sound/sound.h"
#include "engine/ui/image.h"
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/radio_group.h"
#include "engine/ui/text.h"
#include "engine/ui/widget_style.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"
#include "engine/ui/window_style.h"

namespace {

constexpr uint8_t kMaskThreshold = 20;

// A state as the 3-bit field holds it.
int StoredState(int state) {
    return ((state & 7) ^ 4) - 4;
}

IWindowScript* WindowScript() {
    TWindowManager* manager = TWindowManager::Get();
    return manager ? manager->GetScript() : nullptr;
}

}  // namespace

TButton::LuaAction::LuaAction(std::unique_ptr<TLuaFunction> function) : function_(std::move(function)) {}

TButton::LuaAction::~LuaAction() = default;

void TButton::LuaAction::Do(TButton* button) {
    auto* message = new TMessage(kCommandOnly, TString("LuaAction:") + button->GetName());
    IWindowScript* script = WindowScript();
    if (!script || !function_) {
        delete message;
        return;
    }
    // The name goes in as a literal: no text in it can end the string or run as code.
    script->DoLuaString(TString("function GetButtonName() return ") + LuaStringLiteral(button->GetName()) + "; end;");
    if (!script->QueueCommand(message, *function_)) delete message;
}

TButton::TButton() : TLayeredWindow(kLayerCount) {}

TButton::~TButton() {
    OnMouseLeave();
}

TWindow* TButton::Create() {
    return new TButton();
}

TClassId TButton::ClassId() {
    return reinterpret_cast<TClassId>(&TButton::Create);
}

TButton* WindowCastToTButton(TWindow* window) {
    return window && window->IsKindOf(TButton::ClassId()) ? static_cast<TButton*>(window) : nullptr;
}

bool TButton::OnAttach() {
    SetState(kButtonNormal);
    return true;
}

void TButton::Init(TWindowStyle& style) {
    TWindow::Init(style);
    TString sound = style.GetString("sound", TString());
    TString rolloverSound = style.GetString("rolloversound", TString());
    TString mask = style.GetString("mask", TString());
    int type = style.GetInt("type", kPush);
    if (type != kPush && type != kToggle && type != kRadio) {
        LogPrintf("Button '%s': unknown type %d; made a push button", GetName().CStr(), type);
        type = kPush;
    }
    SetType(type);
    float scale = ReadScale(style);
    uint8_t options = (style.GetBool("sendToParent", false) ? kOptionSendToParent : 0);
    SetClassFlags(kWindowGroupStart, style.GetBool("beginGroup", false));
    options |= style.GetBool("close", false) ? kOptionClose : 0;
    options |= style.GetBool("default", false) ? kOptionDefault : 0;
    options |= style.GetBool("cancel", false) ? kOptionCancel : 0;
    if (style.GetBool("on", false)) SetToggleState(true);
    options_ = static_cast<uint8_t>((options_ & kOptionOn) | options);

    if (!sound.IsEmpty()) SetSound(kButtonPressed, sound);
    if (!rolloverSound.IsEmpty()) SetSound(kButtonRollOver, rolloverSound);
    if (!mask.IsEmpty()) SetMask(TTexture::Get(mask));
    ReadPictures(style, scale);
    if (std::unique_ptr<TLuaFunction> command = style.GetFunction("command"))
        SetAction(new LuaAction(std::move(command)));
    SelectLayer(-1);
}

void TButton::ReadPictures(TWindowStyle& style, float scale) {
    std::unique_ptr<TLuaTable> graphics = style.GetTable("graphics");
    if (!graphics) return;
    uint32_t flip = TImage::ReadFlip(style);
    bool rotate = style.GetBool("rotate", false);
    int pictures = type_ == kPush ? 3 : 4;
    for (int layer = 0; layer < pictures; ++layer) {
        TString name = graphics->GetString(layer + 1, TString());
        TImage* image = nullptr;
        if (!name.IsEmpty()) {
            image = new TImage();
            image->SetTexture(TTexture::Get(name), scale);
            image->SetName(TString::Format("image%d", layer).CStr());
            image->SetFlip(flip);
            image->SetRotate(rotate);
        }
        SelectLayer(layer);
        if (image && !AddChild(image, true)) delete image;
    }
    FitToChildren();
}

void TButton::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    SetState(kButtonNormal);
}

void TButton::SetType(int type) {
    type_ = ((type & 15) ^ 8) - 8;
}

void TButton::SetState(int state) {
    int old = state_;
    state_ = StoredState(state);
    OnStateChanged(state_, old);
}

void TButton::OnStateChanged(int newState, int oldState) {
    if (newState != oldState && newState != kButtonPressed && oldState != kButtonActivated &&
        HasFlags(kWindowVisible))
        PlaySound(newState);
    int layer = LayerForState(newState);
    if (layer >= 0) SelectLayer(layer);
}

int TButton::LayerForState(int state) const {
    if (state < kButtonNormal || state > kButtonRollOver) return -1;
    if (type_ == kPush) return state;
    bool on = GetToggleState();
    switch (state) {
        case kButtonNormal: return on ? 1 : 0;
        case kButtonPressed: return on ? 0 : 1;  // held down, the button shows what a release makes it
        default: return on ? 3 : 2;
    }
}

void TButton::PlaySound(int state) {
    if (state >= 0 && state < kSoundCount && sounds_[state]) sounds_[state]->Play(false);
}

bool TButton::OnMouseDown(TPoint point) {
    if (state_ == kButtonNormal) {
        if (TWindowManager* manager = TWindowManager::Get()) manager->CaptureMouse(this);
    }
    SetState(kButtonPressed);
    IsOutside(point);
    return true;
}

bool TButton::OnMouseMove(TPoint point) {
    if (IsOutside(point)) return false;
    if (state_ != kButtonNormal) return true;
    SetState(kButtonRollOver);
    if (TWindowManager* manager = TWindowManager::Get()) manager->CaptureMouse(this);
    return true;
}

bool TButton::OnMouseUp(TPoint point) {
    if (state_ == kButtonNormal || IsOutside(point)) return true;
    if (state_ == kButtonPressed && !Activate()) return true;
    if (!IsShownInModal()) {
        OnMouseLeave();
        return true;
    }
    SetState(kButtonRollOver);
    return true;
}

bool TButton::OnMouseLeave() {
    if (state_ != kButtonNormal) {
        if (TWindowManager* manager = TWindowManager::Get()) manager->ReleaseMouse(this);
    }
    SetState(kButtonNormal);
    return true;
}

bool TButton::IsOutside(TPoint point) {
    bool outside = point.x < 0 || point.y < 0 || point.x >= GetWidth() || point.y >= GetHeight() || MaskHides(point);
    if (outside) OnMouseLeave();
    return outside;
}

bool TButton::MaskHides(TPoint point) const {
    if (mask_.empty() || maskWidth_ <= 0 || maskHeight_ <= 0) return false;
    int64_t x = int64_t{point.x} * maskWidth_ / GetWidth();
    int64_t y = int64_t{point.y} * maskHeight_ / GetHeight();
    if (x >= maskWidth_ || y >= maskHeight_) return true;
    uint32_t pixel = mask_[static_cast<size_t>(y * maskWidth_ + x)];
    uint8_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return red < kMaskThreshold && green < kMaskThreshold && blue < kMaskThreshold;
}

bool TButton::Activate() {
    OnStateChanged(kButtonActivated, kButtonPressed);
    if (IsShownInModal()) PlaySound(kButtonPressed);
    if (!PostPress()) {
        if (type_ == kRadio) {
            SetToggleState(true);
        } else if (type_ == kToggle) {
            FlipToggle();
        }
        TWindowManager* manager = TWindowManager::Get();
        TWindow* modal = GetModalParent();
        if (manager && modal && manager->GetTopModal() == modal) return true;
    }
    OnMouseLeave();
    return false;
}

bool TButton::PostPress() {
    TWindowManager* manager = TWindowManager::Get();
    if (!manager) return false;
    TModalWindow* modal = GetModalParent();
    if (IsClosing() && modal) {
        manager->PostMessage(new TMessage(kCloseWindow, FormatWindowId(modal)));
        if (IWindowScript* script = manager->GetScript())
            script->DoLuaString(TString("gReturnValue = ") + LuaStringLiteral(GetName()) + ";");
    }
    TWindow* top = manager->GetTopModal();
    TWindow* target = IsSendToParent() ? (top ? top->GetParent() : nullptr) : GetParent();
    auto* press = new TMessage(kButtonPress, GetName(), target);
    if (action_) {
        action_->Do(this);
        if (!IsAttachedToScreen()) {
            // The action took the button away: only a press meant for the dialog's parent still goes.
            if (IsSendToParent()) {
                manager->PostMessage(press);
            } else {
                delete press;
            }
            return true;
        }
    }
    manager->PostMessage(press);
    return false;
}

bool TButton::IsAttachedToScreen() const {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* screen = manager ? manager->GetScreen() : nullptr;
    for (const TWindow* up = GetParent(); up; up = up->GetParent()) {
        if (up == screen) return true;
    }
    return false;
}

bool TButton::IsShownInModal() const {
    for (const TWindow* window = this; window; window = window->GetParent()) {
        if (!window->HasFlags(kWindowVisible)) return false;
        if (window->HasFlags(kWindowModal)) return true;
    }
    return false;
}

void TButton::SetToggleState(bool on) {
    if (type_ == kRadio && on && GetParent()) {
        TRadioButtonSpider group(this);
        group.SwitchOffGroup(GetParent());
    }
    options_ = static_cast<uint8_t>(on ? (options_ | kOptionOn) : (options_ & ~kOptionOn));
    SetState(state_);
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}

void TButton::FlipToggle() {
    options_ ^= kOptionOn;
    SetState(state_);
}

void TButton::SetAction(Action* action) {
    action_.reset(action);
}

void TButton::SetSound(int state, const TString& name) {
    if (state < 0 || state >= kSoundCount) return;
    sounds_[state] = TSound::Get(name, false, 0);
}

void TButton::SetMask(const std::shared_ptr<TTexture>& texture) {
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture || !texture->Lock(&pixels, &pitch)) return;
    maskWidth_ = texture->GetWidth();
    maskHeight_ = texture->GetHeight();
    mask_.assign(static_cast<size_t>(maskWidth_) * maskHeight_, 0);
    for (int32_t y = 0; y < maskHeight_; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        std::copy(row, row + maskWidth_, mask_.begin() + static_cast<ptrdiff_t>(y) * maskWidth_);
    }
    texture->Unlock();
}

void TButton::SetLabel(const TString& text) {
    TWindow* label = FindChild("label", -1);
    if (label && label->IsKindOf(TText::ClassId())) static_cast<TText*>(label)->SetText(text);
}

TString TButton::GetLabel() {
    TWindow* label = FindChild("label", -1);
    return label && label->IsKindOf(TText::ClassId()) ? static_cast<TText*>(label)->GetText() : TString();
}
