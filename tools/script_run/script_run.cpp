// script_run [-e CODE] [--dump OUT] [--list] [--gc-stress] FILE [ARGS...]
//
// Test runner of the script engine: runs FILE (source or precompiled chunk; "-" reads the standard input)
// on a fresh state with the base, string and table libraries and the global `arg` = {[0] = FILE, ARGS...,
// n = count}. Exit status: 0 success, 1 run error, 2 load or syntax error, 3 usage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/state.h"
#include "tools/script_run/libraries.h"
#include "tools/script_run/listing.h"
#include "tools/script_run/source_file.h"

namespace {

enum ExitStatus { kOk = 0, kRunError = 1, kLoadError = 2, kUsage = 3 };

struct Options {
  const char* code = nullptr;  // -e
  const char* dumpPath = nullptr;
  bool list = false;
  bool gcStress = false;
  const char* file = nullptr;
  std::vector<const char*> args;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  int i = 1;
  for (; i < argc && options->file == nullptr; i++) {
    const char* a = argv[i];
    if (std::strcmp(a, "-e") == 0 && i + 1 < argc) {
      options->code = argv[++i];
    } else if (std::strcmp(a, "--dump") == 0 && i + 1 < argc) {
      options->dumpPath = argv[++i];
    } else if (std::strcmp(a, "--list") == 0) {
      options->list = true;
    } else if (std::strcmp(a, "--gc-stress") == 0) {
      options->gcStress = true;
    } else if (a[0] == '-' && a[1] != '\0') {
      return false;
    } else {
      options->file = a;
    }
  }
  for (; i < argc; i++) options->args.push_back(argv[i]);
  return options->file != nullptr;
}

// Writes the error message on top of the stack and answers `status`.
int Report(lua_State* L, int status) {
  const char* msg = lua_tostring(L, -1);
  if (msg) {
    std::fwrite(msg, 1, lua_strlen(L, -1), stderr);
    std::fputc('\n', stderr);
  } else {
    std::fprintf(stderr, "(error object is a %s value)\n", lua_typename(L, lua_type(L, -1)));
  }
  lua_pop(L, 1);
  return status;
}

void SetArg(lua_State* L, const Options& options) {
  lua_pushliteral(L, "arg");
  lua_newtable(L);
  lua_pushstring(L, options.file);
  lua_rawseti(L, -2, 0);
  int n = static_cast<int>(options.args.size());
  for (int i = 0; i < n; i++) {
    lua_pushstring(L, options.args[i]);
    lua_rawseti(L, -2, i + 1);
  }
  lua_pushliteral(L, "n");
  lua_pushnumber(L, n);
  lua_rawset(L, -3);
  lua_settable(L, LUA_GLOBALSINDEX);
}

int WriteChunk(lua_State* L, const void* p, size_t size, void* data) {
  std::string* out = static_cast<std::string*>(data);
  out->append(static_cast<const char*>(p), size);
  return 0;
}

int Dump(lua_State* L, const char* path) {
  std::string chunk;
  lua_dump(L, WriteChunk, &chunk);
  std::ofstream out(path, std::ios::binary);
  out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return kRunError;
  }
  return kOk;
}

int Run(lua_State* L, const Options& options) {
  OpenLibraries(L);
  SetArg(L, options);
  if (options.code) {
    if (luaL_loadbuffer(L, options.code, std::strlen(options.code), "=(command line)") != 0)
      return Report(L, kLoadError);
    if (lua_pcall(L, 0, 0, 0) != 0) return Report(L, kRunError);
  }
  std::string bytes;
  if (LoadSourceFile(L, options.file, &bytes) != 0) return Report(L, kLoadError);
  if (options.list) PrintListing(stdout, clvalue(L->top - 1)->l.p);
  if (options.dumpPath) return Dump(L, options.dumpPath);
  if (options.list) return kOk;
  if (lua_pcall(L, 0, 0, 0) != 0) return Report(L, kRunError);
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr, "usage: script_run [-e CODE] [--dump OUT] [--list] [--gc-stress] FILE [ARGS...]\n");
    return kUsage;
  }
  lua_State* L = lua_open();
  if (L == nullptr) {
    std::fprintf(stderr, "not enough memory\n");
    return kRunError;
  }
  if (options.gcStress) luaE_setgcstress(L, true);
  int status = Run(L, options);
  std::fflush(stdout);
  lua_close(L);
  return status;
}
