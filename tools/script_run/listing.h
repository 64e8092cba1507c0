// Instruction listing of a compiled chunk, for reading what the code generator emits.
#pragma once

#include <cstdio>

struct Proto;

// Writes every prototype of the tree rooted at f: a header line, one line per instruction
// ("pc [line] OPNAME A B C" / "A Bx" / "A sBx"), then the constants.
void PrintListing(std::FILE* out, const Proto* f);
