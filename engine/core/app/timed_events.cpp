#include "engine/core/app/timed_events.h"

#include <fstream>
#include <sstream>

bool ReadTimedEvents(const std::string& path, std::vector<TimedEvent>& events, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the events file " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::istringstream fields(line);
        long ms, type, param, x, y, extra = 0;
        if (!(fields >> ms >> type >> param >> x >> y) || ms < 0) {
            error = path + ":" + std::to_string(number) + ": expected \"MS TYPE PARAM X Y [EXTRA]\"";
            return false;
        }
        fields >> extra;
        TimedEvent timed;
        timed.ms = static_cast<uint32_t>(ms);
        MakeAppEvent(timed.event, type, x, y, param, extra);
        events.push_back(timed);
    }
    return true;
}
