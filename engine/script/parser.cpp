#include "engine/script/parser.h"

#include <climits>
#include <cmath>
#include <vector>

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

static void chunk(LexState* ls);
static void expr(LexState* ls, expdesc* v);

static LocVar& getlocvar(FuncState* fs, int i) { return fs->f->locvars[fs->actvar[i]]; }

// ---------------------------------------------------------------------------------------------------
// Tokens

static void next(LexState* ls) {
  ls->lastline = ls->linenumber;
  if (ls->lookahead.token != TK_EOS) {
    ls->t = ls->lookahead;
    ls->lookahead.token = TK_EOS;
  } else {
    ls->t.token = luaX_lex(ls, &ls->t.seminfo);
  }
}

static void lookahead(LexState* ls) { ls->lookahead.token = luaX_lex(ls, &ls->lookahead.seminfo); }

[[noreturn]] static void error_expected(LexState* ls, int token) {
  luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "`%s' expected", luaX_token2str(ls, token)));
}

static bool testnext(LexState* ls, int c) {
  if (ls->t.token != c) return false;
  next(ls);
  return true;
}

static void check(LexState* ls, int c) {
  if (!testnext(ls, c)) error_expected(ls, c);
}

static void check_condition(LexState* ls, bool c, const char* msg) {
  if (!c) luaX_syntaxerror(ls, msg);
}

static void check_match(LexState* ls, int what, int who, int where) {
  if (testnext(ls, what)) return;
  if (where == ls->linenumber) error_expected(ls, what);
  luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "`%s' expected (to close `%s' at line %d)",
                                        luaX_token2str(ls, what), luaX_token2str(ls, who), where));
}

static TString* str_checkname(LexState* ls) {
  check_condition(ls, ls->t.token == TK_NAME, "<name> expected");
  TString* ts = ls->t.seminfo.ts;
  next(ls);
  return ts;
}

static void init_exp(expdesc* e, expkind k, int i) {
  e->f = e->t = NO_JUMP;
  e->k = k;
  e->info = i;
}

static void codestring(LexState* ls, expdesc* e, TString* s) { init_exp(e, VK, luaK_stringK(ls->fs, s)); }

static void checkname(LexState* ls, expdesc* e) { codestring(ls, e, str_checkname(ls)); }

static void enterlevel(LexState* ls) {
  if (++ls->nestlevel > LUA_MAXPARSERLEVEL) luaX_syntaxerror(ls, "too many syntax levels");
}

static void leavelevel(LexState* ls) { ls->nestlevel--; }

// ---------------------------------------------------------------------------------------------------
// Variables

static int registerlocalvar(LexState* ls, TString* varname) {
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  int oldsize = f->sizelocvars;
  luaM_growvector(ls->L, f->locvars, fs->nlocvars, f->sizelocvars, INT_MAX, "");
  for (int i = oldsize; i < f->sizelocvars; i++) f->locvars[i].varname = nullptr;
  f->locvars[fs->nlocvars].varname = varname;
  return fs->nlocvars++;
}

// Declares the n-th of a group of new locals (active once adjustlocalvars runs).
static void new_localvar(LexState* ls, TString* name, int n) {
  FuncState* fs = ls->fs;
  luaX_checklimit(ls, fs->nactvar + n + 1, MAXVARS, "local variables");
  fs->actvar[fs->nactvar + n] = registerlocalvar(ls, name);
}

static void new_localvarstr(LexState* ls, const char* name, int n) { new_localvar(ls, luaS_new(ls->L, name), n); }

static void adjustlocalvars(LexState* ls, int nvars) {
  FuncState* fs = ls->fs;
  fs->nactvar += nvars;
  for (; nvars; nvars--) getlocvar(fs, fs->nactvar - nvars).startpc = fs->pc;
}

static void removevars(LexState* ls, int tolevel) {
  FuncState* fs = ls->fs;
  while (fs->nactvar > tolevel) getlocvar(fs, --fs->nactvar).endpc = fs->pc;
}

static void create_local(LexState* ls, const char* name) {
  new_localvarstr(ls, name, 0);
  adjustlocalvars(ls, 1);
}

static int indexupvalue(FuncState* fs, TString* name, const expdesc* v) {
  Proto* f = fs->f;
  for (int i = 0; i < f->nups; i++) {
    if (fs->upvalues[i].k == v->k && fs->upvalues[i].info == v->info) return i;
  }
  luaX_checklimit(fs->ls, f->nups + 1, MAXUPVALUES, "upvalues");
  int oldsize = f->sizeupvalues;
  luaM_growvector(fs->L, f->upvalues, f->nups, f->sizeupvalues, INT_MAX, "");
  for (int i = oldsize; i < f->sizeupvalues; i++) f->upvalues[i] = nullptr;
  f->upvalues[f->nups] = name;
  fs->upvalues[f->nups] = *v;
  return f->nups++;
}

