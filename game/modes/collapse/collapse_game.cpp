#include "game/modes/collapse/collapse_game.h"

#include <algorithm>
#include <string>

#include "engine/core/base/clock.h"
#include "engine/core/base/log.h"
#include "engine/graphics/renderer.h"
#include "engine/scripthost/lua_literal.h"
#include "engine/sound/sound.h"
#include "engine/ui/text.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"
#include "game/data/game_manager.h"
#include "game/data/saved_progress.h"
#include "game/modes/collapse/collapse_board.h"
#include "game/modes/collapse/collapse_feeder.h"
#include "game/modes/collapse/collapse_moves.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/scene/scene_session.h"
#include "game/shop/session/game_session.h"

namespace {

const TVec2 kBoardOrigin{58.0f, 34.0f};
constexpr int kCollapseEvery = 3;  // levels
constexpr int kMusicGroup = 1001;

// The decorations: what they show and where.
constexpr char kArrowTexture[] = "anim/collapse/anim_arrow";
constexpr char kBorderTexture[] = "anim/collapse/anim_border";
constexpr char kPotionPanelTexture[] = "anim/collapse/panel_potions";
constexpr char kCharacterStand[] = "anim/collapse/character_stand";
constexpr char kCharacterWin[] = "anim/collapse/character_win";
constexpr char kCharacterLose[] = "anim/collapse/character_lose";
const TVec2 kToRightArrowPlace{35.0f, 559.0f};
const TVec2 kToLeftArrowPlace{443.0f, 559.0f};
const TVec2 kBorderPlace{240.0f, 555.0f};
const TVec2 kPotionPanelPlace{562.0f, 353.0f};
const TVec2 kCharacterPlace{683.0f, 407.0f};

constexpr const char* kScreenPictures[] = {kArrowTexture,   kBorderTexture, kCharacterLose,
                                           kCharacterStand, kCharacterWin,  kPotionPanelTexture};
constexpr const char* kSounds[] = {"audio/sfx/collapse-bomb", "audio/sfx/collapse-emptyscreen",
                                   "audio/sfx/collapse-extreme", "audio/sfx/collapse-points",
                                   "audio/sfx/collapse-potcomplete"};
constexpr const char* kBottlePictures[] = {
    "anim/full",          "anim/collapse/anim_potion_purple", "anim/collapse/anim_potion_red",
    "anim/collapse/anim_potion_yellow", "anim/collapse/anim_potion_green", "fx/collapse/bottle/red",
    "fx/collapse/bottle/green", "fx/collapse/bottle/purple", "fx/collapse/bottle/yellow"};
constexpr const char* kPiecePictures[] = {"anim/collapse/collapsepieces", "fx/collapse/pieces/red",
                                          "fx/collapse/pieces/green",     "fx/collapse/pieces/purple",
                                          "fx/collapse/pieces/yellow",    "anim/collapse/item_arrows"};

const char* const kStateNames[] = {"none", "waitstart", "waitafterpush", "feeding", "over"};

std::unique_ptr<clsAnimatedSprite> MakeDecoration(clsGameInterface* scene, const char* texture, const TVec2& at,
                                                  const char* action) {
    auto sprite = std::make_unique<clsAnimatedSprite>(scene);
    sprite->SetTexture(scene->GetAssets().GetTexture(texture));
    sprite->SetPositionV(at);
    if (action) sprite->Play(action);
    sprite->Update(0.0f);
    return sprite;
}

// The saved level being played; null without a player.
SavedLevelRecord* CurrentSavedLevel() {
    GameManager* manager = GameManager::Get();
    UserRecord* record = manager ? manager->GetUserRecord() : nullptr;
    if (!record || record->selectedLevel < 0 || record->selectedLevel >= static_cast<int>(record->savedLevels.size()))
        return nullptr;
    return &record->savedLevels[record->selectedLevel];
}

}  // namespace

TWindow* clsCollapseGame::Create() {
    return new clsCollapseGame;
}

TClassId clsCollapseGame::ClassId() {
    return reinterpret_cast<TClassId>(&clsCollapseGame::Create);
}

clsCollapseGame::clsCollapseGame() {
    SetClassFlags(kWindowFocusable, true);
    if (auto music = TSound::Get(kMusic, false, kMusicGroup)) {
        music->Play(true);
        SetMusic(std::move(music));
    }
    LevelFlow& flow = GetLevelFlow();
    flow.collapseLevel = CollapseLevelFor(flow.currentLevel, GetGameTables().collapseLevelCount);
}

