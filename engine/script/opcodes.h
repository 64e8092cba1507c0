// Instruction encoding and the opcode table of the virtual machine.
//
// An instruction is 32 bits: OP in bits 0-5, C in bits 6-14, B in bits 15-23, A in bits 24-31.
// Bx is bits 6-23 (unsigned); sBx = Bx - MAXARG_sBx.
#pragma once

#include <cstdint>

typedef uint32_t Instruction;

enum OpMode { iABC, iABx, iAsBx };

constexpr int SIZE_OP = 6;
constexpr int SIZE_C = 9;
constexpr int SIZE_B = 9;
constexpr int SIZE_Bx = SIZE_C + SIZE_B;
constexpr int SIZE_A = 8;

constexpr int POS_OP = 0;
constexpr int POS_C = POS_OP + SIZE_OP;
constexpr int POS_B = POS_C + SIZE_C;
constexpr int POS_Bx = POS_C;
constexpr int POS_A = POS_B + SIZE_B;

constexpr int MAXARG_Bx = (1 << SIZE_Bx) - 1;
constexpr int MAXARG_sBx = MAXARG_Bx >> 1;  // 131071
constexpr int MAXARG_A = (1 << SIZE_A) - 1;
constexpr int MAXARG_B = (1 << SIZE_B) - 1;
constexpr int MAXARG_C = (1 << SIZE_C) - 1;

// Largest register frame of a function; RK operands at or above it name constants.
constexpr int MAXSTACK = 250;
// Number of list items flushed by one OP_SETLIST.
constexpr int LFIELDS_PER_FLUSH = 32;

enum OpCode {
  OP_MOVE,        // A B      R(A) := R(B)
  OP_LOADK,       // A Bx     R(A) := Kst(Bx)
  OP_LOADBOOL,    // A B C    R(A) := (Bool)B; if (C) pc++
  OP_LOADNIL,     // A B      R(A) := ... := R(B) := nil
  OP_GETUPVAL,    // A B      R(A) := UpValue[B]
  OP_GETGLOBAL,   // A Bx     R(A) := Gbl[Kst(Bx)]
  OP_GETTABLE,    // A B C    R(A) := R(B)[RK(C)]
  OP_SETGLOBAL,   // A Bx     Gbl[Kst(Bx)] := R(A)
  OP_SETUPVAL,    // A B      UpValue[B] := R(A)
  OP_SETTABLE,    // A B C    R(A)[RK(B)] := RK(C)
  OP_NEWTABLE,    // A B C    R(A) := {} (B encodes the array size, C the log2 hash size)
  OP_SELF,        // A B C    R(A+1) := R(B); R(A) := R(B)[RK(C)]
  OP_ADD,         // A B C    R(A) := RK(B) + RK(C)
  OP_SUB,         // A B C    R(A) := RK(B) - RK(C)
  OP_MUL,         // A B C    R(A) := RK(B) * RK(C)
  OP_DIV,         // A B C    R(A) := RK(B) / RK(C)
  OP_BAND,        // A B C    R(A) := int(RK(B)) & int(RK(C))
  OP_BOR,         // A B C    R(A) := int(RK(B)) | int(RK(C))
  OP_SHL,         // A B C    R(A) := int(RK(B)) << (int(RK(C)) & 31)
  OP_SHR,         // A B C    R(A) := uint(RK(B)) >> (int(RK(C)) & 31)
  OP_POW,         // A B C    R(A) := int(RK(B)) xor int(RK(C)), else the "__pow" path
  OP_UNM,         // A B      R(A) := -R(B)
  OP_NOT,         // A B      R(A) := not R(B)
  OP_CONCAT,      // A B C    R(A) := R(B).. ... ..R(C)
  OP_JMP,         // sBx      pc += sBx
  OP_EQ,          // A B C    if ((RK(B) == RK(C)) ~= A) then pc++
  OP_LT,          // A B C    if ((RK(B) <  RK(C)) ~= A) then pc++
  OP_LE,          // A B C    if ((RK(B) <= RK(C)) ~= A) then pc++
  OP_TEST,        // A B C    if (R(B) <=> C) then R(A) := R(B) else pc++
  OP_CALL,        // A B C    R(A), ... ,R(A+C-2) := R(A)(R(A+1), ... ,R(A+B-1))
  OP_TAILCALL,    // A B C    return R(A)(R(A+1), ... ,R(A+B-1))
  OP_RETURN,      // A B      return R(A), ... ,R(A+B-2)
  OP_FORLOOP,     // A sBx    R(A) += R(A+2); if R(A) <?= R(A+1) then pc += sBx
  OP_TFORLOOP,    // A C      R(A+2), ... ,R(A+2+C) := R(A)(R(A+1), R(A+2)); if R(A+2) ~= nil then pc++
  OP_TFORPREP,    // A sBx    if type(R(A)) == table then R(A+1) := R(A), R(A) := next; pc += sBx
  OP_SETLIST,     // A Bx     R(A)[Bx-Bx%FPF+i] := R(A+i), 1 <= i <= Bx%FPF+1
  OP_SETLISTO,    // A Bx     as OP_SETLIST up to the stack top
  OP_CLOSE,       // A        close all variables in the stack up to (>=) R(A)
  OP_CLOSURE      // A Bx     R(A) := closure(KPROTO[Bx], R(A), ... ,R(A+n))
};

