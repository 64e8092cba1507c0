#include "game/shop/customers/customer.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/hud/status_bar.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/scene/game_interface.h"
#include "game/shop/scene/game_random.h"

namespace {

const TVec2 kBubbleOffset{56.0f, -42.0f};
const TVec2 kOneItemOffset{0.0f, -7.0f};
const TVec2 kTwoItemOffsets[2] = {{-15.0f, -7.0f}, {15.0f, -7.0f}};
const TVec2 kPatienceBarOffset{-44.0f, 15.0f};
constexpr float kPatienceBarScale = 0.65f;
constexpr int kPatiencePoints = 5;  // the bar's length in points of patience
constexpr int kPatienceBarFrames = 10;
constexpr int kMaxRequests = 2;
constexpr int kTipCharmBit = 1;
constexpr int kTipCharm = 0;  // its row of the "charms" table

const char kRequestBubble[] = "anim/thought_2";
const char kThoughtBubble[] = "anim/thought";
const char kRequestSound[] = "audio/sfx/general-request";
const char kRefuseSound[] = "audio/sfx/customer01/messages-refuse";
const char kApprovalSound[] = "audio/sfx/customer01/characters-approval";
const char kAngrySound[] = "audio/sfx/clients_complain";
const char kLostSound[] = "audio/sfx/characters_complain2";

// 5 to 15 whole seconds until the next idle animation.
float DrawIdleSeconds() {
    return static_cast<float>(GameRandom() % 11 + 5);
}

TString PatienceBarImage(int frame) {
    return TString::Format("anim/stats/bar_%02d", frame + 1);
}

const ClientTypeRecord kNoClientType;

}  // namespace

clsClient::clsClient(clsGameInterface* owner, const CustomerLook& look, clsObjectRequired* request, bool variant)
    : clsActor(owner), scene_(owner), look_(look) {
    TString key = variant ? TString(look.kindId) + "2" : TString(look.kindId);
    customerType_ = GameManager::Get() ? GameManager::Get()->GetGameData()->GetRowIndex("clients", key) : 0;
    SetSpeed(look.walkSpeed);
    AddShadow(look.shadowOffset.x, look.shadowOffset.y, look.shadowScale);

    requestBubble_ = std::make_unique<clsAnimatedSprite>(owner);
    thoughtBubble_ = std::make_unique<clsAnimatedSprite>(owner);
    requestBubble_->SetTexture(owner->GetAssets().GetTexture(kRequestBubble));
    thoughtBubble_->SetTexture(owner->GetAssets().GetTexture(kThoughtBubble));
    for (clsAnimatedSprite* bubble : {requestBubble_.get(), thoughtBubble_.get()}) {
        bubble->AttachToPoint(GetBody(), kBubbleOffset);
        bubble->SetVisible(false);
    }

    if (request && request->GetSprite())
        TakeRequest(request);
    else
        delete request;
    serviceState_ = kArriving;
    idleSeconds_ = DrawIdleSeconds();
}

clsClient::~clsClient() = default;

bool clsClient::AddSecondRequest(clsObjectRequired* request) {
    if (!request || serviceState_ != kArriving || GetNumRequestedItems() >= kMaxRequests || !request->GetSprite())
        return false;
    TakeRequest(request);
    return true;
}

void clsClient::TakeRequest(clsObjectRequired* request) {
    request->GetSprite()->SetVisible(false);
    requests_.emplace_back(request);
    PlaceRequestSprites();
}

// One item in the middle of the bubble, two side by side.
void clsClient::PlaceRequestSprites() {
    if (GetNumRequestedItems() == 1) requests_[0]->GetSprite()->AttachToPoint(requestBubble_.get(), kOneItemOffset);
    if (GetNumRequestedItems() != kMaxRequests) return;
    for (size_t i = 0; i < kMaxRequests; ++i)
        requests_[i]->GetSprite()->AttachToPoint(requestBubble_.get(), kTwoItemOffsets[i]);
}

const ClientTypeRecord& clsClient::Type() const {
    const std::vector<ClientTypeRecord>& types = GetGameTables().clientTypes;
    return customerType_ >= 0 && customerType_ < static_cast<int>(types.size()) ? types[customerType_] : kNoClientType;
}

float clsClient::PatiencePoints() const {
    float pointSeconds = Type().barPointSeconds;
    if (!patienceBar_ || pointSeconds <= 0.0f) return 0.0f;
    return patienceBar_->GetTimeLeft() / pointSeconds;
}

// ---- service -------------------------------------------------------------------------------

