#include "engine/ui/utf8_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8TextTest, StepsNeverLeaveTheText) {
    // A lead byte announcing more bytes than the text holds.
    const TString cut("a\xF0\x9F");
    EXPECT_EQ(Utf8CharLength(cut, 1), 2u);
    EXPECT_EQ(Utf8CharLength(cut, 3), 0u);
    EXPECT_EQ(Utf8CharStartBefore(cut, 3), 1u);
    EXPECT_EQ(Utf8CharStartBefore(cut, 2), 1u) << "inside a character: its start";
    EXPECT_EQ(Utf8CharStartBefore(cut, 99), 1u);
    EXPECT_EQ(Utf8CharCount(cut), 2u);
    EXPECT_STREQ(Utf8FirstChars("\xC3\xA9\xE2\x82\xAC" "b", 2).CStr(), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_STREQ(Utf8FirstChars(cut, 9).CStr(), cut.CStr());
}

TEST(Utf8TextTest, OnlyWellFormedSequencesCount) {
    struct Case {
        const char* text;
        bool valid;
        const char* kept;
    } cases[] = {
        {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", true, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"\x80x", false, "x"},              // stray continuation byte
        {"\xC3(", false, "("},              // lead byte without its continuation
        {"\xC0\xAF", false, ""},            // overlong slash
        {"\xE0\x80\xAF", false, ""},        // overlong
        {"\xED\xA0\x80", false, ""},        // surrogate
        {"\xF4\x90\x80\x80", false, ""},    // above U+10FFFF
        {"\xF0\x9F\x98", false, ""},        // cut short at the end
        {"\xFF", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
        EXPECT_STREQ(ValidUtf8Only(c.text).CStr(), c.kept) << c.text;
    }
}

}  // namespace
