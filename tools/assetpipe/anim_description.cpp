#include "tools/assetpipe/anim_description.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "tools/assetpipe/frame_border.h"

namespace assetpipe {

namespace {

class ParseError {
public:
    explicit ParseError(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::istringstream words(line.substr(0, line.find('#')));
    for (std::string word; words >> word;) tokens.push_back(word);
    return tokens;
}

double Number(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE) throw ParseError("'" + text + "' is not a number");
    return value;
}

int Integer(const std::string& text) {
    double value = Number(text);
    if (value != static_cast<int>(value)) throw ParseError("'" + text + "' is not a whole number");
    return static_cast<int>(value);
}

// "x" or "x,y"; a single number gives y = x when uniform, else y = 0.
std::pair<double, double> Pair(const std::string& text, bool uniform) {
    size_t comma = text.find(',');
    if (comma == std::string::npos) {
        double x = Number(text);
        return {x, uniform ? x : 0};
    }
    return {Number(text.substr(0, comma)), Number(text.substr(comma + 1))};
}

void NeedCount(const std::vector<std::string>& tokens, size_t count) {
    if (tokens.size() != count)
        throw ParseError("'" + tokens[0] + "' takes " + std::to_string(count - 1) + " values");
}

int FrameNumber(const std::string& text, int frameCount) {
    int frame = Integer(text);
    if (frameCount <= 0) throw ParseError("'frames' must come before actions and tracks");
    if (frame < 1 || frame > frameCount)
        throw ParseError("frame " + text + " is outside 1.." + std::to_string(frameCount));
    return frame;
}

std::vector<AnimKey> Keys(const std::vector<std::string>& tokens, int frameCount, bool pairs, bool uniform) {
    std::vector<AnimKey> keys;
    for (size_t i = 3; i < tokens.size(); ++i) {
        size_t colon = tokens[i].find(':');
        if (colon == std::string::npos) throw ParseError("key '" + tokens[i] + "' is not FRAME:VALUE");
        AnimKey key;
        key.frame = FrameNumber(tokens[i].substr(0, colon), frameCount);
        std::string value = tokens[i].substr(colon + 1);
        if (pairs)
            std::tie(key.x, key.y) = Pair(value, uniform);
        else
            key.x = Number(value);
        if (!keys.empty() && key.frame <= keys.back().frame) throw ParseError("keys must go forward in frames");
        keys.push_back(key);
    }
    if (keys.empty()) throw ParseError("a track needs at least one key");
    return keys;
}

// "4 7-8": the frames listed or in the ranges.
std::vector<bool> ShownFrames(const std::vector<std::string>& tokens, int frameCount) {
    std::vector<bool> shown(static_cast<size_t>(std::max(frameCount, 0)), false);
    for (size_t i = 3; i < tokens.size(); ++i) {
        size_t dash = tokens[i].find('-');
        int first = FrameNumber(tokens[i].substr(0, dash), frameCount);
        int last = dash == std::string::npos ? first : FrameNumber(tokens[i].substr(dash + 1), frameCount);
        if (last < first) throw ParseError("range '" + tokens[i] + "' runs backwards");
        for (int f = first; f <= last; ++f) shown[static_cast<size_t>(f - 1)] = true;
    }
    return shown;
}

void ParseTrack(const std::vector<std::string>& tokens, AnimDescription& d) {
    if (tokens.size() < 4) throw ParseError("'track' takes an element id, a property and values");
    ElementTracks& element = d.elements[tokens[1]];
    const std::string& property = tokens[2];
    if (property == "rotate")
        element.rotate = Keys(tokens, d.frameCount, false, false);
    else if (property == "translate")
        element.translate = Keys(tokens, d.frameCount, true, false);
    else if (property == "scale")
        element.scale = Keys(tokens, d.frameCount, true, true);
    else if (property == "opacity")
        element.opacity = Keys(tokens, d.frameCount, false, false);
    else if (property == "show")
        element.shown = ShownFrames(tokens, d.frameCount);
    else if (property == "pivot") {
        NeedCount(tokens, 4);
        element.pivot = Pair(tokens[3], false);
    } else
        throw ParseError("unknown property '" + property + "'");
}

bool IsScriptName(const std::string& name) {
    auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return !name.empty() && letter(name[0]) &&
           std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || digit(c); });
}

void ParseAction(const std::vector<std::string>& tokens, AnimDescription& d) {
    if (tokens.size() < 2 || !IsScriptName(tokens[1]))
        throw ParseError("an action needs a name of letters, digits and '_'");
    bool loop = tokens.size() == 5 && tokens[4] == "loop";
    if (!loop) NeedCount(tokens, 4);
    AnimAction action{tokens[1], FrameNumber(tokens[2], d.frameCount), FrameNumber(tokens[3], d.frameCount), loop};
    for (const AnimAction& other : d.actions)
        if (other.name == action.name) throw ParseError("action '" + action.name + "' is given twice");
    d.actions.push_back(action);
}

