#include "engine/script/checkcode.h"

#include "engine/script/opcodes.h"

namespace {

// One prototype under check; every test answers false on the first fault.
struct Checker {
  const Proto* pt;

  bool reg(int r) const { return r >= 0 && r < pt->maxstacksize; }
  bool rk(int r) const { return reg(r) || (r >= MAXSTACK && r - MAXSTACK < pt->sizek); }
  bool target(int pc) const { return pc >= 0 && pc < pt->sizecode; }

  bool header() const {
    if (pt->maxstacksize > MAXSTACK) return false;
    if (pt->numparams + (pt->is_vararg ? 1 : 0) > pt->maxstacksize) return false;
    if (pt->sizelineinfo != pt->sizecode && pt->sizelineinfo != 0) return false;
    if (pt->sizecode == 0) return false;
    return GET_OPCODE(pt->code[pt->sizecode - 1]) == OP_RETURN;
  }

  // An instruction that leaves an open number of values (from its register A up to the stack top) must be
  // followed by one that takes them: a return from at most that register, a call or list store whose own
  // register lies below it. A consumer above the values would see the top below its register and run a
  // frame over its own function slot.
  bool openfollows(int pc) const {
    int first = GETARG_A(pt->code[pc]);
    Instruction next = pt->code[pc + 1];
    int a = GETARG_A(next);
    switch (GET_OPCODE(next)) {
      case OP_CALL:
      case OP_TAILCALL: return GETARG_B(next) == 0 && a < first;
      case OP_RETURN: return GETARG_B(next) == 0 && a <= first;
      case OP_SETLISTO: return a < first;
      default: return false;
    }
  }

  bool operands(Instruction i) const {
    OpCode op = GET_OPCODE(i);
    if (!reg(GETARG_A(i))) return false;
    switch (getOpMode(op)) {
      case iABC:
        if (testOpMode(op, OpModeBreg) && !reg(GETARG_B(i))) return false;
        if (testOpMode(op, OpModeBrk) && !rk(GETARG_B(i))) return false;
        if (testOpMode(op, OpModeCrk) && !rk(GETARG_C(i))) return false;
        return true;
      case iABx: return !testOpMode(op, OpModeK) || GETARG_Bx(i) < pt->sizek;
      case iAsBx: return true;
    }
    return false;
  }

  bool instruction(int pc) const {
    Instruction i = pt->code[pc];
    OpCode op = GET_OPCODE(i);
    if (op >= NUM_OPCODES || !operands(i)) return false;
    int a = GETARG_A(i), b = GETARG_B(i), c = GETARG_C(i);
    if (testOpMode(op, OpModeT) && !(pc + 2 < pt->sizecode && GET_OPCODE(pt->code[pc + 1]) == OP_JMP))
      return false;
    switch (op) {
      case OP_LOADBOOL: return c == 0 || pc + 2 < pt->sizecode;
      case OP_GETUPVAL:
      case OP_SETUPVAL: return b < pt->nups;
      case OP_GETGLOBAL:
      case OP_SETGLOBAL: return ttisstring(&pt->k[GETARG_Bx(i)]);
      case OP_SELF: return reg(a + 1);
      case OP_CONCAT: return c < MAXSTACK && b < c;
      case OP_TFORLOOP: return reg(a + c + 5);  // the generator is called from registers above its variables
      case OP_TFORPREP: return reg(a + 1) && target(pc + 1 + GETARG_sBx(i));
      case OP_FORLOOP: return reg(a + 2) && target(pc + 1 + GETARG_sBx(i));
      case OP_JMP: return target(pc + 1 + GETARG_sBx(i));
      case OP_CALL:
      case OP_TAILCALL:
        if (b != 0 && !reg(a + b - 1)) return false;
        if (c == 0) return openfollows(pc);  // all results
        return c == 1 || reg(a + c - 2);
      case OP_RETURN: return b <= 1 || reg(a + b - 2);
      case OP_SETLIST: return reg(a + (GETARG_Bx(i) & (LFIELDS_PER_FLUSH - 1)) + 1);
      case OP_CLOSURE: return closure(pc, GETARG_Bx(i));
      default: return true;
    }
  }

  // A closure is followed by one pseudo-instruction per upvalue of its prototype.
  bool closure(int pc, int bx) const {
    if (bx >= pt->sizep || pt->p[bx] == nullptr) return false;
    int nup = pt->p[bx]->nups;
    if (pc + nup >= pt->sizecode) return false;
    for (int k = 1; k <= nup; k++) {
      OpCode op = GET_OPCODE(pt->code[pc + k]);
      if (op != OP_GETUPVAL && op != OP_MOVE) return false;
    }
    return true;
  }
};

}  // namespace

bool luaG_checkcode(const Proto* pt) {
  Checker checker{pt};
  if (!checker.header()) return false;
  for (int pc = 0; pc < pt->sizecode; pc++) {
    if (!checker.instruction(pc)) return false;
  }
  return true;
}
