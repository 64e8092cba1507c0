#include "tools/script_run/listing.h"

#include <string>

#include "engine/script/object.h"
#include "engine/script/opcodes.h"

// A constant's text: numbers as "%.14g", strings quoted so that the lexer reads them back (L"..." for wide).
static std::string constanttext(const TObject* k) {
  char buff[32];
  switch (ttype(k)) {
    case LUA_TNIL: return "nil";
    case LUA_TNUMBER: luaO_num2str(nvalue(k), buff); return buff;
    case LUA_TSTRING:
    case LUA_TWSTRING: break;
    default: return "?";
  }
  const TString* ts = tsvalue(k);
  bool wide = ttype(k) == LUA_TWSTRING;
  std::string text = wide ? "L\"" : "\"";
  for (uint32_t i = 0; i < ts->len; i++) {
    unsigned c = wide ? getwstr(ts)[i] : static_cast<unsigned char>(getstr(ts)[i]);
    static const char escapes[] = "abtnvfr";
    if (c >= 7 && c <= 13) {
      text += '\\';
      text += escapes[c - 7];
    } else if (c == '"' || c == '\\') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c >= 32 && c <= 126) {
      text += static_cast<char>(c);
    } else {
      std::snprintf(buff, sizeof buff, wide ? "\\x%04x" : "\\x%02x", c);
      text += buff;
    }
  }
  return text + "\"";
}

static void printfunction(std::FILE* out, const Proto* f) {
  std::fprintf(out, "function <%s:%d> params=%d vararg=%d upvalues=%d stack=%d code=%d constants=%d functions=%d\n",
               f->source ? getstr(f->source) : "?", f->lineDefined, f->numparams, f->is_vararg, f->nups,
               f->maxstacksize, f->sizecode, f->sizek, f->sizep);
  for (int pc = 0; pc < f->sizecode; pc++) {
    Instruction i = f->code[pc];
    OpCode op = GET_OPCODE(i);
    int line = pc < f->sizelineinfo ? f->lineinfo[pc] : 0;
    std::fprintf(out, "%d [%d] %s %d", pc + 1, line, luaP_opnames[op], GETARG_A(i));
    switch (getOpMode(op)) {
      case iABC: std::fprintf(out, " %d %d\n", GETARG_B(i), GETARG_C(i)); break;
      case iABx: std::fprintf(out, " %d\n", GETARG_Bx(i)); break;
      case iAsBx: std::fprintf(out, " %d\n", GETARG_sBx(i)); break;
    }
  }
  std::fprintf(out, "constants:\n");
  for (int i = 0; i < f->sizek; i++) std::fprintf(out, "%d %s\n", i, constanttext(&f->k[i]).c_str());
}

void PrintListing(std::FILE* out, const Proto* f) {
  printfunction(out, f);
  for (int i = 0; i < f->sizep; i++) PrintListing(out, f->p[i]);
}