constexpr int NUM_OPCODES = OP_CLOSURE + 1;  // 39

// Mode byte of each opcode, as the instruction table gives it.
enum OpModeMask {
  OpModeBreg = 2,  // B is a register
  OpModeBrk,       // B may be a constant
  OpModeCrk,       // C may be a constant
  OpModesetA,      // the instruction sets register A
  OpModeK,         // Bx is a constant index
  OpModeT          // a test: the next instruction is a jump
};

extern const uint8_t luaP_opmodes[NUM_OPCODES];
extern const char* const luaP_opnames[NUM_OPCODES];

inline OpMode getOpMode(OpCode m) { return static_cast<OpMode>(luaP_opmodes[m] & 3); }
inline bool testOpMode(OpCode m, int b) { return (luaP_opmodes[m] & (1 << b)) != 0; }

// Field access.
inline OpCode GET_OPCODE(Instruction i) { return static_cast<OpCode>((i >> POS_OP) & ((1u << SIZE_OP) - 1)); }
inline int GETARG_A(Instruction i) { return static_cast<int>((i >> POS_A) & ((1u << SIZE_A) - 1)); }
inline int GETARG_B(Instruction i) { return static_cast<int>((i >> POS_B) & ((1u << SIZE_B) - 1)); }
inline int GETARG_C(Instruction i) { return static_cast<int>((i >> POS_C) & ((1u << SIZE_C) - 1)); }
inline int GETARG_Bx(Instruction i) { return static_cast<int>((i >> POS_Bx) & ((1u << SIZE_Bx) - 1)); }
inline int GETARG_sBx(Instruction i) { return GETARG_Bx(i) - MAXARG_sBx; }

inline void SET_OPCODE(Instruction& i, OpCode o) {
  i = (i & ~(((1u << SIZE_OP) - 1) << POS_OP)) | (static_cast<Instruction>(o) << POS_OP);
}
inline void SETARG_A(Instruction& i, int v) {
  i = (i & ~(((1u << SIZE_A) - 1) << POS_A)) | ((static_cast<Instruction>(v) & ((1u << SIZE_A) - 1)) << POS_A);
}
inline void SETARG_B(Instruction& i, int v) {
  i = (i & ~(((1u << SIZE_B) - 1) << POS_B)) | ((static_cast<Instruction>(v) & ((1u << SIZE_B) - 1)) << POS_B);
}
inline void SETARG_C(Instruction& i, int v) {
  i = (i & ~(((1u << SIZE_C) - 1) << POS_C)) | ((static_cast<Instruction>(v) & ((1u << SIZE_C) - 1)) << POS_C);
}
inline void SETARG_Bx(Instruction& i, int v) {
  i = (i & ~(((1u << SIZE_Bx) - 1) << POS_Bx)) |
      ((static_cast<Instruction>(v) & ((1u << SIZE_Bx) - 1)) << POS_Bx);
}
inline void SETARG_sBx(Instruction& i, int v) { SETARG_Bx(i, v + MAXARG_sBx); }

inline Instruction CREATE_ABC(OpCode o, int a, int b, int c) {
  return (static_cast<Instruction>(o) << POS_OP) | (static_cast<Instruction>(a & MAXARG_A) << POS_A) |
         (static_cast<Instruction>(b & MAXARG_B) << POS_B) | (static_cast<Instruction>(c & MAXARG_C) << POS_C);
}
inline Instruction CREATE_ABx(OpCode o, int a, int bx) {
  return (static_cast<Instruction>(o) << POS_OP) | (static_cast<Instruction>(a & MAXARG_A) << POS_A) |
         (static_cast<Instruction>(bx & MAXARG_Bx) << POS_Bx);
}
inline Instruction CREATE_AsBx(OpCode o, int a, int sbx) { return CREATE_ABx(o, a, sbx + MAXARG_sBx); }

// RK operands: values at or above MAXSTACK name constant (x - MAXSTACK).
inline bool ISK(int x) { return x >= MAXSTACK; }
inline int RKASK(int k) { return k + MAXSTACK; }
