#include "engine/core/base/tstring.h"

#include <gtest/gtest.h>

#include <string>

TEST(TString, EmptyFormsAreEqualAndLeast) {
    TString null, empty("");
    EXPECT_EQ(null.Length(), 0u);
    EXPECT_STREQ(null.CStr(), "");
    EXPECT_EQ(null, empty);
    EXPECT_TRUE(null < TString("a"));
    EXPECT_EQ(TString("\xC3").Compare("z"), 1);  // bytes compare unsigned
    EXPECT_EQ(TString("abc").CharAt(3), 0);
}

TEST(TString, Searches) {
    struct Case { const char* text; const char* sub; int flags; int start; int expected; };
    const Case cases[] = {
        {"banana", "a", TString::kBackwards, 0, 5},
        {"banana", "A", TString::kIgnoreCase, 0, 1},
        {"banana", "a", 0, 6, -1},
        {"banana", "na", 0, 0, 2},
        {"banana", "na", TString::kBackwards, 0, 4},
        {"banana", "na", TString::kBackwards, 1, 2},
        {"banana", "NA", TString::kIgnoreCase | TString::kBackwards, 0, 4},
        {"banana", "", 0, 3, 3},
        {"banana", "x", 0, 0, -1},
    };
    for (const Case& c : cases) {
        TString text(c.text);
        EXPECT_EQ(text.Find(c.sub, c.flags, c.start), c.expected) << c.text << " / " << c.sub;
        if (std::string(c.sub).size() == 1) {
            EXPECT_EQ(text.FindChar(c.sub[0], c.flags, c.start), c.expected) << c.text << " / " << c.sub;
        }
    }
}

TEST(TString, Editing) {
    EXPECT_STREQ(TString("banana").Mid(2, -1).CStr(), "nana");
    EXPECT_STREQ(TString("banana").Mid(6, 1).CStr(), "");
    EXPECT_STREQ(TString("banana").Mid(1, 2).CStr(), "an");

    struct ReplaceCase { const char* text; const char* find; const char* with; int flags; const char* expected; };
    const ReplaceCase replaces[] = {
        {"banana", "a", "oo", TString::kReplaceAll, "boonoonoo"},
        {"banana", "a", "oo", 0, "boonana"},
        {"banana", "an", "", TString::kReplaceAll, "ba"},
        {"banana", "", "x", TString::kReplaceAll, "banana"},  // an empty pattern replaces nothing
        {"aaa", "a", "aa", TString::kReplaceAll, "aaaaaa"},
        {"BANANA", "a", "o", TString::kReplaceAll | TString::kIgnoreCase, "BoNoNo"},
        {"banana", "a", "o", TString::kReplaceAll | TString::kBackwards, "bonono"},
    };
    for (const ReplaceCase& c : replaces) {
        TString text(c.text);
        text.Replace(c.find, c.with, c.flags);
        EXPECT_STREQ(text.CStr(), c.expected) << c.text << " " << c.find << " -> " << c.with;
    }

    TString written("abcd");
    EXPECT_EQ(written.WriteAt(1, "XY", 2, true), 3);
    EXPECT_STREQ(written.CStr(), "aXY");
    TString kept("abcd");
    kept.WriteAt(1, "XY", 2, false);
    EXPECT_STREQ(kept.CStr(), "aXYd");
    TString grown;
    for (char c = 'a'; c <= 'z'; ++c) grown.WriteAt(-1, &c, 1, true);
    EXPECT_STREQ(grown.CStr(), "abcdefghijklmnopqrstuvwxyz");

    TString erased("abcdef");
    erased.Erase(1, 2);
    EXPECT_STREQ(erased.CStr(), "adef");
    erased.Erase(2);
    EXPECT_STREQ(erased.CStr(), "ad");
    erased.Erase(5);
    EXPECT_STREQ(erased.CStr(), "ad");

    TString lower("MiXeD 1");
    lower.MakeLower();
    EXPECT_STREQ(lower.CStr(), "mixed 1");
}

TEST(TString, CopiesAreIndependent) {
    TString original("shared");
    TString copy = original;
    copy += "!";
    copy.MakeLower();
    TString other = original;
    other.Replace("s", "S");
    other.Erase(0, 1);
    EXPECT_STREQ(original.CStr(), "shared");
    EXPECT_STREQ(copy.CStr(), "shared!");

    TString self("ab");
    self += self;
    EXPECT_STREQ(self.CStr(), "abab");
    self = self;
    EXPECT_STREQ(self.CStr(), "abab");
}

TEST(TString, FormatAndNumbers) {
    EXPECT_STREQ(TString::Format("%s-%d", "x", 42).CStr(), "x-42");
    std::string big(5000, 'q');
    EXPECT_EQ(TString::Format("%s!", big.c_str()).Length(), 5001u);
    EXPECT_EQ(TString("  42abc").ToInt(), 42);
    EXPECT_EQ(TString("99999999999").ToInt(), 2147483647);
    EXPECT_EQ(TString().ToInt(), 0);
    EXPECT_FLOAT_EQ(TString("1.5").ToFloat(), 1.5f);
    EXPECT_STREQ((TString("ab") + 'c').CStr(), "abc");
}

TEST(TString, Utf8) {
    struct Lead { unsigned char byte; int length; };
    for (Lead l : {Lead{0, 0}, Lead{'a', 1}, Lead{0x80, 1}, Lead{0xC3, 2}, Lead{0xE2, 3}, Lead{0xF0, 4}})
        EXPECT_EQ(TString::Utf8SequenceLength(l.byte), l.length);

    struct Point { uint32_t cp; const char* bytes; };
    const Point points[] = {{0x41, "A"}, {0xE9, "\xC3\xA9"}, {0x20AC, "\xE2\x82\xAC"}, {0x1F600, "\xF0\x9F\x98\x80"}};
    for (const Point& p : points) {
        char out[4];
        int count = TString::EncodeUtf8(p.cp, out);
        EXPECT_EQ(std::string(out, count), p.bytes);
        EXPECT_EQ(TString::DecodeUtf8(p.bytes), p.cp);
        EXPECT_STREQ(TString::FromCodePoint(p.cp).CStr(), p.bytes);
    }
    char out[4];
    for (uint32_t refused : {0xFEFFu, 0xFFFEu, 0xFFFFu, 0x110000u}) EXPECT_EQ(TString::EncodeUtf8(refused, out), 0);
    EXPECT_TRUE(TString::FromCodePoint(0xFEFF).IsEmpty());
    EXPECT_EQ(TString::DecodeUtf8("\xC3" "A"), 0u);  // bad continuation
    EXPECT_EQ(TString::DecodeUtf8("\x90"), 0u);      // stray continuation byte
    EXPECT_EQ(TString::DecodeUtf8("\xE2\x82"), 0u);  // cut short by the terminator
}
