#include "engine/core/base/log.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(Log, EntriesCarryTimeAndWrapAroundAtTheMark) {
    auto folder = std::filesystem::temp_directory_path() / ("alembria-log-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    LogInit(folder.c_str());
    LogPrintf("hello %d", 7);
    auto path = folder / "logfile.txt";
    std::string first = ReadAll(path);
    EXPECT_NE(first.find(": hello 7\n"), std::string::npos);
    EXPECT_EQ(first.back(), '\n');

    std::string line(1000, 'x');
    while (std::filesystem::file_size(path) <= 102400) LogPrintf("%s", line.c_str());
    LogPrintf("after-wrap");
    std::string text = ReadAll(path);
    const std::string banner = "\n\n\n\n ****************** LOG WRAP AROUND ******************\n\n\n\n";
    EXPECT_EQ(text.compare(51200, banner.size(), banner), 0);
    size_t afterWrap = text.find("after-wrap");
    ASSERT_NE(afterWrap, std::string::npos);
    EXPECT_LT(afterWrap, 51200 + banner.size() + 64);
    LogPrintf("next");
    EXPECT_GT(ReadAll(path).find("next"), afterWrap);  // later entries follow, no second banner
    EXPECT_EQ(ReadAll(path).find(banner, 51201), std::string::npos);

    LogInit("__MEMORYMAX__=12345");
    EXPECT_EQ(LogMemoryCeiling(), 12345);
    LogInit(nullptr);
    std::filesystem::remove_all(folder);
}

// An entry that starts exactly at the mark is still written there; the one after it wraps.
TEST(Log, AnEntryAtTheMarkIsWrittenInPlace) {
    auto folder = std::filesystem::temp_directory_path() / ("alembria-logmark-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    LogInit(folder.c_str());
    const size_t entryOverhead = 24 + 2 + 1;  // "Thu Dec 10 13:15:00 2026" ": " "\n"
    LogPrintf("%s", std::string(102400 - entryOverhead, 'x').c_str());
    auto path = folder / "logfile.txt";
    ASSERT_EQ(std::filesystem::file_size(path), 102400u);
    LogPrintf("at-the-mark");
    LogPrintf("wrapped");
    std::string text = ReadAll(path);
    EXPECT_EQ(text.find("at-the-mark"), 102400u + entryOverhead - 1);
    EXPECT_EQ(text.find("\n\n\n\n ****"), 51200u);  // the wrap banner
    LogInit(nullptr);
    std::filesystem::remove_all(folder);
}

// A link planted at the log's name (in a shared folder, say) is never followed: the file it points to
// stays as it was, before the first entry and after it.
TEST(Log, APlantedLinkIsNotFollowed) {
    char pattern[] = "/tmp/alembria-loglink-XXXXXX";
    std::filesystem::path folder = mkdtemp(pattern);
    std::filesystem::path victim = folder / "victim.txt";
    std::ofstream(victim) << "precious";
    LogInit(folder.c_str());
    std::filesystem::create_symlink(victim, folder / "logfile.txt");
    LogPrintf("first");
    EXPECT_EQ(ReadAll(victim), "precious");

    LogInit(folder.c_str());
    LogPrintf("first");
    std::filesystem::remove(folder / "logfile.txt");
    std::filesystem::create_symlink(victim, folder / "logfile.txt");
    LogPrintf("second");
    EXPECT_EQ(ReadAll(victim), "precious");
    LogInit(nullptr);
    std::filesystem::remove_all(folder);
}
