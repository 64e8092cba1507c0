#include "engine/script/code.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "engine/script/memory.h"
#include "engine/script/state.h"

// ---------------------------------------------------------------------------------------------------
// Instructions

// Resolves the jumps pending to the current position.
static void dischargejpc(FuncState* fs);

// Emits an instruction; the jumps pending to its position are resolved first.
int luaK_code(FuncState* fs, Instruction i, int line) {
  Proto* f = fs->f;
  dischargejpc(fs);
  luaM_growvector(fs->L, f->code, fs->pc, f->sizecode, INT_MAX, "code size overflow");
  f->code[fs->pc] = i;
  luaM_growvector(fs->L, f->lineinfo, fs->pc, f->sizelineinfo, INT_MAX, "code size overflow");
  f->lineinfo[fs->pc] = line;
  return fs->pc++;
}

int luaK_codeABC(FuncState* fs, OpCode o, int a, int b, int c) {
  return luaK_code(fs, CREATE_ABC(o, a, b, c), fs->ls->lastline);
}

int luaK_codeABx(FuncState* fs, OpCode o, int a, int bx) {
  return luaK_code(fs, CREATE_ABx(o, a, bx), fs->ls->lastline);
}

void luaK_fixline(FuncState* fs, int line) { fs->f->lineinfo[fs->pc - 1] = line; }

void luaK_nil(FuncState* fs, int from, int n) {
  // Extends a directly preceding LOADNIL whose range touches this one, unless this position is a jump target.
  if (fs->pc > fs->lasttarget && fs->pc > 0) {
    Instruction* previous = &fs->f->code[fs->pc - 1];
    if (GET_OPCODE(*previous) == OP_LOADNIL) {
      int pfrom = GETARG_A(*previous);
      int pto = GETARG_B(*previous);
      if (pfrom <= from && from <= pto + 1) {
        if (from + n - 1 > pto) SETARG_B(*previous, from + n - 1);
        return;
      }
    }
  }
  luaK_codeABC(fs, OP_LOADNIL, from, from + n - 1, 0);
}

// ---------------------------------------------------------------------------------------------------
// Jump lists, chained through the sBx fields of the jumps

static int getjump(FuncState* fs, int pc) {
  int offset = GETARG_sBx(fs->f->code[pc]);
  return offset == NO_JUMP ? NO_JUMP : (pc + 1) + offset;
}

static void fixjump(FuncState* fs, int pc, int dest) {
  int offset = dest - (pc + 1);
  if (std::abs(offset) > MAXARG_sBx) luaX_syntaxerror(fs->ls, "control structure too long");
  SETARG_sBx(fs->f->code[pc], offset);
}

// The instruction that controls a jump: the test before it, if any.
static Instruction* getjumpcontrol(FuncState* fs, int pc) {
  Instruction* pi = &fs->f->code[pc];
  if (pc >= 1 && testOpMode(GET_OPCODE(*(pi - 1)), OpModeT)) return pi - 1;
  return pi;
}

int luaK_jump(FuncState* fs) {
  int jpc = fs->jpc;  // jumps to here are kept pending on the new jump
  fs->jpc = NO_JUMP;
  int j = luaK_codeAsBx(fs, OP_JMP, 0, NO_JUMP);
  luaK_concat(fs, &j, jpc);
  return j;
}

static int condjump(FuncState* fs, OpCode op, int a, int b, int c) {
  luaK_codeABC(fs, op, a, b, c);
  return luaK_jump(fs);
}

int luaK_getlabel(FuncState* fs) {
  fs->lasttarget = fs->pc;
  return fs->pc;
}

// Whether a list holds a jump that does not produce its value (or produces it inverted).
static bool need_value(FuncState* fs, int list, int cond) {
  for (; list != NO_JUMP; list = getjump(fs, list)) {
    Instruction i = *getjumpcontrol(fs, list);
    if (GET_OPCODE(i) != OP_TEST || GETARG_C(i) != cond) return true;
  }
  return false;
}

static void patchtestreg(Instruction* i, int reg) {
  if (reg == NO_REG) reg = GETARG_B(*i);
  SETARG_A(*i, reg);
}

