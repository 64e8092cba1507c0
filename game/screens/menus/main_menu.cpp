#include "game/screens/menus/main_menu.h"

#include "engine/core/files/stringtable.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/text_markup.h"
#include "engine/ui/text.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "game/data/game_manager.h"
#include "game/screens/dialogs/fx_window.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr uint32_t kFramePeriodMs = 16;

// The welcome line shows the name as it was typed.
TString WelcomeText(const TString& playerName) {
    TString name = MarkupLiteral(playerName);
    TWindowManager* manager = TWindowManager::Get();
    TStringTable* table = manager ? manager->Host().GetStringTable() : nullptr;
    return table ? table->GetString(TMainMenu::kWelcomeLabel, name) : name;
}

}  // namespace

TWindow* TMainMenu::Create() { return new TMainMenu(); }

TClassId TMainMenu::ClassId() { return reinterpret_cast<TClassId>(&TMainMenu::Create); }

TMainMenu::TMainMenu() : music_(kMusicFile), probe_(this) {
    functions_.Bind("SetWelcomeName", this, &TMainMenu::SetWelcomeName);
    if (clsGameSession* session = clsGameSession::Existing()) session->SetCursor(clsGameSession::kArrowCursor, true);
}

TMainMenu::~TMainMenu() { functions_.Unbind(); }

void TMainMenu::PostCreate(TWindowStyle& style) {
    SetWelcomeName();
    TWindow::PostCreate(style);
    StartAnim(kFramePeriodMs, true, true);
    titleCard_ = std::make_unique<clsTitleCard>(this);
    lastTimeMs_ = WindowAnimTimeMs(*this);
}

bool TMainMenu::OnAnimate() {
    uint32_t now = WindowAnimTimeMs(*this);
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    if (titleCard_) titleCard_->Update(static_cast<int>(now - lastTimeMs_));
    lastTimeMs_ = now;
    return true;
}

void TMainMenu::PostDraw() {
    if (!titleCard_) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    titleCard_->Draw();
    if (entered) renderer->End2d();
}

void TMainMenu::SetWelcomeName() {
    GameManager* manager = GameManager::Get();
    if (!manager || manager->GetNumUsers() == 0) {
        SetWindowVisible(FindChild(kWelcomeWindow), false);
        SetWindowVisible(FindChild(kChangePlayerWindow), false);
        return;
    }
    TWindow* welcome = FindChild(kWelcomeWindow);
    if (welcome && welcome->IsKindOf(TText::ClassId()))
        static_cast<TText*>(welcome)->SetText(WelcomeText(manager->GetCurrentUserName()));
}