static int searchvar(FuncState* fs, TString* n) {
  for (int i = fs->nactvar - 1; i >= 0; i--) {
    if (n == getlocvar(fs, i).varname) return i;
  }
  return -1;
}

// Flags the block that declared local `level` as having a captured local.
static void markupval(FuncState* fs, int level) {
  BlockCnt* bl = fs->bl;
  while (bl && bl->nactvar > level) bl = bl->previous;
  if (bl) bl->upval = true;
}

static void singlevaraux(FuncState* fs, TString* n, expdesc* var, bool base) {
  if (fs == nullptr) {
    init_exp(var, VGLOBAL, NO_REG);
    return;
  }
  int v = searchvar(fs, n);
  if (v >= 0) {
    init_exp(var, VLOCAL, v);
    if (!base) markupval(fs, v);  // used as an upvalue
    return;
  }
  singlevaraux(fs->prev, n, var, false);
  if (var->k == VGLOBAL) {
    if (base) var->info = luaK_stringK(fs, n);
  } else {
    var->info = indexupvalue(fs, n, var);
    var->k = VUPVAL;
  }
}

static void singlevar(LexState* ls, expdesc* var) { singlevaraux(ls->fs, str_checkname(ls), var, true); }

// Adjusts nexps values (the last one `e`) to nvars registers.
static void adjust_assign(LexState* ls, int nvars, int nexps, expdesc* e) {
  FuncState* fs = ls->fs;
  int extra = nvars - nexps;
  if (e->k == VCALL) {
    extra++;  // the call itself
    if (extra <= 0) {
      extra = 0;
    } else {
      luaK_reserveregs(fs, extra - 1);
    }
    luaK_setcallreturns(fs, e, extra);
    return;
  }
  if (e->k != VVOID) luaK_exp2nextreg(fs, e);
  if (extra > 0) {
    int reg = fs->freereg;
    luaK_reserveregs(fs, extra);
    luaK_nil(fs, reg, extra);
  }
}

// ---------------------------------------------------------------------------------------------------
// Blocks and functions

static void enterblock(FuncState* fs, BlockCnt* bl, bool isloop) {
  bl->breaklist = NO_JUMP;
  bl->continuelist = NO_JUMP;
  bl->isloop = isloop;
  bl->nactvar = fs->nactvar;
  bl->upval = false;
  bl->previous = fs->bl;
  fs->bl = bl;
}

static void leaveblock(FuncState* fs) {
  BlockCnt* bl = fs->bl;
  fs->bl = bl->previous;
  removevars(fs->ls, bl->nactvar);
  if (bl->upval) luaK_codeABC(fs, OP_CLOSE, bl->nactvar, 0, 0);
  fs->freereg = fs->nactvar;
  luaK_patchtohere(fs, bl->breaklist);
}

// The prototype under construction stays on the stack so that a collection keeps it.
static void anchorproto(lua_State* L, Proto* f) {
  setgcvalue(L->top, f, LUA_TPROTO);
  L->top++;
  luaD_checkpush(L);
}

static void open_func(LexState* ls, FuncState* fs) {
  Proto* f = luaF_newproto(ls->L);
  fs->f = f;
  fs->prev = ls->fs;
  fs->ls = ls;
  fs->L = ls->L;
  ls->fs = fs;
  fs->pc = 0;
  fs->lasttarget = 0;
  fs->jpc = NO_JUMP;
  fs->freereg = 0;
  fs->nk = 0;
  fs->np = 0;
  fs->nlocvars = 0;
  fs->nactvar = 0;
  fs->bl = nullptr;
  f->source = ls->source;
  f->maxstacksize = 2;  // registers 0 and 1 are always valid
  anchorproto(ls->L, f);
}

static void close_func(LexState* ls) {
  lua_State* L = ls->L;
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  removevars(ls, 0);
  luaK_codeABC(fs, OP_RETURN, 0, 1, 0);  // final return
  luaM_reallocvector(L, f->code, f->sizecode, fs->pc);
  f->sizecode = fs->pc;
  luaM_reallocvector(L, f->lineinfo, f->sizelineinfo, fs->pc);
  f->sizelineinfo = fs->pc;
  luaM_reallocvector(L, f->k, f->sizek, fs->nk);
  f->sizek = fs->nk;
  luaM_reallocvector(L, f->p, f->sizep, fs->np);
  f->sizep = fs->np;
  luaM_reallocvector(L, f->locvars, f->sizelocvars, fs->nlocvars);
  f->sizelocvars = fs->nlocvars;
  luaM_reallocvector(L, f->upvalues, f->sizeupvalues, static_cast<int>(f->nups));
  f->sizeupvalues = f->nups;
  ls->fs = fs->prev;
  L->top--;  // the prototype's anchor
}

