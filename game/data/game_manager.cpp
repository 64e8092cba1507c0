#include "game/data/game_manager.h"

#include <algorithm>

#include "engine/core/app/application.h"
#include "engine/core/app/game_state.h"
#include "engine/core/base/log.h"
#include "engine/core/prefs/prefs_db.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"

namespace {

constexpr int kGlobals = -1;
constexpr int kNoPlayer = -1;
constexpr int kDefaultLevel = 750;  // volume × 1000
constexpr int kDisplayWidth = 800;
constexpr int kDisplayHeight = 600;

const char kCurrentUser[] = "curuser";
const char kFullScreen[] = "fullscreen";
const char kName[] = "name";
const char kSoundLevel[] = "soundlevel";
const char kMusicLevel[] = "musiclevel";
const char kSoundOff[] = "soundoff";
const char kProgress[] = "dtMagicGame";

GameManager*& Singleton() {
    static GameManager* manager = nullptr;
    return manager;
}

}  // namespace

GameManager* GameManager::Create(const GameManagerLinks& links) {
    Destroy();
    Singleton() = new GameManager(links);
    return Singleton();
}

void GameManager::Destroy() {
    delete Singleton();
    Singleton() = nullptr;
}

GameManager* GameManager::Get() { return Singleton(); }

GameManager::GameManager(const GameManagerLinks& links)
    : gameData_(std::make_unique<dtMagicGame>("config.xml")), links_(links) {
    gameData_->LoadTables();
    if (links.scripts) RegisterScriptFunctions(links.scripts);
    store_ = std::make_unique<TPrefsDB>(true);
    // A stale current player (a row deleted meanwhile) stays stored, and its settings are not applied.
    int current = GetCurrentUserIndex();
    if (current < GetNumUsers()) SetCurrentUserRow(current);
}

GameManager::~GameManager() = default;

int GameManager::CurrentPlayerRow() {
    int current = GetCurrentUserIndex();
    return current >= 0 && current < GetNumUsers() ? current : kNoPlayer;
}

int GameManager::GetPlayerInt(int row, const char* key, int fallback) {
    return row == kNoPlayer ? fallback : store_->GetInt(key, fallback, row);
}

void GameManager::SetCurrentUserRow(int row) {
    store_->SetInt(kCurrentUser, row, kGlobals, true);
    if (row >= 0) ApplyUserSettings();
}

SavedLevelRecord& GameManager::GetCurrentSavedLevel() {
    UserRecord* record = GetUserRecord();
    return record->savedLevels.at(static_cast<size_t>(record->selectedLevel));
}

void GameManager::SaveUserProgress() {
    UserRecord* record = GetUserRecord();
    int row = CurrentPlayerRow();
    if (!record || row == kNoPlayer) return;
    if (!refusedProgress_.IsEmpty() && store_->GetValue(kProgress, TString(), row) == refusedProgress_) {
        LogPrintf("[WARN] Progress of player %d not saved: its stored progress could not be read and is kept as it is",
                  row);
        return;
    }
    if (!store_->SetValue(kProgress, record->Format(), row, true)) {
        LogPrintf("[WARN] Progress of player %d not saved: the previous save is kept", row);
        return;
    }
    gameData_->SetNewUser(false);
}

int GameManager::GetCurrentUserIndex() { return store_->GetInt(kCurrentUser, kNoPlayer, kGlobals); }

TString GameManager::GetCurrentUserName() { return GetUserName(CurrentPlayerRow()); }

TString GameManager::GetUserName(int row) {
    return row < 0 ? TString() : store_->GetValue(kName, TString(), row);
}

bool GameManager::IsFullScreen() {
    TApplication* application = TApplication::Instance();
    return application && application->IsFullScreen();
}

void GameManager::StoreFullScreenSetting() { store_->SetInt(kFullScreen, IsFullScreen() ? 1 : 0, kGlobals, true); }

void GameManager::ApplyDisplaySettings() {
    bool full = store_->GetInt(kFullScreen, 1, kGlobals) == 1;
    if (TApplication* application = TApplication::Instance())
        application->SetDisplayMode(kDisplayWidth, kDisplayHeight, full ? 1 : 0);
    ApplyUserSettings();
}

