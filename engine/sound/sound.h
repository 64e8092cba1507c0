// TSound: the asset the game asks for by file name. It owns the decoded-sound source through its
// TSoundData and starts any number of simultaneous playbacks, each a TSoundInstance bound to one
// stream. Sounds are cached by the asset manager under "name;preload;group".
#pragma once

#include <memory>
#include <set>

#include "engine/core/files/asset.h"
#include "engine/sound/sound_stream.h"

class TSound;

class TSoundInstance : public std::enable_shared_from_this<TSoundInstance> {
public:
    TSoundInstance(TSoundStream* stream, std::weak_ptr<TSound> sound)
        : stream_(stream), sound_(std::move(sound)) {}
    virtual ~TSoundInstance() = default;

    // The stream that plays this instance; null once the stream is gone.
    TSoundStream* GetStream() const { return stream_; }
    void ClearStream() { stream_ = nullptr; }
    std::shared_ptr<TSound> GetSound() const { return sound_.lock(); }

private:
    TSoundStream* stream_;
    std::weak_ptr<TSound> sound_;
};

class TSoundData : public TStreamNotify {
public:
    // A stream of this sound was destroyed: its instance ends.
    void Notify(TSoundStream* stream) override;

    std::set<std::shared_ptr<TSoundInstance>, std::owner_less<std::shared_ptr<TSoundInstance>>> instances;
    std::shared_ptr<TSoundDataSource> source;
    int group = 0;
    TString name;
    TSound* sound = nullptr;  // the owner; cleared when it dies
};

class TSound : public TAsset {
    ALEMBRIA_ASSET_CLASS(TSound, TAsset)

public:
    TSound();
    ~TSound() override;

    // The sound of a file, found or created. "?group=N" after the name chooses the group; the
    // name is always cut at its first '?'. Empty (and logged) when no sound file resolves.
    static std::shared_ptr<TSound> Get(TString name, bool preload, int group);

    // Starts a playback; empty when the sound has no source or there is no sound manager.
    std::shared_ptr<TSoundInstance> Play(bool loop);
    // Stops and forgets every instance; true when any was stopped.
    bool Stop();
    bool StopInstance(const std::shared_ptr<TSoundInstance>& instance);
    // Pauses or resumes every instance; true when there was any.
    bool Pause(bool pause);

    const std::shared_ptr<TSoundData>& GetData() const { return data_; }

private:
    std::shared_ptr<TSoundData> data_;
};

// The key under which the asset map files a sound it loads: "name;0;group", the group taken from
// "group=" in options (0 without).
TString BuildGroupedAssetKey(const TString& name, const TString& options);

// Lets the asset map load ".ogg" and ".spx" names as sounds.
void RegisterSoundAssetKinds();