static void pushclosure(LexState* ls, FuncState* func, expdesc* v) {
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  if (fs->np >= MAXARG_Bx) luaX_syntaxerror(ls, "constant table overflow");
  int oldsize = f->sizep;
  luaM_growvector(ls->L, f->p, fs->np, f->sizep, MAXARG_Bx, "constant table overflow");
  for (int i = oldsize; i < f->sizep; i++) f->p[i] = nullptr;
  f->p[fs->np++] = func->f;
  init_exp(v, VRELOCABLE, luaK_codeABx(fs, OP_CLOSURE, 0, fs->np - 1));
  for (int i = 0; i < func->f->nups; i++) {
    OpCode o = func->upvalues[i].k == VLOCAL ? OP_MOVE : OP_GETUPVAL;
    luaK_codeABC(fs, o, 0, func->upvalues[i].info, 0);
  }
}

// ---------------------------------------------------------------------------------------------------
// Expressions

static void field(LexState* ls, expdesc* v) {
  FuncState* fs = ls->fs;
  expdesc key;
  luaK_exp2anyreg(fs, v);
  next(ls);  // the dot or colon
  checkname(ls, &key);
  luaK_indexed(fs, v, &key);
}

static void yindex(LexState* ls, expdesc* v) {
  next(ls);  // '['
  expr(ls, v);
  luaK_exp2val(ls->fs, v);
  check(ls, ']');
}

// Table constructor state.
struct ConsControl {
  expdesc v;    // last list item read
  expdesc* t;   // the table
  int nh;       // record items
  int na;       // list items
  int tostore;  // list items pending to be stored
};

static void recfield(LexState* ls, ConsControl* cc) {
  FuncState* fs = ls->fs;
  int reg = fs->freereg;
  expdesc key, val;
  luaX_checklimit(ls, cc->nh + 1, INT_MAX - 2, "items in a constructor");
  cc->nh++;
  if (ls->t.token == TK_NAME) {
    checkname(ls, &key);
  } else {
    yindex(ls, &key);
  }
  check(ls, '=');
  luaK_exp2RK(fs, &key);
  expr(ls, &val);
  luaK_codeABC(fs, OP_SETTABLE, cc->t->info, luaK_exp2RK(fs, &key), luaK_exp2RK(fs, &val));
  fs->freereg = reg;
}

static void closelistfield(FuncState* fs, ConsControl* cc) {
  if (cc->v.k == VVOID) return;
  luaK_exp2nextreg(fs, &cc->v);
  cc->v.k = VVOID;
  if (cc->tostore == LFIELDS_PER_FLUSH) {
    luaK_codeABx(fs, OP_SETLIST, cc->t->info, cc->na - 1);
    cc->tostore = 0;
    fs->freereg = cc->t->info + 1;
  }
}

static void lastlistfield(FuncState* fs, ConsControl* cc) {
  if (cc->tostore == 0) return;
  if (cc->v.k == VCALL) {
    luaK_setcallreturns(fs, &cc->v, LUA_MULTRET);
    luaK_codeABx(fs, OP_SETLISTO, cc->t->info, cc->na - 1);
  } else {
    if (cc->v.k != VVOID) luaK_exp2nextreg(fs, &cc->v);
    luaK_codeABx(fs, OP_SETLIST, cc->t->info, cc->na - 1);
  }
  fs->freereg = cc->t->info + 1;
}

static void listfield(LexState* ls, ConsControl* cc) {
  expr(ls, &cc->v);
  luaX_checklimit(ls, cc->na + 1, MAXARG_Bx, "items in a constructor");
  cc->na++;
  cc->tostore++;
}

// "&" and a number at the head of a constructor: a size hint, truncated to an integer.
static int sizehint(LexState* ls) {
  next(ls);  // '&'
  if (ls->t.token != TK_NUMBER)
    luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "size expected following & (line %d)", ls->linenumber));
  int hint = luaO_toint32(ls->t.seminfo.r);
  next(ls);
  return hint;
}

