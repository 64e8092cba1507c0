// GameProbe: a read-only view of the game's state for tests of headless runs. Each part of the game
// adds the fields it can tell about while it lives; the script function "GetGameProbe()", published
// only in headless runs, answers them as one line "key=value key=value ...".
//
//     GameProbe::Get().Add(this, "money", [] { return std::to_string(GetLevelFlow().playerMoney); });
//     ...
//     GameProbe::Get().RemoveOwner(this);   // in the destructor
#pragma once

#include <functional>
#include <string>
#include <vector>

struct lua_State;

class GameProbe {
public:
    using Field = std::function<std::string()>;

    static GameProbe& Get();

    // Adds a field for owner; a field already under key is replaced where it stands.
    void Add(const void* owner, const std::string& key, Field field);
    // Drops every field the owner added.
    void RemoveOwner(const void* owner);
    // The fields in the order they were first added, each "key=value", separated by single spaces.
    std::string Line() const;
    // Publishes "GetGameProbe" to the script state.
    void Bind(lua_State* L);

private:
    struct Entry {
        const void* owner;
        std::string key;
        Field field;
    };
    std::vector<Entry> entries_;
};
