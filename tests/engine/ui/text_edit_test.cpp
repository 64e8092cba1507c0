#include "engine/core/files/file.h"
#include "engine/graphics/font.h"
#include "engine/ui/text_edit.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

constexpr uint32_t kGrinning = 0x1F600;  // only the fall-back font has it
constexpr uint32_t kNoGlyph = 0x1F601;   // no font has it
constexpr int kKeyV = 86, kKeyInsert = 0x84, kKeyLeft = 0x82, kKeyRight = 0x83, kKeyDelete = 0xFF;

// An "MVC4" block with one empty glyph.
std::vector<uint8_t> OneGlyphFont(uint32_t codePoint) {
    std::vector<uint8_t> block = {'M', 'V', 'C', '4', 1, 0, 0, 0, 0, 0, 0, 0};
    auto put16 = [&](int v) { block.insert(block.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { put16(int(v & 0xFFFF)), put16(int(v >> 16)); };
    put32(codePoint);
    for (int v : {0, 1000, -1000, 0, 1280}) put16(v);
    put32(static_cast<uint32_t>(block.size() + 4));
    block.insert(block.end(), 4, 0);
    return block;
}

// Notes the refusal notices and may take Enter.
class NoticingEdit : public TTextEdit {
public:
    bool CanInsert(int action, uint8_t character) override {
        if (action == kEditRefused) refusals += static_cast<char>(character);
        if (action == kEditEnter) return takeEnter;
        return TTextEdit::CanInsert(action, character);
    }

    std::string refusals;
    bool takeEnter = false;
};

class TextEditTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        fallbackFont = OneGlyphFont(kGrinning);
        RegisterMemoryFile("fonts/default.mvec", fallbackFont.data(), fallbackFont.size());
        TFontCache::Clear();
    }
    void TearDown() override {
        RegisterMemoryFile("fonts/default.mvec", nullptr, 0);
        TFontCache::Clear();
        WidgetTest::TearDown();
    }

    template <class T = TTextEdit>
    T* MakeEdit(const std::string& fields) {
        T* edit = Create<T>(dialog, "{ name = 'who', w = 300, h = 30, " + fields + " }");
        manager->SetFocus(edit);
        return edit;
    }
    void Type(std::initializer_list<uint32_t> codePoints) {
        for (uint32_t codePoint : codePoints) Dispatch(kEventUnicodeChar, 0, 0, static_cast<int32_t>(codePoint));
        Deliver();
    }
    void Type(const std::string& ascii) {
        for (char c : ascii) Type({static_cast<uint32_t>(c)});
    }
    static std::string Text(TTextEdit* edit) { return edit->GetText().CStr(); }
    static std::string Shown(TTextEdit* edit) { return edit->TText::GetText().CStr(); }
    size_t Changes() const { return std::count(heard.begin(), heard.end(), "7:who"); }

    std::vector<uint8_t> fallbackFont;
};