static void constructor(LexState* ls, expdesc* t) {
  FuncState* fs = ls->fs;
  int line = ls->linenumber;
  int pc = luaK_codeABC(fs, OP_NEWTABLE, 0, 0, 0);
  ConsControl cc;
  cc.na = cc.nh = cc.tostore = 0;
  cc.t = t;
  init_exp(t, VRELOCABLE, pc);
  init_exp(&cc.v, VVOID, 0);
  luaK_exp2nextreg(fs, t);  // the table sits at the stack top while it is filled
  check(ls, '{');
  int hashhint = 0, arrayhint = 0;
  if (ls->t.token == '&') {
    hashhint = sizehint(ls);
    if (ls->t.token == '&') arrayhint = sizehint(ls);
  }
  do {
    if (ls->t.token == '}') break;
    closelistfield(fs, &cc);
    switch (ls->t.token) {
      case TK_NAME:  // a list item or a record field
        lookahead(ls);
        if (ls->lookahead.token != '=') {
          listfield(ls, &cc);
        } else {
          recfield(ls, &cc);
        }
        break;
      case '[': recfield(ls, &cc); break;
      default: listfield(ls, &cc); break;
    }
  } while (testnext(ls, ',') || testnext(ls, ';'));
  check_match(ls, '}', '{', line);
  lastlistfield(fs, &cc);
  if (cc.nh < hashhint) cc.nh = hashhint;
  if (cc.na < arrayhint) cc.na = arrayhint;
  SETARG_B(fs->f->code[pc], cc.na > 0 ? luaO_int2fb(static_cast<unsigned>(cc.na)) : 0);
  SETARG_C(fs->f->code[pc], luaO_log2(static_cast<unsigned>(cc.nh)) + 1);
}

static void parlist(LexState* ls) {
  int nparams = 0;
  bool dots = false;
  if (ls->t.token != ')') {
    do {
      switch (ls->t.token) {
        case TK_DOTS:
          dots = true;
          next(ls);
          break;
        case TK_NAME: new_localvar(ls, str_checkname(ls), nparams++); break;
        default: luaX_syntaxerror(ls, "<name> or `...' expected");
      }
    } while (!dots && testnext(ls, ','));
  }
  FuncState* fs = ls->fs;
  adjustlocalvars(ls, nparams);
  luaX_checklimit(ls, fs->nactvar, MAXPARAMS, "parameters");
  fs->f->numparams = static_cast<lu_byte>(fs->nactvar);
  fs->f->is_vararg = dots;
  if (dots) create_local(ls, "arg");
  luaK_reserveregs(fs, fs->nactvar);
}

static void body(LexState* ls, expdesc* e, bool needself, int line) {
  FuncState new_fs;
  open_func(ls, &new_fs);
  new_fs.f->lineDefined = line;
  check(ls, '(');
  if (needself) create_local(ls, "self");
  parlist(ls);
  check(ls, ')');
  chunk(ls);
  check_match(ls, TK_END, TK_FUNCTION, line);
  close_func(ls);
  pushclosure(ls, &new_fs, e);
}

static int explist1(LexState* ls, expdesc* v) {
  int n = 1;
  expr(ls, v);
  while (testnext(ls, ',')) {
    luaK_exp2nextreg(ls->fs, v);
    expr(ls, v);
    n++;
  }
  return n;
}

static void funcargs(LexState* ls, expdesc* f) {
  FuncState* fs = ls->fs;
  expdesc args;
  int line = ls->linenumber;
  switch (ls->t.token) {
    case '(':
      if (line != ls->lastline) luaX_syntaxerror(ls, "ambiguous syntax (function call x new statement)");
      next(ls);
      if (ls->t.token == ')') {
        args.k = VVOID;
      } else {
        explist1(ls, &args);
        luaK_setcallreturns(fs, &args, LUA_MULTRET);
      }
      check_match(ls, ')', '(', line);
      break;
    case '{': constructor(ls, &args); break;
    case TK_STRING:
      codestring(ls, &args, ls->t.seminfo.ts);
      next(ls);
      break;
    case TK_WSTRING:
      init_exp(&args, VK, luaK_wstringK(fs, ls->t.seminfo.ts));
      next(ls);
      break;
    default: luaX_syntaxerror(ls, "function arguments expected");
  }
  int base = f->info;  // the function's register
  int nparams;
  if (args.k == VCALL) {
    nparams = LUA_MULTRET;  // an open call passes all its results
  } else {
    if (args.k != VVOID) luaK_exp2nextreg(fs, &args);
    nparams = fs->freereg - (base + 1);
  }
  init_exp(f, VCALL, luaK_codeABC(fs, OP_CALL, base, nparams + 1, 2));
  luaK_fixline(fs, line);
  fs->freereg = base + 1;  // the call leaves one result (unless changed later)
}

static void prefixexp(LexState* ls, expdesc* v) {
  switch (ls->t.token) {
    case '(': {
      int line = ls->linenumber;
      next(ls);
      expr(ls, v);
      check_match(ls, ')', '(', line);
      luaK_dischargevars(ls->fs, v);
      return;
    }
    case TK_NAME: singlevar(ls, v); return;
    default: luaX_syntaxerror(ls, "unexpected symbol");
  }
}

static void primaryexp(LexState* ls, expdesc* v) {
  FuncState* fs = ls->fs;
  prefixexp(ls, v);
  for (;;) {
    switch (ls->t.token) {
      case '.': field(ls, v); break;
      case '[': {
        expdesc key;
        luaK_exp2anyreg(fs, v);
        yindex(ls, &key);
        luaK_indexed(fs, v, &key);
        break;
      }
      case ':': {
        expdesc key;
        next(ls);
        checkname(ls, &key);
        luaK_self(fs, v, &key);
        funcargs(ls, v);
        break;
      }
      case '(':
      case TK_STRING:
      case TK_WSTRING:
      case '{':
        luaK_exp2nextreg(fs, v);
        funcargs(ls, v);
        break;
      default: return;
    }
  }
}

