// ScreenMusic: the music a screen plays while it exists, in the music group: started from its
// beginning (and looping) when the screen is made, stopped when it goes. A file that does not
// resolve is logged by the sound layer and plays nothing.
#pragma once

#include <memory>

class TSound;

class ScreenMusic {
public:
    explicit ScreenMusic(const char* file);
    ~ScreenMusic();
    ScreenMusic(const ScreenMusic&) = delete;
    ScreenMusic& operator=(const ScreenMusic&) = delete;

    bool IsPresent() const { return sound_ != nullptr; }

private:
    std::shared_ptr<TSound> sound_;
};