TEST_F(TextEditTest, TypesAndEditsCharactersOfEveryLength) {
    TTextEdit* edit = MakeEdit("utf8 = true, length = 10");
    Type({'a', 0xE9, 0x20AC, kGrinning});
    EXPECT_EQ(Text(edit), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(edit->GetCaret(), 10u);
    EXPECT_EQ(Changes(), 4u);

    Type({kNoGlyph});
    EXPECT_EQ(edit->GetCaret(), 10u) << "refused: no font has it";

    KeyDown(kKeyLeft);
    EXPECT_EQ(edit->GetCaret(), 6u);
    KeyDown(kKeyLeft);
    EXPECT_EQ(edit->GetCaret(), 3u);
    Type({8});  // Backspace takes both bytes of the e acute
    EXPECT_EQ(Text(edit), "a\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(edit->GetCaret(), 1u);
    KeyDown(kKeyDelete);
    EXPECT_EQ(Text(edit), "a\xF0\x9F\x98\x80");
    KeyDown(kKeyRight);
    KeyDown(kKeyRight);
    EXPECT_EQ(edit->GetCaret(), 5u);
    EXPECT_EQ(Changes(), 5u) << "Delete posts nothing";
}

TEST_F(TextEditTest, TypingStopsAtTheLimit) {
    struct Case {
        const char* fields;
        std::initializer_list<uint32_t> typed;
        const char* text;
    } cases[] = {
        // Bytes: the length less one.
        {"length = 5", {'a', 'b', 'c', 'd', 'e', 'f'}, "abcd"},
        // Characters: the length itself.
        {"length = 3, utf8 = true", {0xE9, 0xE9, 0xE9, 0xE9}, "\xC3\xA9\xC3\xA9\xC3\xA9"},
        // Bytes of 0x80 and above only in UTF-8 or password mode.
        {"length = 5", {'a', 0xE9}, "a"},
    };
    for (const Case& c : cases) {
        TTextEdit* edit = MakeEdit(c.fields);
        Type(c.typed);
        EXPECT_EQ(Text(edit), c.text) << c.fields;
    }
}

TEST_F(TextEditTest, IgnoredCharactersAreNotInsertedButStillReported) {
    TTextEdit* edit = MakeEdit("ignore = ' -'");
    Type("a b-c");
    EXPECT_EQ(Text(edit), "abc");
    EXPECT_EQ(Changes(), 5u);
}

TEST_F(TextEditTest, PasteReplacesTheTextWithTheCleanedClipboard) {
    struct Case {
        const char* fields;
        const char* clipboard;
        int key, modifiers;
        const char* text;
    } cases[] = {
        {"length = 10", "abcdefghijklmn", kKeyV, kKeyControl, "abcdefghij"},  // fills the whole length
        {"ignore = ' -'", "a b-c\td", kKeyInsert, 0, "abcd"},
        {"utf8 = true", "a\xC3(b\xE2\x82", kKeyInsert, kKeyShift, "a(b"},  // damaged sequences dropped
        {"utf8 = true, length = 2", "\xF0\x9F\x98\x80xyz", kKeyInsert, 0, "\xF0\x9F\x98\x80x"},
        {"", "caf\xC3\xA9", kKeyV, kKeyControl, "old"},  // no multi-byte text without UTF-8
        {"", "", kKeyInsert, 0, "old"},
        {"", "abc", kKeyV, 0, "old"},  // V alone
    };
    for (const Case& c : cases) {
        TTextEdit* edit = MakeEdit(std::string("label = 'old', ") + c.fields);
        windowHost.clipboard = c.clipboard;
        heard.clear();
        KeyDown(c.key, c.modifiers);
        Deliver();
        EXPECT_EQ(Text(edit), c.text) << c.clipboard;
        EXPECT_EQ(edit->GetCaret(), edit->GetText().Length());
        EXPECT_EQ(Changes(), 0u);
    }
}

TEST_F(TextEditTest, CaretStepsStayInsideRawBytes) {
    // Password mode takes single bytes that are no whole UTF-8 character.
    TTextEdit* edit = MakeEdit("password = true");
    Char(0xF0);
    EXPECT_EQ(edit->GetCaret(), 1u) << "not the four bytes the lead byte announces";
    KeyDown(kKeyLeft);
    KeyDown(kKeyRight);
    EXPECT_EQ(edit->GetCaret(), 1u);
    Char('a');
    EXPECT_EQ(Text(edit), "\xF0" "a");
    KeyDown(kKeyLeft);
    KeyDown(kKeyDelete);
    EXPECT_EQ(Text(edit), "");
    Char(0xC3);
    Char(0xA9);
    Char(8);
    Char(8);
    EXPECT_EQ(Text(edit), "");
    EXPECT_EQ(edit->GetCaret(), 0u);

    // In UTF-8 mode a byte that is no whole character stays out.
    TTextEdit* utf8 = MakeEdit("utf8 = true");
    Char(0xC3);
    EXPECT_FALSE(utf8->OnTextInput("a\xC3"));
    EXPECT_FALSE(utf8->OnTextInput("\xE2\x82"));
    EXPECT_EQ(Text(utf8), "");
}

TEST_F(TextEditTest, CaretBlinksInTheSecondHalfOfEachPeriodWhileFocused) {
    TTextEdit* edit = MakeEdit("label = 'ab', password = true");
    Advance(399);
    edit->OnAnimate();
    EXPECT_EQ(Shown(edit), "**");
    Advance(2);
    edit->OnAnimate();
    EXPECT_EQ(Shown(edit), "**<cursor>");
    KeyDown(kKeyLeft);
    EXPECT_EQ(Shown(edit), "*<cursor>*");

    manager->SetFocus(dialog);
    edit->OnAnimate();
    EXPECT_EQ(Shown(edit), "**");
    manager->SetFocus(edit);
    Advance(800);  // 1201: shown again, by the edit's own animation
    Idle();
    EXPECT_EQ(Shown(edit), "*<cursor>*");
}

// Typed backslashes and tags are shown as typed, not read as mark-up; the caret's mark-up still is.
TEST_F(TextEditTest, TypedMarkUpShowsAsTyped) {
    TTextEdit* edit = MakeEdit("length = 10");
    Type("a\\<b>");
    EXPECT_EQ(Text(edit), "a\\<b>");
    Advance(401);
    edit->OnAnimate();
    EXPECT_EQ(Shown(edit), "a\\\\\\<b><cursor>");
    KeyDown(kKeyLeft);
    KeyDown(kKeyLeft);
    KeyDown(kKeyLeft);
    EXPECT_EQ(Shown(edit), "a\\\\<cursor>\\<b>");
}

TEST_F(TextEditTest, TabMovesTheFocusAlongTheDialogsEdits) {
    TTextEdit* first = MakeEdit("");
    TTextEdit* second = MakeEdit("y = 40");
    Char(9);
    EXPECT_EQ(manager->GetFocus(), first) << "from the last back to the first";
    Char(9);
    EXPECT_EQ(manager->GetFocus(), second);
}

TEST_F(TextEditTest, SubclassesDecideOnEnterAndHearRefusals) {
    // 8-bit characters: a refused Unicode character is offered a second time as a byte.
    auto* edit = MakeEdit<NoticingEdit>("length = 3");
    for (int character : {int('a'), int('b'), int('c'), 8, 8, 8, 13}) Char(character);
    KeyDown(kKeyLeft);
    Deliver();
    EXPECT_EQ(edit->refusals, std::string("c") + "\b" + static_cast<char>(kKeyLeft));
    EXPECT_EQ(Changes(), 4u) << "two typed, two erased; Enter refused";
    edit->takeEnter = true;
    Char(13);
    Deliver();
    EXPECT_EQ(Changes(), 5u);
}

}  // namespace
