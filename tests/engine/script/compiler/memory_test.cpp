// Compiling and loading under failing allocations: every failure is a clean "not enough memory" and
// the state stays usable (the sanitizer build also reports anything leaked).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/script/state.h"
#include "tests/engine/script/compiler/script_fixture.h"

namespace {

struct Budget {
  long remaining;  // allocations (growths) still allowed; negative: unlimited
};

void* BudgetAlloc(void* ud, void* block, size_t oldsize, size_t newsize, int, int) {
  if (newsize == 0) {
    std::free(block);
    return nullptr;
  }
  auto* budget = static_cast<Budget*>(ud);
  if (budget && newsize > oldsize && budget->remaining >= 0 && budget->remaining-- == 0) return nullptr;
  return std::realloc(block, newsize);
}

int Collect(lua_State*, const void* p, size_t size, void* data) {
  static_cast<std::string*>(data)->append(static_cast<const char*>(p), size);
  return 0;
}

const char kSource[] =
    "local t = {&4 &8 1, 2, 'three', L\"four\", x = {y = function(a, ...) return a .. arg.n end}}\n"
    "for i = 1, 10 do if i == 3 then continue end t[i] = function() return i end end\n"
    "while t[1] and not t.z do t.z = 1 break end\n"
    "return t.x.y('n', 1, 2)\n";

class ScriptMemoryTest : public ScriptTest {
protected:
  // Loads text with budgets of 0, 1, 2, ... allocations until it loads; answers the number of budgets tried.
  int LoadUnderBudgets(const std::string& text) {
    for (long allowed = 0;; allowed++) {
      Budget budget{allowed};
      luaE_setallocator(L, BudgetAlloc, &budget);
      int status = luaL_loadbuffer(L, text.data(), text.size(), "=mem");
      budget.remaining = -1;
      EXPECT_TRUE(status == 0 || status == LUA_ERRMEM) << status;
      if (status == LUA_ERRMEM) {
        EXPECT_STREQ(lua_tostring(L, -1), "not enough memory");
      }
      lua_settop(L, 0);
      if (status == 0) {
        luaE_setallocator(L, BudgetAlloc, nullptr);
        return static_cast<int>(allowed);
      }
    }
  }

  void ExpectUsable() {
    ASSERT_EQ(Load(kSource), 0);
    ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
    EXPECT_STREQ(lua_tostring(L, -1), "n2");
    lua_settop(L, 0);
  }
};

TEST_F(ScriptMemoryTest, CompilingFailsCleanlyAtEveryAllocation) {
  EXPECT_GT(LoadUnderBudgets(kSource), 10);
  ExpectUsable();
}

TEST_F(ScriptMemoryTest, LoadingAChunkFailsCleanlyAtEveryAllocation) {
  ASSERT_EQ(Load(kSource), 0);
  std::string chunk;
  lua_dump(L, Collect, &chunk);
  lua_settop(L, 0);
  EXPECT_GT(LoadUnderBudgets(chunk), 10);
  ExpectUsable();
}

}  // namespace
