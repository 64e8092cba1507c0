#include "platform/instance/instance.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char kRaiseRequest = 'R';

std::string RuntimeFolder() {
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value && *value && std::filesystem::is_directory(value)) return value;
    }
    return "/tmp";
}

// Socket paths are limited in length; a long lock path gets a short hashed socket name.
std::string SocketPathFor(const std::string& lockPath) {
    std::string path = lockPath + ".sock";
    if (path.size() < sizeof(sockaddr_un{}.sun_path)) return path;
    char hashed[64];
    std::snprintf(hashed, sizeof hashed, "/tmp/alembria-%zx.sock", std::hash<std::string>{}(lockPath));
    return hashed;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int ListenOn(const std::string& path) {
    sockaddr_un address;
    if (!FillAddress(path, address)) return -1;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    unlink(path.c_str());  // left behind by a holder that died; we hold the lock now
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string InstanceNameOf(const std::string& programPath) {
    std::string name;
    for (char c : programPath) {
        if (c == '/' || c == ':') continue;
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string InstanceName() {
    std::error_code error;
    auto path = std::filesystem::canonical("/proc/self/exe", error);
    return InstanceNameOf(error ? "" : path.string());
}

std::string InstanceLock::LockPath(const std::string& name) {
    return RuntimeFolder() + "/" + name + "_MUTEX";
}

InstanceLock::~InstanceLock() {
    Release();
}

bool InstanceLock::Acquire(const std::string& name) {
    Release();
    std::string lockPath = LockPath(name);
    int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no place for a lock: run rather than refuse to start
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    socketPath_ = SocketPathFor(lockPath);
    listenFd_ = ListenOn(socketPath_);
    return true;
}

void InstanceLock::Release() {
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(socketPath_.c_str());
        listenFd_ = -1;
    }
    if (lockFd_ >= 0) {
        close(lockFd_);  // drops the lock; the file stays for the next start
        lockFd_ = -1;
    }
}

bool InstanceLock::TakeRaiseRequest() {
    bool requested = false;
    while (listenFd_ >= 0) {
        int client = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) break;
        char request = 0;
        // The requester writes before it closes; a short wait covers a slow writer.
        for (int attempt = 0; attempt < 50 && read(client, &request, 1) < 0 && errno == EAGAIN; ++attempt) {
            usleep(1000);
        }
        if (request == kRaiseRequest) requested = true;
        close(client);
    }
    return requested;
}

bool InstanceLock::RequestRaise(const std::string& name) {
    sockaddr_un address;
    if (!FillAddress(SocketPathFor(LockPath(name)), address)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool sent = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                write(fd, &kRaiseRequest, 1) == 1;
    close(fd);
    return sent;
}

}  // namespace platform
