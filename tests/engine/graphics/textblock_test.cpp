#include "engine/graphics/textblock.h"

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/graphics/font.h"
#include "engine/graphics/text_markup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const float kBlack[4] = {0, 0, 0, 1};

struct BlockDeleter {
    void operator()(TTextBlock* block) const { TTextBlock::Destroy(block); }
};
using Block = std::unique_ptr<TTextBlock, BlockDeleter>;

Block Make(const char* text, int width = 1000, int height = 100, int flags = 0, int size = 16) {
    return Block(TTextBlock::Create(text, width, height, flags, "__DEFAULT", size, kBlack));
}

// The text of a run, as the bytes from its first to its last character.
TString RunText(const TTextBlock& block, const TTextRun& run) {
    return run.HasCharacters() ? block.text.Mid(run.first, run.last - run.first + 1) : TString();
}

// All characters of a line, run by run.
TString LineText(const TTextBlock& block, int line) {
    TString text;
    for (const TTextRun& run : block.lines[line]->runs) text += RunText(block, run);
    return text;
}

}  // namespace

TEST(TextMarkup, TagsAndCodePoints) {
    struct Case { const char* text; TTagKind kind; int next; };
    const Case cases[] = {
        {"<br>", TTagKind::kBreak, 4},         {"<bold>", TTagKind::kBold, 6},
        {"</center>x", TTagKind::kEndCenter, 9}, {"<p>", TTagKind::kUnknown, 3},
        {"<b", TTagKind::kNone, 0},            {"< B R >", TTagKind::kBreak, 7},
        {"<tab pos=\"40\">", TTagKind::kTab, 14}, {"</A>", TTagKind::kEndLink, 4},
    };
    for (const Case& c : cases) {
        TTag tag = ReadTag(c.text, 0);
        EXPECT_EQ(tag.kind, c.kind) << c.text;
        if (c.kind != TTagKind::kNone) {
            EXPECT_EQ(tag.next, c.next) << c.text;
        }
    }

    TTag font = ReadTag("<FONT Face=\"Fonts/Big.mvec\" SIZE=\"20\" color=\"#10203040\">", 0);
    TString face;
    int size = 0;
    float rgba[4];
    ASSERT_TRUE(font.Attribute("face", face));
    EXPECT_STREQ(face.CStr(), "Fonts/Big.mvec");  // values keep their case
    ASSERT_TRUE(font.IntAttribute("size", size));
    EXPECT_EQ(size, 20);
    ASSERT_TRUE(font.ColorAttribute("color", true, rgba));
    EXPECT_FLOAT_EQ(rgba[3], 0x40 / 255.0f);
    ASSERT_TRUE(font.ColorAttribute("color", false, rgba));
    EXPECT_FLOAT_EQ(rgba[3], 1.0f);
    EXPECT_FALSE(ReadTag("<font size=12>", 0).IntAttribute("size", size));  // unquoted values are not found
    ASSERT_TRUE(ReadTag("<font size='14'>", 0).IntAttribute("size", size));
    EXPECT_EQ(size, 14);

    // A tag longer than the buffer is cut; the text resumes behind what was read (128 kept, one blank dropped).
    TString longTag = TString("<font face=\"") + TString(std::string(200, 'x').c_str()) + "\">";
    EXPECT_EQ(ReadTag(longTag, 0).next, 130);

    EXPECT_EQ(DecodeCodePointAt("\xE2\x82\xAC", 0).value, 0x20ACu);
    EXPECT_EQ(DecodeCodePointAt("\xF0\x9F\x98\x80", 0).value, 0x1F600u);
    TCodePoint cut = DecodeCodePointAt("a\xE2\x82", 1);  // cut short by the end of the text
    EXPECT_EQ(cut.value, 0xE2u);
    EXPECT_EQ(cut.next, 2);
    bool escaped = false;
    EXPECT_EQ(DecodeTextCharAt("\\<", 0, &escaped).value, static_cast<uint32_t>('<'));
    EXPECT_TRUE(escaped);
}

TEST(TextBlock, EscapedTagsAreCharacters) {
    auto block = Make("a\\<b>c");
    ASSERT_EQ(block->GetLineCount(), 1);
    EXPECT_STREQ(LineText(*block, 0).CStr(), "a\\<b>c");
    EXPECT_EQ(block->lines[0]->runs.size(), 1u);
    EXPECT_FALSE(block->lines[0]->runs[0].bold);
}

