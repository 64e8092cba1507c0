// String library: the stock functions, patterns, format with this system's directives, lualex, pack and
// unpack. Every function takes byte strings only.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/lualib.h"
#include "engine/script/object.h"

namespace {

// Integer of a number argument, defined for every double (NaN and overflow give INT32_MIN).
int checkint(lua_State* L, int narg) { return luaO_toint32(luaL_checknumber(L, narg)); }
int optint(lua_State* L, int narg, int def) { return luaO_toint32(luaL_optnumber(L, narg, def)); }

// A relative string position: negative counts from the end.
long posrelat(long pos, size_t len) { return pos >= 0 ? pos : static_cast<long>(len) + pos + 1; }

int str_len(lua_State* L) {
  size_t l;
  luaL_checklstring(L, 1, &l);
  lua_pushnumber(L, static_cast<lua_Number>(l));
  return 1;
}

int str_sub(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  long start = posrelat(checkint(L, 2), l);
  long end = posrelat(optint(L, 3, -1), l);
  if (start < 1) start = 1;
  if (end > static_cast<long>(l)) end = static_cast<long>(l);
  if (start <= end) {
    lua_pushlstring(L, s + start - 1, static_cast<size_t>(end - start + 1));
  } else {
    lua_pushliteral(L, "");
  }
  return 1;
}

int mapcase(lua_State* L, int (*f)(int)) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  std::string out(s, l);
  for (char& c : out) c = static_cast<char>(f(static_cast<unsigned char>(c)));
  lua_pushlstring(L, out.data(), out.size());
  return 1;
}

int str_lower(lua_State* L) { return mapcase(L, [](int c) { return std::tolower(c); }); }
int str_upper(lua_State* L) { return mapcase(L, [](int c) { return std::toupper(c); }); }

int str_rep(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  int n = checkint(L, 2);
  if (l == 0 || n <= 0) {
    lua_pushlstring(L, "", 0);
    return 1;
  }
  if (l > std::string().max_size() / static_cast<size_t>(n)) luaL_error(L, "resulting string too large");
  // The copies double the text made so far, so a long result takes a few large copies.
  size_t total = l * static_cast<size_t>(n);
  std::string text;
  text.reserve(total);
  text.append(s, l);
  while (text.size() < total) text.append(text, 0, std::min(text.size(), total - text.size()));
  lua_pushlstring(L, text.data(), total);
  return 1;
}

int str_byte(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  long pos = posrelat(optint(L, 2, 1), l);
  if (pos <= 0 || static_cast<size_t>(pos) > l) return 0;
  lua_pushnumber(L, static_cast<unsigned char>(s[pos - 1]));
  return 1;
}

int str_char(lua_State* L) {
  int n = lua_gettop(L);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  for (int i = 1; i <= n; i++) {
    int c = checkint(L, i);
    luaL_argcheck(L, static_cast<unsigned char>(c) == c, i, "invalid value");
    luaL_putchar(&b, static_cast<char>(c));
  }
  luaL_pushresult(&b);
  return 1;
}

int writer(lua_State*, const void* b, size_t size, void* B) {
  luaL_addlstring(static_cast<luaL_Buffer*>(B), static_cast<const char*>(b), size);
  return 0;
}

int str_dump(lua_State* L) {
  luaL_checktype(L, 1, LUA_TFUNCTION);
  lua_settop(L, 1);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  if (!lua_dump(L, writer, &b)) luaL_error(L, "unable to dump given function");
  luaL_pushresult(&b);
  return 1;
}

// Pattern matching.

constexpr int MAXCAPTURES = 32;
constexpr int CAP_UNFINISHED = -1;
constexpr int CAP_POSITION = -2;
constexpr char ESC = '%';
constexpr const char* SPECIALS = "^$*+?.([%-";
// Nested matcher calls allowed before a pattern is refused; keeps hostile patterns off the C stack's end.
constexpr int MAXMATCHDEPTH = 4000;

struct MatchState {
  const char* src_init;
  const char* src_end;
  lua_State* L;
  int level;
  int depth;
  struct {
    const char* init;
    long len;
  } capture[MAXCAPTURES];
};

int check_capture(MatchState* ms, int l) {
  l -= '1';
  if (l < 0 || l >= ms->level || ms->capture[l].len == CAP_UNFINISHED) {
    return luaL_error(ms->L, "invalid capture index");
  }
  return l;
}

int capture_to_close(MatchState* ms) {
  int level = ms->level;
  for (level--; level >= 0; level--) {
    if (ms->capture[level].len == CAP_UNFINISHED) return level;
  }
  return luaL_error(ms->L, "invalid pattern capture");
}

const char* luaI_classend(MatchState* ms, const char* p) {
  switch (*p++) {
    case ESC:
      if (*p == '\0') luaL_error(ms->L, "malformed pattern (ends with `%%')");
      return p + 1;
    case '[':
      if (*p == '^') p++;
      do {
        if (*p == '\0') luaL_error(ms->L, "malformed pattern (missing `]')");
        if (*(p++) == ESC && *p != '\0') p++;
      } while (*p != ']');
      return p + 1;
    default: return p;
  }
}

