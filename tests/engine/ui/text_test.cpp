#include "engine/core/files/stringtable.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/textblock.h"
#include "engine/ui/button.h"
#include "engine/ui/text.h"
#include "engine/ui/text_edit.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

std::string Row(const std::string& label, const std::string& text) {
    return "<Row><Cell><Data ss:Type=\"String\">" + label + "</Data></Cell><Cell><Data ss:Type=\"String\">" + text +
           "</Data></Cell></Row>\n";
}

class TextTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        std::string book = "<?xml version=\"1.0\"?>\n<Workbook><Worksheet><Table>\n" + Row("HELLO", "Hello there") +
                           Row("12", "twelve") + "</Table></Worksheet></Workbook>\n";
        strings.LoadText(book.data(), book.size());
    }

    // Loads the string table as the scripts do: the table is there and the mode is on.
    void LoadStringTable() {
        windowHost.strings = &strings;
        script.stringTableMode = true;
    }

    // The first point of the text window (window coordinates) over the link.
    static TPoint LinkPoint(TText* text, const char* link) {
        for (int y = 0; y < text->GetHeight(); ++y)
            for (int x = 0; x < text->GetWidth(); ++x)
                if (text->GetTextBlock()->GetLinkAtPoint(TVec2(x, y), 0) == TString(link)) return {x, y};
        ADD_FAILURE() << "no link " << link;
        return {};
    }

    void ClickAt(TText* text, TPoint local) {
        TPoint at = text->ClientToScreen(local);
        MouseDown(at.x, at.y);
        MouseUp(at.x, at.y);
        Deliver();
    }

    TStringTable strings;
};

TEST_F(TextTest, LabelsAreLocalisedByThreeRules) {
    struct Case {
        const char* label;
        const char* loaded;  // shown with the string table loaded
    } cases[] = {
        {"#HELLO", "HELLO"}, {"HELLO", "Hello there"}, {"12", "12"}, {"3.50", "3.50"},
        {"12a", "#####"},    {"", ""},                  {"#", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(TText::LocaliseLabel(c.label, &strings).CStr(), c.loaded) << c.label;
        EXPECT_STREQ(TText::LocaliseLabel(c.label, nullptr).CStr(), c.label) << "before the table is loaded";
    }
}

TEST_F(TextTest, TextWindowsLookUpTheirLabelOnceTheTableIsLoadedAndEditsNever) {
    const char* style = "{ label = 'HELLO', w = 200, h = 30 }";
    EXPECT_STREQ(Create<TText>(dialog, style)->GetText().CStr(), "HELLO");
    windowHost.strings = &strings;
    EXPECT_STREQ(Create<TText>(dialog, style)->GetText().CStr(), "HELLO") << "the mode is still off";
    LoadStringTable();
    EXPECT_STREQ(Create<TText>(dialog, style)->GetText().CStr(), "Hello there");
    EXPECT_STREQ(Create<TTextEdit>(dialog, style)->GetText().CStr(), "HELLO");
    EXPECT_TRUE(script.stringTableMode) << "the edit puts the mode back";
}

TEST_F(TextTest, FontFlagsAndPaddingComeFromTheStyle) {
    TText* plain = Create<TText>(dialog, "{ label = 'a', w = 100, h = 20 }");
    TTextBlock* block = plain->GetTextBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block->GetFontName().CStr(), "__DEFAULT");
    EXPECT_EQ(block->size, 16);
    EXPECT_EQ(std::vector<float>(block->color, block->color + 4), (std::vector<float>{0, 1, 0, 1}));
    EXPECT_EQ(block->flags, 0);

    TText* styled = Create<TText>(dialog, "{ label = 'a', w = 100, h = 20, font = { 'fonts/none.mvec', 0, { 1, 0.5 } }, "
                                          "defflags = 5, padding = 3 }");
    block = styled->GetTextBlock();
    EXPECT_STREQ(block->GetFontName().CStr(), "fonts/none.mvec");
    EXPECT_EQ(block->size, 12);
    EXPECT_EQ(std::vector<float>(block->color, block->color + 4), (std::vector<float>{1, 0.5, 0, 1})) << "missing parts from the default";
    EXPECT_EQ(block->flags, 5);
    EXPECT_EQ(styled->GetPadding(), 3);
    EXPECT_EQ(Create<TText>(dialog, "{ label = 'a', w = 9, h = 9, defflags = 5, flags = 2 }")->GetTextBlock()->flags, 2);
}

TEST_F(TextTest, AWindowOfNoSizeLogsAndStaysEmpty) {
    TText* text = Create<TText>(dialog, "{ name = 'title', label = 'Shop', w = 100 }");
    EXPECT_TRUE(Logged("ERROR: Attempting to create text window of size(0,0): named 'title', label 'Shop'"));
    EXPECT_EQ(text->GetTextBlock(), nullptr);
    text->SetText("more");
    EXPECT_STREQ(text->GetText().CStr(), "");
}

TEST_F(TextTest, ALinkPressesTheButtonOfItsName) {
    TButton* button = Create<TButton>(dialog, "{ name = 'buy', x = 500, w = 40, h = 20 }");
    Create<TWindow>(dialog, "{ name = 'plain', x = 600, w = 10, h = 10 }");
    TText* text = Create<TText>(dialog, "{ x = 10, y = 10, w = 300, h = 30, label = \"<a id='buy'>Buy</a> or "
                                        "<a id='gone'>leave</a> <a id='plain'>look</a>\" }");
    ClickAt(text, LinkPoint(text, "buy"));
    EXPECT_EQ(heard, (std::vector<std::string>{"3:buy"}));
    EXPECT_EQ(button->GetState(), kButtonNormal);

    ClickAt(text, LinkPoint(text, "gone"));
    ClickAt(text, LinkPoint(text, "plain"));
    EXPECT_TRUE(Logged("ERROR: Command window gone not found"));
    EXPECT_TRUE(Logged("ERROR: Command window plain not a derived class of TButton"));

    // Released over another link: nothing, and the press is forgotten.
    TPoint buy = text->ClientToScreen(LinkPoint(text, "buy"));
    TPoint gone = text->ClientToScreen(LinkPoint(text, "gone"));
    MouseDown(buy.x, buy.y);
    MouseUp(gone.x, gone.y);
    MouseUp(buy.x, buy.y);
    Deliver();
    EXPECT_EQ(heard, (std::vector<std::string>{"3:buy", "4:mouse:up"}));
}

TEST_F(TextTest, DrawingLeavesTwoDimensionalDrawingAsItFoundIt) {
    TText* text = Create<TText>(dialog, "{ label = 'x', w = 50, h = 20 }");
    TRenderer* renderer = TRenderer::Get();
    ASSERT_TRUE(renderer->BeginDraw(1));
    text->Draw();
    EXPECT_FALSE(renderer->IsIn2d());
    ASSERT_TRUE(renderer->Begin2d());
    text->Draw();
    EXPECT_TRUE(renderer->IsIn2d()) << "a block the caller opened stays open";
    renderer->End2d();
    renderer->EndDraw();
}

}  // namespace
