// The window script functions: what scripts do to windows, found by name under the top modal window.
#include <cctype>

#include "engine/core/base/config.h"
#include "engine/core/files/stringtable.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_refs.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/layered_window.h"
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/placement.h"
#include "engine/ui/text.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "engine/ui/window_spider.h"
#include "engine/ui/window_style.h"

namespace {

template <class T>
T* As(TWindow* window) {
    return window && window->IsKindOf(T::ClassId()) ? static_cast<T*>(window) : nullptr;
}

}  // namespace

void TWindowScript::BindFunctions() {
    BindWindowFunctions();
    BindMessageFunctions();
}

void TWindowScript::BindWindowFunctions() {
    lua_State* L = GetState();
    BindMember(L, "PostCreate", this, &TWindowScript::PostCreate);
    BindMember(L, "GetLabel", this, &TWindowScript::GetLabel);
    BindMember(L, "_RegisterHotkey", this, &TWindowScript::RegisterHotkey);
    BindMember(L, "SetLabel", this, &TWindowScript::SetLabel);
    BindMember(L, "TagHotKey", this, &TWindowScript::TagHotKeyFunction);
    BindMember(L, "_SetBitmap", this, &TWindowScript::SetBitmap);
    BindMember(L, "SetPosition", this, &TWindowScript::SetPosition);
    BindRawMember(L, "SetCommand", this, &TWindowScript::SetCommand);
    BindRawMember(L, "StripKeyFromLabel", this, &TWindowScript::StripKeyFromLabelFunction);
    BindMember(L, "SetWindowName", this, &TWindowScript::SetWindowName);
    BindMember(L, "FillRect", this, &TWindowScript::FillRect);
    BindMember(L, "GetTimer", this, &TWindowScript::GetTimer);
    BindMember(L, "GetConfig", this, &TWindowScript::GetConfigValue);
    BindMember(L, "IsEnabled", this, &TWindowScript::IsEnabled);
    BindMember(L, "DoSelectLayer", this, &TWindowScript::SelectLayer);
    BindMember(L, "EnableWindow", this, &TWindowScript::EnableWindow);
    BindMember(L, "GetButtonToggleState", this, &TWindowScript::GetButtonToggleState);
    BindMember(L, "SetButtonToggleState", this, &TWindowScript::SetButtonToggleState);
    BindMember(L, "PopWindow", this, &TWindowScript::PopWindowFunction);
    BindMember(L, "RealSetFocus", this, &TWindowScript::RealSetFocus);
    BindMember(L, "StringToClipboard", this, &TWindowScript::StringToClipboard);
    BindMember(L, "UpdateWindow", this, &TWindowScript::UpdateWindow);
    BindMember(L, "PushModal", this, &TWindowScript::PushModal);
    BindMember(L, "ClearModalChildren", this, &TWindowScript::ClearModalChildren);
    BindMember(L, "GetWindowDepth", this, &TWindowScript::GetWindowDepth);
    BindMember(L, "DoPopModal", this, &TWindowScript::DoPopModal);
}

void TWindowScript::BindMessageFunctions() {
    lua_State* L = GetState();
    BindRawMember(L, "HandleGetMessage", this, &TWindowScript::HandleGetMessage);
    BindRawMember(L, "GenericCreate", this, &TWindowScript::GenericCreate);
    BindRawMember(L, "CreateNamedMessage", this, &TWindowScript::CreateNamedMessage);
    BindRawMember(L, "CreateCloseMessage", this, &TWindowScript::CreateCloseMessage);
    BindRawMember(L, "PostMessage", this, &TWindowScript::PostMessage);
    BindRawMember(L, "PostMessageToParent", this, &TWindowScript::PostMessageToParent);
    BindMember(L, "_GetString", this, &TWindowScript::GetString);
    BindMember(L, "StartMovie", this, &TWindowScript::StartMovie);
    BindMember(L, "IsMoviePlaying", this, &TWindowScript::IsMoviePlaying);
    BindMember(L, "StopMovie", this, &TWindowScript::StopMovie);
    BindMember(L, "ImageLoaded", this, &TWindowScript::ImageLoaded);
    BindMember(L, "DestroyWindow", this, &TWindowScript::DestroyWindow);
    BindMember(L, "DoFitToChildren", this, &TWindowScript::DoFitToChildren);
}

TWindowManager* TWindowScript::Manager() const {
    return TWindowManager::Get();
}

TWindow* TWindowScript::TopModal() const {
    return Manager() ? Manager()->GetTopModal() : nullptr;
}

TWindow* TWindowScript::FindInModal(const TString& name) const {
    TWindow* top = TopModal();
    return top ? top->FindChild(name) : nullptr;
}

