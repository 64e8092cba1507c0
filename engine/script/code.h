// Code generator: emits the register-machine instructions for the parser in one pass (constants, register
// allocation, expression discharge, jump lists, comparisons and logical operators, calls and returns).
#pragma once

#include <cstdint>
#include <unordered_map>

#include "engine/script/lex.h"
#include "engine/script/object.h"
#include "engine/script/opcodes.h"

// Marks the end of a jump list.
constexpr int NO_JUMP = -1;
// "No register" in an OP_TEST whose target register is patched later.
constexpr int NO_REG = MAXARG_A;

constexpr int MAXVARS = 200;       // active local variables per function
constexpr int MAXUPVALUES = 32;
constexpr int MAXPARAMS = 100;

// Binary operators; the arithmetic group is in opcode order (OP_ADD + position).
enum BinOpr {
  OPR_ADD, OPR_SUB, OPR_MULT, OPR_DIV, OPR_BAND, OPR_BOR, OPR_SHL, OPR_SHR, OPR_POW,
  OPR_CONCAT,
  OPR_NE, OPR_EQ, OPR_LT, OPR_LE, OPR_GT, OPR_GE,
  OPR_AND, OPR_OR,
  OPR_NOBINOPR
};

enum UnOpr { OPR_MINUS, OPR_NOT, OPR_NOUNOPR };

enum expkind {
  VVOID,       // no value
  VNIL,
  VTRUE,
  VFALSE,
  VK,          // info = index of the constant
  VKNUM,       // nval = numeric value not yet in the constant table
  VLOCAL,      // info = local register
  VUPVAL,      // info = index of the upvalue
  VGLOBAL,     // info = index of the name's constant
  VINDEXED,    // info = table register, aux = key as RK
  VJMP,        // info = pc of the jump
  VRELOCABLE,  // info = pc of the instruction whose A will be set
  VNONRELOC,   // info = result register
  VCALL        // info = pc of the OP_CALL
};

struct expdesc {
  expkind k;
  int info, aux;
  lua_Number nval;
  int t;  // patch list of "exit when true"
  int f;  // patch list of "exit when false"
};

struct BlockCnt;

// State of one function being compiled.
struct FuncState {
  Proto* f;
  FuncState* prev;   // enclosing function
  LexState* ls;
  lua_State* L;
  BlockCnt* bl;      // innermost open block
  int pc;            // next instruction
  int lasttarget;    // pc of the last jump target
  int jpc;           // jumps pending to `pc`
  int freereg;       // first free register
  int nk;            // constants in f->k
  int np;            // prototypes in f->p
  int nlocvars;      // records in f->locvars
  int nactvar;       // active locals
  expdesc upvalues[MAXUPVALUES];  // how each upvalue is reached from the enclosing function
  int actvar[MAXVARS];            // locvars index of each active local
  // Constant lookup, so that equal constants share one slot.
  std::unordered_map<uint64_t, int> numberK;    // by the bits of the double
  std::unordered_map<TString*, int> stringK;    // plain and wide strings
  int nilK = -1;
};

inline Instruction& getcode(FuncState* fs, const expdesc* e) { return fs->f->code[e->info]; }
inline bool hasjumps(const expdesc* e) { return e->t != e->f; }

int luaK_code(FuncState* fs, Instruction i, int line);
int luaK_codeABC(FuncState* fs, OpCode o, int a, int b, int c);
int luaK_codeABx(FuncState* fs, OpCode o, int a, int bx);
inline int luaK_codeAsBx(FuncState* fs, OpCode o, int a, int sbx) { return luaK_codeABx(fs, o, a, sbx + MAXARG_sBx); }
void luaK_fixline(FuncState* fs, int line);
void luaK_nil(FuncState* fs, int from, int n);
void luaK_reserveregs(FuncState* fs, int n);
void luaK_checkstack(FuncState* fs, int n);
int luaK_stringK(FuncState* fs, TString* s);
int luaK_wstringK(FuncState* fs, TString* s);
int luaK_numberK(FuncState* fs, lua_Number r);
void luaK_dischargevars(FuncState* fs, expdesc* e);
int luaK_exp2anyreg(FuncState* fs, expdesc* e);
void luaK_exp2nextreg(FuncState* fs, expdesc* e);
void luaK_exp2val(FuncState* fs, expdesc* e);
int luaK_exp2RK(FuncState* fs, expdesc* e);
void luaK_self(FuncState* fs, expdesc* e, expdesc* key);
void luaK_indexed(FuncState* fs, expdesc* t, expdesc* k);
void luaK_goiftrue(FuncState* fs, expdesc* e);
void luaK_goiffalse(FuncState* fs, expdesc* e);
void luaK_storevar(FuncState* fs, expdesc* var, expdesc* e);
void luaK_setcallreturns(FuncState* fs, expdesc* e, int nresults);
int luaK_jump(FuncState* fs);
void luaK_patchlist(FuncState* fs, int list, int target);
void luaK_patchtohere(FuncState* fs, int list);
void luaK_concat(FuncState* fs, int* l1, int l2);
int luaK_getlabel(FuncState* fs);
void luaK_prefix(FuncState* fs, UnOpr op, expdesc* v);
void luaK_infix(FuncState* fs, BinOpr op, expdesc* v);
void luaK_posfix(FuncState* fs, BinOpr op, expdesc* v1, expdesc* v2);