// Character classes of the C locale as bits per byte, so that testing a byte is one table lookup.
enum ClassBit : uint16_t {
  kAlpha = 1,
  kControl = 2,
  kDigit = 4,
  kLower = 8,
  kPunct = 16,
  kSpace = 32,
  kUpper = 64,
  kHexDigit = 128,
  kZero = 256,
};

constexpr uint16_t ClassesOf(int c) {
  uint16_t bits = 0;
  if (c >= 'a' && c <= 'z') bits |= kAlpha | kLower;
  if (c >= 'A' && c <= 'Z') bits |= kAlpha | kUpper;
  if (c >= '0' && c <= '9') bits |= kDigit | kHexDigit;
  if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) bits |= kHexDigit;
  if (c < 32 || c == 127) bits |= kControl;
  if (c > 32 && c < 127 && !(bits & (kAlpha | kDigit))) bits |= kPunct;
  if (c == ' ' || (c >= '\t' && c <= '\r')) bits |= kSpace;
  if (c == 0) bits |= kZero;
  return bits;
}

constexpr auto kClasses = [] {
  std::array<uint16_t, 256> table{};
  for (int c = 0; c < 256; c++) table[static_cast<size_t>(c)] = ClassesOf(c);
  return table;
}();

// A class letter of a pattern (%a, %D, ...) resolved once: the bits it tests and whether it is negated
// (the capital letter). Any other character after `%' stands for itself.
struct ClassTest {
  uint16_t bits = 0;
  bool negated = false;
  int literal;

  explicit ClassTest(int cl) : literal(cl) {
    switch (cl | 0x20) {  // folds the capital letters only onto the class letters
      case 'a': bits = kAlpha; break;
      case 'c': bits = kControl; break;
      case 'd': bits = kDigit; break;
      case 'l': bits = kLower; break;
      case 'p': bits = kPunct; break;
      case 's': bits = kSpace; break;
      case 'u': bits = kUpper; break;
      case 'w': bits = kAlpha | kDigit; break;
      case 'x': bits = kHexDigit; break;
      case 'z': bits = kZero; break;
      default: return;
    }
    negated = !(cl & 0x20);
  }

  bool operator()(int c) const {
    if (bits == 0) return c == literal;
    return ((kClasses[static_cast<size_t>(c)] & bits) != 0) != negated;
  }
};

bool match_class(int c, int cl) { return ClassTest(cl)(c); }

bool matchbracketclass(int c, const char* p, const char* ec) {
  bool sig = true;
  if (*(p + 1) == '^') {
    sig = false;
    p++;
  }
  while (++p < ec) {
    if (*p == ESC) {
      p++;
      if (match_class(c, static_cast<unsigned char>(*p))) return sig;
    } else if (*(p + 1) == '-' && p + 2 < ec) {
      p += 2;
      if (static_cast<unsigned char>(*(p - 2)) <= c && c <= static_cast<unsigned char>(*p)) return sig;
    } else if (static_cast<unsigned char>(*p) == c) {
      return sig;
    }
  }
  return !sig;
}

bool luaI_singlematch(int c, const char* p, const char* ep) {
  switch (*p) {
    case '.': return true;
    case ESC: return match_class(c, static_cast<unsigned char>(*(p + 1)));
    case '[': return matchbracketclass(c, p, ep - 1);
    default: return static_cast<unsigned char>(*p) == c;
  }
}

const char* match(MatchState* ms, const char* s, const char* p);

const char* matchbalance(MatchState* ms, const char* s, const char* p) {
  if (*p == 0 || *(p + 1) == 0) luaL_error(ms->L, "unbalanced pattern");
  if (s >= ms->src_end || *s != *p) return nullptr;
  int b = *p, e = *(p + 1), cont = 1;
  while (++s < ms->src_end) {
    if (*s == e) {
      if (--cont == 0) return s + 1;
    } else if (*s == b) {
      cont++;
    }
  }
  return nullptr;
}

// How many bytes from s on match the single-character item p..ep; a class is resolved once for the run.
long matchrun(const MatchState* ms, const char* s, const char* p, const char* ep) {
  long available = ms->src_end - s;
  long i = 0;
  if (*p == ESC) {
    ClassTest test(static_cast<unsigned char>(p[1]));
    while (i < available && test(static_cast<unsigned char>(s[i]))) i++;
    return i;
  }
  while (i < available && luaI_singlematch(static_cast<unsigned char>(s[i]), p, ep)) i++;
  return i;
}

const char* max_expand(MatchState* ms, const char* s, const char* p, const char* ep) {
  long i = matchrun(ms, s, p, ep);
  while (i >= 0) {
    const char* res = match(ms, s + i, ep + 1);
    if (res) return res;
    i--;
  }
  return nullptr;
}

const char* min_expand(MatchState* ms, const char* s, const char* p, const char* ep) {
  for (;;) {
    const char* res = match(ms, s, ep + 1);
    if (res != nullptr) return res;
    if (s < ms->src_end && luaI_singlematch(static_cast<unsigned char>(*s), p, ep)) {
      s++;
    } else {
      return nullptr;
    }
  }
}