clsCollapseGame::~clsCollapseGame() {
    GameProbe::Get().RemoveOwner(this);
    moves_.reset();
    board_.reset();
    feeder_.reset();
    DeleteReleasedObjects();
}

int clsCollapseGame::CollapseLevelFor(int levelIndex, int collapseLevelCount) {
    int index = levelIndex / kCollapseEvery - 1;
    int kept = std::clamp(index, 0, std::max(collapseLevelCount - 1, 0));
    if (kept != index)
        LogPrintf("[WARN] Level %d has no collapse level %d of %d; collapse level %d is played", levelIndex, index,
                  collapseLevelCount, kept);
    return kept;
}

void clsCollapseGame::Init(TWindowStyle& style) {
    clsGameInterface::Init(style);
    LoadMissingAssets();
    const auto& levels = GetGameTables().collapseLevels;
    int index = GetLevelFlow().collapseLevel;
    if (index >= 0 && index < static_cast<int>(levels.size())) {
        level_ = levels[index];
    } else {
        LogPrintf("[WARN] The game data holds no collapse level %d; the board plays without bottles", index);
    }
    level_.colors = std::min(level_.colors, kCollapseColors);
    startWaitSeconds_ = level_.initDelay;
    // No break between pushes when the level gives none.
    pushWaitSeconds_ = level_.timeBreak > 0.0f ? 1.0f / level_.timeBreak : 0.0f;
    board_ = std::make_unique<CollapseBoard>(kBoardOrigin.x, kBoardOrigin.y);
    feeder_ = std::make_unique<CollapseFeeder>(level_, this);
    moves_ = std::make_unique<CollapseMoves>(*board_, bottles_, this);
    feeder_->Fill(*board_);
    board_->Update(0.0f);
    BuildDecorations();
    bottles_.SetUp(level_, GetGameTables().charms);
    state_ = kWaitStart;
    lastMs_ = GetClock() ? GetClock()->GetTime() : 0;
    StartAnim(16, true, true);
    AddProbeFields();
}

// A game opened without the loading screen before it loads its pictures and sounds here.
void clsCollapseGame::LoadMissingAssets() {
    clsGameSession* session = clsGameSession::Existing();
    if (!session || session->GetTexture(clsCollapseItem::kSheet)) return;
    PreloadCollapseGameAssets(*session);
    while (session->LoadPendingAssets()) {
    }
}

void clsCollapseGame::BuildDecorations() {
    rightArrow_ = MakeDecoration(this, kArrowTexture, kToRightArrowPlace, "toRight");
    leftArrow_ = MakeDecoration(this, kArrowTexture, kToLeftArrowPlace, "toLeft");
    border_ = MakeDecoration(this, kBorderTexture, kBorderPlace, "DoAnim");
    potionPanel_ = std::make_unique<clsSprite>(this);
    potionPanel_->SetTexture(GetAssets().GetTexture(kPotionPanelTexture));
    potionPanel_->SetPositionV(kPotionPanelPlace);
    potionPanel_->Update(0.0f);
    character_ = MakeDecoration(this, kCharacterStand, kCharacterPlace, "DoAnim");
}

void clsCollapseGame::PostCreate(TWindowStyle& style) {
    clsGameInterface::PostCreate(style);
    scoreText_ = dynamic_cast<TText*>(FindChild("txtScore"));
    levelText_ = dynamic_cast<TText*>(FindChild("txtLevel"));
    if (scoreText_) OnMoneyChanged();
    if (levelText_) levelText_->SetText(TString::Format("%d", GetLevelFlow().collapseLevel + 1));
}

void clsCollapseGame::OnMoneyChanged() {
    if (scoreText_) scoreText_->SetText(TString::Format("%d", GetMoney()));
}

void clsCollapseGame::Draw() {
    if (!board_) return;
    TRenderer* renderer = TRenderer::Get();
    bool began = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    character_->Draw();
    potionPanel_->Draw();
    board_->Draw();
    bottles_.Draw();
    rightArrow_->Draw();
    leftArrow_->Draw();
    border_->Draw();
    if (began) renderer->End2d();
}

bool clsCollapseGame::OnAnimate() {
    clsGameInterface::OnAnimate();
    GetSceneSession().currentScene = this;
    uint32_t now = GetClock() ? GetClock()->GetTime() : lastMs_;
    float dt = static_cast<float>(now - lastMs_) / 1000.0f;  // unsigned: a wrapped clock still steps forward
    lastMs_ = now;
    Step(dt);
    return true;
}

