// Writes precompiled chunks field by field, in either byte order, so that tests can make well-formed,
// damaged and hostile chunks.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/script/opcodes.h"

struct ConstantRecord {
  int type;  // 0 nil, 3 number, 4 string, 9 wide string; any other value is written as given
  double number = 0;
  std::string text;          // type 4
  std::u16string units;      // type 9
};

struct FunctionRecord {
  const char* source = "=test";  // nullptr writes the "same as parent" marker
  int lineDefined = 0;
  int nups = 0;
  int numparams = 0;
  int isVararg = 0;
  int maxStack = 2;
  std::vector<int> lines;
  std::vector<std::string> upvalueNames;
  std::vector<ConstantRecord> constants;
  std::vector<FunctionRecord> functions;
  std::vector<Instruction> code;
};

class ChunkBuilder {
public:
  explicit ChunkBuilder(bool bigEndian = false) : big_(bigEndian) {}

  void Byte(int b) { bytes_ += static_cast<char>(b); }
  void UInt32(uint32_t x) {
    for (int i = 0; i < 4; i++) Byte(static_cast<int>(x >> (8 * (big_ ? 3 - i : i))));
  }
  void Number(double x) {
    uint64_t bits;
    static_assert(sizeof bits == sizeof x);
    std::memcpy(&bits, &x, sizeof bits);
    for (int i = 0; i < 8; i++) Byte(static_cast<int>(bits >> (8 * (big_ ? 7 - i : i))));
  }
  void String(const char* s) {
    if (s == nullptr) return UInt32(0);
    uint32_t n = static_cast<uint32_t>(std::strlen(s));
    UInt32(n + 1);
    bytes_.append(s, n + 1);
  }
  void Header() {
    bytes_ += "\x1bLua";
    Byte(0x50);
    Byte(big_ ? 0 : 1);
    for (int size : {4, 4, 4, 6, 8, 9, 9, 8}) Byte(size);
    Number(31415926.5358979);
  }
  void Function(const FunctionRecord& f) {
    String(f.source);
    UInt32(static_cast<uint32_t>(f.lineDefined));
    Byte(f.nups);
    Byte(f.numparams);
    Byte(f.isVararg);
    Byte(f.maxStack);
    UInt32(static_cast<uint32_t>(f.lines.size()));
    for (int line : f.lines) UInt32(static_cast<uint32_t>(line));
    UInt32(0);  // locals
    UInt32(static_cast<uint32_t>(f.upvalueNames.size()));
    for (const std::string& name : f.upvalueNames) String(name.c_str());
    UInt32(static_cast<uint32_t>(f.constants.size()));
    for (const ConstantRecord& k : f.constants) Constant(k);
    UInt32(static_cast<uint32_t>(f.functions.size()));
    for (const FunctionRecord& nested : f.functions) Function(nested);
    UInt32(static_cast<uint32_t>(f.code.size()));
    for (Instruction i : f.code) UInt32(i);
  }
  void Constant(const ConstantRecord& k) {
    Byte(k.type);
    switch (k.type) {
      case 3: Number(k.number); break;
      case 4: String(k.text.c_str()); break;
      case 9:
        UInt32(static_cast<uint32_t>(k.units.size() + 1));
        for (char16_t u : k.units) Unit(u);
        Unit(0);
        break;
      default: break;
    }
  }
  void Unit(char16_t u) {
    Byte(big_ ? u >> 8 : u & 0xFF);
    Byte(big_ ? u & 0xFF : u >> 8);
  }

  // A whole chunk: header and main function.
  static std::string Chunk(const FunctionRecord& main, bool bigEndian = false) {
    ChunkBuilder b(bigEndian);
    b.Header();
    b.Function(main);
    return b.bytes_;
  }

  const std::string& bytes() const { return bytes_; }

private:
  bool big_;
  std::string bytes_;
};
