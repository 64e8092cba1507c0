#include "game/screens/dialogs/screen_music.h"

#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"

ScreenMusic::ScreenMusic(const char* file) : sound_(TSound::Get(file, false, kSoundGroupMusic)) {
    if (!sound_) return;
    sound_->Stop();
    sound_->Play(true);
}

ScreenMusic::~ScreenMusic() {
    if (sound_) sound_->Stop();
}
