// play-sound <file> [--loop]: plays an Ogg Vorbis file through the sound system until it ends
// (with --loop, until interrupted). Silent with SDL's dummy audio driver.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"
#include "platform/clock/clock.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

int Usage() {
    std::fprintf(stderr, "usage: play-sound <file> [--loop]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3)
        return Usage();
    bool loop = argc == 3 && std::strcmp(argv[2], "--loop") == 0;
    if (argc == 3 && !loop)
        return Usage();

    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(argv[1], error);
    SetStartupFolder(path.parent_path().c_str());
    TString name = TString("::") + path.filename().c_str();

    TSoundManager manager;
    if (!manager.Init())
        std::fprintf(stderr, "play-sound: no sound device, playing silently\n");
    RegisterOggSourceBuilder();
    std::shared_ptr<TSound> sound = TSound::Get(name, false, kSoundGroupMusic);
    if (!sound) {
        std::fprintf(stderr, "play-sound: cannot play %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %.2f s, %u Hz, %u channel(s)%s\n", argv[1], sound->GetData()->source->GetDuration(),
                sound->GetData()->source->GetSampleRate(), sound->GetData()->source->GetChannels(),
                loop ? ", looping (Ctrl-C stops)" : "");
    std::signal(SIGINT, OnInterrupt);
    std::shared_ptr<TSoundInstance> instance = sound->Play(loop);
    while (instance && instance->GetStream() != nullptr && !g_interrupted) {
        manager.NotifyStreams();
        platform::SleepMs(50);
    }
    sound->Stop();
    return 0;
}
