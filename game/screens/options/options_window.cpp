#include "game/screens/options/options_window.h"

#include <cmath>
#include <string>
#include <utility>

#include "engine/sound/sound_manager.h"
#include "engine/ui/button.h"
#include "engine/ui/message.h"
#include "engine/ui/slider.h"
#include "game/data/game_manager.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/shop/probe/game_probe.h"

namespace {

constexpr int kBorderSegments = 5;
constexpr int kBorderSegmentMs = 500;

const char kFullScreenBox[] = "fullscreen";
const char kMuteBox[] = "mutebox";
const char kEffectsSlider[] = "sfxlevelslider";
const char kMusicSlider[] = "musiclevelslider";

const char kSoundOff[] = "soundoff";
const char kEffectsLevel[] = "soundlevel";
const char kMusicLevel[] = "musiclevel";

// A setting of the current player; the fallback while there is no game manager.
int StoredSetting(const char* key, int fallback) {
    GameManager* manager = GameManager::Get();
    return manager ? manager->GetOptionInt(key, fallback) : fallback;
}

float StoredVolume(const char* key) {
    return static_cast<float>(StoredSetting(key, TOptions::kDefaultLevel)) / 1000.0f;
}

std::string PlayedVolume(int group) {
    TSoundManager* sound = TSoundManager::Get();
    return std::to_string(sound ? static_cast<int>(std::lround(sound->GetVolume(group) * 1000.0f)) : 0);
}

}  // namespace

TWindow* TOptions::Create() { return new TOptions(); }

TClassId TOptions::ClassId() { return reinterpret_cast<TClassId>(&TOptions::Create); }

TOptions::TOptions() : clsPanelDialog(kOutlineA, kBorderSegments, kBorderSegmentMs) {
    functions_.Bind("SaveVolumes", this, &TOptions::SaveVolumes);
    AddProbeFields();
}

TOptions::~TOptions() {
    functions_.Unbind();
    GameProbe::Get().RemoveOwner(this);
}

void TOptions::AddProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "options", [this] { return std::string(atRest_ ? "rest" : "opening"); });
    probe.Add(this, "sfxvolume", [] { return PlayedVolume(kSoundGroupEffects); });
    probe.Add(this, "musicvolume", [] { return PlayedVolume(kSoundGroupMusic); });
}

TSlider* TOptions::FindSlider(const char* name) {
    TWindow* found = FindChild(name);
    return found && found->IsKindOf(TSlider::ClassId()) ? static_cast<TSlider*>(found) : nullptr;
}

void TOptions::PostCreate(TWindowStyle& style) {
    ShowStoredSettings();
    clsPanelDialog::PostCreate(style);
}

void TOptions::ShowStoredSettings() {
    GameManager* manager = GameManager::Get();
    if (TButton* box = WindowCastToTButton(FindChild(kFullScreenBox)))
        box->SetToggleState(manager && manager->IsFullScreen());
    if (TButton* box = WindowCastToTButton(FindChild(kMuteBox))) box->SetToggleState(StoredSetting(kSoundOff, 0) == 1);
    // Not silent: each slider tells the dialog, which applies the volume.
    if (TSlider* slider = FindSlider(kEffectsSlider)) slider->SetValue(StoredVolume(kEffectsLevel), false);
    if (TSlider* slider = FindSlider(kMusicSlider)) slider->SetValue(StoredVolume(kMusicLevel), false);
}

void TOptions::PlaceAtRest() {
    clsPanelDialog::PlaceAtRest();
    atRest_ = true;
}

bool TOptions::OnMessage(TMessage* message) {
    if (message->GetType() != kSliderValChanged) return false;
    const TString& name = message->GetName();
    TSoundManager* sound = TSoundManager::Get();
    if (name == kEffectsSlider) {
        TSlider* slider = FindSlider(kEffectsSlider);
        if (!slider) return false;
        if (sound) sound->SetGroupVolume(kSoundGroupEffects, slider->GetValue());
        if (sound) sound->SetGroupVolume(kSoundGroupButtons, slider->GetValue());
        return true;
    }
    if (name == kMusicSlider) {
        TSlider* slider = FindSlider(kMusicSlider);
        if (!slider) return false;
        if (sound) sound->SetGroupVolume(kSoundGroupMusic, slider->GetValue());
        return true;
    }
    return false;
}

void TOptions::SaveVolumes() {
    GameManager* manager = GameManager::Get();
    if (!manager) return;
    for (auto [sliderName, key] : {std::pair{kEffectsSlider, kEffectsLevel}, std::pair{kMusicSlider, kMusicLevel}}) {
        if (TSlider* slider = FindSlider(sliderName))
            manager->SetOptionInt(key, static_cast<int>(slider->GetValue() * 1000.0f));
    }
}
