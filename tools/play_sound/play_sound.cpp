// play-sound <file>... [--loop]: plays sounds through the sound system, one after another, each
// to its end (with --loop, a single sound until interrupted). A file is an Ogg Vorbis file, a
// name without extension (".ogg" is tried, as the game does), or a sound description (.snd),
// rendered by the synthesiser first. Silent with SDL's dummy audio driver.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"
#include "platform/clock/clock.h"
#include "tools/synth/synth.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

int Usage() {
    std::fprintf(stderr, "usage: play-sound <file>... [--loop]   (--loop takes a single file)\n");
    return 2;
}

// The name the sound system opens the file by, empty when it cannot be made. A description is
// rendered into memory (kept in rendered) under its own name with ".ogg".
TString SoundNameOf(const char* argument, std::vector<std::vector<uint8_t>>& rendered) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(argument, error);
    if (path.extension() != ".snd") {
        SetStartupFolder(path.parent_path().c_str());
        return TString("::") + path.filename().c_str();
    }
    try {
        rendered.push_back(synth::RenderDescriptionFile(argument));
    } catch (const synth::SynthError& failure) {
        std::fprintf(stderr, "play-sound: %s\n", failure.what());
        return TString();
    }
    TString name = TString("rendered/") + path.stem().c_str() + ".ogg";
    RegisterMemoryFile(name, rendered.back().data(), rendered.back().size());
    return name;
}

// Plays one sound to its end (or, looping, until interrupted); false when it cannot be played.
bool PlaySound(const char* argument, bool loop, std::vector<std::vector<uint8_t>>& rendered) {
    TString name = SoundNameOf(argument, rendered);
    std::shared_ptr<TSound> sound = name.IsEmpty() ? nullptr : TSound::Get(name, false, kSoundGroupMusic);
    if (!sound) {
        std::fprintf(stderr, "play-sound: cannot play %s\n", argument);
        return false;
    }
    std::printf("%s: %.2f s, %u Hz, %u channel(s)%s\n", argument, sound->GetData()->source->GetDuration(),
                sound->GetData()->source->GetSampleRate(), sound->GetData()->source->GetChannels(),
                loop ? ", looping (Ctrl-C stops)" : "");
    std::fflush(stdout);
    std::shared_ptr<TSoundInstance> instance = sound->Play(loop);
    while (instance && instance->GetStream() != nullptr && !g_interrupted) {
        TSoundManager::Get()->NotifyStreams();
        platform::SleepMs(50);
    }
    sound->Stop();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> files;
    bool loop = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--loop") == 0)
            loop = true;
        else
            files.push_back(argv[i]);
    }
    if (files.empty() || (loop && files.size() > 1))
        return Usage();

    TSoundManager manager;
    if (!manager.Init())
        std::fprintf(stderr, "play-sound: no sound device, playing silently\n");
    RegisterOggSourceBuilder();
    std::signal(SIGINT, OnInterrupt);
    std::vector<std::vector<uint8_t>> rendered;
    bool allPlayed = true;
    for (const char* file : files) {
        if (g_interrupted)
            break;
        allPlayed = PlaySound(file, loop, rendered) && allPlayed;
    }
    return allPlayed ? 0 : 1;
}