static void simpleexp(LexState* ls, expdesc* v) {
  switch (ls->t.token) {
    case TK_NUMBER:
      init_exp(v, VKNUM, 0);
      v->nval = ls->t.seminfo.r;
      next(ls);
      break;
    case TK_STRING:
      codestring(ls, v, ls->t.seminfo.ts);
      next(ls);
      break;
    case TK_WSTRING:
      init_exp(v, VK, luaK_wstringK(ls->fs, ls->t.seminfo.ts));
      next(ls);
      break;
    case TK_NIL:
      init_exp(v, VNIL, 0);
      next(ls);
      break;
    case TK_TRUE:
      init_exp(v, VTRUE, 0);
      next(ls);
      break;
    case TK_FALSE:
      init_exp(v, VFALSE, 0);
      next(ls);
      break;
    case '{': constructor(ls, v); break;
    case TK_FUNCTION:
      next(ls);
      body(ls, v, false, ls->linenumber);
      break;
    default: primaryexp(ls, v); break;
  }
}

static UnOpr getunopr(int op) {
  switch (op) {
    case TK_NOT: return OPR_NOT;
    case '-': return OPR_MINUS;
    default: return OPR_NOUNOPR;
  }
}

static BinOpr getbinopr(int op) {
  switch (op) {
    case '+': return OPR_ADD;
    case '-': return OPR_SUB;
    case '*': return OPR_MULT;
    case '/': return OPR_DIV;
    case '&': return OPR_BAND;
    case '|': return OPR_BOR;
    case TK_SHL: return OPR_SHL;
    case TK_SHR: return OPR_SHR;
    case '^': return OPR_POW;
    case TK_CONCAT: return OPR_CONCAT;
    case TK_NE: return OPR_NE;
    case TK_EQ: return OPR_EQ;
    case '<': return OPR_LT;
    case TK_LE: return OPR_LE;
    case '>': return OPR_GT;
    case TK_GE: return OPR_GE;
    case TK_AND: return OPR_AND;
    case TK_OR: return OPR_OR;
    default: return OPR_NOBINOPR;
  }
}

// Binding strengths {left, right} of the binary operators, in BinOpr order.
static const struct {
  lu_byte left;
  lu_byte right;
} priority[] = {
    {6, 6}, {6, 6}, {7, 7}, {7, 7},   // + - * /
    {8, 8}, {8, 8}, {8, 8}, {8, 8},   // & | << >>
    {10, 9}, {5, 4},                  // ^ .. (right associative)
    {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3},  // comparisons
    {2, 2}, {1, 1}                    // and, or
};

constexpr int UNARY_PRIORITY = 8;

// Reads an expression whose binary operators bind tighter than `limit`; returns the first operator left over.
static BinOpr subexpr(LexState* ls, expdesc* v, int limit) {
  enterlevel(ls);
  UnOpr uop = getunopr(ls->t.token);
  if (uop != OPR_NOUNOPR) {
    next(ls);
    subexpr(ls, v, UNARY_PRIORITY);
    luaK_prefix(ls->fs, uop, v);
  } else {
    simpleexp(ls, v);
  }
  BinOpr op = getbinopr(ls->t.token);
  while (op != OPR_NOBINOPR && priority[op].left > limit) {
    expdesc v2;
    next(ls);
    luaK_infix(ls->fs, op, v);
    BinOpr nextop = subexpr(ls, &v2, priority[op].right);
    luaK_posfix(ls->fs, op, v, &v2);
    op = nextop;
  }
  leavelevel(ls);
  return op;
}

static void expr(LexState* ls, expdesc* v) { subexpr(ls, v, 0); }

// ---------------------------------------------------------------------------------------------------
// Statements

static bool block_follow(int token) {
  switch (token) {
    case TK_ELSE:
    case TK_ELSEIF:
    case TK_END:
    case TK_UNTIL:
    case TK_EOS: return true;
    default: return false;
  }
}

static void block(LexState* ls) {
  FuncState* fs = ls->fs;
  BlockCnt bl;
  enterblock(fs, &bl, false);
  chunk(ls);
  leaveblock(fs);
}

// One target of a multiple assignment, chained to the ones before it.
struct LHS_assign {
  LHS_assign* prev;
  expdesc v;
};

