#include "game/shop/entry/scenario_player.h"

#include <algorithm>
#include <utility>

#include "engine/core/base/tstring.h"

namespace {

constexpr int32_t kRightDown = 1;
constexpr int32_t kRightUp = 0;
// Key-up events carry the key code's 16-bit form.
constexpr int32_t kKeyUpMask = 0xFFFF;

TAppEvent Event(int32_t type, int32_t x = 0, int32_t y = 0, int32_t param = 0) {
    TAppEvent event;
    MakeAppEvent(event, type, x, y, param);
    return event;
}

// A character event for each code point of the UTF-8 text; a malformed sequence types nothing.
void TypeText(const std::string& text, ScenarioPlayer::Game& game) {
    for (size_t at = 0; at < text.size();) {
        uint32_t codepoint = TString::DecodeUtf8(text.c_str() + at);
        if (codepoint != 0) game.Input(Event(kEventUnicodeChar, 0, 0, static_cast<int32_t>(codepoint)));
        at += std::max(1, TString::Utf8SequenceLength(static_cast<unsigned char>(text[at])));
    }
}

}  // namespace

ScenarioPlayer::ScenarioPlayer(std::string path, std::vector<ScenarioStep> steps)
    : path_(std::move(path)), steps_(std::move(steps)) {}

ScenarioPlayer::Progress ScenarioPlayer::OnIdle(uint32_t nowMs, Game& game) {
    for (; next_ < steps_.size(); ++next_) {
        const ScenarioStep& step = steps_[next_];
        if (step.kind != ScenarioStep::kWait) return Act(step, game);
        if (!waiting_) waitStartMs_ = nowMs;
        waiting_ = true;
        std::string probe = game.ProbeLine();
        if (!ProbeShows(probe, step)) {
            if (nowMs - waitStartMs_ < kScenarioWaitMs) return Progress::kPlaying;
            return Fail(step, "not shown within " + std::to_string(kScenarioWaitMs / 1000) +
                                  " s of game time; probe: " + probe);
        }
        waiting_ = false;
    }
    return Progress::kDone;
}

// Waits the game shows as it quits are met; any other step left fails.
ScenarioPlayer::Progress ScenarioPlayer::OnQuit(Game& game) {
    for (; next_ < steps_.size(); ++next_) {
        const ScenarioStep& step = steps_[next_];
        std::string probe = game.ProbeLine();
        if (step.kind != ScenarioStep::kWait || !ProbeShows(probe, step))
            return Fail(step, "the game quit first; probe: " + probe);
    }
    return Progress::kDone;
}

ScenarioPlayer::Progress ScenarioPlayer::Fail(const ScenarioStep& step, const std::string& why) {
    failure_ = path_ + ":" + std::to_string(step.line) + ": " + step.text + ": " + why;
    next_ = steps_.size();
    return Progress::kFailed;
}

ScenarioPlayer::Progress ScenarioPlayer::Act(const ScenarioStep& step, Game& game) {
    if (step.kind == ScenarioStep::kLua && !game.RunLua(step.argument))
        return Fail(step, "the script failed (the log holds its error)");
    if (step.kind == ScenarioStep::kShot) game.Shot(step.argument);
    Press(step, game);
    ++next_;
    return Progress::kPlaying;
}

void ScenarioPlayer::Press(const ScenarioStep& step, Game& game) {
    switch (step.kind) {
    case ScenarioStep::kMove:
        game.Input(Event(kEventMouseMove, step.x, step.y));
        break;
    case ScenarioStep::kClick:
        game.Input(Event(kEventMouseMove, step.x, step.y));
        game.Input(Event(kEventLeftDown, step.x, step.y));
        game.Input(Event(kEventLeftUp, step.x, step.y));
        break;
    case ScenarioStep::kRightClick:
        game.Input(Event(kEventMouseMove, step.x, step.y));
        game.Input(Event(kEventOtherButton, step.x, step.y, kRightDown));
        game.Input(Event(kEventOtherButton, step.x, step.y, kRightUp));
        break;
    case ScenarioStep::kDrag:
        game.Input(Event(kEventMouseMove, step.x, step.y));
        game.Input(Event(kEventLeftDown, step.x, step.y));
        game.Input(Event(kEventMouseMove, step.toX, step.toY));
        game.Input(Event(kEventLeftUp, step.toX, step.toY));
        break;
    case ScenarioStep::kKey:
        game.Input(Event(kEventKeyDown, 0, 0, step.key));
        game.Input(Event(kEventKeyUp, 0, 0, step.key & kKeyUpMask));
        break;
    case ScenarioStep::kType:
        TypeText(step.argument, game);
        break;
    default:
        break;
    }
}
