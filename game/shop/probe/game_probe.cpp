#include "game/shop/probe/game_probe.h"

#include <algorithm>

#include "engine/scripthost/script_binding.h"

namespace {

TString ProbeLine() { return TString(GameProbe::Get().Line().c_str()); }

}  // namespace

GameProbe& GameProbe::Get() {
    static GameProbe probe;
    return probe;
}

void GameProbe::Add(const void* owner, const std::string& key, Field field) {
    auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) { return entry.key == key; });
    if (same != entries_.end()) {
        *same = Entry{owner, key, std::move(field)};
    } else {
        entries_.push_back(Entry{owner, key, std::move(field)});
    }
}

void GameProbe::RemoveOwner(const void* owner) {
    std::erase_if(entries_, [owner](const Entry& entry) { return entry.owner == owner; });
}

std::string GameProbe::Line() const {
    std::string line;
    for (const Entry& entry : entries_) {
        if (!line.empty()) line += ' ';
        line += entry.key + "=" + entry.field();
    }
    return line;
}

void GameProbe::Bind(lua_State* L) { BindFunction(L, "GetGameProbe", &ProbeLine); }
