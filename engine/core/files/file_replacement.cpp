#include "engine/core/files/file_replacement.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "engine/core/files/file.h"
#include "engine/core/files/file_internal.h"

TFileReplacement::~TFileReplacement() { Discard(); }

bool TFileReplacement::Open(const TString& path) {
    Discard();
    TString location = ResolvePath(path, false);
    if (location.IsEmpty() || location.CharAt(0) == '@' || location.CharAt(0) == '&') return false;
    filelayer::CreateFoldersUnderDataRoot(location);
    std::string pattern = std::string(location.CStr()) + ".XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return false;
    target_ = location;
    temporary_ = pattern.c_str();
    failed_ = false;
    return true;
}

bool TFileReplacement::Write(const void* data, int32_t count) {
    const char* bytes = static_cast<const char*>(data);
    for (int32_t left = count; fd_ >= 0 && !failed_ && left > 0;) {
        ssize_t written = write(fd_, bytes + (count - left), static_cast<size_t>(left));
        if (written > 0)
            left -= static_cast<int32_t>(written);
        else if (written == 0 || errno != EINTR)
            failed_ = true;
    }
    return fd_ >= 0 && !failed_;
}

bool TFileReplacement::Commit() {
    if (fd_ < 0) return false;
    bool complete = !failed_ && fsync(fd_) == 0;
    complete = close(fd_) == 0 && complete;
    fd_ = -1;
    if (!complete || rename(temporary_.CStr(), target_.CStr()) != 0) {
        Discard();
        return false;
    }
    temporary_ = TString();
    return true;
}

void TFileReplacement::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporary_.IsEmpty()) unlink(temporary_.CStr());
    temporary_ = TString();
}
