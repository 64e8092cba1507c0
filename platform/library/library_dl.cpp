#include "platform/library/library.h"

#include <dlfcn.h>

namespace platform {

Library::~Library() {
    Close();
}

bool Library::Open(const std::string& path) {
    Close();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "unknown error";
    }
    return handle_ != nullptr;
}

void Library::Close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

void* Library::Find(const char* symbol) const {
    return handle_ ? dlsym(handle_, symbol) : nullptr;
}

}  // namespace platform
