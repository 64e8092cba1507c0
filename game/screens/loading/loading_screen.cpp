#include "game/screens/loading/loading_screen.h"

#include <algorithm>
#include <string>

#include "engine/core/app/application.h"
#include "engine/core/base/clock.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite.h"
#include "engine/graphics/texture.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr const char* kBackgroundPicture = "anim/loader_background_alpha";
constexpr const char* kWaterPictures[] = {"anim/loader_water_1", "anim/loader_water_2"};
constexpr const char* kWaterEffectFile = "assets/fx/water/water.par";
const TVec2 kBackgroundCentre{400.0f, 300.0f};
constexpr float kWaterScale = 2.0f;
constexpr int kWaterEffectSegments = 7;
constexpr int kWaterEffectSegmentMs = 800;

// Seven ripples over the water's surface.
constexpr OutlineCurve kWaterPath[] = {
    {{267, 516}, {209, 487}, {296, 478}, {236, 429}},
    {{346, 513}, {395, 467}, {290, 462}, {338, 429}},
    {{419, 515}, {313, 504}, {419, 446}, {397, 431}},
    {{493, 519}, {565, 472}, {379, 496}, {497, 425}},
    {{451, 514}, {409, 491}, {514, 465}, {436, 451}},
    {{361, 467}, {371, 436}, {335, 452}, {373, 390}},
    {{531, 511}, {485, 494}, {549, 477}, {532, 441}},
};
constexpr float kWaterPathDepth = 0.2f;

float& Alpha(clsSprite& sprite) {
    return sprite.GetFrameworkSprite()->GetState().alpha;
}

}  // namespace

TWindow* TLoading::Create() {
    return new TLoading();
}

TClassId TLoading::ClassId() {
    return reinterpret_cast<TClassId>(&TLoading::Create);
}

float TLoading::RiseStep(size_t total) {
    return total == 0 ? 0.0f : static_cast<float>(kRisePixels / static_cast<double>(total));
}

TLoading::TLoading() : waterEffect_(this, kWaterEffectFile, kWaterEffectSegments, TRenderer::Get()) {
    assets_.AddAsset(kBackgroundPicture, nullptr, false);
    for (const char* picture : kWaterPictures) assets_.AddAsset(picture, nullptr, false);
}

TLoading::~TLoading() {
    GameProbe::Get().RemoveOwner(this);
    background_.reset();
    for (auto& water : water_) water.reset();
}

void TLoading::Init(TWindowStyle& style) {
    clsGameInterface::Init(style);
    if (GameManager* manager = GameManager::Get()) manager->InsideGame(false);
    if (TModalWindow* modal = GetModalParent()) modal->SetFocusWindow(this);

    background_ = std::make_unique<clsSprite>(this);
    background_->SetTexture(assets_.GetTexture(kBackgroundPicture));
    background_->SetPositionV(kBackgroundCentre);
    background_->Update(0.0f);
    for (int i = 0; i < 2; ++i) {
        water_[i] = std::make_unique<clsSprite>(this);
        water_[i]->SetTexture(assets_.GetTexture(kWaterPictures[i]));
        water_[i]->SetScale(kWaterScale);
        water_[i]->SetPosition(kWaterStartX, kWaterStartY);
        water_[i]->Update(0.0f);
    }
    Alpha(*water_[0]) = 0.0f;  // the front frame fades in over the other
    front_ = 0;
    direction_ = 1;

    clsGameSession* session = clsGameSession::Instance();
    FillPreloadLists(*session);
    total_ = session->GetPendingCount();
    step_ = RiseStep(total_);
    // How far the loading has come: the names loaded and all of them.
    GameProbe::Get().Add(this, "loaded", [this, session] { return std::to_string(total_ - session->GetPendingCount()); });
    GameProbe::Get().Add(this, "toload", [this] { return std::to_string(total_); });

    LayWaterPath();
    waterEffect_.Play();
    lastTimeMs_ = NowMs();
}

void TLoading::LayWaterPath() {
    waterEffect_.GetPath().Clear();
    AddCurves(waterEffect_.GetPath(), kWaterPath, kWaterPathDepth);
    waterEffect_.Mirror();
    waterEffect_.SetLoop(true);
    waterEffect_.SetSegmentDuration(kWaterEffectSegmentMs);
}

uint32_t TLoading::NowMs() {
    const TClock* clock = GetClock();
    return clock ? clock->GetTime() : ApplicationTimer();
}

float TLoading::StepSeconds(uint32_t nowMs) const {
    uint32_t elapsedMs = nowMs - lastTimeMs_;  // unsigned: a wrapped clock still gives the time passed
    return std::min(static_cast<float>(elapsedMs) / 1000.0f, GetGameTables().maxSecsElapsed);
}

TVec2 TLoading::NextWaterPlace(float dt) {
    TVec2 place = water_[0]->GetPosition();
    if (place.x <= kSwayLeft) place.x = kSwayLeft, direction_ = 1;
    if (place.x >= kSwayRight) place.x = kSwayRight, direction_ = -1;
    place.x += static_cast<float>(direction_) * kSwayPixelsPerSecond * dt;
    place.y -= step_;
    return place;
}

void TLoading::CrossFadeWater(float dt) {
    clsSprite& front = *water_[front_];
    float alpha = Alpha(front) + kShimmerPerSecond * dt;
    if (alpha < 1.0f) {
        Alpha(front) = alpha;
        return;
    }
    Alpha(front) = 1.0f;
    front_ = 1 - front_;
    Alpha(*water_[front_]) = 0.0f;
}

bool TLoading::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    uint32_t now = NowMs();
    float dt = StepSeconds(now);
    TVec2 place = NextWaterPlace(dt);
    CrossFadeWater(dt);
    background_->Update(dt);

    clsGameSession* session = clsGameSession::Instance();
    if (session->GetPendingCount() == 0) {
        TWindowManager* manager = TWindowManager::Get();
        if (manager && manager->GetScript()) manager->GetScript()->DoLuaString(kFinishedScript);
        return false;
    }
    for (auto& water : water_) water->SetPositionV(place);
    session->LoadPendingAssets();
    for (auto& water : water_) water->Update(dt);
    waterEffect_.Update(static_cast<int>(now - lastTimeMs_));
    lastTimeMs_ = now;
    return true;
}

void TLoading::Draw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    water_[1 - front_]->Draw();
    water_[front_]->Draw();
    if (water_[0]->GetPosition().y < kEffectLine) waterEffect_.Draw();
    background_->Draw();
    if (entered) renderer->End2d();
}
