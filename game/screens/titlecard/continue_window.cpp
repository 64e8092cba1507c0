#include "game/screens/titlecard/continue_window.h"

TWindow* clsContinueWnd::Create() { return new clsContinueWnd(); }

TClassId clsContinueWnd::ClassId() { return reinterpret_cast<TClassId>(&clsContinueWnd::Create); }

clsContinueWnd::clsContinueWnd() : probe_(this) {}
clsContinueWnd::~clsContinueWnd() = default;

void clsContinueWnd::PostCreate(TWindowStyle&) { titleCard_ = std::make_unique<clsTitleCard>(this); }

void clsContinueWnd::OnFxUpdate(int elapsedMs) {
    if (titleCard_) titleCard_->Update(elapsedMs);
}

void clsContinueWnd::OnFxPostDraw() {
    if (titleCard_) titleCard_->Draw();
}
