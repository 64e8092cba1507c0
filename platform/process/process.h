// Starting another program directly (never through a shell): each argument reaches it unchanged.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts program (looked up in PATH when it holds no '/') with the arguments and does not wait
// for it; the child is reaped in the background. False when it could not be started.
bool SpawnProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
