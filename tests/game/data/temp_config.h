// A config file written to a private temporary file for the life of the object, reached through
// the file layer as "::<name>" with the start-up folder at the temporary folder.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/files/file.h"

class TempConfig {
public:
    explicit TempConfig(const std::string& text) {
        static int serial = 0;
        name_ = "alembria-data-config-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".xml";
        path_ = std::filesystem::temp_directory_path() / name_;
        std::ofstream(path_, std::ios::binary) << text;
        SetStartupFolder(std::filesystem::temp_directory_path().c_str());
    }
    ~TempConfig() { std::filesystem::remove(path_); }

    TString Path() const { return ("::" + name_).c_str(); }

private:
    std::string name_;
    std::filesystem::path path_;
};
