#include "tests/engine/ui/window_script_fixture.h"

#include <deque>

#include "engine/core/files/file.h"
#include "engine/script/lua.h"

void WindowScriptTest::SetUp() {
    WidgetTest::SetUp();
    windowScript = new TWindowScript();  // the task list owns it
    manager->SetScript(windowScript);
}

void WindowScriptTest::TearDown() {
    for (const std::string& name : scriptNames_) RegisterMemoryFile(name.c_str(), nullptr, 0);
    WidgetTest::TearDown();
    windowHost.tasks.Clear();
}

void WindowScriptTest::AddFile(const std::string& name, const std::string& text) {
    static std::deque<std::string> texts;  // memory files must outlive their registration
    texts.push_back(text);
    scriptNames_.push_back(name);
    RegisterMemoryFile(scriptNames_.back().c_str(), texts.back().data(), texts.back().size());
}

void WindowScriptTest::Run(const std::string& text) {
    windowScript->DoLuaString(text.c_str());
}

void WindowScriptTest::Step(uint32_t ms) {
    Advance(ms);
    windowHost.tasks.Run();
    Idle();
}

void WindowScriptTest::Click(const TWindow* window) {
    TPoint centre = Centre(window);
    MouseDown(centre.x, centre.y);
    MouseUp(centre.x, centre.y);
    Steps(3);
}

std::string WindowScriptTest::Global(const char* name) {
    lua_State* L = windowScript->GetState();
    lua_pushstring(L, "tostring");
    lua_gettable(L, LUA_GLOBALSINDEX);
    lua_pushstring(L, name);
    lua_gettable(L, LUA_GLOBALSINDEX);
    lua_call(L, 1, 1);
    std::string value = lua_tostring(L, -1);
    lua_pop(L, 1);
    return value;
}
