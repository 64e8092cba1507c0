// The real window script on the headless window system: script files served from memory under
// "assets/", the script's task run on every idle step.
#pragma once

#include <string>
#include <vector>

#include "engine/ui/window_script.h"
#include "tests/engine/ui/widget_fixture.h"

class WindowScriptTest : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves text as the file of that name.
    void AddFile(const std::string& name, const std::string& text);
    void AddScript(const std::string& name, const std::string& text) { AddFile("assets/" + name, text); }
    // Runs text on the window script; a chunk answering a function starts it as the coroutine.
    void Run(const std::string& text);
    // One frame's worth: the clock moves ms on, the task list runs, an idle event is dispatched.
    void Step(uint32_t ms = 16);
    void Steps(int count, uint32_t ms = 16) {
        for (int i = 0; i < count; ++i) Step(ms);
    }
    void Click(const TWindow* window);
    TWindow* Find(const char* name) { return manager->GetTopModal()->FindChild(name); }

    // A global as the scripts' tostring shows it.
    std::string Global(const char* name);

    TWindowScript* windowScript = nullptr;

private:
    std::vector<std::string> scriptNames_;
    std::vector<std::string> scriptTexts_;
};