// Value-carrying tests go to ttarget (when true) or ftarget (when false), storing into treg / freg;
// every other jump goes to dtarget.
static void patchlistaux(FuncState* fs, int jmp, int ttarget, int treg, int ftarget, int freg, int dtarget) {
  while (jmp != NO_JUMP) {
    int next = getjump(fs, jmp);
    Instruction* i = getjumpcontrol(fs, jmp);
    if (GET_OPCODE(*i) != OP_TEST) {
      fixjump(fs, jmp, dtarget);
    } else if (GETARG_C(*i)) {
      patchtestreg(i, treg);
      fixjump(fs, jmp, ttarget);
    } else {
      patchtestreg(i, freg);
      fixjump(fs, jmp, ftarget);
    }
    jmp = next;
  }
}

static void dischargejpc(FuncState* fs) {
  patchlistaux(fs, fs->jpc, fs->pc, NO_REG, fs->pc, NO_REG, fs->pc);
  fs->jpc = NO_JUMP;
}

void luaK_patchlist(FuncState* fs, int list, int target) {
  if (target == fs->pc) {
    luaK_patchtohere(fs, list);
  } else {
    patchlistaux(fs, list, target, NO_REG, target, NO_REG, target);
  }
}

void luaK_patchtohere(FuncState* fs, int list) {
  luaK_getlabel(fs);
  luaK_concat(fs, &fs->jpc, list);
}

void luaK_concat(FuncState* fs, int* l1, int l2) {
  if (l2 == NO_JUMP) return;
  if (*l1 == NO_JUMP) {
    *l1 = l2;
    return;
  }
  int list = *l1;
  for (int next; (next = getjump(fs, list)) != NO_JUMP;) list = next;
  fixjump(fs, list, l2);
}

// ---------------------------------------------------------------------------------------------------
// Registers

void luaK_checkstack(FuncState* fs, int n) {
  int newstack = fs->freereg + n;
  if (newstack > fs->f->maxstacksize) {
    if (newstack >= MAXSTACK) luaX_syntaxerror(fs->ls, "function or expression too complex");
    fs->f->maxstacksize = static_cast<lu_byte>(newstack);
  }
}

void luaK_reserveregs(FuncState* fs, int n) {
  luaK_checkstack(fs, n);
  fs->freereg += n;
}

static void freereg(FuncState* fs, int reg) {
  if (reg >= fs->nactvar && reg < MAXSTACK) fs->freereg--;
}

static void freeexp(FuncState* fs, const expdesc* e) {
  if (e->k == VNONRELOC) freereg(fs, e->info);
}

// ---------------------------------------------------------------------------------------------------
// Constants

static int addk(FuncState* fs, const TObject* v) {
  Proto* f = fs->f;
  if (fs->nk >= MAXARG_Bx) luaX_syntaxerror(fs->ls, "constant table overflow");
  int oldsize = f->sizek;
  luaM_growvector(fs->L, f->k, fs->nk, f->sizek, MAXARG_Bx, "constant table overflow");
  for (int i = oldsize; i < f->sizek; i++) setnilvalue(&f->k[i]);
  setobj(&f->k[fs->nk], v);
  return fs->nk++;
}

static int stringconstant(FuncState* fs, TString* s) {
  auto found = fs->stringK.find(s);
  if (found != fs->stringK.end()) return found->second;
  TObject o;
  setsvalue(&o, s);
  int index = addk(fs, &o);
  fs->stringK.emplace(s, index);
  return index;
}

int luaK_stringK(FuncState* fs, TString* s) { return stringconstant(fs, s); }
int luaK_wstringK(FuncState* fs, TString* s) { return stringconstant(fs, s); }

int luaK_numberK(FuncState* fs, lua_Number r) {
  uint64_t bits;
  std::memcpy(&bits, &r, sizeof bits);
  auto found = fs->numberK.find(bits);
  if (found != fs->numberK.end()) return found->second;
  TObject o;
  setnvalue(&o, r);
  int index = addk(fs, &o);
  fs->numberK.emplace(bits, index);
  return index;
}

static int nilK(FuncState* fs) {
  if (fs->nilK < 0) {
    TObject o;
    setnilvalue(&o);
    fs->nilK = addk(fs, &o);
  }
  return fs->nilK;
}

// ---------------------------------------------------------------------------------------------------
// Expressions

