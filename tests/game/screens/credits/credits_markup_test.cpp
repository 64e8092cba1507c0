#include <gtest/gtest.h>

#include <string>

#include "game/screens/credits/credits_markup.h"

namespace {

const CreditsSpans kSpans{"<H>", "<S>"};

TEST(CreditsMarkupTest, BracketsBecomeSpans) {
    struct Case {
        const char* line;
        const char* converted;
    } cases[] = {
        {"[Made by]", "<H>Made by</font>\n"},
        {"[[Alembria]]", "<S>Alembria</font>\n"},  // one span, closed once
        {"[a] and [b]", "<H>a</font> and <H>b</font>\n"},
        {"[[[x]", "<S><H>x</font>\n"},
        {"x]]y", "x</font>y\n"},
        {"  \tThe team \t ", "The team\n"},  // blanks go at both ends only
        {"in  between", "in  between\n"},
        {"a | b", "\n"},  // a bar anywhere: an empty line, nothing of its text
        {"[|]", "\n"},
        {"", "\n"},
        {" \t ", "\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertCreditsLine(c.line, kSpans), c.converted) << c.line;
}

TEST(CreditsMarkupTest, EveryLineKeepsItsLastCharacter) {
    struct Case {
        const char* name;
        std::string text;
        std::string converted;
    } cases[] = {
        {"line ends", "one\n[two]\n", "one\n<H>two</font>\n"},
        {"CRLF", "one\r\n[two]\r\n", "one\n<H>two</font>\n"},
        {"last line without newline", "one\nlast", "one\nlast\n"},
        {"one character", "x", "x\n"},
        {"a lone CR stays in its line", "a\rb\n", "a\rb\n"},
        {"empty lines", "\n\r\n|\n", "\n\n\n"},
        {"empty file", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertCreditsText(c.text, kSpans), c.converted) << c.name;
}

TEST(CreditsMarkupTest, LinesOfAnyLengthStayWhole) {
    std::string longLine(20000, 'w');
    longLine[0] = '[';
    longLine[19999] = ']';
    std::string converted = ConvertCreditsText(longLine + "\nnext\n", kSpans);
    EXPECT_EQ(converted, "<H>" + std::string(19998, 'w') + "</font>\nnext\n");
}

TEST(CreditsMarkupTest, FontTagsCarryColourAndSize) {
    struct Case {
        float color[4];
        int size;
        const char* tag;
    } cases[] = {
        {{1.0f, 0.5f, 0.0f, 1.0f}, 28, "<font color='ff7f00ff' size='28'>"},  // 0.5 x 255 truncated
        {{0.0f, 0.0f, 0.0f, 0.0f}, 32, "<font color='00000000' size='32'>"},
        {{0.1f, 0.2f, 0.3f, 0.4f}, 7, "<font color='19334c66' size='7'>"},
        {{2.0f, -1.0f, 1.0f, 1.0f}, 24, "<font color='ff00ffff' size='24'>"},  // out of range: clamped
    };
    for (const Case& c : cases) EXPECT_EQ(CreditsFontTag(c.color, c.size), c.tag) << c.tag;
}

}  // namespace
