#include "engine/script/object.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/script/call.h"
#include "engine/script/intern.h"
#include "engine/script/state.h"
#include "engine/script/vm.h"

const TObject luaO_nilobject = {LUA_TNIL, {nullptr}};

lua_State* thvalue(const TObject* o) { return static_cast<lua_State*>(o->value.gc); }

void setthvalue(TObject* o, lua_State* th) { setgcvalue(o, th, LUA_TTHREAD); }

int luaO_log2(unsigned int x) {
  int l = -1;
  while (x) {
    x >>= 1;
    l++;
  }
  return l;
}

int luaO_int2fb(unsigned int x) {
  int m = 0;
  while (x >= (1u << 3)) {
    x = (x + 1) >> 1;
    m++;
  }
  return (m << 3) | static_cast<int>(x);
}

int luaO_fb2int(int x) {
  int e = (x >> 3) & 31;
  int64_t v = static_cast<int64_t>(x & 7) << e;
  return v > (1 << 24) ? (1 << 24) : static_cast<int>(v);
}

int luaO_rawequalObj(const TObject* t1, const TObject* t2) {
  if (ttype(t1) != ttype(t2)) return 0;
  switch (ttype(t1)) {
    case LUA_TNIL: return 1;
    case LUA_TNUMBER: return nvalue(t1) == nvalue(t2);
    case LUA_TBOOLEAN: return bvalue(t1) == bvalue(t2);
    case LUA_TLIGHTUSERDATA: return pvalue(t1) == pvalue(t2);
    default: return gcvalue(t1) == gcvalue(t2);
  }
}

static bool isspacechar(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
static bool isdigitchar(int c) { return c >= '0' && c <= '9'; }

// Length of a decimal numeral at s (sign, digits, fraction, exponent), 0 when there is none.
template <typename Ch>
static size_t decimalspan(const Ch* s, size_t len) {
  size_t i = 0, digits = 0;
  if (i < len && (s[i] == '+' || s[i] == '-')) i++;
  while (i < len && isdigitchar(s[i])) i++, digits++;
  if (i < len && s[i] == '.') {
    i++;
    while (i < len && isdigitchar(s[i])) i++, digits++;
  }
  if (digits == 0) return 0;
  if (i < len && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < len && (s[j] == '+' || s[j] == '-')) j++;
    if (j < len && isdigitchar(s[j])) {
      while (j < len && isdigitchar(s[j])) j++;
      i = j;
    } else {
      return 0;
    }
  }
  return i;
}

// Converts a validated decimal numeral with strtod (correctly rounded).
template <typename Ch>
static lua_Number convertdecimal(const Ch* s, size_t n) {
  std::string text(n, '\0');
  for (size_t i = 0; i < n; i++) text[i] = static_cast<char>(s[i]);
  return std::strtod(text.c_str(), nullptr);
}

int luaO_str2d(const char* s, size_t len, lua_Number* result) {
  size_t i = 0;
  while (i < len && isspacechar(static_cast<unsigned char>(s[i]))) i++;
  size_t n = decimalspan(s + i, len - i);
  if (n == 0) return 0;
  lua_Number r = convertdecimal(s + i, n);
  i += n;
  while (i < len && isspacechar(static_cast<unsigned char>(s[i]))) i++;
  if (i != len) return 0;
  *result = r;
  return 1;
}

static int hexdigit(lua_WChar c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') c = static_cast<lua_WChar>(c - 32);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hexadecimal wide numeral after "0x": digits, optional '.' fraction, then 'p' exponent only after a fraction.
static size_t widehex(const lua_WChar* s, lua_Number* result) {
  size_t i = 2;
  lua_Number value = 0;
  int d;
  while ((d = hexdigit(s[i])) >= 0) value = value * 16 + d, i++;
  if (s[i] == '.') {
    i++;
    lua_Number weight = 0.0625;
    bool fraction = false;
    while ((d = hexdigit(s[i])) >= 0) value += d * weight, weight /= 16, i++, fraction = true;
    if (fraction && (s[i] == 'p' || s[i] == 'P')) {
      size_t j = i + 1;
      bool negative = false;
      if (s[j] == '+' || s[j] == '-') negative = s[j++] == '-';
      int exponent = 0;
      while (isdigitchar(s[j])) exponent = exponent < 100000 ? exponent * 10 + (s[j] - '0') : exponent, j++;
      value = negative ? std::ldexp(value, -exponent) : std::ldexp(value, exponent);
      i = j;
    }
  }
  *result = value;
  return i;
}

int luaO_wstr2d(const lua_WChar* s, lua_Number* result) {
  lua_Number r;
  size_t i;
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    i = widehex(s, &r);
  } else {
    i = decimalspan(s, luaO_wstrlen(s));
    if (i == 0) return 0;
    r = convertdecimal(s, i);
  }
  while (s[i] != 0 && s[i] < 256 && isspacechar(s[i])) i++;
  if (s[i] != 0) return 0;
  *result = r;
  return 1;
}