void clsClient::Attend(clsObjectRequired* item) {
    if (serviceState_ == kWaitingForAttention)
        EnterThinking();
    else if (serviceState_ == kWaitingForItems)
        Serve(item);
}

void clsClient::EnterWaitingForAttention() {
    RefreshAnimation();
    CreatePatienceBar();
    serviceState_ = kWaitingForAttention;
    scene_->OnMouseMove(scene_->GetMousePosition());
}

// Coming almost at once gives a point of patience back.
void clsClient::EnterThinking() {
    if (patienceBar_ && static_cast<int>(PatiencePoints() + 0.5f) >= Type().startingPoints)
        patienceBar_->AddTime(Type().barPointSeconds);
    PlaySound(kRequestSound);
    thoughtBubble_->SetVisible(true);
    thoughtBubble_->Play("DoAnim");
    serviceState_ = kThinking;
}

void clsClient::EnterWaitingForItems() {
    thinkSeconds_ = 0.0f;
    thoughtBubble_->SetVisible(false);
    requestBubble_->SetVisible(true);
    requestBubble_->Play("DoAnim");
    SetRequestsVisible(true);
    serviceState_ = kWaitingForItems;
}

void clsClient::Serve(clsObjectRequired* item) {
    if (!RemoveRequest(item)) {
        PlaySound(kRefuseSound);
        return;
    }
    PlaySound(kApprovalSound);
    BookPayment(*item, ApplyTipCharm(TipFor(PatiencePoints())));
    if (requests_.empty()) EnterServed();
}

// One tip per point of patience left, counted up: any part of a point counts as a whole one.
int clsClient::TipFor(float points) const {
    const std::vector<int>& tips = Type().tips;
    if (tips.empty()) return 0;
    int index = static_cast<int>(std::ceil(points)) - 1;
    return tips[static_cast<size_t>(std::clamp(index, 0, static_cast<int>(tips.size()) - 1))];
}

// The charm of the level being played, if any (none without a player's progress).
bool clsClient::HasTipCharm() {
    GameManager* manager = GameManager::Get();
    const UserRecord* progress = manager ? manager->GetUserRecord() : nullptr;
    if (!progress || static_cast<size_t>(progress->selectedLevel) >= progress->savedLevels.size()) return false;
    return manager->GetCurrentSavedLevel().charmBits & kTipCharmBit;
}

int clsClient::ApplyTipCharm(int tip) {
    const std::vector<CharmRecord>& charms = GetGameTables().charms;
    if (charms.empty() || !HasTipCharm()) return tip;
    float roll = static_cast<float>(GameRandom() % 100 + 1);
    if (charms[kTipCharm].probability < roll) return tip;
    scene_->Hook36();
    return static_cast<int>(charms[kTipCharm].factor * static_cast<float>(tip));
}

void clsClient::BookPayment(clsObjectRequired& item, int tip) {
    int value = item.GetValue();
    if (item.AsArtifact())
        artifactMoney_ += value;
    else if (item.AsPotionGraph()->GetPotionId() == clsPotionGraph::kFruitPotion)
        fruitMoney_ += value;
    else
        potionMoney_ += value;
    tipMoney_ += tip;
    moneyTotal_ += value + tip;
}

void clsClient::EnterServed() {
    DropPatienceBar();
    requestBubble_->SetVisible(false);
    PlayTakeItem();
    serviceState_ = kDone;
    scene_->OnCustomerServed();
}

// A lost customer pays nothing, even for an item it has already taken.
void clsClient::EnterLost() {
    DropPatienceBar();
    requestBubble_->SetVisible(false);
    SetRequestsVisible(false);
    Hook6();
    serviceState_ = kDone;
    PlaySound(kLostSound);
    scene_->OnCustomerLost(this);
}

void clsClient::DropPatienceBar() {
    if (patienceBar_) patienceBar_.release()->Destroy();
}

void clsClient::PayForItems() {
    Hook6();
    if (moneyTotal_ > 0)
        scene_->DropMoney(potionMoney_, fruitMoney_, artifactMoney_, tipMoney_, GetBody());
}

void clsClient::AddPatience(float points) {
    if (!patienceBar_) return;
    patienceBar_->AddTime(points * Type().barPointSeconds);
    if (GetState() != kAngryStarting && GetState() != kAngryLooping) return;
    GetBody()->Play("End");
    ++moodLevel_;
    SetState(kCalmingDown);
}

void clsClient::SetPatiencePaused(bool paused) {
    patiencePaused_ = paused;
    if (patienceBar_) patienceBar_->SetFrozen(paused);
}