// A local assigned in a multiple assignment may be the table or key of an earlier target: those then use
// a copy made before the assignment.
static void check_conflict(LexState* ls, LHS_assign* lh, const expdesc* v) {
  FuncState* fs = ls->fs;
  int extra = fs->freereg;
  bool conflict = false;
  for (; lh; lh = lh->prev) {
    if (lh->v.k != VINDEXED) continue;
    if (lh->v.info == v->info) {
      conflict = true;
      lh->v.info = extra;
    }
    if (lh->v.aux == v->info) {
      conflict = true;
      lh->v.aux = extra;
    }
  }
  if (conflict) {
    luaK_codeABC(fs, OP_MOVE, fs->freereg, v->info, 0);
    luaK_reserveregs(fs, 1);
  }
}

static void restassign(LexState* ls, LHS_assign* lh, int nvars) {
  expdesc e;
  check_condition(ls, VLOCAL <= lh->v.k && lh->v.k <= VINDEXED, "syntax error");
  if (testnext(ls, ',')) {
    LHS_assign nv;
    nv.prev = lh;
    primaryexp(ls, &nv.v);
    if (nv.v.k == VLOCAL) check_conflict(ls, lh, &nv.v);
    enterlevel(ls);  // each further target is one more level of recursion
    restassign(ls, &nv, nvars + 1);
    leavelevel(ls);
  } else {
    check(ls, '=');
    int nexps = explist1(ls, &e);
    if (nexps == nvars) {
      luaK_setcallreturns(ls->fs, &e, 1);
      luaK_storevar(ls->fs, &lh->v, &e);
      return;
    }
    adjust_assign(ls, nvars, nexps, &e);
    if (nexps > nvars) ls->fs->freereg -= nexps - nvars;  // drop the extra values
  }
  init_exp(&e, VNONRELOC, ls->fs->freereg - 1);  // the value in the register after the previous target's
  luaK_storevar(ls->fs, &lh->v, &e);
}

// A condition whose false exits are left in v->f.
static void cond(LexState* ls, expdesc* v) {
  expr(ls, v);
  if (v->k == VNIL) v->k = VFALSE;
  luaK_goiftrue(ls->fs, v);
  luaK_patchtohere(ls->fs, v->t);
}

static void whilestat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  expdesc v;
  BlockCnt bl;
  next(ls);
  int whileinit = luaK_jump(fs);  // to the condition, which moves behind the body
  int expinit = luaK_getlabel(fs);
  expr(ls, &v);
  if (v.k == VK || v.k == VKNUM) v.k = VTRUE;
  int lineexp = ls->linenumber;
  luaK_goiffalse(fs, &v);
  luaK_concat(fs, &v.f, fs->jpc);
  fs->jpc = NO_JUMP;
  int sizeexp = fs->pc - expinit;
  if (sizeexp > MAXEXPWHILE) luaX_syntaxerror(ls, "`while' condition too complex");
  std::vector<Instruction> codeexp(fs->f->code + expinit, fs->f->code + fs->pc);
  fs->pc = expinit;  // the condition's code is re-emitted after the body
  enterblock(fs, &bl, true);
  check(ls, TK_DO);
  int blockinit = luaK_getlabel(fs);
  block(ls);
  luaK_patchtohere(fs, whileinit);
  luaK_patchtohere(fs, bl.continuelist);
  int shift = fs->pc - expinit;  // the jump lists move with the code
  if (v.t != NO_JUMP) v.t += shift;
  if (v.f != NO_JUMP) v.f += shift;
  for (Instruction i : codeexp) luaK_code(fs, i, lineexp);
  check_match(ls, TK_END, TK_WHILE, line);
  leaveblock(fs);
  luaK_patchlist(fs, v.t, blockinit);  // true: back to the body
  luaK_patchtohere(fs, v.f);           // false: out of the loop
}

static void repeatstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  int repeat_init = luaK_getlabel(fs);
  expdesc v;
  BlockCnt bl;
  enterblock(fs, &bl, true);
  next(ls);
  block(ls);
  luaK_patchtohere(fs, bl.continuelist);
  check_match(ls, TK_UNTIL, TK_REPEAT, line);
  cond(ls, &v);
  luaK_patchlist(fs, v.f, repeat_init);
  leaveblock(fs);
}

static void exp1(LexState* ls) {
  expdesc e;
  expr(ls, &e);
  luaK_exp2nextreg(ls->fs, &e);
}

static void forbody(LexState* ls, int base, int line, int nvars, bool isnum) {
  BlockCnt bl;
  FuncState* fs = ls->fs;
  adjustlocalvars(ls, nvars);
  check(ls, TK_DO);
  enterblock(fs, &bl, true);
  int prep = luaK_getlabel(fs);
  block(ls);
  luaK_patchtohere(fs, prep - 1);  // the prologue's jump lands on the loop step
  luaK_patchtohere(fs, bl.continuelist);
  int endfor = isnum ? luaK_codeAsBx(fs, OP_FORLOOP, base, NO_JUMP)
                     : luaK_codeABC(fs, OP_TFORLOOP, base, 0, nvars - 3);
  luaK_fixline(fs, line);  // the loop step belongs to the `for' line
  luaK_patchlist(fs, isnum ? endfor : luaK_jump(fs), prep);
  leaveblock(fs);
}

