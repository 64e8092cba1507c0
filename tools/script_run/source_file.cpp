#include "tools/script_run/source_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/script/auxlib.h"

static bool ReadAll(std::FILE* in, std::string* bytes) {
  char buff[4096];
  size_t n;
  while ((n = std::fread(buff, 1, sizeof buff, in)) > 0) bytes->append(buff, n);
  return !std::ferror(in);
}

int LoadSourceFile(lua_State* L, const char* file, std::string* bytes) {
  if (std::strcmp(file, "-") == 0) {
    if (!ReadAll(stdin, bytes)) {
      lua_pushfstring(L, "cannot read stdin: %s", std::strerror(errno));
      return LUA_ERRFILE;
    }
    return luaL_loadbuffer(L, bytes->data(), bytes->size(), "=stdin");
  }
  // The default file reader applies the text and binary modes to the file on disk.
  return luaL_loadfile(L, file);
}
