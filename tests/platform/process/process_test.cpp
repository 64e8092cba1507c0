#include "platform/process/process.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program that writes its arguments, one a line, to the file named first.
fs::path WriteRecorder(const fs::path& folder) {
    fs::path script = folder / "recorder";
    std::ofstream(script) << "#!/bin/sh\nout=$1; shift\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
                             "mv \"$out.tmp\" \"$out\"\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

std::string WaitForFile(const fs::path& path) {
    for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(Process, ArgumentsArriveUnchangedWithoutAShell) {
    fs::path folder = fs::temp_directory_path() / ("alembria-spawn-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::path recorder = WriteRecorder(folder);
    fs::path out = folder / "args.txt";
    const std::string link = "https://example.org/a?b=1&c=$(touch pwned);d `x` | y";
    ASSERT_TRUE(platform::SpawnProgram(recorder.string(), {out.string(), link, "two words", ""}));
    EXPECT_EQ(WaitForFile(out), link + "\ntwo words\n\n");
    EXPECT_FALSE(fs::exists("pwned"));
    fs::remove_all(folder);
}

TEST(Process, MissingProgramFails) {
    EXPECT_FALSE(platform::SpawnProgram("/nonexistent/program", {"x"}));
    EXPECT_FALSE(platform::SpawnProgram("", {}));
}

}  // namespace