static void fornum(LexState* ls, TString* varname, int line) {
  FuncState* fs = ls->fs;
  int base = fs->freereg;
  new_localvar(ls, varname, 0);
  new_localvarstr(ls, "(for limit)", 1);
  new_localvarstr(ls, "(for step)", 2);
  check(ls, '=');
  exp1(ls);  // initial value
  check(ls, ',');
  exp1(ls);  // limit
  if (testnext(ls, ',')) {
    exp1(ls);  // step
  } else {
    luaK_codeABx(fs, OP_LOADK, fs->freereg, luaK_numberK(fs, 1));
    luaK_reserveregs(fs, 1);
  }
  // The loop starts at its step: index - step, then FORLOOP adds the step back.
  luaK_codeABC(fs, OP_SUB, fs->freereg - 3, fs->freereg - 3, fs->freereg - 1);
  luaK_jump(fs);
  forbody(ls, base, line, 3, true);
}

static void forlist(LexState* ls, TString* indexname) {
  FuncState* fs = ls->fs;
  expdesc e;
  int nvars = 0;
  int base = fs->freereg;
  new_localvarstr(ls, "(for generator)", nvars++);
  new_localvarstr(ls, "(for state)", nvars++);
  new_localvar(ls, indexname, nvars++);
  while (testnext(ls, ',')) new_localvar(ls, str_checkname(ls), nvars++);
  check(ls, TK_IN);
  int line = ls->linenumber;
  adjust_assign(ls, nvars, explist1(ls, &e), &e);
  luaK_checkstack(fs, 3);  // room to call the generator
  luaK_codeAsBx(fs, OP_TFORPREP, base, NO_JUMP);
  forbody(ls, base, line, nvars, false);
}

static void forstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  BlockCnt bl;
  enterblock(fs, &bl, false);  // scope of the control variables
  next(ls);
  TString* varname = str_checkname(ls);
  switch (ls->t.token) {
    case '=': fornum(ls, varname, line); break;
    case ',':
    case TK_IN: forlist(ls, varname); break;
    default: luaX_syntaxerror(ls, "`=' or `in' expected");
  }
  check_match(ls, TK_END, TK_FOR, line);
  leaveblock(fs);
}

static void test_then_block(LexState* ls, expdesc* v) {
  next(ls);  // IF or ELSEIF
  cond(ls, v);
  check(ls, TK_THEN);
  block(ls);
}

static void ifstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  expdesc v;
  int escapelist = NO_JUMP;
  test_then_block(ls, &v);
  while (ls->t.token == TK_ELSEIF) {
    luaK_concat(fs, &escapelist, luaK_jump(fs));
    luaK_patchtohere(fs, v.f);
    test_then_block(ls, &v);
  }
  if (ls->t.token == TK_ELSE) {
    luaK_concat(fs, &escapelist, luaK_jump(fs));
    luaK_patchtohere(fs, v.f);
    next(ls);  // after the patch, for the line information
    block(ls);
  } else {
    luaK_concat(fs, &escapelist, v.f);
  }
  luaK_patchtohere(fs, escapelist);
  check_match(ls, TK_END, TK_IF, line);
}

static void localfunc(LexState* ls) {
  expdesc v, b;
  FuncState* fs = ls->fs;
  new_localvar(ls, str_checkname(ls), 0);
  init_exp(&v, VLOCAL, fs->freereg);
  luaK_reserveregs(fs, 1);
  adjustlocalvars(ls, 1);
  body(ls, &b, false, ls->linenumber);
  luaK_storevar(fs, &v, &b);
  getlocvar(fs, fs->nactvar - 1).startpc = fs->pc;  // debug information sees the variable from here
}

static void localstat(LexState* ls) {
  int nvars = 0;
  int nexps;
  expdesc e;
  do new_localvar(ls, str_checkname(ls), nvars++);
  while (testnext(ls, ','));
  if (testnext(ls, '=')) {
    nexps = explist1(ls, &e);
  } else {
    e.k = VVOID;
    nexps = 0;
  }
  adjust_assign(ls, nvars, nexps, &e);
  adjustlocalvars(ls, nvars);
}

static bool funcname(LexState* ls, expdesc* v) {
  bool needself = false;
  singlevar(ls, v);
  while (ls->t.token == '.') field(ls, v);
  if (ls->t.token == ':') {
    needself = true;
    field(ls, v);
  }
  return needself;
}

