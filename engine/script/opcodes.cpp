#include "engine/script/opcodes.h"

const char* const luaP_opnames[NUM_OPCODES] = {
    "MOVE",   "LOADK", "LOADBOOL", "LOADNIL", "GETUPVAL", "GETGLOBAL", "GETTABLE", "SETGLOBAL",
    "SETUPVAL", "SETTABLE", "NEWTABLE", "SELF", "ADD", "SUB", "MUL", "DIV", "BAND", "BOR", "SHL", "SHR",
    "POW", "UNM", "NOT", "CONCAT", "JMP", "EQ", "LT", "LE", "TEST", "CALL", "TAILCALL", "RETURN",
    "FORLOOP", "TFORLOOP", "TFORPREP", "SETLIST", "SETLISTO", "CLOSE", "CLOSURE"};

const uint8_t luaP_opmodes[NUM_OPCODES] = {
    0x24, 0x61, 0x20, 0x24, 0x20, 0x61, 0x34, 0x41,  // MOVE .. SETGLOBAL
    0x00, 0x18, 0x20, 0x34, 0x38, 0x38, 0x38, 0x38,  // SETUPVAL .. DIV
    0x38, 0x38, 0x38, 0x38, 0x38, 0x24, 0x24, 0x34,  // BAND .. CONCAT
    0x02, 0x98, 0x98, 0x98, 0xA4, 0x00, 0x00, 0x00,  // JMP .. RETURN
    0x02, 0x80, 0x02, 0x01, 0x01, 0x00, 0x21};       // FORLOOP .. CLOSURE
