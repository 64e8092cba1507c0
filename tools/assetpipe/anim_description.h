// The animation description (".anim"): which SVG to draw, the frame size and timing, the named
// actions over frame ranges, and per-element tracks of keyed values applied frame by frame.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace assetpipe {

struct AnimAction {
    std::string name;
    int first = 1;  // 1-based; first > last plays the range backwards
    int last = 1;
    bool loop = false;  // repeat the range until the sprite is stopped
};

// One keyed value: a frame and up to two numbers (x only for angles, opacity, uniform scale).
struct AnimKey {
    int frame = 1;
    double x = 0;
    double y = 0;
};

// Everything the tracks say about one SVG element.
struct ElementTracks {
    std::vector<AnimKey> rotate;     // degrees
    std::vector<AnimKey> translate;  // dx, dy
    std::vector<AnimKey> scale;      // sx, sy
    std::vector<AnimKey> opacity;
    std::optional<std::pair<double, double>> pivot;  // default: the centre of the element's box
    std::vector<bool> shown;  // empty: always shown; else one flag per frame (index 0 = frame 1)
};

// The state of one element on one frame.
struct ElementPose {
    double angle = 0;
    double dx = 0, dy = 0;
    double sx = 1, sy = 1;
    double opacity = 1;
    bool visible = true;
};

struct AnimDescription {
    std::string svg;  // relative to the description's folder
    int width = 0, height = 0;
    int frameTime = 60;
    int frameCount = 0;
    std::optional<std::pair<int, int>> origin;  // registration point in frame pixels; default the centre
    unsigned bleedSides = 0;                    // FrameSide bits the drawing may reach (see frame_border.h)
    std::vector<AnimAction> actions;            // never empty after a successful parse
    std::map<std::string, ElementTracks> elements;
};

// Parses a description; on failure returns false with "line N: what is wrong" in error.
bool ParseAnimDescription(const std::string& text, AnimDescription* description, std::string* error);

// The pose of element on frame (1-based): keys interpolated linearly, held before the first and
// after the last key.
ElementPose PoseAt(const ElementTracks& element, int frame);

// The animation script of the actions: one Lua function per action showing its frames in order.
std::string ActionScript(const AnimDescription& description);

}  // namespace assetpipe
