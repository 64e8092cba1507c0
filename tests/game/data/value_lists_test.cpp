#include "game/data/value_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Strings(const std::vector<TString>& pieces) {
    std::vector<std::string> out;
    for (const TString& piece : pieces) out.emplace_back(piece.CStr());
    return out;
}

}  // namespace

TEST(ValueLists, SplitKeepsEmptyPiecesAndStripsBlanksUnlessTheySeparate) {
    struct Case {
        const char* text;
        char separator;
        bool stripBlanks;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"", ',', false, {}},
        {"abc", ',', false, {"abc"}},
        {"a,,b", ',', false, {"a", "", "b"}},
        {"a,", ',', false, {"a", ""}},
        {",", ',', false, {"", ""}},
        {" a , b ", ',', false, {" a ", " b "}},
        {"a b|c", '|', true, {"ab", "c"}},
        {"a b", ' ', true, {"a", "b"}},
        {"   ", ',', true, {}},
        {" x ; y;", ';', true, {"x", "y", ""}},
    };
    for (const Case& c : cases) {
        std::vector<TString> pieces{"stale"};
        if (c.stripBlanks)
            SplitStringStripBlanks(pieces, c.text, c.separator);
        else
            SplitString(pieces, c.text, c.separator);
        EXPECT_EQ(Strings(pieces), c.pieces) << '"' << c.text << '"';
    }
}

TEST(ValueLists, NumberListsReadEmptyPiecesAsZero) {
    struct Case {
        const char* text;
        std::vector<int> values;
        int sum;
    };
    const Case cases[] = {
        {" 3 ,4,, 5", {3, 4, 0, 5}, 12},
        {"", {}, 0},
        {"7,", {7, 0}, 7},
        {"2, 3, 1", {2, 3, 1}, 6},
        {"-1,-1,-1", {-1, -1, -1}, -3},
        {"12abc,x", {12, 0}, 12},
        {"2147483647,1", {2147483647, 1}, 2147483647},  // the sum saturates
    };
    for (const Case& c : cases) {
        std::vector<int> values{99};
        EXPECT_EQ(ParseIntListSum(values, c.text), c.sum) << c.text;
        EXPECT_EQ(values, c.values) << c.text;
    }

    std::vector<float> floats{1.0f};
    ParseFloatList(floats, "1.0, 1.3,,2");
    EXPECT_EQ(floats, (std::vector<float>{1.0f, 1.3f, 0.0f, 2.0f}));
    ParseFloatList(floats, "");
    EXPECT_TRUE(floats.empty());
}

TEST(ValueLists, LetterListsKeepTheFirstByteOfEachPiece) {
    std::vector<char> letters;
    ParseCharList(letters, "Ogre, Witch");
    EXPECT_EQ(letters, (std::vector<char>{'O', 'W'}));
    ParseCharList(letters, "A,,C");
    EXPECT_EQ(letters, (std::vector<char>{'A', 0, 'C'}));
    ParseCharList(letters, "");
    EXPECT_TRUE(letters.empty());

    struct Case {
        std::vector<char> in;
        std::vector<char> out;
    };
    const Case cases[] = {
        {{'A', 'A', 'B'}, {'B', 'A'}},
        {{'A', 'B', 'A', 'C'}, {'C', 'A', 'B'}},
        {{'W', 'O', 'W', 'M'}, {'M', 'W', 'O'}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<char> out{'z'};
        DistinctCharsFromEnd(out, c.in);
        EXPECT_EQ(out, c.out);
    }
}

TEST(ValueLists, JoinWritesSeparatorsBetweenElementsOnly) {
    EXPECT_STREQ(JoinIntList({1, 0, 0}, ',').CStr(), "1,0,0");
    EXPECT_STREQ(JoinIntList({-1, -1, -1}, ',').CStr(), "-1,-1,-1");
    EXPECT_STREQ(JoinIntList({42}, ';').CStr(), "42");
    EXPECT_STREQ(JoinIntList({}, ',').CStr(), "");
}