const char* start_capture(MatchState* ms, const char* s, const char* p, int what) {
  int level = ms->level;
  if (level >= MAXCAPTURES) luaL_error(ms->L, "too many captures");
  ms->capture[level].init = s;
  ms->capture[level].len = what;
  ms->level = level + 1;
  const char* res = match(ms, s, p);
  if (res == nullptr) ms->level--;
  return res;
}

const char* end_capture(MatchState* ms, const char* s, const char* p) {
  int l = capture_to_close(ms);
  ms->capture[l].len = s - ms->capture[l].init;
  const char* res = match(ms, s, p);
  if (res == nullptr) ms->capture[l].len = CAP_UNFINISHED;
  return res;
}

const char* match_capture(MatchState* ms, const char* s, int l) {
  l = check_capture(ms, l);
  size_t len = static_cast<size_t>(ms->capture[l].len);
  if (static_cast<size_t>(ms->src_end - s) >= len && std::memcmp(ms->capture[l].init, s, len) == 0) return s + len;
  return nullptr;
}

const char* domatch(MatchState* ms, const char* s, const char* p);

const char* match(MatchState* ms, const char* s, const char* p) {
  if (++ms->depth > MAXMATCHDEPTH) luaL_error(ms->L, "pattern too complex");
  const char* res = domatch(ms, s, p);
  ms->depth--;
  return res;
}

const char* domatch(MatchState* ms, const char* s, const char* p) {
  for (;;) {
    switch (*p) {
      case '(':
        if (*(p + 1) == ')') return start_capture(ms, s, p + 2, CAP_POSITION);
        return start_capture(ms, s, p + 1, CAP_UNFINISHED);
      case ')': return end_capture(ms, s, p + 1);
      case ESC:
        switch (*(p + 1)) {
          case 'b':
            s = matchbalance(ms, s, p + 2);
            if (s == nullptr) return nullptr;
            p += 4;
            continue;
          case 'f': {
            p += 2;
            if (*p != '[') luaL_error(ms->L, "missing `[' after `%%f' in pattern");
            const char* ep = luaI_classend(ms, p);
            int previous = (s == ms->src_init) ? '\0' : static_cast<unsigned char>(*(s - 1));
            int current = s < ms->src_end ? static_cast<unsigned char>(*s) : '\0';
            if (matchbracketclass(previous, p, ep - 1) || !matchbracketclass(current, p, ep - 1)) return nullptr;
            p = ep;
            continue;
          }
          default:
            if (std::isdigit(static_cast<unsigned char>(*(p + 1)))) {
              s = match_capture(ms, s, static_cast<unsigned char>(*(p + 1)));
              if (s == nullptr) return nullptr;
              p += 2;
              continue;
            }
            break;
        }
        break;
      case '\0': return s;
      case '$':
        if (*(p + 1) == '\0') return (s == ms->src_end) ? s : nullptr;
        break;
      default: break;
    }
    const char* ep = luaI_classend(ms, p);
    bool m = s < ms->src_end && luaI_singlematch(static_cast<unsigned char>(*s), p, ep);
    switch (*ep) {
      case '?': {
        if (m) {
          const char* res = match(ms, s + 1, ep + 1);
          if (res != nullptr) return res;
        }
        p = ep + 1;
        continue;
      }
      case '*': return max_expand(ms, s, p, ep);
      case '+': return m ? max_expand(ms, s + 1, p, ep) : nullptr;
      case '-': return min_expand(ms, s, p, ep);
      default:
        if (!m) return nullptr;
        s++;
        p = ep;
        continue;
    }
  }
}

const char* lmemfind(const char* s1, size_t l1, const char* s2, size_t l2) {
  if (l2 == 0) return s1;
  if (l2 > l1) return nullptr;
  const char* init;
  l2--;
  l1 = l1 - l2;
  while (l1 > 0 && (init = static_cast<const char*>(std::memchr(s1, *s2, l1))) != nullptr) {
    init++;
    if (std::memcmp(init, s2 + 1, l2) == 0) return init - 1;
    l1 -= static_cast<size_t>(init - s1);
    s1 = init;
  }
  return nullptr;
}

// The byte every match of pattern p starts with, or -1 when a match may start with other bytes (or none).
int firstliteral(const char* p) {
  unsigned char c = static_cast<unsigned char>(p[0]);
  if (c == '\0' || std::strchr("^$*+?.([%-)", c) != nullptr) return -1;
  if (p[1] == '*' || p[1] == '?' || p[1] == '-') return -1;  // the item may match nothing
  return c;
}

// The first position from src on where a match of p can start: where its literal first byte is next found
// (the end when nowhere), or src itself.
const char* nextcandidate(const char* src, const char* end, int first) {
  if (first < 0 || src >= end) return src;
  const void* found = std::memchr(src, first, static_cast<size_t>(end - src));
  return found != nullptr ? static_cast<const char*>(found) : end;
}

void push_onecapture(MatchState* ms, int i) {
  long l = ms->capture[i].len;
  if (l == CAP_UNFINISHED) luaL_error(ms->L, "unfinished capture");
  if (l == CAP_POSITION) {
    lua_pushnumber(ms->L, static_cast<lua_Number>(ms->capture[i].init - ms->src_init + 1));
  } else {
    lua_pushlstring(ms->L, ms->capture[i].init, static_cast<size_t>(l));
  }
}

