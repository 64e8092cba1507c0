// luaL_loadfile: chunks read through the state's file reader.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/state.h"

// The default reader: a disk file, without its CR bytes in text mode.
static bool ReadDiskFile(const char* filename, bool binary, std::string* bytes) {
  std::FILE* f = std::fopen(filename, "rb");
  if (f == nullptr) return false;
  char buff[4096];
  size_t n;
  while ((n = std::fread(buff, 1, sizeof buff, f)) > 0) bytes->append(buff, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return false;
  if (!binary) bytes->erase(std::remove(bytes->begin(), bytes->end(), '\r'), bytes->end());
  return true;
}

void luaL_setfilereader(lua_State* L, lua_FileReader reader) { G(L)->fileReader = reader; }

// Replaces the chunk name at fnameindex with "cannot read <path>: <reason>".
static int errfile(lua_State* L, int fnameindex) {
  const char* filename = lua_tostring(L, fnameindex) + 1;  // without the '@'
  lua_pushfstring(L, "cannot read %s: %s", filename, std::strerror(errno != 0 ? errno : ENOENT));
  lua_remove(L, fnameindex);
  return LUA_ERRFILE;
}

int luaL_loadfile(lua_State* L, const char* filename) {
  lua_FileReader read = G(L)->fileReader != nullptr ? G(L)->fileReader : ReadDiskFile;
  int fnameindex = lua_gettop(L) + 1;
  lua_pushfstring(L, "@%s", filename);
  std::string bytes;
  errno = 0;
  if (!read(filename, false, &bytes)) return errfile(L, fnameindex);
  // A first byte that is neither white space nor printable marks a binary file (a precompiled chunk,
  // a UTF-16 source): it is read unchanged.
  if (!bytes.empty()) {
    unsigned char first = static_cast<unsigned char>(bytes[0]);
    if (!std::isspace(first) && !std::isprint(first)) {
      bytes.clear();
      if (!read(filename, true, &bytes)) return errfile(L, fnameindex);
    }
  }
  int status = luaL_loadbuffer(L, bytes.data(), bytes.size(), lua_tostring(L, -1));
  lua_remove(L, fnameindex);
  return status;
}
