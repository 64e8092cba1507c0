#include "game/shop/scene/game_interface.h"

#include <numeric>

#include "engine/core/base/clock.h"
#include "engine/core/base/log.h"
#include "engine/sound/sound.h"
#include "engine/ui/window_anim.h"
#include "engine/ui/window_manager.h"
#include "game/data/game_manager.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/scene/scene_session.h"

namespace {

int& LiveSceneCount() {
    static int count = 0;
    return count;
}

// What a scene answers before the game session has handed its assets over: nothing is loaded.
class NoAssets : public iGameAssets {
public:
    std::shared_ptr<TTexture> GetTexture(const TString&) override { return nullptr; }
    void AddPreloadAnim(const TString&) override {}
    void AddPreloadSound(const TString&) override {}
    bool PlaySound(const TString&, bool) override { return false; }
    bool PauseSound(const TString&, bool) override { return false; }
    void StopSound(const TString& name) override {
        LogPrintf("[WARN] No game instance trying to free resource: %s", name.CStr());
    }
};

}  // namespace

clsGameInterface::clsGameInterface()
    : cursor_(std::make_unique<clsSprite>(this)), earnings_(kEarningsCategories, 0) {
    ++LiveSceneCount();
    GetSceneSession().currentScene = this;
}

clsGameInterface::~clsGameInterface() {
    if (--LiveSceneCount() == 0) {
        if (GameManager* manager = GameManager::Get()) manager->InsideGame(false);
    }
    cursor_.reset();
    if (GetSceneSession().currentScene == this) GetSceneSession().currentScene = nullptr;
}

void clsGameInterface::Init(TWindowStyle& style) {
    TWindow::Init(style);
    if (GameManager* manager = GameManager::Get()) manager->InsideGame(true);
    clock_ = GetWindowAnim()->GetTimeSource();
    startTimeMs_ = clock_ ? clock_->GetTime() : 0;
}

bool clsGameInterface::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    cursor_->Update(0.0f);
    return true;
}

bool clsGameInterface::OnMouseMove(TPoint point) {
    cursor_->SetPosition(static_cast<float>(point.x), static_cast<float>(point.y));
    mousePosition_ = point;
    return true;
}

void clsGameInterface::QueueRelease(clsBasicObject* object) {
    if (object->IsReleased()) return;
    object->SetReleased();
    releaseQueue_.push_back(object);
}

iGameAssets& clsGameInterface::GetAssets() {
    static NoAssets none;
    iGameAssets* assets = GetSceneSession().assets;
    return assets ? *assets : none;
}

void clsGameInterface::EndLevel(bool won) {
    if (music_) music_->Stop();
}

void clsGameInterface::AddMoney(int amount) {
    money_ += amount;
    OnMoneyChanged();
}

void clsGameInterface::AddEarnings(int category, int amount) {
    if (category >= 0 && category < static_cast<int>(earnings_.size())) earnings_[category] += amount;
}

int clsGameInterface::GetEarnings(int category) const {
    if (category < 0 || category >= static_cast<int>(earnings_.size())) return 0;
    return earnings_[category];
}

int clsGameInterface::GetTotalEarnings() const {
    return std::accumulate(earnings_.begin(), earnings_.end(), 0);
}

void clsGameInterface::DeleteReleasedObjects() {
    // An object's destructor may queue further objects: take them in the same pass.
    while (!releaseQueue_.empty()) {
        clsBasicObject* object = releaseQueue_.back();
        releaseQueue_.pop_back();
        delete object;
    }
}

int clsGameInterface::GetLiveSceneCount() {
    return LiveSceneCount();
}

void clsGameInterface::SetMusic(std::shared_ptr<TSound> music) {
    music_ = std::move(music);
}