// Text made a literal shows every character as typed, backslashes and tags included.
TEST(TextBlock, MarkupLiteralShowsTextAsItStands) {
    const TString typed("O'Brien \\ <b>test");
    TString literal = MarkupLiteral(typed);
    EXPECT_STREQ(literal.CStr(), "O'Brien \\\\ \\<b>test");
    TString shown;
    for (int i = 0; i < static_cast<int>(literal.Length());) {
        TCodePoint character = DecodeTextCharAt(literal, i);
        shown += TString::FromCodePoint(character.value);
        i = character.next;
    }
    EXPECT_STREQ(shown.CStr(), typed.CStr());
    auto block = Make(literal.CStr());
    ASSERT_EQ(block->lines[0]->runs.size(), 1u);
    EXPECT_FALSE(block->lines[0]->runs[0].bold);
}

TEST(TextBlock, WrapsAtSpacesAndInsideLongWords) {
    auto words = Make("one two three", 40);
    ASSERT_GE(words->GetLineCount(), 2);
    EXPECT_STREQ(LineText(*words, 0).CStr(), "one");
    EXPECT_STREQ(LineText(*words, 1).CStr(), "two");

    auto word = Make("WWWWWWWW", 30);
    ASSERT_GE(word->GetLineCount(), 2);
    int firstLength = static_cast<int>(LineText(*word, 0).Length());
    EXPECT_GE(firstLength, 1);
    EXPECT_LT(firstLength, 8);
    TString rejoined;
    for (int i = 0; i < word->GetLineCount(); ++i) rejoined += LineText(*word, i);
    EXPECT_STREQ(rejoined.CStr(), "WWWWWWWW");

    SetConfig("legacylinewrap", "0");  // any value switches it on
    auto legacy = Make("WWWWWWWW", 30);
    EXPECT_EQ(static_cast<int>(LineText(*legacy, 0).Length()), firstLength + 1);
    ClearConfig();

    auto narrow = Make("W", 1);  // a first character that does not fit stays on its line
    EXPECT_EQ(narrow->GetLineCount(), 1);
}

TEST(TextBlock, LineEndsAndHeights) {
    auto br = Make("a<br>b<br pad=\"5\">c\n\nd", 1000, 100, 0, 16);
    ASSERT_EQ(br->GetLineCount(), 5);
    EXPECT_EQ(br->lines[0]->height, 16);
    EXPECT_EQ(br->lines[1]->height, 21);
    EXPECT_EQ(br->lines[3]->height, 16);  // an empty line between two line feeds keeps its height
    EXPECT_EQ(br->boundsHeight, 16 * 4 + 21);
    EXPECT_GT(br->lines[0]->baseline, 0);

    auto alone = Make("<br>x");
    EXPECT_EQ(alone->lines[0]->height, 16);

    auto centred = Make("<center>abc", 200);
    ASSERT_EQ(centred->GetLineCount(), 2);
    EXPECT_EQ(centred->lines[0]->height, 0);
    EXPECT_EQ(centred->lines[1]->x, 100);
    EXPECT_LT(centred->lines[1]->xAdjust, 0.0f);
}

TEST(TextBlock, AlignmentAndVerticalPlacement) {
    auto right = Make("abc", 200, 100, TTextBlock::kRight | TTextBlock::kBottom);
    ASSERT_EQ(right->GetLineCount(), 1);
    EXPECT_EQ(right->lines[0]->x, 199);
    EXPECT_LT(right->lines[0]->xAdjust, -10.0f);
    EXPECT_EQ(right->boundsTop, 100);
    EXPECT_FLOAT_EQ(right->verticalOffset, -16.0f);

    auto middle = Make("a<br>b", 200, 100, TTextBlock::kMiddle | TTextBlock::kBottom);
    EXPECT_EQ(middle->boundsTop, 50);
    EXPECT_FLOAT_EQ(middle->verticalOffset, -16.0f);

    auto pushed = Make("<right>a</left>b</center></center>c", 200);
    ASSERT_EQ(pushed->GetLineCount(), 5);  // every alignment tag ends a line
    EXPECT_EQ(pushed->lines[1]->x, 199);  // inside <right>
    EXPECT_EQ(pushed->lines[2]->x, 0);    // popped back to the block's own flags
    EXPECT_EQ(pushed->style->alignDepth, 0);
}