void luaK_setcallreturns(FuncState* fs, expdesc* e, int nresults) {
  if (e->k != VCALL) return;
  SETARG_C(getcode(fs, e), nresults + 1);
  if (nresults == 1) {  // a single value: the call's base register holds it
    e->k = VNONRELOC;
    e->info = GETARG_A(getcode(fs, e));
  }
}

void luaK_dischargevars(FuncState* fs, expdesc* e) {
  switch (e->k) {
    case VLOCAL: e->k = VNONRELOC; break;
    case VUPVAL:
      e->info = luaK_codeABC(fs, OP_GETUPVAL, 0, e->info, 0);
      e->k = VRELOCABLE;
      break;
    case VGLOBAL:
      e->info = luaK_codeABx(fs, OP_GETGLOBAL, 0, e->info);
      e->k = VRELOCABLE;
      break;
    case VINDEXED:
      freereg(fs, e->aux);
      freereg(fs, e->info);
      e->info = luaK_codeABC(fs, OP_GETTABLE, 0, e->info, e->aux);
      e->k = VRELOCABLE;
      break;
    case VCALL: luaK_setcallreturns(fs, e, 1); break;
    default: break;
  }
}

// A LOADBOOL that may be a jump target.
static int code_label(FuncState* fs, int a, int b, int jump) {
  luaK_getlabel(fs);
  return luaK_codeABC(fs, OP_LOADBOOL, a, b, jump);
}

static void discharge2reg(FuncState* fs, expdesc* e, int reg) {
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VNIL: luaK_nil(fs, reg, 1); break;
    case VFALSE:
    case VTRUE: luaK_codeABC(fs, OP_LOADBOOL, reg, e->k == VTRUE, 0); break;
    case VK: luaK_codeABx(fs, OP_LOADK, reg, e->info); break;
    case VKNUM: luaK_codeABx(fs, OP_LOADK, reg, luaK_numberK(fs, e->nval)); break;
    case VRELOCABLE: SETARG_A(getcode(fs, e), reg); break;
    case VNONRELOC:
      if (reg != e->info) luaK_codeABC(fs, OP_MOVE, reg, e->info, 0);
      break;
    default: return;  // VVOID or VJMP: nothing to do
  }
  e->info = reg;
  e->k = VNONRELOC;
}

static void discharge2anyreg(FuncState* fs, expdesc* e) {
  if (e->k != VNONRELOC) {
    luaK_reserveregs(fs, 1);
    discharge2reg(fs, e, fs->freereg - 1);
  }
}

// Puts the value of e, jumps included, into reg.
static void exp2reg(FuncState* fs, expdesc* e, int reg) {
  discharge2reg(fs, e, reg);
  if (e->k == VJMP) luaK_concat(fs, &e->t, e->info);
  if (hasjumps(e)) {
    int p_f = NO_JUMP;  // position of a LOADBOOL false
    int p_t = NO_JUMP;  // position of a LOADBOOL true
    if (need_value(fs, e->t, 1) || need_value(fs, e->f, 0)) {
      int fj = e->k == VJMP ? NO_JUMP : luaK_jump(fs);
      p_f = code_label(fs, reg, 0, 1);
      p_t = code_label(fs, reg, 1, 0);
      luaK_patchtohere(fs, fj);
    }
    int final = luaK_getlabel(fs);
    patchlistaux(fs, e->f, p_f, NO_REG, final, reg, p_f);
    patchlistaux(fs, e->t, final, reg, p_t, NO_REG, p_t);
  }
  e->f = e->t = NO_JUMP;
  e->info = reg;
  e->k = VNONRELOC;
}

void luaK_exp2nextreg(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  freeexp(fs, e);
  luaK_reserveregs(fs, 1);
  exp2reg(fs, e, fs->freereg - 1);
}

int luaK_exp2anyreg(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  if (e->k == VNONRELOC) {
    if (!hasjumps(e)) return e->info;
    if (e->info >= fs->nactvar) {  // a temporary register: its value may be completed in place
      exp2reg(fs, e, e->info);
      return e->info;
    }
  }
  luaK_exp2nextreg(fs, e);
  return e->info;
}

void luaK_exp2val(FuncState* fs, expdesc* e) {
  if (hasjumps(e)) {
    luaK_exp2anyreg(fs, e);
  } else {
    luaK_dischargevars(fs, e);
  }
}

