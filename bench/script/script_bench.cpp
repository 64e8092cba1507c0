// Script benchmarks: each bench/script/*.lua runs on this engine (in process) and on lua5.1 (as a child
// process), best of five runs each; prints the time ratio per benchmark and the geometric mean.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/script/auxlib.h"
#include "engine/script/lualib.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;
constexpr const char* kReference = "/usr/bin/lua5.1";

using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Standard output goes to /dev/null while a benchmark runs.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

// Seconds of one run on this engine, or a negative value when the script fails.
double RunEngine(const std::string& source, const std::string& name) {
  lua_State* L = lua_open();
  luaopen_base(L);
  luaopen_string(L);
  luaopen_table(L);
  lua_settop(L, 0);
  auto start = Clock::now();
  int status;
  {
    QuietStdout quiet;
    status = luaL_loadbuffer(L, source.data(), source.size(), name.c_str());
    if (status == 0) status = lua_pcall(L, 0, 0, 0);
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (status != 0) std::fprintf(stderr, "%s: %s\n", name.c_str(), lua_tostring(L, -1));
  lua_close(L);
  return status == 0 ? seconds : -1;
}

double RunReference(const std::string& path) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>(kReference), const_cast<char*>(path.c_str()), nullptr};
  auto start = Clock::now();
  pid_t pid;
  int status = -1;
  if (posix_spawn(&pid, kReference, &actions, nullptr, argv, environ) == 0) waitpid(pid, &status, 0);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  return status == 0 ? seconds : -1;
}

template <typename F>
double Best(F run) {
  double best = -1;
  for (int i = 0; i < kRuns; i++) {
    double t = run();
    if (t < 0) return -1;
    if (best < 0 || t < best) best = t;
  }
  return best;
}

}  // namespace

int main() {
  std::filesystem::path dir = std::filesystem::path(ALEMBRIA_SOURCE_DIR) / "bench" / "script";
  std::vector<std::filesystem::path> scripts;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() == ".lua") scripts.push_back(entry.path());
  }
  std::sort(scripts.begin(), scripts.end());
  bool haveReference = access(kReference, X_OK) == 0;
  if (!haveReference) std::printf("lua5.1 not found at %s: engine times only\n", kReference);
  std::printf("%-16s %10s %10s %8s\n", "benchmark", "engine s", "lua5.1 s", "ratio");
  double logsum = 0;
  int ratios = 0;
  bool failed = false;
  for (const auto& path : scripts) {
    std::string name = path.stem().string();
    std::string source = ReadFile(path);
    double engine = Best([&] { return RunEngine(source, "@" + path.filename().string()); });
    double reference = haveReference ? Best([&] { return RunReference(path.string()); }) : -1;
    if (engine < 0) failed = true;
    if (engine > 0 && reference > 0) {
      double ratio = engine / reference;
      logsum += std::log(ratio);
      ratios++;
      std::printf("%-16s %10.3f %10.3f %8.2f\n", name.c_str(), engine, reference, ratio);
    } else {
      std::printf("%-16s %10.3f %10s %8s\n", name.c_str(), engine, "-", "-");
    }
  }
  if (ratios > 0) std::printf("%-16s %10s %10s %8.2f\n", "geometric mean", "", "", std::exp(logsum / ratios));
  return failed ? 1 : 0;
}
