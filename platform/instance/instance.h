// Single running instance: an advisory lock file "<name>_MUTEX" in $XDG_RUNTIME_DIR (else the
// temporary folder), and a Unix socket beside it over which a second start asks the running
// instance to raise its window.
#pragma once

#include <string>

namespace platform {

// The instance name of the running program: its canonical path, lower-cased, without '/' and ':'.
std::string InstanceName();
std::string InstanceNameOf(const std::string& programPath);

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock and starts listening for raise requests; false when another process holds it.
    bool Acquire(const std::string& name);
    void Release();
    bool IsHeld() const { return lockFd_ >= 0; }
    // Takes any raise requests that arrived (never blocks); true when at least one did.
    bool TakeRaiseRequest();

    // From a second start: asks the holder of the named lock to raise its window.
    static bool RequestRaise(const std::string& name);
    // The lock file's path for a name (tests, logs).
    static std::string LockPath(const std::string& name);

private:
    int lockFd_ = -1;
    int listenFd_ = -1;
    std::string socketPath_;
};

}  // namespace platform
