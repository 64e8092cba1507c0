#include "game/shop/entry/scenario.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct CompareName {
    const char* name;
    ProbeCompare compare;
};

constexpr CompareName kCompareNames[] = {
    {"=", ProbeCompare::kEqual},       {"!=", ProbeCompare::kNotEqual},  {"<", ProbeCompare::kLess},
    {"<=", ProbeCompare::kLessOrEqual}, {">", ProbeCompare::kGreater}, {">=", ProbeCompare::kGreaterOrEqual}};

const char kStepForms[] =
    "expected \"wait until FIELD OP VALUE\", \"click X Y\", \"right-click X Y\", \"move X Y\", "
    "\"drag X Y X Y\", \"key CODE\" or \"lua TEXT\"";

bool ParseNumber(const std::string& text, double& number) {
    if (text.empty()) return false;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

bool ParseCompare(const std::string& name, ProbeCompare& compare) {
    for (const CompareName& known : kCompareNames) {
        if (name == known.name) {
            compare = known.compare;
            return true;
        }
    }
    return false;
}

bool IsOrdering(ProbeCompare compare) { return compare != ProbeCompare::kEqual && compare != ProbeCompare::kNotEqual; }

// "until FIELD OP VALUE": an ordering needs a number to compare with.
bool ParseWait(std::istringstream& words, ScenarioStep& step) {
    std::string until, compare, extra;
    double number = 0;
    if (!(words >> until >> step.field >> compare >> step.value) || words >> extra) return false;
    return until == "until" && ParseCompare(compare, step.compare) &&
           (!IsOrdering(step.compare) || ParseNumber(step.value, number));
}

bool ParsePoint(std::istringstream& words, ScenarioStep& step) {
    std::string extra;
    return words >> step.x >> step.y && !(words >> extra);
}

bool ParseDrag(std::istringstream& words, ScenarioStep& step) {
    std::string extra;
    return words >> step.x >> step.y >> step.toX >> step.toY && !(words >> extra);
}

// A letter names its key (upper case, as key events carry letters); otherwise a key code.
bool ParseKey(std::istringstream& words, ScenarioStep& step) {
    std::string code, extra;
    if (!(words >> code) || words >> extra) return false;
    if (code.size() == 1 && std::isalpha(static_cast<unsigned char>(code[0]))) {
        step.key = std::toupper(static_cast<unsigned char>(code[0]));
        return true;
    }
    double number = 0;
    if (!ParseNumber(code, number) || number != static_cast<int32_t>(number)) return false;
    step.key = static_cast<int32_t>(number);
    return true;
}

bool ParseLua(const std::string& line, size_t start, ScenarioStep& step) {
    size_t text = line.find_first_not_of(" \t", start);
    if (text == std::string::npos) return false;
    step.argument = line.substr(text);
    return true;
}

// Everything after the one blank behind the verb, blanks and all.
bool ParseTyped(const std::string& line, size_t verbEnd, ScenarioStep& step) {
    if (line.size() <= verbEnd + 1 || line[verbEnd] != ' ') return false;
    step.argument = line.substr(verbEnd + 1);
    return true;
}

// One word of letters, digits, '-' and '_': the shot lands beside --shot, never elsewhere.
bool ParseShotName(std::istringstream& words, ScenarioStep& step) {
    std::string extra;
    if (!(words >> step.argument) || words >> extra) return false;
    for (unsigned char c : step.argument)
        if (!std::isalnum(c) && c != '-' && c != '_') return false;
    return true;
}

bool ParseStep(const std::string& line, ScenarioStep& step) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "wait") {
        step.kind = ScenarioStep::kWait;
        return ParseWait(words, step);
    }
    if (verb == "click" || verb == "right-click" || verb == "move") {
        step.kind = verb == "click" ? ScenarioStep::kClick
                    : verb == "move" ? ScenarioStep::kMove
                                     : ScenarioStep::kRightClick;
        return ParsePoint(words, step);
    }
    if (verb == "drag") {
        step.kind = ScenarioStep::kDrag;
        return ParseDrag(words, step);
    }
    if (verb == "key") {
        step.kind = ScenarioStep::kKey;
        return ParseKey(words, step);
    }
    if (verb == "type") {
        step.kind = ScenarioStep::kType;
        return ParseTyped(line, verb.size(), step);
    }
    if (verb == "shot") {
        step.kind = ScenarioStep::kShot;
        return ParseShotName(words, step);
    }
    if (verb == "lua") {
        step.kind = ScenarioStep::kLua;
        return ParseLua(line, verb.size(), step);
    }
    return false;
}

std::string Trimmed(const std::string& line) {
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// The value of field in "key=value key=value ..."; false when the line has no such field.
bool ProbeField(const std::string& probeLine, const std::string& field, std::string& value) {
    std::istringstream pairs(probeLine);
    std::string pair;
    while (pairs >> pair) {
        size_t equals = pair.find('=');
        if (equals != std::string::npos && pair.compare(0, equals, field) == 0 && equals == field.size()) {
            value = pair.substr(equals + 1);
            return true;
        }
    }
    return false;
}

bool Holds(ProbeCompare compare, double left, double right) {
    switch (compare) {
    case ProbeCompare::kEqual: return left == right;
    case ProbeCompare::kNotEqual: return left != right;
    case ProbeCompare::kLess: return left < right;
    case ProbeCompare::kLessOrEqual: return left <= right;
    case ProbeCompare::kGreater: return left > right;
    case ProbeCompare::kGreaterOrEqual: return left >= right;
    }
    return false;
}

}  // namespace

bool ReadScenario(const std::string& path, std::vector<ScenarioStep>& steps, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the scenario " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string text = Trimmed(line);
        if (text.empty() || text[0] == '#') continue;
        ScenarioStep step;
        step.line = number;
        step.text = text;
        if (!ParseStep(text, step)) {
            error = path + ":" + std::to_string(number) + ": " + kStepForms;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

bool ProbeShows(const std::string& probeLine, const ScenarioStep& wait) {
    std::string shown;
    if (!ProbeField(probeLine, wait.field, shown)) return false;
    double left = 0, right = 0;
    if (ParseNumber(shown, left) && ParseNumber(wait.value, right)) return Holds(wait.compare, left, right);
    if (IsOrdering(wait.compare)) return false;
    return (shown == wait.value) == (wait.compare == ProbeCompare::kEqual);
}
