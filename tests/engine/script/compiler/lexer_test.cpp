#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/script/call.h"
#include "engine/script/intern.h"
#include "engine/script/lex.h"
#include "tests/engine/script/compiler/script_fixture.h"

namespace {

struct Lexed {
  int token;
  std::string text;  // name or string bytes, number as "%.14g", wide units as "u+XXXX" pieces
  int line;
};

struct LexRun {
  std::string source;
  bool wide = false;
  std::vector<Lexed> tokens;
};

struct Source {
  std::string text;
  bool read = false;
};

const char* ReadOnce(lua_State*, void* ud, size_t* size) {
  auto* source = static_cast<Source*>(ud);
  if (source->read || source->text.empty()) return nullptr;
  source->read = true;
  *size = source->text.size();
  return source->text.data();
}

struct BufferGuard {
  lua_State* L;
  Mbuffer buff;
  ~BufferGuard() { luaZ_freebuffer(L, &buff); }
};

std::string TokenText(int token, const SemInfo& seminfo) {
  char buff[64];
  switch (token) {
    case TK_NAME:
    case TK_STRING: return std::string(getstr(seminfo.ts), seminfo.ts->len);
    case TK_NUMBER: std::snprintf(buff, sizeof buff, "%.14g", seminfo.r); return buff;
    case TK_WSTRING: {
      std::string text;
      for (uint32_t i = 0; i < seminfo.ts->len; i++) {
        std::snprintf(buff, sizeof buff, "u+%04X ", getwstr(seminfo.ts)[i]);
        text += buff;
      }
      return text;
    }
    default: return "";
  }
}

void LexAll(lua_State* L, void* ud) {
  auto* run = static_cast<LexRun*>(ud);
  Source pending{run->source};
  ZIO z;
  luaZ_init(&z, L, ReadOnce, &pending, "=test");
  z.wide = run->wide;
  BufferGuard guard{L, {}};
  luaZ_initbuffer(&guard.buff);
  LexState ls;
  ls.buff = &guard.buff;
  luaX_setinput(L, &ls, &z, luaS_new(L, "=test"));
  for (;;) {
    SemInfo seminfo;
    int token = luaX_lex(&ls, &seminfo);
    if (token == TK_EOS) break;
    run->tokens.push_back({token, TokenText(token, seminfo), ls.linenumber});
  }
}

class ScriptLexerTest : public ScriptTest {
protected:
  std::vector<Lexed> Lex(const std::string& source, bool wide = false) {
    LexRun run;
    run.source = source;
    run.wide = wide;
    int status = luaD_rawrunprotected(L, LexAll, &run);
    EXPECT_EQ(status, 0) << source << ": " << (status ? lua_tostring(L, -1) : "");
    return run.tokens;
  }
};

TEST_F(ScriptLexerTest, ReservedWordsHaveTheirFixedCodesAndNames) {
  const char* words[] = {"and",  "break", "continue", "do",   "else",   "elseif", "end",  "false",
                         "for",  "function", "if",    "in",   "local",  "nil",    "not",  "or",
                         "repeat", "return", "then",  "true", "until",  "while"};
  std::string source;
  for (const char* w : words) source += std::string(w) + " ";
  std::vector<Lexed> tokens = Lex(source);
  ASSERT_EQ(tokens.size(), 22u);
  for (int i = 0; i < 22; i++) {
    EXPECT_EQ(tokens[i].token, 257 + i) << words[i];
    LexState ls;
    ls.L = L;
    EXPECT_STREQ(luaX_token2str(&ls, 257 + i), words[i]);
  }
  LexState ls;
  ls.L = L;
  EXPECT_STREQ(luaX_token2str(&ls, 279), "*name");
  EXPECT_STREQ(luaX_token2str(&ls, 288), "*wstring");
  EXPECT_STREQ(luaX_token2str(&ls, 289), "<<");
  EXPECT_STREQ(luaX_token2str(&ls, 290), ">>");
  EXPECT_STREQ(luaX_token2str(&ls, 291), "<eof>");
}

struct TokenCase {
  const char* source;
  std::vector<std::pair<int, std::string>> tokens;
};

TEST_F(ScriptLexerTest, TokensOfSources) {
  const TokenCase cases[] = {
      {"0x1F 0xff 0xFFFFFFFF", {{TK_NUMBER, "31"}, {TK_NUMBER, "255"}, {TK_NUMBER, "4294967295"}}},
      {"0XFF", {{TK_NUMBER, "0"}, {TK_NAME, "XFF"}}},
      {"0x123456789", {{TK_NUMBER, "305419896"}, {TK_NUMBER, "9"}}},
      {"3x", {{TK_NUMBER, "3"}, {TK_NAME, "x"}}},
      {".5 1e3 2.5E-1", {{TK_NUMBER, "0.5"}, {TK_NUMBER, "1000"}, {TK_NUMBER, "0.25"}}},
      {"a.b..c", {{TK_NAME, "a"}, {'.', ""}, {TK_NAME, "b"}, {TK_CONCAT, ""}, {TK_NAME, "c"}}},
      {"L\"abc\"", {{TK_WSTRING, "u+0061 u+0062 u+0063 "}}},
      {"L \"abc\"", {{TK_NAME, "L"}, {TK_STRING, "abc"}}},
      {"Lx L'a'", {{TK_NAME, "Lx"}, {TK_NAME, "L"}, {TK_STRING, "a"}}},
      {"'\\x41\\x4' '\\xg'", {{TK_STRING, "A\x04"}, {TK_STRING, "xg"}}},
      {"L\"\\x4e2dz\\x41\"", {{TK_WSTRING, "u+4E2D u+007A u+0041 "}}},
      {"L\"\\xe9\xe9\"", {{TK_WSTRING, "u+00E9 u+00E9 "}}},
      {"'\\65\\0\\255'", {{TK_STRING, std::string("A\0\xff", 3)}}},
      {"a<<b>>c<=d>=e", {{TK_NAME, "a"}, {TK_SHL, ""}, {TK_NAME, "b"}, {TK_SHR, ""}, {TK_NAME, "c"},
                         {TK_LE, ""}, {TK_NAME, "d"}, {TK_GE, ""}, {TK_NAME, "e"}}},
      {"== ~= ... .. < > = ~", {{TK_EQ, ""}, {TK_NE, ""}, {TK_DOTS, ""}, {TK_CONCAT, ""}, {'<', ""},
                                {'>', ""}, {'=', ""}, {'~', ""}}},
      {"[[a[[b]]c]] [[\nx]]", {{TK_STRING, "a[[b]]c"}, {TK_STRING, "x"}}},
      {"x --[[ c [[ d ]] e ]] y -- z\nw", {{TK_NAME, "x"}, {TK_NAME, "y"}, {TK_NAME, "w"}}},
      {"\t\v\f\r x", {{TK_NAME, "x"}}},
      {"a \xc8 b", {{TK_NAME, "a"}, {200, ""}, {TK_NAME, "b"}}},
      {"é", {{0xC3, ""}, {0xA9, ""}}},
  };
  for (const TokenCase& c : cases) {
    std::vector<Lexed> tokens = Lex(c.source);
    ASSERT_EQ(tokens.size(), c.tokens.size()) << c.source;
    for (size_t i = 0; i < tokens.size(); i++) {
      EXPECT_EQ(tokens[i].token, c.tokens[i].first) << c.source << " token " << i;
      EXPECT_EQ(tokens[i].text, c.tokens[i].second) << c.source << " token " << i;
    }
  }
}

TEST_F(ScriptLexerTest, FirstLineWithHashIsSkippedButCounted) {
  std::vector<Lexed> tokens = Lex("#!/usr/bin/lua x y\nfoo\n\nbar");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].text, "foo");
  EXPECT_EQ(tokens[0].line, 2);
  EXPECT_EQ(tokens[1].line, 4);
}

// UTF-16LE text (without its byte-order mark, which the chunk parser consumes).
std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

TEST_F(ScriptLexerTest, WideSourcesReadSixteenBitCharacters) {
  std::vector<Lexed> tokens = Lex(Utf16(u"x = \"a\u4e2d\" .. L\"a\u4e2d\" -- \u4e2d comment\n y"), true);
  ASSERT_EQ(tokens.size(), 6u);
  EXPECT_EQ(tokens[2].text, "a\x2d");  // an ordinary string keeps the low byte
  EXPECT_EQ(tokens[4].text, "u+0061 u+4E2D ");
  EXPECT_EQ(tokens[5].line, 2);
}

TEST_F(ScriptLexerTest, OddTrailingByteOfWideSourceEndsTheStream) {
  std::vector<Lexed> tokens = Lex(Utf16(u"ab") + "c", true);
  ASSERT_EQ(tokens.size(), 1u);
  EXPECT_EQ(tokens[0].text, "ab");
}

}  // namespace