// Looks for the name under the top modal window, then under each of its ancestors in turn; visit
// answers true to stop at a match.
template <class Visit>
TWindow* TWindowScript::FindUpModalChain(const TString& name, Visit visit) const {
    for (TWindow* level = TopModal(); level; level = level->GetParent()) {
        if (TWindow* found = level->FindChild(name); found && visit(found)) return found;
    }
    return nullptr;
}

void TWindowScript::PostCreate(TLuaTable* style, TString) {
    TWindow* window = GetCurrentWindow();
    if (!window || !style) return;
    TWindowStyle reader(style);
    window->PostCreate(reader);
}

TString TWindowScript::GetLabel(TString name) {
    if (!TopModal()) return TString();
    TWindow* window = FindInModal(name);
    if (!window) return name + "_is_not_found";
    if (TText* text = As<TText>(window)) return text->GetText();
    if (TButton* button = As<TButton>(window)) return button->GetLabel();
    return name + "_is_not_a_TText_window_or_TButton";
}

void TWindowScript::RegisterHotkey(TString keyText, TString command) {
    auto* modal = As<TModalWindow>(TopModal());
    if (!keyText.IsEmpty() && modal) modal->RegisterHotKey(keyText, command);
}

void TWindowScript::SetLabel(TString name, TString label) {
    TWindow* window = FindInModal(name);
    if (TText* text = As<TText>(window)) {
        text->SetText(label);
    } else if (TButton* button = As<TButton>(window)) {
        button->SetLabel(label);
    }
}

TString TWindowScript::TagHotKey(const TString& keyText, const TString& label) {
    if (keyText.IsEmpty()) return label;
    int key = std::tolower(static_cast<unsigned char>(keyText.CStr()[keyText.Length() - 1]));
    const char* bytes = label.CStr();
    for (size_t i = 0; i < label.Length(); i++) {
        if (std::tolower(static_cast<unsigned char>(bytes[i])) != key) continue;
        return label.Mid(0, static_cast<int>(i)) + "<u>" + label.Mid(static_cast<int>(i), 1) + "</u>" +
               label.Mid(static_cast<int>(i + 1));
    }
    return label;
}

TString TWindowScript::TagHotKeyFunction(TString keyText, TString label, TString) {
    return TagHotKey(keyText, label);
}

std::pair<TString, TString> TWindowScript::StripKeyFromLabel(const TString& label) {
    int amp = label.Find("&");
    if (amp < 0) return {label, TString()};
    TString key;
    unsigned char next = static_cast<unsigned char>(label.CStr()[amp + 1]);
    if (next != 0 && next < 0xC0) key = TString("@") + label.Mid(amp + 1, 1);
    return {label.Mid(0, amp) + label.Mid(amp + 1), key};
}

int TWindowScript::StripKeyFromLabelFunction(lua_State* L) {
    auto [label, key] = StripKeyFromLabel(GetLuaString(L, 1));
    lua_pushlstring(L, label.CStr(), label.Length());
    lua_pushlstring(L, key.CStr(), key.Length());
    return 2;
}

void TWindowScript::SetBitmap(TString name, TString image, float scale) {
    if (TImage* window = As<TImage>(FindInModal(name))) window->SetTexture(TTexture::Get(image), scale);
}

void TWindowScript::SetPosition(TString name, int x, int y) {
    TWindow* window = FindInModal(name);
    if (!window) return;
    TWindow* parent = window->GetParent();
    int32_t parentWidth = parent ? parent->GetWidth() : 0;
    int32_t parentHeight = parent ? parent->GetHeight() : 0;
    window->MoveTo(ResolvePosition(x, window->GetWidth(), parentWidth, false),
                   ResolvePosition(y, window->GetHeight(), parentHeight, false));
}

int TWindowScript::SetCommand(lua_State* L) {
    TString name = GetLuaString(L, 1);
    lua_pushvalue(L, 2);
    auto function = std::make_unique<TLuaFunction>(L);
    if (TButton* button = As<TButton>(FindInModal(name)))
        button->SetAction(new TButton::LuaAction(std::move(function)));
    return 0;
}

void TWindowScript::SetWindowName(TString name) {
    if (TWindow* window = GetCurrentWindow()) window->SetName(name.CStr());
}

