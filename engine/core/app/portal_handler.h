// The web-portal handler: turns the game's states into the host's text calls, such as
// "GameEnd(\"<gamedata></gamedata>\")", each posted to the host window as 8-byte messages
// (message 1024, bytes 0-3 and 4-7 of each group as little-endian words). The portal state is
// process-wide; without a host kind nothing is posted.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/app/game_state.h"
#include "platform/hostchannel/hostchannel.h"

class ISoundManager;

class TMsnZylomHandler : public TGameStateHandler {
public:
    enum Host : int { kMsn = 1, kZylom = 2 };
    static constexpr uint32_t kHostMessage = 1024; // WM_USER
    static constexpr uint32_t kBroadcastIntervalMs = 5000;

    // Set-up by the application ("-msn", "-zylom", "-pq="): the host kind starts the session.
    static void SetHost(int hostFlags);
    static void SetChannel(std::unique_ptr<platform::HostChannel> channel);
    // Asked before each call; while it answers false nothing is posted and the held-back flag is set.
    static void SetTrafficGate(bool (*allowed)());
    // The sound manager whose master volume "mute" saves and restores (default: the application's).
    static void SetSoundManager(ISoundManager* sound);
    static bool WasMessageHeldBack();
    // Forgets the whole portal state (end of the application; tests).
    static void ResetPortal();

    // Posts one call text (with its NUL) as messages to the host.
    static void PostCall(const TString& text);

    bool SetState(const TString& name, const TString& value) override;
    // "systemmode": 3 for an AOL host, 1 for MSN, 2 for Zylom; "restartbutton": the default.
    int GetState(const TString& name, int fallback) override;

private:
    static void SubmitScore();
};
