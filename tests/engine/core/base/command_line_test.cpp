#include "engine/core/base/command_line.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(CommandLine, BuiltFromArguments) {
    struct Case {
        std::vector<const char*> argv;
        const char* line;
    } cases[] = {
        {{"alembria"}, ""},
        {{"alembria", "--multiple"}, "--multiple"},
        {{"alembria", "-url=abc def", "x"}, "\"-url=abc def\" x"},
        {{"alembria", "options=a=1&b=2", "-wd=/tmp/a b"}, "options=a=1&b=2 \"-wd=/tmp/a b\""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(BuildCommandLine(static_cast<int>(c.argv.size()), c.argv.data()).CStr(), c.line);
    }
}

TEST(CommandLine, WordsAndPaths) {
    struct Case {
        const char* line;
        const char* option;
        const char* word;
        const char* path;
    } cases[] = {
        {"-url=abc def", "-url=", "abc", "abc"},
        {"x -url=", "-url=", "", ""},
        {"nothing here", "-url=", "", ""},
        {"\"-wd=/tmp/a b\" --multiple", "-wd=", "/tmp/a", "/tmp/a b"},
        {"-wd=\"/tmp/a b\" --multiple", "-wd=", "\"/tmp/a", "/tmp/a b"},
        {"-wd=/tmp/plain rest", "-wd=", "/tmp/plain", "/tmp/plain"},
        {"\"-wd=/tmp/unclosed", "-wd=", "/tmp/unclosed", "/tmp/unclosed"},
        {"-host=/usr/bin/browser --x", "-host=", "/usr/bin/browser", "/usr/bin/browser"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_STREQ(WordAfter(c.line, c.option).CStr(), c.word);
        EXPECT_STREQ(PathAfter(c.line, c.option).CStr(), c.path);
    }
}

TEST(CommandLine, CheatCode) {
    struct Case {
        const char* line;
        const char* code;
    } cases[] = {
        {"--cheat abc def", "abc"},
        {"-x --cheat abc", "abc"},
        {"--cheat", ""},           // nothing behind it: no code, no read past the end
        {"--cheat ", ""},
        {"--cheatXabc", "abc"},    // the code starts 8 characters behind the option
        {"no cheat", ""},
    };
    for (const Case& c : cases) EXPECT_STREQ(CheatCode(c.line).CStr(), c.code) << c.line;
}

TEST(CommandLine, OptionPairs) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* line;
        Pairs pairs;
    } cases[] = {
        {"options=a=1&b=2", {{"a", "1"}, {"b", "2"}}},
        {"options=a=1&b=2 rest", {{"a", "1"}, {"b", "2"}}},
        {"options=a", {}},
        {"options=a=1&b&c=3", {{"a", "1"}}},       // stops at a pair without "="
        {"options= a=1", {}},                      // a leading blank ends the list
        {"options=a=1 b=2&c=3", {{"a", "1"}}},     // the value ends at the blank, not at the next "&"
        {"options=a=&b=x=y", {{"a", ""}, {"b", "x=y"}}},
        {"-x options=k=v", {{"k", "v"}}},
        {"no list", {}},
    };
    for (const Case& c : cases) {
        Pairs got;
        for (const auto& [key, value] : OptionPairs(c.line)) got.emplace_back(key.CStr(), value.CStr());
        EXPECT_EQ(got, c.pairs) << c.line;
    }
}

TEST(CommandLine, HasOption) {
    EXPECT_TRUE(HasOption("a --multiple b", "--multiple"));
    EXPECT_TRUE(HasOption("--stringtest", "--stringtest"));
    EXPECT_FALSE(HasOption("--multi", "--multiple"));
}

}  // namespace
