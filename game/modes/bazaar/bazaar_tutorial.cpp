// The bazaar tutorial's construction, its two texts and its end.
#include "game/modes/bazaar/bazaar_tutorial.h"

#include <string>

#include "engine/scripthost/script.h"
#include "engine/sound/sound.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/text.h"
#include "game/data/game_manager.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr char kTextLabel[] = "tutorialShop%d";
constexpr char kEndScript[] = "onEndTutorialShop()";

// The window of that name when it is of the class; null else.
template <class Window>
Window* FindTyped(TWindow& parent, const char* name) {
    TWindow* window = parent.FindChild(name);
    return window && window->IsKindOf(Window::ClassId()) ? static_cast<Window*>(window) : nullptr;
}

}  // namespace

TWindow* clsTutorialBazaar::Create() { return new clsTutorialBazaar; }

TClassId clsTutorialBazaar::ClassId() { return reinterpret_cast<TClassId>(&clsTutorialBazaar::Create); }

clsTutorialBazaar::clsTutorialBazaar() {
    functions_.Bind("tutorialNextState", this, &clsTutorialBazaar::TutorialNextState);
    functions_.Bind("finalizeTutorial", this, &clsTutorialBazaar::FinalizeTutorial);
    GameProbe::Get().Add(this, "tutorial", [this] { return std::to_string(step_); });
}

clsTutorialBazaar::~clsTutorialBazaar() {
    functions_.Unbind();
    GameProbe::Get().RemoveOwner(this);
}

void clsTutorialBazaar::PostCreate(TWindowStyle& style) {
    clsBazaar::PostCreate(style);
    SetWindowVisible(FindTyped<TImage>(*this, "panelDescription"), true);
    continueButton_ = FindTyped<TButton>(*this, "btnContinue");
    TutorialNextState();
}

void clsTutorialBazaar::TutorialNextState() {
    if (GetState() == kFinishing) return;
    switch (step_) {
        case kNoText:
            ShowTutorialText(1);
            step_ = kFirstText;
            break;
        case kFirstText:
            ShowTutorialText(2);
            step_ = kSecondText;
            break;
        case kSecondText:
            FinalizeTutorial();
            break;
        default:
            break;
    }
}

void clsTutorialBazaar::FinalizeTutorial() {
    if (GameManager* manager = GameManager::Get()) manager->InsideGame(false);
    if (GetMusic()) GetMusic()->Stop();
    SetState(kFinishing);
    if (TScript* script = WindowManagerScript()) script->DoLuaString(kEndScript);
}

void clsTutorialBazaar::ShowTutorialText(int n) {
    TText* text = FindTyped<TText>(*this, "txtAddonDescription");
    if (text) text->SetText(LabelText(TString::Format(kTextLabel, n)));
}
