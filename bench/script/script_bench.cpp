// Script benchmarks: each bench/script/*.lua runs on this engine (in process, a fresh state per run) and on
// lua5.1 (a child process, its start-up time measured on an empty script and subtracted), best of seven
// interleaved runs each. Prints both times, their ratio (engine / lua5.1) per benchmark and the geometric mean of the ratios,
// and checks that both printed the same output, so that both did the same work.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
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

constexpr int kRuns = 7;
constexpr const char* kReference = "/usr/bin/lua5.1";

// Times are processor time, not wall time: on a shared machine a run waiting for a core is not charged for
// the wait, which keeps the ratios steady under load.
double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

// One timed run: seconds (negative when the script failed) and what it printed.
struct Run {
  double seconds = -1;
  std::string output;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A temporary file that receives a run's standard output.
class OutputFile {
 public:
  OutputFile() : path_((std::filesystem::temp_directory_path() / "bench_script_XXXXXX").string()) {
    fd_ = mkstemp(path_.data());
  }
  ~OutputFile() {
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  std::string Contents() const { return ReadFile(path_); }

 private:
  std::string path_;
  int fd_;
};

// Standard output goes to `file` while an engine run prints.
class RedirectStdout {
 public:
  explicit RedirectStdout(int fd) {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    dup2(fd, STDOUT_FILENO);
  }
  ~RedirectStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

// Compiles and runs the script on a fresh state with the host's libraries; state creation is not timed.
Run RunEngine(const std::string& source, const std::string& name) {
  lua_State* L = lua_open();
  luaopen_base(L);
  luaopen_string(L);
  luaopen_table(L);
  lua_settop(L, 0);
  OutputFile output;
  Run run;
  int status;
  double start = ThreadSeconds();
  {
    RedirectStdout redirect(output.fd());
    status = luaL_loadbuffer(L, source.data(), source.size(), name.c_str());
    if (status == 0) status = lua_pcall(L, 0, 0, 0);
  }
  double seconds = ThreadSeconds() - start;
  if (status != 0) std::fprintf(stderr, "%s: %s\n", name.c_str(), lua_tostring(L, -1));
  lua_close(L);
  if (status == 0) run.seconds = seconds;
  run.output = output.Contents();
  return run;
}

// Runs lua5.1 on the script as a child process, start-up included (the child's own processor time).
Run RunReference(const std::string& path) {
  OutputFile output;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output.fd(), STDOUT_FILENO);
  char* argv[] = {const_cast<char*>(kReference), const_cast<char*>(path.c_str()), nullptr};
  Run run;
  pid_t pid;
  int status = -1;
  rusage usage{};
  if (posix_spawn(&pid, kReference, &actions, nullptr, argv, environ) == 0) wait4(pid, &status, 0, &usage);
  double seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  posix_spawn_file_actions_destroy(&actions);
  if (status == 0) run.seconds = seconds;
  run.output = output.Contents();
  return run;
}

// The fastest of a series of runs; a failed run ends the series.
struct Series {
  Run best;
  bool failed = false;

  void Add(const Run& run) {
    if (failed) return;
    if (run.seconds < 0) {
      failed = true;
      best = run;
    } else if (best.seconds < 0 || run.seconds < best.seconds) {
      best = run;
    }
  }
};

// The best times of one script on both engines, their runs interleaved (engine, lua5.1, lua5.1 on an empty
// script) so that both see the same load of a shared machine. The reference's start-up is subtracted.
struct Comparison {
  Series engine, reference, startup;

  double ReferenceSeconds() const { return std::max(reference.best.seconds - startup.best.seconds, 1e-6); }
};

Comparison Compare(const std::filesystem::path& path, bool withReference) {
  Comparison result;
  std::string source = ReadFile(path);
  for (int i = 0; i < kRuns; i++) {
    result.engine.Add(RunEngine(source, "@" + path.filename().string()));
    if (!withReference) continue;
    result.reference.Add(RunReference(path.string()));
    result.startup.Add(RunReference("/dev/null"));
  }
  return result;
}

std::vector<std::filesystem::path> BenchmarkScripts() {
  std::filesystem::path dir = std::filesystem::path(ALEMBRIA_SOURCE_DIR) / "bench" / "script";
  std::vector<std::filesystem::path> scripts;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() == ".lua") scripts.push_back(entry.path());
  }
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

}  // namespace

int main() {
  bool haveReference = access(kReference, X_OK) == 0;
  if (!haveReference) std::printf("lua5.1 not found at %s: engine times only\n", kReference);
  std::printf("%-16s %10s %10s %8s\n", "benchmark", "engine s", "lua5.1 s", "ratio");
  double logsum = 0;
  int ratios = 0;
  bool failed = false;
  for (const auto& path : BenchmarkScripts()) {
    std::string name = path.stem().string();
    Comparison runs = Compare(path, haveReference);
    const Run& engine = runs.engine.best;
    if (engine.seconds < 0) failed = true;
    if (engine.seconds < 0 || !haveReference || runs.reference.failed || runs.startup.failed) {
      std::printf("%-16s %10.3f %10s %8s\n", name.c_str(), engine.seconds, "-", "-");
      continue;
    }
    double ratio = engine.seconds / runs.ReferenceSeconds();
    logsum += std::log(ratio);
    ratios++;
    const char* note = engine.output == runs.reference.best.output ? "" : "  (output differs from lua5.1)";
    if (*note) failed = true;
    std::printf("%-16s %10.3f %10.3f %8.2f%s\n", name.c_str(), engine.seconds, runs.ReferenceSeconds(), ratio, note);
  }
  if (ratios > 0) std::printf("%-16s %10s %10s %8.2f\n", "geometric mean", "", "", std::exp(logsum / ratios));
  return failed ? 1 : 0;
}
