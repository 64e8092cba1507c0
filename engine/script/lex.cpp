#include "engine/script/lex.h"

#include <cstring>
#include <vector>

#include "engine/script/call.h"
#include "engine/script/intern.h"
#include "engine/script/state.h"

// Longest chunk identifier in messages.
constexpr int MAXSRC = 80;

static const char* const token2string[] = {
    "and",    "break", "continue", "do",     "else",   "elseif", "end",     "false",    "for",
    "function", "if",  "in",       "local",  "nil",    "not",    "or",      "repeat",   "return",
    "then",   "true",  "until",    "while",  "*name",  "..",     "...",     "==",       ">=",
    "<=",     "~=",    "*number",  "*string", "*wstring", "<<",  ">>",      "<eof>"};

void luaX_init(lua_State* L) {
  for (int i = 0; i < NUM_RESERVED; i++) {
    TString* ts = luaS_new(L, token2string[i]);
    luaS_fix(ts);
    ts->reserved = static_cast<lu_byte>(i + 1);
  }
}

const char* luaX_token2str(LexState* ls, int token) {
  if (token < FIRST_RESERVED) return luaO_pushfstring(ls->L, "%c", token);
  return token2string[token - FIRST_RESERVED];
}

// ---------------------------------------------------------------------------------------------------
// Errors

void luaX_errorline(LexState* ls, const char* s, const char* token, int line) {
  lua_State* L = ls->L;
  char buff[MAXSRC];
  luaO_chunkid(buff, getstr(ls->source), MAXSRC);
  luaO_pushfstring(L, "%s:%d: %s near `%s'", buff, line, s, token);
  luaD_throw(L, LUA_ERRSYNTAX);
}

// The token buffer as a 0-terminated text.
static const char* buffertext(LexState* ls) {
  char* b = luaZ_openspace(ls->L, ls->buff, ls->nbuff + 1);
  b[ls->nbuff] = '\0';
  return b;
}

// Raises `s` near `token`: numbers and strings show the text collected so far.
[[noreturn]] static void lexerror(LexState* ls, const char* s, int token) {
  if (token == TK_NUMBER || token == TK_STRING || token == TK_WSTRING)
    luaX_errorline(ls, s, buffertext(ls), ls->linenumber);
  luaX_errorline(ls, s, luaX_token2str(ls, token), ls->linenumber);
}

void luaX_syntaxerror(LexState* ls, const char* s) {
  switch (ls->t.token) {
    case TK_NAME: luaX_errorline(ls, s, getstr(ls->t.seminfo.ts), ls->linenumber);
    case TK_NUMBER:
    case TK_STRING:
    case TK_WSTRING: luaX_errorline(ls, s, buffertext(ls), ls->linenumber);
    default: luaX_errorline(ls, s, luaX_token2str(ls, ls->t.token), ls->linenumber);
  }
}

void luaX_checklimit(LexState* ls, int val, int limit, const char* msg) {
  if (val > limit) {
    msg = luaO_pushfstring(ls->L, "too many %s (limit=%d)", msg, limit);
    luaX_syntaxerror(ls, msg);
  }
}

// ---------------------------------------------------------------------------------------------------
// Characters and the token buffer

// Reads the next character: a byte, or a little-endian 16-bit unit in a wide source.
static void next(LexState* ls) {
  int c = zgetc(ls->z);
  if (ls->z->wide && c != EOZ) {
    int high = zgetc(ls->z);
    c = high == EOZ ? EOZ : c + 256 * high;
  }
  ls->current = c;
}

static bool currIsNewline(const LexState* ls) { return ls->current == '\n'; }

// Appends the low byte of c to the token text.
static void save(LexState* ls, int c) {
  char* b = ls->buff->buffer;
  if (ls->nbuff + 1 >= ls->buff->size) {
    b = luaZ_openspace(ls->L, ls->buff, ls->buff->size < 16 ? 32 : ls->buff->size * 2);
  }
  b[ls->nbuff++] = static_cast<char>(c);
}

static void save_and_next(LexState* ls) {
  save(ls, ls->current);
  next(ls);
}

static void inclinenumber(LexState* ls) {
  next(ls);  // skip '\n'
  ++ls->linenumber;
  luaX_checklimit(ls, ls->linenumber, MAX_LINES, "lines in a chunk");
}