int luaK_exp2RK(FuncState* fs, expdesc* e) {
  luaK_exp2val(fs, e);
  switch (e->k) {
    case VNIL:
      if (fs->nk + MAXSTACK <= MAXARG_C) {  // a nil constant still fits in an operand
        e->info = nilK(fs);
        e->k = VK;
        return e->info + MAXSTACK;
      }
      break;
    case VKNUM:
      e->info = luaK_numberK(fs, e->nval);
      e->k = VK;
      [[fallthrough]];
    case VK:
      if (e->info + MAXSTACK <= MAXARG_C) return e->info + MAXSTACK;
      break;
    default: break;
  }
  return luaK_exp2anyreg(fs, e);
}

void luaK_storevar(FuncState* fs, expdesc* var, expdesc* ex) {
  switch (var->k) {
    case VLOCAL:
      freeexp(fs, ex);
      exp2reg(fs, ex, var->info);
      return;
    case VUPVAL: {
      int e = luaK_exp2anyreg(fs, ex);
      luaK_codeABC(fs, OP_SETUPVAL, e, var->info, 0);
      break;
    }
    case VGLOBAL: {
      int e = luaK_exp2anyreg(fs, ex);
      luaK_codeABx(fs, OP_SETGLOBAL, e, var->info);
      break;
    }
    case VINDEXED: {
      int e = luaK_exp2RK(fs, ex);
      luaK_codeABC(fs, OP_SETTABLE, var->info, var->aux, e);
      break;
    }
    default: break;
  }
  freeexp(fs, ex);
}

void luaK_self(FuncState* fs, expdesc* e, expdesc* key) {
  luaK_exp2anyreg(fs, e);
  freeexp(fs, e);
  int func = fs->freereg;
  luaK_reserveregs(fs, 2);
  luaK_codeABC(fs, OP_SELF, func, e->info, luaK_exp2RK(fs, key));
  freeexp(fs, key);
  e->info = func;
  e->k = VNONRELOC;
}

void luaK_indexed(FuncState* fs, expdesc* t, expdesc* k) {
  t->aux = luaK_exp2RK(fs, k);
  t->k = VINDEXED;
}

// ---------------------------------------------------------------------------------------------------
// Conditions

static void invertjump(FuncState* fs, expdesc* e) {
  Instruction* pc = getjumpcontrol(fs, e->info);
  SETARG_A(*pc, !GETARG_A(*pc));
}

static int jumponcond(FuncState* fs, expdesc* e, int cond) {
  if (e->k == VRELOCABLE) {
    Instruction ie = getcode(fs, e);
    if (GET_OPCODE(ie) == OP_NOT) {  // test the operand of the NOT instead
      fs->pc--;
      return condjump(fs, OP_TEST, NO_REG, GETARG_B(ie), !cond);
    }
  }
  discharge2anyreg(fs, e);
  freeexp(fs, e);
  return condjump(fs, OP_TEST, NO_REG, e->info, cond);
}

// The jump out of a condition that is a constant. Jumps pending to here land on it instead of joining
// its list: the list may be patched with value targets, and a pending test there would be taken for a
// jump that carries its own operand out as the value of the whole expression ("(nil and x) or not
// (true or y)" would give nil).
static int constantexit(FuncState* fs) {
  dischargejpc(fs);
  return luaK_jump(fs);
}

void luaK_goiftrue(FuncState* fs, expdesc* e) {
  int pc;  // the jump taken when e is false
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VK:
    case VKNUM:
    case VTRUE: pc = NO_JUMP; break;  // always true
    case VFALSE: pc = constantexit(fs); break;
    case VJMP:
      invertjump(fs, e);
      pc = e->info;
      break;
    default: pc = jumponcond(fs, e, 0); break;
  }
  luaK_concat(fs, &e->f, pc);
}

void luaK_goiffalse(FuncState* fs, expdesc* e) {
  int pc;  // the jump taken when e is true
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VNIL:
    case VFALSE: pc = NO_JUMP; break;  // always false
    case VTRUE: pc = constantexit(fs); break;
    case VJMP: pc = e->info; break;
    default: pc = jumponcond(fs, e, 1); break;
  }
  luaK_concat(fs, &e->t, pc);
}