void GameManager::ApplyUserSettings() {
    TSoundManager* sound = TSoundManager::Get();
    if (!sound) return;
    int row = CurrentPlayerRow();
    float effects = static_cast<float>(GetPlayerInt(row, kSoundLevel, kDefaultLevel)) / 1000.0f;
    float music = static_cast<float>(GetPlayerInt(row, kMusicLevel, kDefaultLevel)) / 1000.0f;
    sound->SetGroupVolume(kSoundGroupEffects, effects);
    sound->SetGroupVolume(kSoundGroupButtons, effects);
    sound->SetGroupVolume(kSoundGroupMusic, music);
    sound->SetVolume(GetPlayerInt(row, kSoundOff, 0) == 0 ? 1.0f : 0.0f);
}

bool GameManager::ToggleFullScreen() {
    TApplication* application = TApplication::Instance();
    if (!application || !application->SetFullScreen(!application->IsFullScreen())) return false;
    StoreFullScreenSetting();
    return true;
}

void GameManager::ToggleSoundMute() {
    int row = CurrentPlayerRow();
    int soundOff = (GetPlayerInt(row, kSoundOff, 0) + 1) % 2;
    TGameState* bridge = TGameState::GetInstance();
    if (bridge) bridge->SendEvent("mute", soundOff);
    if (row != kNoPlayer) store_->SetInt(kSoundOff, soundOff, row, true);
    bool muted = bridge ? bridge->QueryMuteGame() : soundOff != 0;
    if (TSoundManager* sound = TSoundManager::Get()) sound->SetVolume(muted ? 0.0f : 1.0f);
}

int GameManager::GetNumUsers() { return store_->GetUserCount(); }

void GameManager::CreateNewUser(const TString& name) {
    int current = CurrentPlayerRow();
    int soundLevel = GetPlayerInt(current, kSoundLevel, kDefaultLevel);
    int musicLevel = GetPlayerInt(current, kMusicLevel, kDefaultLevel);
    int soundOff = GetPlayerInt(current, kSoundOff, 0);
    // The row, its settings and the choice of it are one commit: an interrupted run leaves either
    // the complete player or none.
    int added = GetNumUsers();
    store_->SetValue(kName, name, added, false);
    store_->SetInt(kSoundLevel, soundLevel, added, false);
    store_->SetInt(kMusicLevel, musicLevel, added, false);
    store_->SetInt(kSoundOff, soundOff, added, false);
    bool created = added < GetNumUsers();
    if (created) store_->SetInt(kCurrentUser, added, kGlobals, false);
    if (!store_->Commit()) {
        LogPrintf("[WARN] Player \"%s\" not saved: the previous save is kept", name.CStr());
        return;
    }
    if (created) ApplyUserSettings();
}

void GameManager::SetCurrentUser(int row) {
    if (row < GetNumUsers()) SetCurrentUserRow(row);
}

void GameManager::ChangeCurrentUserName(const TString& name) {
    int row = CurrentPlayerRow();
    if (row != kNoPlayer) store_->SetValue(kName, name, row, true);
}

void GameManager::DeleteUser(int row) {
    store_->DeleteUser(row);
    int next = row - 1;
    if (next < 0) next = GetNumUsers() - 1;
    if (next < GetNumUsers()) SetCurrentUserRow(next);
}

bool GameManager::IsNameInUse(const TString& name) {
    for (int row = 0, count = GetNumUsers(); row < count; ++row) {
        if (GetUserName(row) == name) return true;
    }
    return false;
}

void GameManager::QuitToMainMenu() {
    if (!links_.screens) return;
    while (links_.screens->TopModalHasParent()) links_.screens->PopTopModal();
}

void GameManager::StartFadeOut(const TString& code, const TString& functionName) {
    if (links_.screens) links_.screens->StartTransition(code, functionName);
}

void GameManager::PlayMusic(const TString& name) {
    auto music = TSound::Get(name, false, kSoundGroupMusic);
    if (!music) return;
    music->Play(true);
    playingMusic_[name.CStr()] = music;
}

void GameManager::StopMusic(const TString& name) {
    auto held = playingMusic_.extract(name.CStr());
    auto music = held ? held.mapped() : TSound::Get(name, false, kSoundGroupMusic);
    if (music) music->Stop();
}