TEST(TextBlock, StylesLinksAndColours) {
    auto block = Make("<font color=\"#FF000080\" size=\"20\">red<b>bold</b></font></font>"
                      "<a id=\"Shop\" color=\"00FF00\">go</a>");
    ASSERT_EQ(block->GetLineCount(), 1);
    const auto& runs = block->lines[0]->runs;
    const TTextRun* red = nullptr;
    const TTextRun* bold = nullptr;
    const TTextRun* link = nullptr;
    for (const TTextRun& run : runs) {
        TString text = RunText(*block, run);
        if (text == "red") red = &run;
        if (text == "bold") bold = &run;
        if (text == "go") link = &run;
    }
    ASSERT_TRUE(red && bold && link);
    EXPECT_FLOAT_EQ(red->color[0], 1.0f);
    EXPECT_FLOAT_EQ(red->color[3], 0x80 / 255.0f);
    EXPECT_EQ(red->size, 20);
    EXPECT_TRUE(bold->bold);
    EXPECT_EQ(block->lines[0]->height, 20);
    EXPECT_STREQ(link->link.CStr(), "Shop");
    EXPECT_FLOAT_EQ(link->linkColor[1], 1.0f);
    EXPECT_FLOAT_EQ(link->linkColor[3], 1.0f);
    EXPECT_EQ(link->size, 16);  // the extra </font> stayed at level 0

    float y = block->lines[0]->height / 2.0f;
    float linkX = link->startPx + block->lines[0]->x + block->lines[0]->xAdjust + 1;
    EXPECT_STREQ(block->GetLinkAtPoint({linkX, y}, 0).CStr(), "Shop");
    EXPECT_STREQ(block->GetLinkAtPoint({1, y}, 0).CStr(), "");
    EXPECT_TRUE(block->UpdateHoverLink(TVec2{linkX, y}, 0));
    EXPECT_FALSE(block->UpdateHoverLink(TVec2{linkX, y}, 0));
    EXPECT_TRUE(block->UpdateHoverLink(std::nullopt, 0));
    EXPECT_TRUE(block->hoverLink.IsEmpty());
}

TEST(TextBlock, CursorTabAndItalic) {
    auto block = Make("ab<cursor>c<tab pos=\"100\">d");
    const auto& runs = block->lines[0]->runs;
    ASSERT_GE(runs.size(), 3u);
    EXPECT_TRUE(runs[0].cursor);
    EXPECT_STREQ(RunText(*block, runs[0]).CStr(), "ab");
    EXPECT_EQ(runs[1].tabPos, 400);
    EXPECT_EQ(runs.back().startPx, 100);

    auto plain = Make("ab"), italic = Make("<i>a</i>b");
    EXPECT_GT(italic->boundsRight, plain->boundsRight);  // the slant takes room on the way in and out
}

TEST(TextBlock, FindLineAtAndSetters) {
    auto block = Make("a<br>b<br>c", 100, 40, 0, 16);
    ASSERT_EQ(block->GetLineCount(), 3);
    EXPECT_EQ(block->FindLineAt(1.0f, 0), 1);  // 16 + 16 fit 40, a third line does not
    EXPECT_EQ(block->FindLineAt(0.5f, 0), 0);
    EXPECT_EQ(Make("")->FindLineAt(1.0f, 0), 0);

    block->SetFont("");
    EXPECT_STREQ(block->GetFontName().CStr(), "__DEFAULT");
    block->SetRotation(360.0f, 3, 4);
    EXPECT_EQ(block->rotCos, 1.0f);
    EXPECT_EQ(block->rotSin, 0.0f);
    block->SetRotation(90.0f, 3, 4);
    EXPECT_NEAR(block->rotSin, 1.0f, 1e-6);
    block->SetSize(32);
    EXPECT_EQ(block->lines[0]->height, 32);
}

TEST(TextBlock, MissingGlyphsComeFromTheFallBackFont) {
    // A font holding only 'W' and 'a'; everything else falls back to the default font.
    std::vector<uint8_t> tiny{'M', 'V', 'C', '4', 2, 0, 0, 0, 0, 0, 0, 0};
    auto record = [&](uint32_t code) {
        for (int i = 0; i < 4; ++i) tiny.push_back(static_cast<uint8_t>(code >> (8 * i)));
        for (int16_t v : {int16_t(0), int16_t(1024), int16_t(-1024), int16_t(0), int16_t(1024)}) {
            tiny.push_back(static_cast<uint8_t>(v));
            tiny.push_back(static_cast<uint8_t>(v >> 8));
        }
        uint32_t offset = 12 + 18 * 2;
        for (int i = 0; i < 4; ++i) tiny.push_back(static_cast<uint8_t>(offset >> (8 * i)));
    };
    record('W');
    record('a');
    tiny.push_back(8);
    RegisterMemoryFile("fonts/tiny.mvec", tiny.data(), tiny.size());

    Block block(TTextBlock::Create("aba", 1000, 100, 0, "fonts/tiny.mvec", 16, kBlack));
    const auto& runs = block->lines[0]->runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].font, TFontCache::GetFont("fonts/tiny.mvec"));
    EXPECT_EQ(runs[0].styleFont, nullptr);
    EXPECT_EQ(runs[1].styleFont, runs[0].font);
    EXPECT_STREQ(RunText(*block, runs[1]).CStr(), "b");
    EXPECT_EQ(runs[2].font, runs[0].font);
    RegisterMemoryFile("fonts/tiny.mvec", nullptr, 0);
    TFontCache::Clear();
}
