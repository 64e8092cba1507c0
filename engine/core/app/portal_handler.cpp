#include "engine/core/app/portal_handler.h"

#include <cstdlib>
#include <cstring>

#include "engine/core/app/application.h"
#include "engine/core/app/sound_service.h"
#include "platform/clock/clock.h"

namespace {

struct PortalState {
    int host = 0;
    bool aol = false;
    bool sessionReady = false;
    bool paused = false;
    bool muted = false;
    float savedVolume = 1.0f;
    bool broadcastSent = false;
    uint32_t lastBroadcastMs = 0;
    uint32_t sessionStartMs = 0;
    int breakpoint = 0;
    bool heldBack = false;
    long lastScore = 0;
    bool hasLevel = false;
    int level = 0;
    int sublevel = 0;
    std::unique_ptr<platform::HostChannel> channel;
    bool (*trafficAllowed)() = nullptr;
    ISoundManager* sound = nullptr;
};

PortalState& Portal() {
    static PortalState state;
    return state;
}

long SessionSeconds() { return static_cast<long>((platform::TicksMs() - Portal().sessionStartMs) / 1000); }

ISoundManager* Sound() {
    if (Portal().sound) return Portal().sound;
    TApplication* application = TApplication::Instance();
    return application ? application->GetSoundManager() : nullptr;
}

uint32_t LittleEndianWord(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void PostLoading(int percent) {
    PortalState& portal = Portal();
    if (!(portal.host & TMsnZylomHandler::kMsn) || portal.sessionReady) return;
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    TMsnZylomHandler::PostCall(
        TString::Format("LoadBroadcast(\"<data><percentcomplete>%d</percentcomplete></data>\")", percent));
}

void SetPaused(bool paused) {
    PortalState& portal = Portal();
    if (paused == portal.paused) return;
    portal.paused = paused;
    if (portal.host & TMsnZylomHandler::kZylom)
        TMsnZylomHandler::PostCall(paused ? "GamePause(\"<data>true</data>\")" : "GamePause(\"<data>false</data>\")");
}

void SetMuted(bool muted) {
    PortalState& portal = Portal();
    if (muted == portal.muted) return;
    portal.muted = muted;
    ISoundManager* sound = Sound();
    if (!sound) return;
    if (muted) {
        portal.savedVolume = sound->GetVolume(-1);
        sound->SetVolume(0.0f);
    } else {
        sound->SetVolume(portal.savedVolume);
    }
}

void BroadcastScore(long score) {
    PortalState& portal = Portal();
    portal.lastScore = score;
    uint32_t now = platform::TicksMs();
    if (portal.broadcastSent && now - portal.lastBroadcastMs < TMsnZylomHandler::kBroadcastIntervalMs) return;
    portal.broadcastSent = true;
    portal.lastBroadcastMs = now;
    TMsnZylomHandler::PostCall(TString::Format(
        "ScoreBroadcast(\"<game><score>%ld</score><time>%ld</time></game>\")", score, SessionSeconds()));
}

}  // namespace

void TMsnZylomHandler::SetHost(int hostFlags) {
    Portal().host = hostFlags;
    Portal().sessionStartMs = platform::TicksMs();
}

void TMsnZylomHandler::SetChannel(std::unique_ptr<platform::HostChannel> channel) {
    Portal().channel = std::move(channel);
}

void TMsnZylomHandler::SetTrafficGate(bool (*allowed)()) { Portal().trafficAllowed = allowed; }
void TMsnZylomHandler::SetSoundManager(ISoundManager* sound) { Portal().sound = sound; }
bool TMsnZylomHandler::WasMessageHeldBack() { return Portal().heldBack; }
void TMsnZylomHandler::ResetPortal() { Portal() = PortalState(); }

void TMsnZylomHandler::PostCall(const TString& text) {
    PortalState& portal = Portal();
    if (!portal.host || !portal.channel) return;
    if (portal.trafficAllowed && !portal.trafficAllowed()) {
        portal.heldBack = true;
        return;
    }
    size_t length = text.Length() + 1; // with the NUL
    for (size_t at = 0; at < length; at += 8) {
        unsigned char group[8] = {};
        memcpy(group, text.CStr() + at, length - at < 8 ? length - at : 8);
        portal.channel->Post(kHostMessage, LittleEndianWord(group), LittleEndianWord(group + 4));
    }
}

void TMsnZylomHandler::SubmitScore() {
    const PortalState& portal = Portal();
    if (portal.hasLevel) {
        PostCall(TString::Format("ScoreSubmit(\"<game><score>%ld</score><time>%ld</time><level>%d</level>"
                                 "<sublevel>%d</sublevel></game>\")",
                                 portal.lastScore, SessionSeconds(), portal.level, portal.sublevel));
    } else {
        PostCall(TString::Format("ScoreSubmit(\"<game><score>%ld</score><time>%ld</time></game>\")", portal.lastScore,
                                 SessionSeconds()));
    }
}

bool TMsnZylomHandler::SetState(const TString& name, const TString& value) {
    PortalState& portal = Portal();
    if (name == "windowmessage") return false; // the window procedure's caller handles it
    if (name == "loadbroadcast") {
        PostLoading(100);
    } else if (name == "sessionready") {
        if (portal.sessionReady) return true;
        PostCall("SessionReady(\"<data></data>\")");
        portal.sessionReady = true;
    } else if (name == "cmdline") {
        if (value.Find(TString("-aol")) >= 0) portal.aol = true;
    } else if (name == "level") {
        portal.level = value.ToInt();
        portal.hasLevel = true;
    } else if (name == "sublevel") {
        portal.sublevel = value.ToInt();
    } else if (name == "pause") {
        SetPaused(value.ToInt() != 0);
    } else if (name == "mute") {
        SetMuted(value.ToInt() != 0);
    } else if (name == "breaknow") {
        PostCall(TString::Format("GameBreak(\"<data><breakpoint>%d</breakpoint></data>\")", portal.breakpoint));
        ++portal.breakpoint;
    } else if (name == "score") {
        BroadcastScore(atol(value.CStr()));
    } else if (name == "gamemode") {
        PostCall(TString::Format("GameReady(\"<data><mode>%s</mode></data>\")", value.CStr()));
    } else if (name == "gameover") {
        SubmitScore();
        PostCall("GameEnd(\"<gamedata></gamedata>\")");
    } else {
        return false;
    }
    return true;
}

int TMsnZylomHandler::GetState(const TString& name, int fallback) {
    const PortalState& portal = Portal();
    if (name == "systemmode") {
        if (portal.aol) return 3;
        if (portal.host & kMsn) return 1;
        if (portal.host & kZylom) return 2;
    }
    return fallback;
}
