#include "platform/folders/folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Home() {
    return Environment("HOME");
}

std::string ConfigHome() {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (!config.empty()) return config;
    std::string home = Home();
    return home.empty() ? "" : home + "/.config";
}

// The value of XDG_DESKTOP_DIR="..." in user-dirs.dirs, with "$HOME" expanded; empty when absent.
std::string DesktopFromUserDirs() {
    std::string configHome = ConfigHome();
    if (configHome.empty()) return "";
    std::ifstream file(configHome + "/user-dirs.dirs");
    const std::string key = "XDG_DESKTOP_DIR=";
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = Home() + value.substr(5);
        return value;
    }
    return "";
}

}  // namespace

std::string UserDataBase() {
    std::string data = Environment("XDG_DATA_HOME");
    if (!data.empty()) return data;
    std::string home = Home();
    return home.empty() ? "" : home + "/.local/share";
}

std::string CommonDataBase() {
    std::string base = UserDataBase();
    return base.empty() ? "" : base + "/common-data";
}

std::string DesktopFolder() {
    std::string desktop = DesktopFromUserDirs();
    if (!desktop.empty()) return desktop;
    std::string home = Home();
    return home.empty() ? "" : home + "/Desktop";
}

std::string ProgramPath() {
    std::error_code error;
    auto path = std::filesystem::canonical("/proc/self/exe", error);
    return error ? "" : path.string();
}

std::string ProgramFolder() {
    return std::filesystem::path(ProgramPath()).parent_path().string();
}

std::string CurrentFolder() {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? "" : path.string();
}

bool ChangeFolder(const std::string& folder) {
    return !folder.empty() && chdir(folder.c_str()) == 0;
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace platform