// Five points of barPointSeconds, two pictures a point, starting with startingPoints left (at least one
// and at most five).
void clsClient::CreatePatienceBar() {
    const ClientTypeRecord& type = Type();
    patienceBar_ = std::make_unique<clsStatusBar>(GetOwner(), kPatiencePoints * type.barPointSeconds);
    iGameAssets& assets = GetOwner()->GetAssets();
    for (int frame = 0; frame < kPatienceBarFrames; ++frame)
        patienceBar_->AddFrame(assets.GetTexture(PatienceBarImage(frame)));
    patienceBar_->GetSprite()->AttachToPoint(GetBody(), kPatienceBarOffset);
    patienceBar_->GetSprite()->SetScale(kPatienceBarScale);
    int pointsUsed = std::clamp(kPatiencePoints - type.startingPoints, 0, kPatiencePoints - 1);
    patienceBar_->Start(static_cast<float>(pointsUsed) * type.barPointSeconds, 1.0f);
    patienceBar_->SetFrozen(patiencePaused_);
}

// ---- wanted items --------------------------------------------------------------------------

clsObjectRequired* clsClient::GetRequest(int index) const {
    if (index < 0 || index >= GetNumRequestedItems()) return nullptr;
    return requests_[static_cast<size_t>(index)].get();
}

int clsClient::FindRequest(clsObjectRequired* item) const {
    if (!item) return -1;
    if (clsPotionGraph* potion = item->AsPotionGraph()) return FindRequestedPotion(potion->GetPotionId());
    if (clsArtifact* artifact = item->AsArtifact()) return FindRequestedArtifact(artifact->GetArtifactId());
    return -1;
}

int clsClient::FindRequestedPotion(int potionId) const {
    for (int i = GetNumRequestedItems() - 1; i >= 0; --i) {
        clsPotionGraph* wanted = requests_[static_cast<size_t>(i)]->AsPotionGraph();
        if (wanted && wanted->GetPotionId() == potionId) return i;
    }
    return -1;
}

int clsClient::FindRequestedArtifact(int artifactId) const {
    for (int i = GetNumRequestedItems() - 1; i >= 0; --i) {
        clsArtifact* wanted = requests_[static_cast<size_t>(i)]->AsArtifact();
        if (wanted && wanted->GetArtifactId() == artifactId) return i;
    }
    return -1;
}

bool clsClient::RemoveRequest(clsObjectRequired* item) {
    int index = FindRequest(item);
    if (index < 0) return false;
    requests_[static_cast<size_t>(index)].release()->Destroy();
    requests_.erase(requests_.begin() + index);
    PlaceRequestSprites();
    return true;
}

void clsClient::SetRequestsVisible(bool visible) {
    for (auto& request : requests_) request->GetSprite()->SetVisible(visible);
}

// ---- placing and animation -----------------------------------------------------------------

void clsClient::SetPositionV(const TVec2& position) {
    if (!hold_) clsActor::SetPositionV(position);
}

void clsClient::SetPosition(float x, float y) {
    SetPositionV(TVec2(x, y));
}

void clsClient::Show(const char* image, const char* action) {
    GetBody()->SetTexture(GetOwner()->GetAssets().GetTexture(TString(look_.imagePrefix) + image));
    GetBody()->Play(action);
}

void clsClient::PlaySound(const char* name) {
    GetOwner()->GetAssets().PlaySound(name, false);
}

void clsClient::PlayAppear() {
    PlaySound(look_.appearSound);
    Show("appear", "DoAnim");
    SetState(kAppearing);
}

void clsClient::RefreshAnimation() {
    Show("stand", "DoAnim");
    SetState(kStanding);
    nextIdle_ = kSecondStandNext;
}

void clsClient::PlayStand2() {
    Show(look_.secondStandImage, "DoAnim");
    SetState(kStanding);
    nextIdle_ = kFirstStandNext;
}

void clsClient::PlayAngry() {
    if (GetState() == kAngryLooping) return;
    PlaySound(kAngrySound);
    Show(look_.angryImage, "Start");
    SetState(kAngryStarting);
}

void clsClient::PlayTakeItem() {
    Show("take_item", "DoAnim");
    SetState(kTakingItems);
}

void clsClient::Hook6() {
    PlaySound(look_.leaveSound);
    ShowLeaving();
}

void clsClient::ShowLeaving() {
    Show(moneyTotal_ > 0 ? "disappear" : "disappear_angry", "DoAnim");
    SetState(kLeaving);
}

