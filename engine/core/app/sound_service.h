// What the application core asks of the sound manager. The sound code supplies the real manager
// through SetSoundServices; until then (and in tests) a null manager answers.
#pragma once

#include <memory>

class ISoundManager {
public:
    virtual ~ISoundManager() = default;

    // Starts the sound device and its service thread; false when there is no sound.
    virtual bool Init() { return false; }
    // Idle-time service from the message pump (main thread).
    virtual void NotifyStreams() {}
    // Sound on when the main window becomes active, off when it becomes inactive.
    virtual void EnableSound(bool on) {}
    // The master volume times the group's volume (the master alone when the group has none).
    virtual float GetVolume(int group) const { return 1.0f; }
    virtual void SetVolume(float volume) {}
};

struct SoundServices {
    std::unique_ptr<ISoundManager> (*createManager)() = nullptr;
    // Registers the Ogg Vorbis data source (end of start-up).
    void (*registerOggDataSource)() = nullptr;
};

void SetSoundServices(const SoundServices& services);
// The installed manager, or the null manager when none is installed.
std::unique_ptr<ISoundManager> CreateSoundManager();
void RegisterOggDataSource();
