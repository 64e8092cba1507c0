// ScenarioPlayer: plays a scenario (scenario.h) on the idle passes of a headless run. Each pass it
// runs the steps in a row up to the first wait the probe does not yet show, or through the first
// action (input or script text), so that the game takes in the action and draws a frame before the
// next step looks at the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/app/app_event.h"
#include "game/shop/entry/scenario.h"

class ScenarioPlayer {
public:
    // What a scenario plays on.
    class Game {
    public:
        virtual ~Game() = default;
        // The probe line, "key=value key=value ...".
        virtual std::string ProbeLine() = 0;
        // Queues the event for the message pump, as a player's input.
        virtual void Input(const TAppEvent& event) = 0;
        // Runs the text in the window script; false when it fails to load or run.
        virtual bool RunLua(const std::string& text) = 0;
        // Writes the frame the player sees, under the name.
        virtual void Shot(const std::string& name) = 0;
    };

    enum class Progress { kPlaying, kDone, kFailed };

    ScenarioPlayer(std::string path, std::vector<ScenarioStep> steps);

    // Plays on at game time nowMs (the test clock).
    Progress OnIdle(uint32_t nowMs, Game& game);
    // The game quits: a failure when steps are left but waits the game shows as it quits.
    Progress OnQuit(Game& game);
    // Why the scenario failed: where, the step, and what the game showed.
    const std::string& Failure() const { return failure_; }

private:
    // Runs an input or script step, which ends this pass.
    Progress Act(const ScenarioStep& step, Game& game);
    Progress Fail(const ScenarioStep& step, const std::string& why);
    static void Press(const ScenarioStep& step, Game& game);

    std::string path_;
    std::vector<ScenarioStep> steps_;
    size_t next_ = 0;
    bool waiting_ = false;
    uint32_t waitStartMs_ = 0;
    std::string failure_;
};