// "bleed" alone: every side; else the sides named.
void ParseBleed(const std::vector<std::string>& tokens, AnimDescription& d) {
    if (tokens.size() == 1) d.bleedSides = kAllSides;
    for (size_t i = 1; i < tokens.size(); ++i) {
        unsigned side = SideNamed(tokens[i]);
        if (!side) throw ParseError("unknown side '" + tokens[i] + "' (top, bottom, left, right)");
        d.bleedSides |= side;
    }
}

void ParseLine(const std::vector<std::string>& tokens, AnimDescription& d) {
    const std::string& keyword = tokens[0];
    if (keyword == "svg") {
        NeedCount(tokens, 2);
        d.svg = tokens[1];
    } else if (keyword == "size") {
        NeedCount(tokens, 3);
        d.width = Integer(tokens[1]);
        d.height = Integer(tokens[2]);
        if (d.width < 1 || d.height < 1 || d.width > 1024 || d.height > 1024)
            throw ParseError("size must be 1..1024 in both directions");
    } else if (keyword == "frametime") {
        NeedCount(tokens, 2);
        d.frameTime = Integer(tokens[1]);
        if (d.frameTime < 1) throw ParseError("frametime must be at least 1 ms");
    } else if (keyword == "frames") {
        NeedCount(tokens, 2);
        if (d.frameCount > 0) throw ParseError("'frames' is given twice");
        d.frameCount = Integer(tokens[1]);
        if (d.frameCount < 1) throw ParseError("frames must be at least 1");
    } else if (keyword == "origin") {
        NeedCount(tokens, 3);
        d.origin = std::make_pair(Integer(tokens[1]), Integer(tokens[2]));
    } else if (keyword == "bleed") {
        ParseBleed(tokens, d);
    } else if (keyword == "action") {
        ParseAction(tokens, d);
    } else if (keyword == "track") {
        ParseTrack(tokens, d);
    } else {
        throw ParseError("unknown keyword '" + keyword + "'");
    }
}

// Linear between the keys around frame; held outside them.
std::pair<double, double> Interpolate(const std::vector<AnimKey>& keys, int frame, std::pair<double, double> none) {
    if (keys.empty()) return none;
    if (frame <= keys.front().frame) return {keys.front().x, keys.front().y};
    for (size_t i = 1; i < keys.size(); ++i) {
        const AnimKey& a = keys[i - 1];
        const AnimKey& b = keys[i];
        if (frame > b.frame) continue;
        double t = static_cast<double>(frame - a.frame) / (b.frame - a.frame);
        return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    }
    return {keys.back().x, keys.back().y};
}

std::string FrameList(const AnimAction& action) {
    std::string list;
    int step = action.first <= action.last ? 1 : -1;
    for (int f = action.first;; f += step) {
        list += (list.empty() ? "" : ",") + std::to_string(f);
        if (f == action.last) break;
    }
    return list;
}

}  // namespace

bool ParseAnimDescription(const std::string& text, AnimDescription* description, std::string* error) {
    AnimDescription d;
    std::istringstream lines(text);
    int number = 0;
    try {
        for (std::string line; std::getline(lines, line);) {
            ++number;
            std::vector<std::string> tokens = Tokens(line);
            if (!tokens.empty()) ParseLine(tokens, d);
        }
        number = 0;
        if (d.svg.empty()) throw ParseError("no 'svg' line");
        if (d.width == 0) throw ParseError("no 'size' line");
        if (d.frameCount == 0) throw ParseError("no 'frames' line");
    } catch (const ParseError& failure) {
        *error = (number > 0 ? "line " + std::to_string(number) + ": " : "") + failure.Message();
        return false;
    }
    if (d.actions.empty()) d.actions.push_back({"DoAnim", 1, d.frameCount, false});
    *description = std::move(d);
    return true;
}

ElementPose PoseAt(const ElementTracks& element, int frame) {
    ElementPose pose;
    pose.angle = Interpolate(element.rotate, frame, {0, 0}).first;
    std::tie(pose.dx, pose.dy) = Interpolate(element.translate, frame, {0, 0});
    std::tie(pose.sx, pose.sy) = Interpolate(element.scale, frame, {1, 1});
    pose.opacity = Interpolate(element.opacity, frame, {1, 1}).first;
    pose.visible = element.shown.empty() || element.shown[static_cast<size_t>(frame - 1)];
    return pose;
}

std::string ActionScript(const AnimDescription& description) {
    std::string script;
    for (const AnimAction& action : description.actions) {
        script += "function " + action.name + "()\n";
        script += "    delay(" + std::to_string(description.frameTime) + ");\n";
        if (action.loop)
            script += "    while true do\n        frames{" + FrameList(action) + "};\n    end\n";
        else
            script += "    frames{" + FrameList(action) + "};\n";
        script += "end\n";
    }
    return script;
}

}  // namespace assetpipe
