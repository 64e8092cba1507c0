// Lexer of the script language: turns a chunk's source text (bytes, or UTF-16LE units after a byte-order
// mark) into tokens for the parser. luaX_init must run once per state (lua_open) before anything is parsed.
#pragma once

#include "engine/script/object.h"
#include "engine/script/stream.h"

constexpr int FIRST_RESERVED = 257;

// Token codes from 257; single-character tokens are their character code. The order is fixed: it is also
// the order of the token-name table used in messages.
enum RESERVED {
  TK_AND = FIRST_RESERVED,
  TK_BREAK,
  TK_CONTINUE,
  TK_DO,
  TK_ELSE,
  TK_ELSEIF,
  TK_END,
  TK_FALSE,
  TK_FOR,
  TK_FUNCTION,
  TK_IF,
  TK_IN,
  TK_LOCAL,
  TK_NIL,
  TK_NOT,
  TK_OR,
  TK_REPEAT,
  TK_RETURN,
  TK_THEN,
  TK_TRUE,
  TK_UNTIL,
  TK_WHILE,
  // other terminal symbols
  TK_NAME,
  TK_CONCAT,
  TK_DOTS,
  TK_EQ,
  TK_GE,
  TK_LE,
  TK_NE,
  TK_NUMBER,
  TK_STRING,
  TK_WSTRING,
  TK_SHL,
  TK_SHR,
  TK_EOS
};

constexpr int NUM_RESERVED = TK_WHILE - FIRST_RESERVED + 1;  // 22

// Semantic value of a token: the number of TK_NUMBER, the interned string of TK_NAME / TK_STRING, the
// interned wide string of TK_WSTRING.
union SemInfo {
  lua_Number r;
  TString* ts;
};

struct Token {
  int token;
  SemInfo seminfo;
};

struct FuncState;

struct LexState {
  int current;        // current character (-1 at the end of the stream)
  int linenumber;
  int lastline;       // line of the last token consumed
  Token t;            // current token
  Token lookahead;    // look-ahead token (TK_EOS when none is pending)
  FuncState* fs;      // function being compiled
  lua_State* L;
  ZIO* z;
  Mbuffer* buff;      // token text
  size_t nbuff;       // bytes of token text collected
  TString* source;    // chunk name
  int nestlevel;      // nesting of syntax levels (statement lists, sub-expressions)
};

// Limit of the line counter.
constexpr int MAX_LINES = 2147483645;

void luaX_init(lua_State* L);
void luaX_setinput(lua_State* L, LexState* ls, ZIO* z, TString* source);
int luaX_lex(LexState* ls, SemInfo* seminfo);
// "too many %s (limit=%d)" when val exceeds limit.
void luaX_checklimit(LexState* ls, int val, int limit, const char* msg);
// Raises a syntax error near the current token.
[[noreturn]] void luaX_syntaxerror(LexState* ls, const char* s);
// Raises "%s:%d: %s near `%s'" with the text of `token` at `line`.
[[noreturn]] void luaX_errorline(LexState* ls, const char* s, const char* token, int line);
// Name of a token for messages.
const char* luaX_token2str(LexState* ls, int token);