int push_captures(MatchState* ms, const char* s, const char* e) {
  int nlevels = (ms->level == 0 && s) ? 1 : ms->level;
  luaL_checkstack(ms->L, nlevels, "too many captures");
  for (int i = 0; i < nlevels; i++) {
    if (i == 0 && ms->level == 0) {
      lua_pushlstring(ms->L, s, static_cast<size_t>(e - s));
    } else {
      push_onecapture(ms, i);
    }
  }
  return nlevels;
}

int str_find(lua_State* L) {
  size_t l1, l2;
  const char* s = luaL_checklstring(L, 1, &l1);
  const char* p = luaL_checklstring(L, 2, &l2);
  long init = posrelat(optint(L, 3, 1), l1) - 1;
  if (init < 0) init = 0;
  else if (static_cast<size_t>(init) > l1) init = static_cast<long>(l1);
  if (lua_toboolean(L, 4) || std::strpbrk(p, SPECIALS) == nullptr) {
    const char* s2 = lmemfind(s + init, l1 - static_cast<size_t>(init), p, l2);
    if (s2) {
      lua_pushnumber(L, static_cast<lua_Number>(s2 - s + 1));
      lua_pushnumber(L, static_cast<lua_Number>(s2 - s + static_cast<long>(l2)));
      return 2;
    }
  } else {
    MatchState ms;
    bool anchor = (*p == '^') ? (p++, true) : false;
    const char* s1 = s + init;
    ms.L = L;
    ms.src_init = s;
    ms.src_end = s + l1;
    do {
      ms.level = 0;
    ms.depth = 0;
      const char* res = match(&ms, s1, p);
      if (res != nullptr) {
        lua_pushnumber(L, static_cast<lua_Number>(s1 - s + 1));
        lua_pushnumber(L, static_cast<lua_Number>(res - s));
        return push_captures(&ms, nullptr, nullptr) + 2;
      }
    } while (s1++ < ms.src_end && !anchor);
  }
  lua_pushnil(L);
  return 1;
}

int gfind_aux(lua_State* L) {
  const char* s = lua_tostring(L, lua_upvalueindex(1));
  size_t ls = lua_strlen(L, lua_upvalueindex(1));
  const char* p = lua_tostring(L, lua_upvalueindex(2));
  MatchState ms;
  ms.L = L;
  ms.src_init = s;
  ms.src_end = s + ls;
  int first = firstliteral(p);
  for (const char* src = s + static_cast<size_t>(lua_tonumber(L, lua_upvalueindex(3))); src <= ms.src_end; src++) {
    src = nextcandidate(src, ms.src_end, first);
    ms.level = 0;
    ms.depth = 0;
    const char* e = match(&ms, src, p);
    if (e != nullptr) {
      lua_Number newstart = static_cast<lua_Number>(e - s);
      if (e == src) newstart++;  // an empty match moves on by one byte
      lua_pushnumber(L, newstart);
      lua_replace(L, lua_upvalueindex(3));
      return push_captures(&ms, src, e);
    }
  }
  return 0;
}

int gfind(lua_State* L) {
  luaL_checkstring(L, 1);
  luaL_checkstring(L, 2);
  lua_settop(L, 2);
  lua_pushnumber(L, 0);
  lua_pushcclosure(L, gfind_aux, 3);
  return 1;
}

void add_s(MatchState* ms, luaL_Buffer* b, const char* s, const char* e) {
  lua_State* L = ms->L;
  if (lua_type(L, 3) == LUA_TSTRING || lua_type(L, 3) == LUA_TNUMBER) {
    const char* news = lua_tostring(L, 3);
    size_t l = lua_strlen(L, 3);
    for (size_t i = 0; i < l; i++) {
      if (news[i] != ESC) {
        luaL_putchar(b, news[i]);
        continue;
      }
      i++;
      if (!std::isdigit(static_cast<unsigned char>(news[i]))) {
        luaL_putchar(b, news[i]);
      } else {
        int level = check_capture(ms, static_cast<unsigned char>(news[i]));
        push_onecapture(ms, level);
        luaL_addvalue(b);
      }
    }
    return;
  }
  lua_pushvalue(L, 3);
  int n = push_captures(ms, s, e);
  lua_call(L, n, 1);
  int t = lua_type(L, -1);
  if (t == LUA_TSTRING || t == LUA_TNUMBER) {
    luaL_addvalue(b);
  } else if (t == LUA_TWSTRING) {
    luaL_error(L, "string expected, got wstring");
  } else {
    lua_pop(L, 1);  // any other result deletes the match
  }
}