static bool isdigitchar(int c) { return c >= '0' && c <= '9'; }
static bool isalphachar(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
static int hexvalue(int c) {
  if (isdigitchar(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void luaX_setinput(lua_State* L, LexState* ls, ZIO* z, TString* source) {
  ls->L = L;
  ls->lookahead.token = TK_EOS;
  ls->z = z;
  ls->fs = nullptr;
  ls->linenumber = 1;
  ls->lastline = 1;
  ls->source = source;
  ls->nbuff = 0;
  ls->nestlevel = 0;
  next(ls);
  if (ls->current == '#') {  // a first line such as "#!/usr/bin/lua" is skipped
    do next(ls);
    while (ls->current != '\n' && ls->current != EOZ);
  }
}

// ---------------------------------------------------------------------------------------------------
// Numbers

// Up to 8 hexadecimal digits after "0x", as an unsigned 32-bit value.
static void read_hexnumeral(LexState* ls, SemInfo* seminfo) {
  save_and_next(ls);  // 'x'
  uint32_t value = 0;
  int digits = 0;
  for (int d; digits < 8 && (d = hexvalue(ls->current)) >= 0; digits++) {
    value = value * 16 + static_cast<uint32_t>(d);
    save_and_next(ls);
  }
  if (digits == 0) lexerror(ls, "malformed number", TK_NUMBER);
  seminfo->r = value;
}

static void read_digits(LexState* ls) {
  while (isdigitchar(ls->current)) save_and_next(ls);
}

// A number; `comma` when a leading '.' has been read already.
static void read_numeral(LexState* ls, bool comma, SemInfo* seminfo) {
  ls->nbuff = 0;
  if (comma) save(ls, '.');
  if (!comma && ls->current == '0') {
    save_and_next(ls);
    if (ls->current == 'x') return read_hexnumeral(ls, seminfo);
  }
  read_digits(ls);
  if (ls->current == '.') {
    save_and_next(ls);
    if (ls->current == '.') {
      save_and_next(ls);
      lexerror(ls, "ambiguous syntax (decimal point x string concatenation)", TK_NUMBER);
    }
  }
  read_digits(ls);
  if (ls->current == 'e' || ls->current == 'E') {
    save_and_next(ls);
    if (ls->current == '+' || ls->current == '-') save_and_next(ls);
    read_digits(ls);
  }
  if (!luaO_str2d(ls->buff->buffer, ls->nbuff, &seminfo->r)) lexerror(ls, "malformed number", TK_NUMBER);
}

// ---------------------------------------------------------------------------------------------------
// Strings

// "[[ ... ]]" with nested pairs; a comment when seminfo is null (its text is dropped line by line).
static void read_long_string(LexState* ls, SemInfo* seminfo) {
  int cont = 0;
  ls->nbuff = 0;
  save(ls, '[');
  save_and_next(ls);  // second '['
  if (currIsNewline(ls)) inclinenumber(ls);  // a first newline is skipped
  for (;;) {
    switch (ls->current) {
      case EOZ:
        lexerror(ls, seminfo ? "unfinished long string" : "unfinished long comment", TK_EOS);
      case '[':
        save_and_next(ls);
        if (ls->current == '[') {
          cont++;
          save_and_next(ls);
        }
        continue;
      case ']':
        save_and_next(ls);
        if (ls->current == ']') {
          if (cont == 0) goto endloop;
          cont--;
          save_and_next(ls);
        }
        continue;
      case '\n':
        save(ls, '\n');
        inclinenumber(ls);
        if (!seminfo) ls->nbuff = 0;
        continue;
      default:
        save_and_next(ls);
    }
  }
endloop:
  save_and_next(ls);  // second ']'
  if (seminfo) seminfo->ts = luaS_newlstr(ls->L, ls->buff->buffer + 2, ls->nbuff - 4);
}

// Collects the characters of a quoted literal: the token text keeps low bytes (for messages and plain
// strings), `units` the whole characters (for wide literals).
struct StringReader {
  LexState* ls;
  bool wide;
  std::vector<lua_WChar> units;

  void store(int c) {
    save(ls, c);
    if (wide) units.push_back(static_cast<lua_WChar>(c));
  }
  void store_and_next() {
    store(ls->current);
    next(ls);
  }
  int token() const { return wide ? TK_WSTRING : TK_STRING; }

  // "\x": 1 to 2 hexadecimal digits (1 to 4 in a wide literal); none stores the letter itself.
  void hexescape() {
    int maxdigits = wide ? 4 : 2;
    int value = 0, digits = 0;
    for (int d; digits < maxdigits && (d = hexvalue(ls->current)) >= 0; digits++) {
      value = value * 16 + d;
      next(ls);
    }
    store(digits == 0 ? 'x' : value);
  }

  // "\ddd": 1 to 3 decimal digits, at most 255.
  void decimalescape() {
    int value = 0, digits = 0;
    do {
      value = 10 * value + (ls->current - '0');
      next(ls);
    } while (++digits < 3 && isdigitchar(ls->current));
    if (value > 255) lexerror(ls, "escape sequence too large", token());
    store(value);
  }

  void escape() {
    next(ls);  // skip the backslash
    switch (ls->current) {
      case 'a': store('\a'); break;
      case 'b': store('\b'); break;
      case 'f': store('\f'); break;
      case 'n': store('\n'); break;
      case 'r': store('\r'); break;
      case 't': store('\t'); break;
      case 'v': store('\v'); break;
      case 'x': next(ls); return hexescape();
      case '\n': store('\n'); inclinenumber(ls); return;
      case EOZ: return;  // reported by the caller's loop
      default:
        if (isdigitchar(ls->current)) return decimalescape();
        store(ls->current);  // \\, \", \' and any other character give themselves
        break;
    }
    next(ls);
  }

  void read(int del) {
    store_and_next();  // opening delimiter
    while (ls->current != del) {
      switch (ls->current) {
        case EOZ: lexerror(ls, "unfinished string", TK_EOS);
        case '\n': lexerror(ls, "unfinished string", token());
        case '\\': escape(); break;
        default: store_and_next();
      }
    }
    store_and_next();  // closing delimiter
  }
};

static void read_string(LexState* ls, int del, SemInfo* seminfo) {
  ls->nbuff = 0;
  StringReader reader{ls, false, {}};
  reader.read(del);
  seminfo->ts = luaS_newlstr(ls->L, ls->buff->buffer + 1, ls->nbuff - 2);
}

// L"...": the 'L' has been read; the current character is the double quote.
static void read_wstring(LexState* ls, SemInfo* seminfo) {
  ls->nbuff = 0;
  save(ls, 'L');
  StringReader reader{ls, true, {}};
  reader.read('"');
  seminfo->ts = luaS_newlwstr(ls->L, reader.units.data() + 1, reader.units.size() - 2);
}

// ---------------------------------------------------------------------------------------------------
// Tokens

// Finishes a name whose first characters are in the token text.
static int read_name(LexState* ls, SemInfo* seminfo) {
  while (isalphachar(ls->current) || isdigitchar(ls->current)) save_and_next(ls);
  TString* ts = luaS_newlstr(ls->L, ls->buff->buffer, ls->nbuff);
  if (ts->reserved > 0) return ts->reserved - 1 + FIRST_RESERVED;
  seminfo->ts = ts;
  return TK_NAME;
}

// A character no rule accepts: errors for control and wide characters, else a one-character token.
static int single_char(LexState* ls) {
  int c = ls->current;
  if (c >= 255 || c < 32 || c == 127) {
    const char* text = luaO_pushfstring(ls->L, "char(%d)", c);
    luaX_errorline(ls, c >= 255 ? "invalid wide char" : "invalid control char", text, ls->linenumber);
  }
  next(ls);
  return c;
}

int luaX_lex(LexState* ls, SemInfo* seminfo) {
  for (;;) {
    switch (ls->current) {
      case EOZ: return TK_EOS;
      case '\n': inclinenumber(ls); continue;
      case '\t': case '\v': case '\f': case '\r': case ' ': next(ls); continue;
      case '-':
        next(ls);
        if (ls->current != '-') return '-';
        next(ls);
        if (ls->current == '[' && (next(ls), ls->current == '[')) {
          read_long_string(ls, nullptr);
        } else {
          while (!currIsNewline(ls) && ls->current != EOZ) next(ls);
        }
        continue;
      case '[':
        next(ls);
        if (ls->current != '[') return '[';
        read_long_string(ls, seminfo);
        return TK_STRING;
      case '=':
        next(ls);
        if (ls->current != '=') return '=';
        next(ls);
        return TK_EQ;
      case '<':
        next(ls);
        if (ls->current == '<') return next(ls), TK_SHL;
        if (ls->current == '=') return next(ls), TK_LE;
        return '<';
      case '>':
        next(ls);
        if (ls->current == '>') return next(ls), TK_SHR;
        if (ls->current == '=') return next(ls), TK_GE;
        return '>';
      case '~':
        next(ls);
        if (ls->current != '=') return '~';
        next(ls);
        return TK_NE;
      case '"':
      case '\'': read_string(ls, ls->current, seminfo); return TK_STRING;
      case '.':
        next(ls);
        if (ls->current == '.') {
          next(ls);
          if (ls->current == '.') return next(ls), TK_DOTS;
          return TK_CONCAT;
        }
        if (!isdigitchar(ls->current)) return '.';
        read_numeral(ls, true, seminfo);
        return TK_NUMBER;
      default:
        if (isdigitchar(ls->current)) {
          read_numeral(ls, false, seminfo);
          return TK_NUMBER;
        }
        if (ls->current == 'L') {
          next(ls);
          if (ls->current == '"') {
            read_wstring(ls, seminfo);
            return TK_WSTRING;
          }
          ls->nbuff = 0;
          save(ls, 'L');
          return read_name(ls, seminfo);
        }
        if (isalphachar(ls->current)) {
          ls->nbuff = 0;
          return read_name(ls, seminfo);
        }
        return single_char(ls);
    }
  }
}
