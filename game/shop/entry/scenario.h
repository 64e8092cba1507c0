// Scenarios of headless runs: a player's actions and what the player waits to see, one step a line,
// run in order against the running game:
//
//     # brew the first potion
//     wait until scene = clsShopGame      the game's probe (GetGameProbe) shows the field so
//     lua onPotionSelected(0)             runs the text in the window script, as the game runs its own
//     click 462 470                       a mouse move to the point, a left press and a release there
//     right-click 300 300                 the same with the right button
//     move 578 200                        a mouse move alone (the hover)
//     drag 300 180 420 180                a left press at the first point, a move to the second
//                                         and the release there (a slider's knob)
//     key P                               a key press and release: a letter names its key, a number
//     key 27                              is the key code key events carry (27 Escape)
//     type O'Brien                        the text after one blank typed character by character
//     shot lost                           the frame as it stands, written beside the run's --shot
//                                         file with the name added ("day.png" → "day-lost.png")
//
// A wait compares the probe field with "=", "!=", "<", "<=", ">" or ">="; the ordering ones compare
// numbers, "=" and "!=" compare numbers as numbers and other values as text. A wait that is not met
// within kScenarioWaitMs of game time fails the run. Blank lines and lines starting with '#' are
// skipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kScenarioWaitMs = 60000;

enum class ProbeCompare { kEqual, kNotEqual, kLess, kLessOrEqual, kGreater, kGreaterOrEqual };

struct ScenarioStep {
    enum Kind { kWait, kMove, kClick, kRightClick, kDrag, kKey, kType, kLua, kShot };

    Kind kind = kWait;
    int line = 0;          // its line in the scenario file
    std::string text;      // the step as written, for messages
    std::string field;     // kWait: the probe field, the comparison and the value
    ProbeCompare compare = ProbeCompare::kEqual;
    std::string value;
    int32_t x = 0;         // the mouse steps' point
    int32_t y = 0;
    int32_t toX = 0;       // kDrag: where the release is
    int32_t toY = 0;
    int32_t key = 0;       // kKey: the key code
    std::string argument;  // kLua: the script text; kType: the text typed; kShot: the name
};

// False with error set ("<path>:<line>: expected ..." or why the file cannot be read).
bool ReadScenario(const std::string& path, std::vector<ScenarioStep>& steps, std::string& error);

// True when the probe line ("key=value key=value ...") has the wait's field and its value compares
// as the wait asks.
bool ProbeShows(const std::string& probeLine, const ScenarioStep& wait);