int str_gsub(lua_State* L) {
  size_t srcl;
  const char* src = luaL_checklstring(L, 1, &srcl);
  const char* p = luaL_checkstring(L, 2);
  int max_s = optint(L, 4, static_cast<int>(srcl) + 1);
  int t3 = lua_type(L, 3);
  if (t3 == LUA_TWSTRING) luaL_typerror(L, 3, "string");
  luaL_argcheck(L, t3 == LUA_TNUMBER || t3 == LUA_TSTRING || t3 == LUA_TFUNCTION, 3, "string or function expected");
  bool anchor = (*p == '^') ? (p++, true) : false;
  int n = 0;
  MatchState ms;
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  ms.L = L;
  ms.src_init = src;
  ms.src_end = src + srcl;
  int first = anchor ? -1 : firstliteral(p);
  while (n < max_s) {
    const char* candidate = nextcandidate(src, ms.src_end, first);
    luaL_addlstring(&b, src, static_cast<size_t>(candidate - src));  // bytes no match can start at
    src = candidate;
    ms.level = 0;
    ms.depth = 0;
    const char* e = match(&ms, src, p);
    if (e) {
      n++;
      add_s(&ms, &b, src, e);
    }
    if (e && e > src) {
      src = e;
    } else if (src < ms.src_end) {
      luaL_putchar(&b, *src++);
    } else {
      break;
    }
    if (anchor) break;
  }
  luaL_addlstring(&b, src, static_cast<size_t>(ms.src_end - src));
  luaL_pushresult(&b);
  lua_pushnumber(L, n);
  return 2;
}

// format

constexpr int MAX_FORMAT = 20;

void luaI_addquoted(lua_State* L, luaL_Buffer* b, int arg) {
  size_t l;
  const char* s = luaL_checklstring(L, arg, &l);
  luaL_putchar(b, '"');
  while (l--) {
    switch (*s) {
      case '"':
      case '\\':
      case '\n':
        luaL_putchar(b, '\\');
        luaL_putchar(b, *s);
        break;
      case '\r': luaL_addlstring(b, "\\r", 2); break;
      case '\0': luaL_addlstring(b, "\\000", 4); break;
      default: luaL_putchar(b, *s); break;
    }
    s++;
  }
  luaL_putchar(b, '"');
}

// One unit (or byte) of a %Q body.
void addQunit(luaL_Buffer* b, unsigned c, bool wide) {
  static const char named[] = "abtnvfr";
  if (c >= 7 && c <= 13) {
    luaL_putchar(b, '\\');
    luaL_putchar(b, named[c - 7]);
  } else if (c == '"' || c == '\\') {
    luaL_putchar(b, '\\');
    luaL_putchar(b, static_cast<char>(c));
  } else if (c >= 32 && c <= 126) {
    luaL_putchar(b, static_cast<char>(c));
  } else {
    char buff[16];
    int n = std::snprintf(buff, sizeof(buff), wide ? "\\x%04x" : "\\x%02x", c);
    luaL_addlstring(b, buff, static_cast<size_t>(n));
  }
}

void addQuotedForLexer(lua_State* L, luaL_Buffer* b, int arg) {
  if (lua_type(L, arg) == LUA_TWSTRING) {
    size_t l;
    const lua_WChar* w = luaL_checklwstring(L, arg, &l);
    luaL_putchar(b, 'L');
    luaL_putchar(b, '"');
    for (size_t i = 0; i < l; i++) addQunit(b, w[i], true);
  } else {
    size_t l;
    const char* s = luaL_checklstring(L, arg, &l);
    luaL_putchar(b, '"');
    for (size_t i = 0; i < l; i++) addQunit(b, static_cast<unsigned char>(s[i]), false);
  }
  luaL_putchar(b, '"');
}

const char* scanformat(lua_State* L, const char* strfrmt, char* form, int* hasprecision) {
  const char* p = strfrmt;
  while (*p != '\0' && std::strchr("-+ #0", *p)) p++;  // strchr would match the terminator
  if (std::isdigit(static_cast<unsigned char>(*p))) p++;
  if (std::isdigit(static_cast<unsigned char>(*p))) p++;
  if (*p == '$') luaL_error(L, "obsolete option (d$) to `format'");
  if (*p == '.') {
    *hasprecision = 1;
    p++;
    if (std::isdigit(static_cast<unsigned char>(*p))) p++;
    if (std::isdigit(static_cast<unsigned char>(*p))) p++;
  }
  if (std::isdigit(static_cast<unsigned char>(*p))) luaL_error(L, "invalid format (width or precision too long)");
  if (p - strfrmt + 2 > MAX_FORMAT) luaL_error(L, "invalid format (too long)");
  form[0] = '%';
  std::memcpy(form + 1, strfrmt, static_cast<size_t>(p - strfrmt + 1));
  form[p - strfrmt + 2] = 0;
  return p;
}

// Appends a formatted piece; the C formatter writes into a buffer sized for the result.
template <typename T>
void addformatted(luaL_Buffer* b, const char* form, T value) {
  char buff[512];
  int n = std::snprintf(buff, sizeof(buff), form, value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof(buff)) {
    luaL_addlstring(b, buff, static_cast<size_t>(n));
    return;
  }
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), form, value);
  luaL_addlstring(b, big.data(), static_cast<size_t>(n));
}

// A plain "%d": the decimal digits of the value, written directly.
void addinteger(luaL_Buffer* b, int value) {
  char digits[12];
  char* end = digits + sizeof(digits);
  char* p = end;
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  luaL_addlstring(b, p, static_cast<size_t>(end - p));
}

