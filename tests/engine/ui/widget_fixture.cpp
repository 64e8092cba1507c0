#include "tests/engine/ui/widget_fixture.h"

#include <png.h>

#include "engine/core/files/file.h"
#include "engine/graphics/font.h"
#include "engine/script/lua.h"
#include "engine/ui/message.h"
#include "tests/engine/graphics/image_fixtures.h"

bool RecordingDialog::OnMessage(TMessage* message) {
    log_.push_back(std::to_string(message->GetType()) + ":" + message->GetName().CStr());
    return TModalWindow::OnMessage(message);
}

void WidgetTest::SetUp() {
    UiHarness::SetUp();
    dialog = new RecordingDialog(heard);
    dialog->SetName("dlg");
    dialog->SetSize(kWidth, kHeight);
    manager->PushModal(dialog);
}

void WidgetTest::TearDown() {
    for (const std::string& name : fileNames_) RegisterMemoryFile(name.c_str(), nullptr, 0);
    styles_.clear();
    tables_.clear();
    UiHarness::TearDown();
}

TWindowStyle& WidgetTest::Style(const std::string& table) {
    lua_State* L = script.lua.GetState();
    EXPECT_EQ(script.lua.DoLuaString(("widgetStyle = " + table).c_str()), 0) << table;
    lua_pushstring(L, "widgetStyle");
    lua_gettable(L, LUA_GLOBALSINDEX);
    tables_.push_back(std::make_unique<TLuaObjectWrapper>(L));
    styles_.push_back(std::make_unique<TWindowStyle>(tables_.back().get()));
    return *styles_.back();
}

void WidgetTest::AddPicture(const std::string& name, int width, int height,
                            const std::function<uint32_t(int, int)>& paint) {
    // Written without an alpha channel when every pixel is opaque.
    bool opaque = true;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) opaque = opaque && (paint(x, y) >> 24) == 0xFF;
    std::vector<uint16_t> samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t argb = paint(x, y);
            samples.insert(samples.end(), {uint16_t((argb >> 16) & 0xFF), uint16_t((argb >> 8) & 0xFF),
                                           uint16_t(argb & 0xFF)});
            if (!opaque) samples.push_back(uint16_t(argb >> 24));
        }
    }
    int colorType = opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA;
    files_.push_back(WritePng(MakePng(width, height, colorType, 8, samples)));
    fileNames_.push_back(name);
    RegisterMemoryFile(name.c_str(), files_.back().data(), files_.back().size());
}

TPoint WidgetTest::Centre(const TWindow* window) {
    TRect global = window->GetGlobalRect();
    return {(global.left + global.right) / 2, (global.top + global.bottom) / 2};
}
