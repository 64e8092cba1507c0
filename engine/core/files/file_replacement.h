// TFileReplacement: a file written under a temporary name beside its path and renamed over the
// path by Commit, so the path holds its old contents or all of the new ones, never a part. Without
// a Commit (a failed or cancelled write) the temporary file is deleted.
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

class TFileReplacement {
public:
    TFileReplacement() = default;
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // Resolves the virtual path as a write does (missing folders under the data roots are made)
    // and starts the temporary file; false when the path names no disk file or the folder refuses.
    bool Open(const TString& path);
    // False when not every byte was written; the replacement then fails at Commit.
    bool Write(const void* data, int32_t count);
    // Flushes the temporary file to the disk and renames it over the path; false (the temporary
    // file deleted, the path as it was) when any write, the flush or the rename failed.
    bool Commit();

private:
    void Discard();

    TString target_;
    TString temporary_;
    int fd_ = -1;
    bool failed_ = false;
};