static void funcstat(LexState* ls, int line) {
  expdesc v, b;
  next(ls);
  bool needself = funcname(ls, &v);
  body(ls, &b, needself, line);
  luaK_storevar(ls->fs, &v, &b);
  luaK_fixline(ls->fs, line);  // the definition happens on its first line
}

static void exprstat(LexState* ls) {
  FuncState* fs = ls->fs;
  LHS_assign v;
  primaryexp(ls, &v.v);
  if (v.v.k == VCALL) {
    luaK_setcallreturns(fs, &v.v, 0);  // a call statement keeps no results
  } else {
    v.prev = nullptr;
    restassign(ls, &v, 1);
  }
}

static void retstat(LexState* ls) {
  FuncState* fs = ls->fs;
  expdesc e;
  int first, nret;
  next(ls);
  if (block_follow(ls->t.token) || ls->t.token == ';') {
    first = nret = 0;
  } else {
    nret = explist1(ls, &e);
    if (e.k == VCALL) {
      luaK_setcallreturns(fs, &e, LUA_MULTRET);
      if (nret == 1) SET_OPCODE(getcode(fs, &e), OP_TAILCALL);
      first = fs->nactvar;
      nret = LUA_MULTRET;
    } else if (nret == 1) {
      first = luaK_exp2anyreg(fs, &e);
    } else {
      luaK_exp2nextreg(fs, &e);  // the values sit in consecutive registers
      first = fs->nactvar;
    }
  }
  luaK_codeABC(fs, OP_RETURN, first, nret + 1, 0);
}

// The optional loop number after `break` / `continue`.
static int loopnumber(LexState* ls) {
  if (ls->t.token != TK_NUMBER) return 1;
  lua_Number n = ls->t.seminfo.r;
  if (n != std::floor(n)) luaX_syntaxerror(ls, "loop block number must be integer");
  if (n < 1 || n > MAXLOOPNUMBER) luaX_syntaxerror(ls, "loop block number out of range");
  next(ls);
  return static_cast<int>(n);
}

// `break [n]` and `continue [n]`: jump out of (or back to the step of) the n-th enclosing loop. Captured
// locals of every block left behind are closed first.
static void loopexit(LexState* ls, bool isbreak) {
  FuncState* fs = ls->fs;
  next(ls);
  int n = loopnumber(ls);
  BlockCnt* bl = fs->bl;
  bool upval = false;
  for (; bl; bl = bl->previous) {
    if (bl->isloop && --n == 0) break;
    upval |= bl->upval;
  }
  if (!bl) luaX_syntaxerror(ls, isbreak ? "no loop to break" : "no loop to continue");
  if (upval) luaK_codeABC(fs, OP_CLOSE, bl->nactvar, 0, 0);
  luaK_concat(fs, isbreak ? &bl->breaklist : &bl->continuelist, luaK_jump(fs));
}

// Returns true for statements that must end their block.
static bool statement(LexState* ls) {
  int line = ls->linenumber;
  switch (ls->t.token) {
    case TK_IF: ifstat(ls, line); return false;
    case TK_WHILE: whilestat(ls, line); return false;
    case TK_DO:
      next(ls);
      block(ls);
      check_match(ls, TK_END, TK_DO, line);
      return false;
    case TK_FOR: forstat(ls, line); return false;
    case TK_REPEAT: repeatstat(ls, line); return false;
    case TK_FUNCTION: funcstat(ls, line); return false;
    case TK_LOCAL:
      next(ls);
      if (testnext(ls, TK_FUNCTION)) {
        localfunc(ls);
      } else {
        localstat(ls);
      }
      return false;
    case TK_RETURN: retstat(ls); return true;
    case TK_BREAK: loopexit(ls, true); return true;
    case TK_CONTINUE: loopexit(ls, false); return true;
    default: exprstat(ls); return false;
  }
}

static void chunk(LexState* ls) {
  bool islast = false;
  enterlevel(ls);
  while (!islast && !block_follow(ls->t.token)) {
    islast = statement(ls);
    testnext(ls, ';');
    ls->fs->freereg = ls->fs->nactvar;  // free registers
  }
  leavelevel(ls);
}

Proto* luaY_parser(lua_State* L, ZIO* z, Mbuffer* buff) {
  if (!z->wide && luaZ_peek16(z) == 0xFEFF) {  // UTF-16LE source
    zgetc(z);
    zgetc(z);
    z->wide = 1;
  }
  LexState lexstate;
  FuncState funcstate;
  lexstate.buff = buff;
  luaX_setinput(L, &lexstate, z, luaS_new(L, z->name ? z->name : "?"));
  open_func(&lexstate, &funcstate);
  funcstate.f->is_vararg = 1;  // the main function takes any arguments
  next(&lexstate);
  chunk(&lexstate);
  check_condition(&lexstate, lexstate.t.token == TK_EOS, "<eof> expected");
  close_func(&lexstate);
  return funcstate.f;
}