size_t luaO_wstrlen(const lua_WChar* s) {
  size_t n = 0;
  while (s[n]) n++;
  return n;
}

int luaO_num2str(lua_Number n, char* buf) { return std::snprintf(buf, 32, "%.14g", n); }

int64_t luaO_toint64(lua_Number n) {
  if (!(n >= -9223372036854775808.0 && n < 9223372036854775808.0)) return INT64_MIN;
  return static_cast<int64_t>(n);
}

int32_t luaO_toint32(lua_Number n) {
  if (!(n > -2147483649.0 && n < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(n);
}

uint32_t luaO_low32(lua_Number n) { return static_cast<uint32_t>(static_cast<uint64_t>(luaO_toint64(n))); }

static void pushstr(lua_State* L, const char* str) {
  setsvalue(L->top, luaS_new(L, str));
  L->top++;
  luaD_checkpush(L);
}

// Formats with the directives %d, %c, %f, %s, %p and %%, pushing each piece before joining them.
const char* luaO_pushvfstring(lua_State* L, const char* fmt, va_list argp) {
  int n = 1;
  pushstr(L, "");
  for (;;) {
    const char* e = std::strchr(fmt, '%');
    if (e == nullptr) break;
    setsvalue(L->top, luaS_newlstr(L, fmt, static_cast<size_t>(e - fmt)));
    L->top++;
    luaD_checkpush(L);
    char buff[64];
    switch (e[1]) {
      case 's': {
        const char* s = va_arg(argp, const char*);
        pushstr(L, s ? s : "(null)");
        break;
      }
      case 'c':
        buff[0] = static_cast<char>(va_arg(argp, int));
        buff[1] = 0;
        setsvalue(L->top, luaS_newlstr(L, buff, 1));
        L->top++;
        luaD_checkpush(L);
        break;
      case 'd':
        setnvalue(L->top, va_arg(argp, int));
        L->top++;
        luaD_checkpush(L);
        break;
      case 'f':
        setnvalue(L->top, va_arg(argp, double));
        L->top++;
        luaD_checkpush(L);
        break;
      case 'p':
        std::snprintf(buff, sizeof(buff), "%p", va_arg(argp, void*));
        pushstr(L, buff);
        break;
      case '%': pushstr(L, "%"); break;
      default:
        buff[0] = '%';
        buff[1] = e[1];
        buff[2] = 0;
        pushstr(L, buff);
        if (e[1] == 0) e--;
        break;
    }
    n += 2;
    fmt = e + 2;
  }
  pushstr(L, fmt);
  luaV_concat(L, n + 1, static_cast<int>(L->top - L->base) - 1);
  L->top -= n;
  return svalue(L->top - 1);
}

const char* luaO_pushfstring(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  const char* msg = luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  return msg;
}

void luaO_chunkid(char* out, const char* source, int bufflen) {
  if (*source == '=') {
    std::strncpy(out, source + 1, static_cast<size_t>(bufflen));
    out[bufflen - 1] = '\0';
    return;
  }
  if (*source == '@') {
    bufflen -= static_cast<int>(sizeof(" `...' "));
    int l = static_cast<int>(std::strlen(source + 1));
    std::strcpy(out, "");
    if (l > bufflen) {
      source += (l - bufflen);
      std::strcat(out, "...");
    }
    std::strcat(out, source + 1);
    return;
  }
  size_t len = std::strcspn(source, "\n");
  bufflen -= static_cast<int>(sizeof(" [string \"...\"] "));
  if (static_cast<int>(len) > bufflen) len = static_cast<size_t>(bufflen);
  std::strcpy(out, "[string \"");
  if (source[len] != '\0') {
    std::strncat(out, source, len);
    std::strcat(out, "...");
  } else {
    std::strcat(out, source);
  }
  std::strcat(out, "\"]");
}