// %s and %c with width and precision on byte counts, so zero bytes survive.
void addpadded(luaL_Buffer* b, const char* form, const char* s, size_t len) {
  bool left = false;
  const char* p = form + 1;
  while (std::strchr("-+ #0", *p)) left |= (*p++ == '-');
  size_t width = 0;
  while (std::isdigit(static_cast<unsigned char>(*p))) width = width * 10 + static_cast<size_t>(*p++ - '0');
  if (*p == '.') {
    p++;
    size_t precision = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) precision = precision * 10 + static_cast<size_t>(*p++ - '0');
    if (precision < len) len = precision;
  }
  size_t pad = width > len ? width - len : 0;
  if (!left) while (pad > 0) luaL_putchar(b, ' '), pad--;
  luaL_addlstring(b, s, len);
  while (pad > 0) luaL_putchar(b, ' '), pad--;
}

template <typename T>
void addraw(luaL_Buffer* b, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));  // machine order: little-endian here
  luaL_addlstring(b, bytes, sizeof(T));
}

int str_format(lua_State* L) {
  int arg = 1;
  size_t sfl;
  const char* strfrmt = luaL_checklstring(L, arg, &sfl);
  const char* strfrmt_end = strfrmt + sfl;
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  while (strfrmt < strfrmt_end) {
    if (*strfrmt != '%') {
      luaL_putchar(&b, *strfrmt++);
      continue;
    }
    if (*++strfrmt == '%') {
      luaL_putchar(&b, *strfrmt++);
      continue;
    }
    char form[MAX_FORMAT + 1];
    int hasprecision = 0;
    if (std::isdigit(static_cast<unsigned char>(*strfrmt)) && *(strfrmt + 1) == '$') {
      return luaL_error(L, "obsolete option (d$) to `format'");
    }
    arg++;
    strfrmt = scanformat(L, strfrmt, form, &hasprecision);
    switch (*strfrmt++) {
      case 'c': {
        char c = static_cast<char>(checkint(L, arg));
        addpadded(&b, form, &c, 1);
        break;
      }
      case 'd':
      case 'i':
        if (form[2] == '\0') {
          addinteger(&b, checkint(L, arg));  // no flags, width or precision
        } else {
          addformatted(&b, form, checkint(L, arg));
        }
        break;
      case 'o':
      case 'u':
      case 'x':
      case 'X': addformatted(&b, form, luaO_low32(luaL_checknumber(L, arg))); break;
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G': addformatted(&b, form, luaL_checknumber(L, arg)); break;
      case 'q': luaI_addquoted(L, &b, arg); break;
      case 'Q': addQuotedForLexer(L, &b, arg); break;
      case 's': {
        size_t l;
        const char* s = luaL_checklstring(L, arg, &l);
        if (!hasprecision && l >= 100) {
          luaL_addlstring(&b, s, l);  // no precision: the whole string
        } else {
          addpadded(&b, form, s, l);
        }
        break;
      }
      case 'B': {
        int t = lua_type(L, arg);
        if (t != LUA_TBOOLEAN && t != LUA_TNIL) luaL_typerror(L, arg, "boolean");
        luaL_addstring(&b, lua_toboolean(L, arg) ? "true" : "false");
        break;
      }
      case 'b': {
        char kind = *strfrmt;
        if (kind != '\0') strfrmt++;
        switch (kind) {
          case 'F': addraw(&b, luaL_checknumber(L, arg)); break;
          case 'f': addraw(&b, static_cast<float>(luaL_checknumber(L, arg))); break;
          case 'd': addraw(&b, static_cast<int32_t>(checkint(L, arg))); break;
          case 'w': addraw(&b, static_cast<int16_t>(luaO_low32(luaL_checknumber(L, arg)))); break;
          case 'b': addraw(&b, static_cast<int8_t>(luaO_low32(luaL_checknumber(L, arg)))); break;
          default: break;
        }
        break;
      }
      default: return luaL_error(L, "invalid option to `format'");
    }
  }
  luaL_pushresult(&b);
  return 1;
}

// lualex: decodes backslash escapes.

int hexvalue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// In wide mode every character and escape becomes one 16-bit unit (low byte first); "\x" takes up to 4
// hexadecimal digits. Narrow mode writes one byte per character and two bytes per "\x" escape.
int str_lualex(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  bool wide = luaL_optnumber(L, 2, 0) != 0;
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  auto put = [&](unsigned value) {
    luaL_putchar(&b, static_cast<char>(value & 0xFF));
    if (wide) luaL_putchar(&b, static_cast<char>((value >> 8) & 0xFF));
  };
  for (size_t i = 0; i < l; i++) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c != '\\' || i + 1 >= l) {
      put(c);
      continue;
    }
    c = static_cast<unsigned char>(s[++i]);
    switch (c) {
      case 'a': put(7); break;
      case 'b': put(8); break;
      case 'f': put(12); break;
      case 'n': put(10); break;
      case 'r': put(13); break;
      case 't': put(9); break;
      case 'v': put(11); break;
      case 'x': {
        int maxdigits = wide ? 4 : 2, digits = 0;
        unsigned value = 0;
        while (digits < maxdigits && i + 1 < l && hexvalue(static_cast<unsigned char>(s[i + 1])) >= 0) {
          value = value * 16 + static_cast<unsigned>(hexvalue(static_cast<unsigned char>(s[++i])));
          digits++;
        }
        if (digits == 0) {
          put('x');
        } else {
          luaL_putchar(&b, static_cast<char>(value & 0xFF));
          luaL_putchar(&b, static_cast<char>((value >> 8) & 0xFF));
        }
        break;
      }
      default:
        if (std::isdigit(c)) {
          unsigned value = 0;
          int digits = 0;
          i--;
          while (digits < 3 && i + 1 < l && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
            value = value * 10 + static_cast<unsigned>(s[++i] - '0');
            digits++;
          }
          put(value % 256);
        } else {
          put(c);
        }
        break;
    }
  }
  luaL_pushresult(&b);
  return 1;
}

