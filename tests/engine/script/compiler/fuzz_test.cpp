// Bounded random tests: mutated sources compile or fail with a syntax error, and whatever compiles
// passes the bytecode checker after a dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/engine/script/compiler/script_fixture.h"

namespace {

std::vector<std::string> CorpusSources() {
  std::vector<std::string> sources;
  std::filesystem::path dir = std::filesystem::path(ALEMBRIA_SOURCE_DIR) / "tests/engine/script/corpus";
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".lua") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    sources.push_back(text.str());
  }
  return sources;
}

int Collect(lua_State*, const void* p, size_t size, void* data) {
  static_cast<std::string*>(data)->append(static_cast<const char*>(p), size);
  return 0;
}

using ScriptCompilerFuzzTest = ScriptTest;

TEST_F(ScriptCompilerFuzzTest, MutatedSourcesCompileCleanlyAndPassTheChecker) {
  std::vector<std::string> sources = CorpusSources();
  ASSERT_FALSE(sources.empty());
  static const char alphabet[] = "()[]{}.,;:=+-*/&|<>^~\"'\\#0123456789xLabcdefn \n\t";
  static const char* const words[] = {"while ", "do ", "end ", "continue ", "break 2 ", "repeat ", "until ",
                                      "for ", "in ", "function ", "local ", "return ", "if ", "then ", "&"};
  std::mt19937 random(11);
  int compiled = 0;
  for (int round = 0; round < 5000; round++) {
    std::string source = sources[random() % sources.size()];
    int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits && !source.empty(); e++) {
      size_t at = random() % source.size();
      switch (random() % 4) {
        case 0: source[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
        case 1: source.erase(at, 1 + random() % 8); break;
        case 2: source.insert(at, words[random() % (sizeof words / sizeof *words)]); break;
        default: source.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]); break;
      }
    }
    int status = Load(source, "=fuzz");
    ASSERT_TRUE(status == 0 || status == LUA_ERRSYNTAX) << status;
    if (status == 0) {
      compiled++;
      std::string chunk;
      lua_dump(L, Collect, &chunk);
      lua_pop(L, 1);
      ASSERT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=fuzz"), 0) << lua_tostring(L, -1) << "\n" << source;
    }
    lua_settop(L, 0);
  }
  EXPECT_GT(compiled, 0);
}

}  // namespace
