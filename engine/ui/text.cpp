#include "engine/ui/text.h"

#include <cstring>
#include <optional>

#include "engine/core/base/log.h"
#include "engine/core/files/stringtable.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/textblock.h"
#include "engine/ui/button.h"
#include "engine/ui/text_font.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/placement.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"

namespace {

void Invalidate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}

bool IsNumberText(const TString& text) {
    return std::strspn(text.CStr(), "0123456789.") == text.Length();
}

// The string table, when the scripts have loaded it (the window script's string-table mode is on).
const TStringTable* LoadedStringTable() {
    TWindowManager* manager = TWindowManager::Get();
    if (!manager) return nullptr;
    bool loaded = manager->SetStringTableMode(true);
    manager->SetStringTableMode(loaded);
    return loaded ? manager->Host().GetStringTable() : nullptr;
}

TVec2 ToVec(TPoint point) {
    return TVec2(static_cast<float>(point.x), static_cast<float>(point.y));
}

}  // namespace

void TText::BlockDeleter::operator()(TTextBlock* block) const {
    TTextBlock::Destroy(block);
}

TText::TText() = default;

TText::~TText() = default;

TWindow* TText::Create() {
    return new TText();
}

TClassId TText::ClassId() {
    return reinterpret_cast<TClassId>(&TText::Create);
}

TString TText::LocaliseLabel(const TString& label, const TStringTable* table) {
    if (!table || label.IsEmpty()) return label;
    if (label.CharAt(0) == '#') return label.Mid(1);
    if (IsNumberText(label)) return label;
    return table->GetString(label);
}

void TText::Init(TWindowStyle& style) {
    TFontSpec font = TFontSpec::FromStyle(style);
    TString name = style.GetString("name", TString());
    TString label = LocaliseLabel(style.GetString("label", TString()), LoadedStringTable());
    int flags = style.GetInt("flags", style.GetInt("defflags", 0));
    int padding = style.GetInt("padding", 0);
    float rotation = static_cast<float>(style.GetNumber("rotation", 0));
    TWindow::Init(style);

    if (GetWidth() <= 0 || GetHeight() <= 0) {
        LogPrintf("ERROR: Attempting to create text window of size(0,0): named '%s', label '%s'", name.CStr(),
                  label.CStr());
        return;
    }
    padding_ = padding;
    block_.reset(TTextBlock::Create(label, GetWidth(), GetHeight(), flags, font.face, font.size, font.color));
    SetSize(GetWidth(), GetHeight());
    SetText(label);
    if (rotation != 0) ApplyRotation(style, rotation);
}

void TText::ApplyRotation(const TWindowStyle& style, float degrees) {
    int32_t x = style.GetInt("rotationOriginX", 0);
    int32_t y = style.GetInt("rotationOriginY", 0);
    int align = style.GetInt("rotationAlign", -1);
    bool alignGiven = align != -1;
    if (!alignGiven) align = 0;
    // The origin is a point: resolved like a window of no size inside this one.
    int32_t noSize = 0;
    ResolveAxis(x, noSize, GetWidth(), align & kAlignCentre, align & kAlignRight, alignGiven, true);
    noSize = 0;
    ResolveAxis(y, noSize, GetHeight(), align & kAlignMiddle, align & kAlignBottom, alignGiven, true);
    SetRotation(degrees, x, y);
}

void TText::SetText(const TString& text) {
    if (!block_ || text == block_->GetText()) return;
    if (!block_->GetText().IsEmpty()) Invalidate();
    block_->SetText(text);
}

TString TText::GetText() {
    return block_ ? block_->GetText() : TString();
}

void TText::SetRotation(float degrees, int originX, int originY) {
    if (block_) block_->SetRotation(degrees, originX, originY);
}

void TText::ScrollToFraction(float fraction) {
    if (!block_) return;
    float line = (lineOffset_ + static_cast<float>(block_->FindLineAt(scale_, static_cast<float>(padding_)))) * fraction;
    if (line == static_cast<float>(block_->GetLineCount())) return;
    block_->scroll = line;
    Invalidate();
}

void TText::Draw() {
    if (!block_) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer->Begin2d();
    // 2-D coordinates count from the viewport, which stays the screen's: draw at the global place.
    TRect global = GetGlobalRect();
    block_->Draw(static_cast<float>(global.left), static_cast<float>(global.top), static_cast<float>(GetHeight()),
                 scale_, static_cast<float>(padding_), false, alpha_);
    if (entered) renderer->End2d();
}

bool TText::OnMouseDown(TPoint point) {
    if (!block_) return false;
    pressedLink_ = block_->GetLinkAtPoint(ToVec(point), static_cast<float>(padding_));
    return !pressedLink_.IsEmpty();
}

bool TText::OnMouseMove(TPoint point) {
    if (!block_ || !block_->UpdateHoverLink(ToVec(point), static_cast<float>(padding_))) return false;
    TWindowManager* manager = TWindowManager::Get();
    if (manager) {
        manager->Invalidate();
        manager->CaptureMouse(this);
    }
    return true;
}

bool TText::OnMouseLeave() {
    if (block_) {
        block_->UpdateHoverLink(std::nullopt, static_cast<float>(padding_));
        Invalidate();
    }
    if (TWindowManager* manager = TWindowManager::Get()) manager->ReleaseMouse(this);
    return true;
}

bool TText::OnMouseUp(TPoint point) {
    if (pressedLink_.IsEmpty()) return false;
    if (block_ && block_->GetLinkAtPoint(ToVec(point), static_cast<float>(padding_)) == pressedLink_)
        PressLinkedButton(pressedLink_);
    pressedLink_ = TString();
    return true;
}

void TText::PressLinkedButton(const TString& name) {
    TModalWindow* modal = GetModalParent();
    TWindow* window = modal ? modal->FindChild(name, -1) : nullptr;
    if (!window) {
        LogPrintf("ERROR: Command window %s not found", name.CStr());
    } else if (TButton* button = WindowCastToTButton(window)) {
        button->PostPress();
    } else {
        LogPrintf("ERROR: Command window %s not a derived class of TButton", name.CStr());
    }
}