const std::vector<int>* GameManager::CurrentLevelPotions() {
    if (!links_.session) return nullptr;
    const LevelRecords& levels = GetGameTables().levels;
    int level = links_.session->GetCurrentLevel();
    return level >= 0 && level < levels.Count() ? &levels.At(level).potions : nullptr;
}

int GameManager::GetNumPotionsToShow() {
    const std::vector<int>* potions = CurrentLevelPotions();
    return potions ? static_cast<int>(potions->size()) : 0;
}

int GameManager::GetPotionToShow(int index) {
    const std::vector<int>* potions = CurrentLevelPotions();
    if (!potions || index < 0 || index >= static_cast<int>(potions->size())) {
        LogPrintf("[ERROR] GetPotionToShow: no potion %d in the current level", index);
        return 0;
    }
    return (*potions)[static_cast<size_t>(index)];
}

int GameManager::GetCurrentUserInt(const TString& key, int fallback) {
    int row = CurrentPlayerRow();
    return row == kNoPlayer ? fallback : store_->GetInt(key, fallback, row);
}

void GameManager::SetCurrentUserInt(const TString& key, int value) {
    int row = CurrentPlayerRow();
    if (row != kNoPlayer) store_->SetInt(key, value, row, true);
}

int GameManager::GetOptionInt(const char* key, int fallback) {
    return store_->GetInt(key, fallback, GetCurrentUserIndex());
}

bool GameManager::SetOptionInt(const char* key, int value) {
    int user = GetCurrentUserIndex();
    if (store_->SetInt(key, value, user, true)) return true;
    LogPrintf("[WARN] \"%s\" of player %d not saved: the previous value is kept", key, user);
    return false;
}

const SavedLevelRecord* GameManager::SavedLevelAt(int index, const char* caller) {
    UserRecord* record = GetUserRecord();
    if (!record || index < 0 || index >= static_cast<int>(record->savedLevels.size())) {
        LogPrintf("[ERROR] %s: no saved level %d", caller, index);
        return nullptr;
    }
    return &record->savedLevels[static_cast<size_t>(index)];
}

void GameManager::ContinueSavedLevel(int index) {
    const SavedLevelRecord* saved = SavedLevelAt(index, "ContinueSavedLevel");
    if (!saved) return;
    GetUserRecord()->selectedLevel = index;
    if (!links_.session) return;
    // The record after the last level is kept too; it replays the last level.
    int lastLevel = GetGameTables().levels.Count() - 1;
    links_.session->SetCurrentLevel(index <= lastLevel ? index : std::max(lastLevel, 0));
    links_.session->SetMoneyTotal(saved->startMoney);
    links_.session->SetCollapseDue(saved->collapseDue);
}

void GameManager::DeleteUserProgress() {
    gameData_->ResetUserRecord();
    if (links_.session) links_.session->SetCurrentLevel(0);
}

bool GameManager::IsNewUser() { return gameData_->IsNewUser(); }

int GameManager::GetNumberOfSavedLevels() {
    UserRecord* record = GetUserRecord();
    return record ? static_cast<int>(record->savedLevels.size()) : 0;
}

int GameManager::GetLevelStartMoney(int index) {
    const SavedLevelRecord* saved = SavedLevelAt(index, "GetLevelStartMoney");
    return saved ? saved->startMoney : 0;
}

int GameManager::GetLevelEarnedMoney(int index) {
    const SavedLevelRecord* saved = SavedLevelAt(index, "GetLevelEarnedMoney");
    return saved ? saved->earnedMoney : 0;
}

bool GameManager::GetLevelExpertMode(int index) {
    const SavedLevelRecord* saved = SavedLevelAt(index, "GetLevelExpertMode");
    return saved && saved->expert;
}

void GameManager::ChangeUserData() {
    int row = CurrentPlayerRow();
    TString text = row == kNoPlayer ? TString() : store_->GetValue(kProgress, TString(), row);
    gameData_->LoadUserRecord(text);
    bool refused = !text.IsEmpty() && gameData_->IsNewUser();
    refusedProgress_ = refused ? text : TString();
    if (refused)
        LogPrintf("[WARN] Player %d starts afresh: the stored progress cannot be read and is kept unchanged", row);
    if (links_.session) {
        links_.session->ResetSession();
        links_.session->ResetLevelCounters();
    }
}
