// Sends the log to a private temporary folder for the life of the object and reads its entries back.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/core/base/log.h"

class LogCapture {
public:
    LogCapture() {
        static int serial = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("alembria-data-log-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(folder_);
        LogInit(folder_.c_str());
    }
    ~LogCapture() {
        LogInit(nullptr);
        std::filesystem::remove_all(folder_);
    }

    // The messages logged so far, without their time stamps.
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        std::ifstream in(folder_ / "logfile.txt", std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            size_t stamp = line.find(": ");
            messages.push_back(stamp == std::string::npos ? line : line.substr(stamp + 2));
        }
        return messages;
    }

private:
    std::filesystem::path folder_;
};