// pack / unpack

struct PackState {
  bool bigendian = false;
  bool wide = false;
};

// Reads the next letter of a pack format and its repeat count (0 when absent), applying the byte-order and
// wide modifiers met on the way; false at the end of the format.
bool nextcode(lua_State* L, const char*& fmt, PackState& st, char* code, int* count) {
  for (;;) {
    char c = *fmt++;
    switch (c) {
      case '\0': fmt--; return false;
      case ' ':
      case ',': continue;
      case '>': st.bigendian = true; continue;
      case '<':
      case '=': st.bigendian = false; continue;
      case 'w': st.wide = true; continue;
      default: break;
    }
    if (!std::strchr("zAaPpBbcHhILilfdn", c)) {
      char msg[] = "bad code `?'";
      msg[10] = c;
      luaL_argerror(L, 1, msg);
    }
    int n = 0;
    while (std::isdigit(static_cast<unsigned char>(*fmt))) {
      int digit = *fmt++ - '0';
      if (n < 100000000) n = n * 10 + digit;
    }
    *code = c;
    *count = n;
    return true;
  }
}

void addbytes(luaL_Buffer* b, const void* p, size_t n, bool reverse) {
  const char* bytes = static_cast<const char*>(p);
  for (size_t i = 0; i < n; i++) luaL_putchar(b, bytes[reverse ? n - 1 - i : i]);
}

template <typename T>
void packvalue(luaL_Buffer* b, T value, const PackState& st) {
  addbytes(b, &value, sizeof(T), st.bigendian);
}

// Rounded to nearest through a 64-bit integer, defined for every double.
int64_t rounded(lua_Number n) { return luaO_toint64(n >= 0 ? n + 0.5 : n - 0.5); }

// The length of a string in units, written as a T; a length T cannot hold is refused, never cut.
template <typename T>
void packprefix(lua_State* L, luaL_Buffer* b, int arg, size_t len, const PackState& st) {
  if (len > std::numeric_limits<T>::max()) luaL_argerror(L, arg, "string too long for its length prefix");
  packvalue(b, static_cast<T>(len), st);
}

void packstring(lua_State* L, luaL_Buffer* b, int arg, char code, const PackState& st) {
  size_t len;
  const char* bytes;
  size_t unitsize = st.wide ? 2 : 1;
  if (st.wide) {
    bytes = reinterpret_cast<const char*>(luaL_checklwstring(L, arg, &len));
  } else {
    bytes = luaL_checklstring(L, arg, &len);
  }
  switch (code) {
    case 'a': packprefix<uint32_t>(L, b, arg, len, st); break;
    case 'P': packprefix<uint16_t>(L, b, arg, len, st); break;
    case 'p': packprefix<uint8_t>(L, b, arg, len, st); break;
    default: break;
  }
  for (size_t i = 0; i < len; i++) addbytes(b, bytes + i * unitsize, unitsize, st.bigendian);
  if (code == 'z') {
    for (size_t i = 0; i < unitsize; i++) luaL_putchar(b, '\0');
  }
}

int str_pack(lua_State* L) {
  const char* fmt = luaL_checkstring(L, 1);
  int arg = 2;
  PackState st;
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  char code;
  int count;
  while (nextcode(L, fmt, st, &code, &count)) {
    if (count == 0) count = 1;
    for (; count > 0; count--, arg++) {
      switch (code) {
        case 'z':
        case 'A':
        case 'a':
        case 'P':
        case 'p': packstring(L, &b, arg, code, st); break;
        case 'B':
          if (lua_type(L, arg) != LUA_TBOOLEAN) luaL_argerror(L, arg, "expected a boolean");
          packvalue(&b, static_cast<uint8_t>(lua_toboolean(L, arg)), st);
          break;
        case 'b': packvalue(&b, static_cast<uint8_t>(rounded(luaL_checknumber(L, arg))), st); break;
        case 'c': packvalue(&b, static_cast<int8_t>(luaO_toint64(luaL_checknumber(L, arg))), st); break;
        case 'H': packvalue(&b, static_cast<uint16_t>(rounded(luaL_checknumber(L, arg))), st); break;
        case 'h': packvalue(&b, static_cast<int16_t>(luaO_toint64(luaL_checknumber(L, arg))), st); break;
        case 'I':
        case 'L': packvalue(&b, static_cast<uint32_t>(rounded(luaL_checknumber(L, arg))), st); break;
        case 'i':
        case 'l': packvalue(&b, static_cast<int32_t>(luaO_toint32(luaL_checknumber(L, arg))), st); break;
        case 'f': packvalue(&b, static_cast<float>(luaL_checknumber(L, arg)), st); break;
        default: packvalue(&b, luaL_checknumber(L, arg), st); break;  // 'd', 'n'
      }
    }
  }
  luaL_pushresult(&b);
  return 1;
}

