// Constants of the precompiled chunk format shared by the writer and the reader.
#pragma once

constexpr char LUA_SIGNATURE[] = "\033Lua";
constexpr int VERSION = 0x50;          // 5.0, one nibble each
constexpr int VERSION0 = 0x50;         // oldest version read
constexpr double TEST_NUMBER = 31415926.5358979;
constexpr int CHUNK_SIZE_INT = 4;      // int, size_t and Instruction are 4 bytes in the format on every host
constexpr int CHUNK_SIZE_SIZET = 4;
constexpr int CHUNK_SIZE_INSTRUCTION = 4;
constexpr int CHUNK_SIZE_NUMBER = 8;
