#include "platform/process/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace platform {

bool SpawnProgram(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty()) return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

}  // namespace platform