void TWindowScript::FillRect(TLuaTable* rect, TLuaTable* color) {
    if (!rect || !color) return;
    TRect area(static_cast<int32_t>(rect->GetNumber(1, 0)), static_cast<int32_t>(rect->GetNumber(2, 0)),
               static_cast<int32_t>(rect->GetNumber(3, 0)), static_cast<int32_t>(rect->GetNumber(4, 0)));
    area.Validate();
    float rgba[4];
    for (int i = 0; i < 4; i++) rgba[i] = static_cast<float>(color->GetNumber(i + 1, 0));
    TWindow* screen = Manager() ? Manager()->GetScreen() : nullptr;
    if (screen) area = TRect::Intersect(area, screen->GetRect());
    TRenderer* renderer = TRenderer::Get();
    renderer->PushClipRect(area);
    renderer->FillRect(area, rgba);
    renderer->PopClipRect();
}

uint32_t TWindowScript::GetTimer() {
    return Manager() ? Manager()->Host().GetTimer() : 0;
}

TString TWindowScript::GetConfigValue(TString key, TString fallback) {
    return GetConfig(key, fallback);
}

bool TWindowScript::IsEnabled(TString key) {
    return GetConfig(key, "0").ToInt() != 0;
}

void TWindowScript::SelectLayer(int layer) {
    if (auto* layered = As<TLayeredWindow>(GetCurrentWindow())) layered->SelectLayer(layer);
}

bool TWindowScript::EnableWindow(TString name, bool on) {
    TWindow* window = FindUpModalChain(name, [](TWindow*) { return true; });
    if (!window) return false;
    uint32_t flags = window->GetFlags();
    window->SetFlags(on ? (flags | kWindowVisible) : (flags & ~kWindowVisible));
    if (!on) {
        if (TButton* button = As<TButton>(window)) button->OnMouseLeave();
    }
    if (Manager()) Manager()->Invalidate();
    return true;
}

bool TWindowScript::GetButtonToggleState(TString name) {
    TButton* button = As<TButton>(FindUpModalChain(name, [](TWindow*) { return true; }));
    return button && button->GetToggleState();
}

void TWindowScript::SetButtonToggleState(TString name, bool on) {
    FindUpModalChain(name, [on](TWindow* found) {
        if (TButton* button = As<TButton>(found)) button->SetToggleState(on);
        return false;
    });
}

void TWindowScript::PopWindowFunction() {
    PopWindow();
}

void TWindowScript::RealSetFocus(TString name) {
    TWindow* current = GetCurrentWindow();
    if (Manager()) Manager()->SetFocus(current ? current->FindChild(name) : nullptr);
}

bool TWindowScript::StringToClipboard(TString text) {
    return Manager() && Manager()->Host().StringToClipboard(text);
}

void TWindowScript::UpdateWindow() {
    if (Manager()) Manager()->Invalidate();
}

TString TWindowScript::PushModal(TString name) {
    auto* modal = new TModalWindow();
    modal->SetName(name.CStr());
    if (Manager()) Manager()->PushModal(modal);
    return FormatWindowId(modal);
}

void TWindowScript::ClearModalChildren() {
    auto* modal = As<TModalWindow>(TopModal());
    if (!modal) return;
    modal->ClearTasks();
    modal->DeleteChildren();
    modal->SetSize(0, 0);
    modal->MoveTo(0, 0);
}

int TWindowScript::GetWindowDepth() {
    int depth = 0;
    for (TWindow* window = TopModal(); window; window = window->GetParent()) depth++;
    return depth;
}

void TWindowScript::DoPopModal(TString nameOrId) {
    if (Manager()) Manager()->DoPopModal(nameOrId);
}

TString TWindowScript::GetString(TString key, TString p1, TString p2, TString p3, TString p4, TString p5) {
    if (key.CStr()[0] == '#') return key.Mid(1);
    TStringTable* table = Manager() ? Manager()->Host().GetStringTable() : nullptr;
    return table ? table->GetString(key, p1, p2, p3, p4, p5) : key;
}

// No movie player exists here: movies never start, and callers show their pictures instead.
bool TWindowScript::StartMovie(TString, bool, bool) {
    return false;
}

bool TWindowScript::IsMoviePlaying() {
    return false;
}

void TWindowScript::StopMovie() {}

bool TWindowScript::ImageLoaded(TString name) {
    TImage* image = As<TImage>(FindInModal(name));
    return image && image->HasTexture();
}

void TWindowScript::DestroyWindow(TString name) {
    TWindow* current = GetCurrentWindow();
    TWindow* window = current ? current->FindChild(name) : nullptr;
    if (!window || !window->GetParent()) return;
    window->GetParent()->RemoveChild(window);
    if (Manager()) Manager()->DeleteLater(window);
}

void TWindowScript::DoFitToChildren() {
    if (TWindow* window = GetCurrentWindow()) window->FitToChildren();
}