// Reads n bytes at pos in the chosen order into out; false when they run past the end.
bool readbytes(const char* data, size_t len, size_t& pos, void* out, size_t n, bool reverse) {
  if (n > len - pos) return false;
  char* o = static_cast<char*>(out);
  for (size_t i = 0; i < n; i++) o[reverse ? n - 1 - i : i] = data[pos + i];
  pos += n;
  return true;
}

template <typename T>
bool unpackvalue(const char* data, size_t len, size_t& pos, const PackState& st, T* out) {
  return readbytes(data, len, pos, out, sizeof(T), st.bigendian);
}

// Pushes `units` string units from pos (wide units byte-swapped when big-endian); false past the end.
bool unpackstring(lua_State* L, const char* data, size_t len, size_t& pos, size_t units, const PackState& st) {
  size_t unitsize = st.wide ? 2 : 1;
  if (units > (len - pos) / unitsize) return false;
  if (!st.wide) {
    lua_pushlstring(L, data + pos, units);
    pos += units;
    return true;
  }
  std::u16string w(units, u'\0');
  for (size_t i = 0; i < units; i++) readbytes(data, len, pos, &w[i], 2, st.bigendian);
  lua_pushlwstring(L, reinterpret_cast<const lua_WChar*>(w.data()), units);
  return true;
}

int str_unpack(lua_State* L) {
  size_t len;
  const char* data = luaL_checklstring(L, 1, &len);
  const char* fmt = luaL_checkstring(L, 2);
  long init = optint(L, 3, 1);
  size_t pos = init < 1 ? 0 : static_cast<size_t>(init - 1);
  if (pos > len) pos = len;
  lua_settop(L, 3);
  lua_pushnil(L);  // the position, filled in at the end
  int results = 1;
  PackState st;
  bool done = false;
  char code;
  int count;
  while (!done && nextcode(L, fmt, st, &code, &count)) {
    int repeat = (code == 'A' || count == 0) ? 1 : count;
    for (; repeat > 0 && !done; repeat--) {
      luaL_checkstack(L, 1, "too many results");
      size_t before = pos;
      bool ok = true;
      switch (code) {
        case 'z': {
          size_t unitsize = st.wide ? 2 : 1, units = 0;
          while (pos + (units + 1) * unitsize <= len) {
            bool zero = data[pos + units * unitsize] == 0 && (unitsize == 1 || data[pos + units * unitsize + 1] == 0);
            if (zero) break;
            units++;
          }
          if (pos + (units + 1) * unitsize > len) {
            ok = false;
            break;
          }
          ok = unpackstring(L, data, len, pos, units, st);
          pos += unitsize;
          break;
        }
        case 'A': ok = unpackstring(L, data, len, pos, static_cast<size_t>(count == 0 ? 1 : count), st); break;
        case 'a':
        case 'P':
        case 'p': {
          uint32_t n32 = 0;
          uint16_t n16 = 0;
          uint8_t n8 = 0;
          size_t n = 0;
          if (code == 'a') ok = unpackvalue(data, len, pos, st, &n32), n = n32;
          if (code == 'P') ok = unpackvalue(data, len, pos, st, &n16), n = n16;
          if (code == 'p') ok = unpackvalue(data, len, pos, st, &n8), n = n8;
          ok = ok && unpackstring(L, data, len, pos, n, st);
          break;
        }
        case 'B': {
          uint8_t v;
          if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushboolean(L, v != 0);
          break;
        }
        case 'b': { uint8_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'c': { int8_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'H': { uint16_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'h': { int16_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'I':
        case 'L': { uint32_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'i':
        case 'l': { int32_t v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        case 'f': { float v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
        default: { double v; if ((ok = unpackvalue(data, len, pos, st, &v))) lua_pushnumber(L, v); break; }
      }
      if (!ok) {
        pos = before;
        done = true;
      } else {
        results++;
      }
    }
  }
  lua_pushnumber(L, static_cast<lua_Number>(pos + 1));
  lua_replace(L, 4);
  return results;
}

const luaL_reg strlib[] = {
    {"len", str_len},       {"sub", str_sub},       {"lower", str_lower},   {"upper", str_upper},
    {"char", str_char},     {"rep", str_rep},       {"byte", str_byte},     {"format", str_format},
    {"dump", str_dump},     {"find", str_find},     {"gfind", gfind},       {"gsub", str_gsub},
    {"lualex", str_lualex}, {nullptr, nullptr},
};

const luaL_reg packlib[] = {
    {"pack", str_pack},
    {"unpack", str_unpack},
    {nullptr, nullptr},
};

}  // namespace

int luaopen_string(lua_State* L) {
  luaL_openlib(L, LUA_STRLIBNAME, strlib, 0);
  lua_pushvalue(L, -1);
  lua_settypemetatable(L, LUA_TSTRING);
  luaL_openlib(L, nullptr, packlib, 0);
  return 1;
}