static void codenot(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VNIL:
    case VFALSE: e->k = VTRUE; break;
    case VK:
    case VKNUM:
    case VTRUE: e->k = VFALSE; break;
    case VJMP: invertjump(fs, e); break;
    case VRELOCABLE:
    case VNONRELOC:
      discharge2anyreg(fs, e);
      freeexp(fs, e);
      e->info = luaK_codeABC(fs, OP_NOT, 0, e->info, 0);
      e->k = VRELOCABLE;
      break;
    default: break;
  }
  int temp = e->f;  // the exits swap
  e->f = e->t;
  e->t = temp;
}

// ---------------------------------------------------------------------------------------------------
// Operators

void luaK_prefix(FuncState* fs, UnOpr op, expdesc* e) {
  if (op == OPR_NOT) return codenot(fs, e);
  luaK_exp2val(fs, e);
  if (e->k == VKNUM) {  // a numeric constant is negated at compile time
    e->nval = -e->nval;
    return;
  }
  luaK_exp2anyreg(fs, e);
  freeexp(fs, e);
  e->info = luaK_codeABC(fs, OP_UNM, 0, e->info, 0);
  e->k = VRELOCABLE;
}

void luaK_infix(FuncState* fs, BinOpr op, expdesc* v) {
  switch (op) {
    case OPR_AND:
      luaK_goiftrue(fs, v);
      luaK_patchtohere(fs, v->t);
      v->t = NO_JUMP;
      break;
    case OPR_OR:
      luaK_goiffalse(fs, v);
      luaK_patchtohere(fs, v->f);
      v->f = NO_JUMP;
      break;
    case OPR_CONCAT: luaK_exp2nextreg(fs, v); break;  // operands of a concatenation sit in consecutive registers
    default: luaK_exp2RK(fs, v); break;
  }
}

static void codebinop(FuncState* fs, expdesc* res, BinOpr op, int o1, int o2) {
  if (op <= OPR_POW) {
    OpCode opc = static_cast<OpCode>(OP_ADD + (op - OPR_ADD));
    res->info = luaK_codeABC(fs, opc, 0, o1, o2);
    res->k = VRELOCABLE;
    return;
  }
  static const OpCode ops[] = {OP_EQ, OP_EQ, OP_LT, OP_LE, OP_LT, OP_LE};
  int cond = 1;
  if (op >= OPR_GT) {  // a > b is b < a; a >= b is b <= a
    int temp = o1;
    o1 = o2;
    o2 = temp;
  } else if (op == OPR_NE) {
    cond = 0;
  }
  res->info = condjump(fs, ops[op - OPR_NE], cond, o1, o2);
  res->k = VJMP;
}

void luaK_posfix(FuncState* fs, BinOpr op, expdesc* e1, expdesc* e2) {
  switch (op) {
    case OPR_AND:
      luaK_dischargevars(fs, e2);
      luaK_concat(fs, &e1->f, e2->f);
      e1->k = e2->k;
      e1->info = e2->info;
      e1->aux = e2->aux;
      e1->nval = e2->nval;
      e1->t = e2->t;
      break;
    case OPR_OR:
      luaK_dischargevars(fs, e2);
      luaK_concat(fs, &e1->t, e2->t);
      e1->k = e2->k;
      e1->info = e2->info;
      e1->aux = e2->aux;
      e1->nval = e2->nval;
      e1->f = e2->f;
      break;
    case OPR_CONCAT:
      luaK_exp2val(fs, e2);
      if (e2->k == VRELOCABLE && GET_OPCODE(getcode(fs, e2)) == OP_CONCAT) {
        // a .. (b .. c): one CONCAT over the whole register range
        freeexp(fs, e1);
        SETARG_B(getcode(fs, e2), e1->info);
        e1->k = e2->k;
        e1->info = e2->info;
      } else {
        luaK_exp2nextreg(fs, e2);
        freeexp(fs, e2);
        freeexp(fs, e1);
        e1->info = luaK_codeABC(fs, OP_CONCAT, 0, e1->info, e2->info);
        e1->k = VRELOCABLE;
      }
      break;
    default: {
      int o1 = luaK_exp2RK(fs, e1);
      int o2 = luaK_exp2RK(fs, e2);
      freeexp(fs, e2);
      freeexp(fs, e1);
      codebinop(fs, e1, op, o1, o2);
      break;
    }
  }
}
