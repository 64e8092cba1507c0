// luaL_loadfile: chunks read through the framework's file layer.
#include <cctype>
#include <cerrno>
#include <cstring>

#include "engine/core/file.h"
#include "engine/script/auxlib.h"

namespace {
struct LoadF {
  TFile file;
  char buff[512];
};
}  // namespace

static const char* getF(lua_State* L, void* ud, size_t* size) {
  LoadF* lf = static_cast<LoadF*>(ud);
  int32_t n = lf->file.Read(lf->buff, sizeof lf->buff);
  if (n <= 0) return nullptr;
  *size = static_cast<size_t>(n);
  return lf->buff;
}

// Replaces the chunk name at fnameindex with "cannot read <path>: <reason>".
static int errfile(lua_State* L, int fnameindex) {
  const char* filename = lua_tostring(L, fnameindex) + 1;  // without the '@'
  lua_pushfstring(L, "cannot read %s: %s", filename, std::strerror(errno != 0 ? errno : ENOENT));
  lua_remove(L, fnameindex);
  return LUA_ERRFILE;
}

int luaL_loadfile(lua_State* L, const char* filename) {
  int fnameindex = lua_gettop(L) + 1;
  lua_pushfstring(L, "@%s", filename);
  LoadF lf;
  errno = 0;
  if (!lf.file.Open(filename, kFileReadText)) return errfile(L, fnameindex);
  // A first byte that is neither white space nor printable marks a binary file (a precompiled chunk,
  // a UTF-16 source): it is read unchanged.
  unsigned char first;
  if (lf.file.Read(&first, 1) == 1) {
    lf.file.Unget();
    if (!std::isspace(first) && !std::isprint(first)) {
      lf.file.Close();
      if (!lf.file.Open(filename, kFileReadBinary)) return errfile(L, fnameindex);
    }
  }
  int status = lua_load(L, getF, &lf, lua_tostring(L, -1));
  lua_remove(L, fnameindex);
  return status;
}
