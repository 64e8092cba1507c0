#include <memory>

#include "engine/ui/modal_window.h"
#include "engine/ui/window_style.h"
#include "tests/engine/scripthost/script_fixture.h"

namespace {

class WindowInitTest : public ScriptTest {
protected:
    std::unique_ptr<TLuaObjectWrapper> Style(const char* table) {
        EXPECT_EQ(script.DoLuaString((std::string("style = ") + table).c_str()), 0);
        lua_State* L = script.GetState();
        lua_pushstring(L, "style");
        lua_gettable(L, LUA_GLOBALSINDEX);
        auto wrapper = std::make_unique<TLuaObjectWrapper>(L);
        lua_pop(L, 1);
        return wrapper;
    }
};

TEST_F(WindowInitTest, StyleNamesAndPlacesTheWindowInTwoPasses) {
    auto wrapper = Style("{ name = 'dlg', x = 80000, y = 10, fit = true }");
    TWindowStyle style(wrapper.get());
    TWindow parent;
    TWindow* window = new TWindow();
    parent.AddChild(window, false);

    window->Init(style);
    EXPECT_STREQ(window->GetName().CStr(), "dlg");
    EXPECT_EQ(window->GetRect(), TRect()) << "the parent has no width yet";

    parent.SetSize(800, 600);
    TWindow* wide = new TWindow();
    wide->SetSize(300, 20);
    window->AddChild(wide, false);
    window->PostCreate(style);
    EXPECT_EQ(window->GetRect(), TRect(250, 10, 550, 30)) << "fitted to the child, then centred";
}

TEST_F(WindowInitTest, ModalWindowsAlwaysFitTheirChildren) {
    auto wrapper = Style("{ x = 5, y = 5 }");
    TWindowStyle style(wrapper.get());
    TModalWindow dialog;
    TWindow* child = new TWindow();
    child->SetSize(120, 80);
    dialog.AddChild(child, false);
    dialog.PostCreate(style);
    EXPECT_EQ(dialog.GetRect(), TRect(5, 5, 125, 85));
}

}  // namespace
