// A temporary start-up folder with "assets", user and common data folders, wired into the file
// layer; everything is forgotten and removed again after each test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/core/files/package_format.h"

class FileLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/alembria-files-XXXXXX";
        root_ = mkdtemp(pattern);
        std::filesystem::create_directories(root_ / "assets");
        std::filesystem::create_directories(root_ / "user");
        std::filesystem::create_directories(root_ / "common");
        SetStartupFolder(Path(""));
        SetAssetFolder(TString());
        SetUserDataFolder(Path("user"));
        SetCommonDataFolder(Path("common"));
        SetDesktopFolder(TString());
    }

    void TearDown() override {
        ShutdownFileSystem();
        LogInit(nullptr);
        ClearConfig();
        std::filesystem::remove_all(root_);
    }

    TString Path(const std::string& relative) const { return TString((root_ / relative).c_str()); }

    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string ReadDisk(const std::string& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void WritePackage(const std::string& relative, const std::vector<std::pair<std::string, std::string>>& entries) {
        std::vector<TPackageSource> sources;
        for (const auto& [name, data] : entries)
            sources.push_back({TString(name.c_str()), std::vector<unsigned char>(data.begin(), data.end())});
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(BuildPackage(sources, bytes));
        Write(relative, std::string(bytes.begin(), bytes.end()));
    }

    // The names in a folder of the test tree, sorted.
    std::vector<std::string> FilesIn(const std::string& relative) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_ / relative))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The whole file read through the layer in mode, or "<missing>".
    static std::string ReadAll(const char* path, int mode = kFileReadBinary) {
        TFile file;
        if (!file.Open(TString(path), mode)) return "<missing>";
        std::string out;
        char buffer[7]; // small, so reads cross buffer boundaries
        int32_t got;
        while ((got = file.Read(buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(got));
        return out;
    }

    // Starts the log in the temporary folder; LogText() answers what was written.
    void StartLog() { LogInit(Path("log").CStr()); }
    std::string LogText() const { return ReadDisk("log/logfile.txt"); }

    std::filesystem::path root_;
};