void clsClient::WalkIn() {
    PlaySound(look_.appearSound);
    Show("appear", "appear");
    TVec2 place = GetPosition();
    SetPosition(place.x - 100.0f, place.y);
    WalkTo(place);
    SetState(kWalkingIn);
}

void clsClient::OnWalkEnded() {
    if (GetState() == kWalkingIn) {
        GetBody()->Play("DoAnim");
        SetState(kAppearing);
    } else if (GetState() == kLeaving) {
        OnMoveEnded();
    }
}

void clsClient::JumpAwayAtFrame(int paidFrame, int angryFrame, TVec2 offset) {
    if (GetState() != kLeaving || GetBody()->GetVelocity() != TVec2()) return;
    int jumpFrame = moneyTotal_ > 0 ? paidFrame : angryFrame;
    if (GetBody()->GetAnimation().GetCurrentFrame() < jumpFrame) return;
    WalkTo(GetPosition() + offset);
    hold_ = true;
}

void clsClient::OnMoveEnded() {
    switch (GetState()) {
        case kAppearing:
            EnterWaitingForAttention();
            break;
        case kAngryStarting:
            GetBody()->Play("Loop");
            SetState(kAngryLooping);
            break;
        case kCalmingDown:
            RefreshAnimation();
            break;
        case kTakingItems:
            PayForItems();
            break;
        case kLeaving:
            SetState(kGone);
            break;
        default:
            break;
    }
}

// ---- frame ---------------------------------------------------------------------------------

void clsClient::Update(float dt) {
    clsActor::Update(dt);
    requestBubble_->Update(dt);
    thoughtBubble_->Update(dt);
    for (auto request = requests_.rbegin(); request != requests_.rend(); ++request) (*request)->GetSprite()->Update(dt);
    UpdateThinking(dt);
    UpdateIdle(dt);
    UpdatePatience(dt);
}

void clsClient::UpdateThinking(float dt) {
    if (serviceState_ != kThinking) return;
    thinkSeconds_ += dt;
    if (thinkSeconds_ >= Type().secsToThink) EnterWaitingForItems();
}

// The stand animations take turns, each change waiting for the end of the current loop.
void clsClient::UpdateIdle(float dt) {
    if (GetState() != kStanding) return;
    idleSeconds_ -= dt;
    if (idleSeconds_ > 0.0f) return;
    TAnimatedSprite& animation = GetBody()->GetAnimation();
    if (animation.GetCurrentFrame() < animation.GetFrameCount() - 1) {
        idleSeconds_ = 0.0f;
        return;
    }
    idleSeconds_ = DrawIdleSeconds();
    if (nextIdle_ == kSecondStandNext)
        PlayStand2();
    else if (nextIdle_ == kFirstStandNext)
        RefreshAnimation();
}

void clsClient::UpdatePatience(float dt) {
    if (!patienceBar_) return;
    patienceBar_->Update(dt);
    if (patienceBar_->GetState() == clsStatusBar::kFinished) {
        EnterLost();
    } else if (patienceBar_->GetState() == clsStatusBar::kRunning &&
               moodLevel_ >= static_cast<int>(PatiencePoints() + 1.0f)) {
        --moodLevel_;
        PlayAngry();
    }
}

void clsClient::Draw() {
    clsActor::Draw();
    requestBubble_->Draw();
    thoughtBubble_->Draw();
    for (auto request = requests_.rbegin(); request != requests_.rend(); ++request) (*request)->GetSprite()->Draw();
    if (patienceBar_) patienceBar_->Draw();
}

// ---- preload lists -------------------------------------------------------------------------

void clsClient::PreloadClientAnims(iGameAssets& assets) {
    clsActor::PreloadShadow(assets);
    for (const char* sound : {kRequestSound, kRefuseSound, kApprovalSound}) assets.AddPreloadSound(sound);
    assets.AddPreloadAnim(kRequestBubble);
    assets.AddPreloadAnim(kThoughtBubble);
    for (const char* sound : {kAngrySound, kLostSound}) assets.AddPreloadSound(sound);
    for (int frame = 0; frame < kPatienceBarFrames; ++frame) assets.AddPreloadAnim(PatienceBarImage(frame));
}

void PreloadCustomerLook(iGameAssets& assets, const CustomerLook& look) {
    clsClient::PreloadClientAnims(assets);
    for (const char* const* image = look.preloadImages; *image; ++image)
        assets.AddPreloadAnim(TString(look.imagePrefix) + *image);
    for (const char* const* sound = look.preloadSounds; *sound; ++sound) assets.AddPreloadSound(*sound);
}
