#include "game/screens/options/options_window.h"

#include <array>
#include <cmath>
#include <string>

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
const char kSoundOff[] = "soundoff";

// A volume slider, the player's setting it shows (the volume × 1000) and the sound groups it sets.
struct VolumeControl {
    const char* slider;
    const char* level;
    std::array<int, 2> groups;  // kNoGroup where there are fewer
};
constexpr int kNoGroup = -1;
constexpr VolumeControl kVolumeControls[] = {
    {"sfxlevelslider", "soundlevel", {kSoundGroupEffects, kSoundGroupButtons}},
    {"musiclevelslider", "musiclevel", {kSoundGroupMusic, kNoGroup}},
};

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
    for (const VolumeControl& control : kVolumeControls) {
        if (TSlider* slider = FindSlider(control.slider)) slider->SetValue(StoredVolume(control.level), false);
    }
}

void TOptions::PlaceAtRest() {
    clsPanelDialog::PlaceAtRest();
    atRest_ = true;
}

bool TOptions::OnMessage(TMessage* message) {
    if (message->GetType() != kSliderValChanged) return false;
    for (const VolumeControl& control : kVolumeControls) {
        TSlider* slider = message->GetName() == control.slider ? FindSlider(control.slider) : nullptr;
        if (!slider) continue;
        if (TSoundManager* sound = TSoundManager::Get()) {
            for (int group : control.groups)
                if (group != kNoGroup) sound->SetGroupVolume(group, slider->GetValue());
        }
        return true;
    }
    return false;
}

void TOptions::SaveVolumes() {
    GameManager* manager = GameManager::Get();
    if (!manager) return;
    for (const VolumeControl& control : kVolumeControls) {
        if (TSlider* slider = FindSlider(control.slider))
            manager->SetOptionInt(control.level, static_cast<int>(slider->GetValue() * 1000.0f));
    }
}