void clsCollapseGame::Step(float dt) {
    if (!board_) return;
    waitedSeconds_ += dt;
    switch (state_) {
        case kWaitStart:
            if (waitedSeconds_ >= startWaitSeconds_) EnterFeeding();
            break;
        case kWaitAfterPush:
            if (waitedSeconds_ >= pushWaitSeconds_) EnterFeeding();
            break;
        case kFeeding:
            if (waitedSeconds_ >= kFeedSeconds) {
                waitedSeconds_ = 0.0f;
                Feed();
            }
            break;
        default:
            waitedSeconds_ = 0.0f;
            break;
    }
    board_->Update(dt);
    std::vector<clsCollapseItem*> arrived = moves_->TakeArrived();
    for (clsCollapseItem* piece : arrived) bottles_.OnPieceArrived(*piece);
    if (!arrived.empty()) board_->Settle();
    BottlesFull(bottles_.Update(dt));
    rightArrow_->Update(dt);
    leftArrow_->Update(dt);
    border_->Update(dt);
    character_->Update(dt);
    potionPanel_->Update(dt);
    DeleteReleasedObjects();
}

void clsCollapseGame::EnterFeeding() {
    state_ = kFeeding;
    waitedSeconds_ = 0.0f;
}

void clsCollapseGame::Feed() {
    switch (feeder_->Feed(*board_)) {
        case CollapseFeeder::kPushedUp:
            state_ = kWaitAfterPush;
            break;
        case CollapseFeeder::kOverflow:
            EndLevel(false);
            break;
        default:
            break;
    }
}

// The first full bottle wins its own charm; later reports, and any after the end, change nothing.
void clsCollapseGame::BottlesFull(const std::vector<const clsBottleItem*>& full) {
    if (full.empty() || state_ == kOver) return;
    wonCharm_ = full.front()->GetCharmIndex();
    if (SavedLevelRecord* saved = CurrentSavedLevel()) saved->charmBits = 1 << wonCharm_;
    EndLevel(true);
}

bool clsCollapseGame::OnMouseDown(TPoint point) {
    if (state_ == kOver || !board_) return false;
    int row = 0, column = 0;
    if (board_->CellAt(point.x, point.y, row, column)) {
        clsCollapseItem* piece = board_->Get(row, column);
        if (piece && piece->IsFree()) moves_->Click(piece);
    }
    return true;
}

void clsCollapseGame::EndLevel(bool won) {
    if (state_ == kOver) return;
    clsGameInterface::EndLevel(won);
    state_ = kOver;
    if (clsGameSession* session = clsGameSession::Existing()) session->ClearCollapseFlag();
    if (GetLevelFlow().collapseLevel >= GetGameTables().collapseLevelCount) GetLevelFlow().collapseLevel = 0;
    TString charm;
    SavedLevelRecord* saved = CurrentSavedLevel();
    if (won) {
        character_->SetTexture(GetAssets().GetTexture(kCharacterWin));
        charm = GetGameTables().charms[wonCharm_].id;
        if (saved) saved->collapseDue = false;
        if (GameManager* manager = GameManager::Get()) manager->SaveUserProgress();
    } else {
        character_->SetTexture(GetAssets().GetTexture(kCharacterLose));
        if (saved) saved->charmBits = 0;
    }
    character_->Play("DoAnim");
    TWindowManager* manager = TWindowManager::Get();
    if (IWindowScript* script = manager ? manager->GetScript() : nullptr)
        script->DoLuaString(TString::Format("playEndCollapse(%s)", LuaStringLiteral(charm).CStr()));
}

void clsCollapseGame::PreloadCollapseGameAssets(iGameAssets& assets) {
    for (const char* name : kScreenPictures) assets.AddPreloadAnim(name);
    for (const char* name : kSounds) assets.AddPreloadSound(name);
    for (const char* name : kBottlePictures) assets.AddPreloadAnim(name);
    for (const char* name : kPiecePictures) assets.AddPreloadAnim(name);
}

std::string clsCollapseGame::BottleCounts() const {
    std::string counts;
    for (const auto& bottle : bottles_.GetShown()) {
        if (!counts.empty()) counts += ',';
        counts += bottle->GetCountText().CStr();
    }
    return counts;
}

void clsCollapseGame::AddProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "collapse_state", [this] { return std::string(kStateNames[state_]); });
    probe.Add(this, "collapse_score", [this] { return std::string(scoreText_ ? scoreText_->GetText().CStr() : ""); });
    probe.Add(this, "bottles", [this] { return BottleCounts(); });
    probe.Add(this, "board", [this] { return board_->Picture(); });
    probe.Add(this, "charm_bits", [] {
        SavedLevelRecord* saved = CurrentSavedLevel();
        return saved ? std::to_string(saved->charmBits) : std::string("none");
    });
}
