// Files on disk, through a C stream. Text modes drop carriage returns when reading.
#include <sys/stat.h>

#include "engine/core/files/file_internal.h"

namespace filelayer {

namespace {

const char* ModeText(int mode) {
    switch (mode) {
        case kFileReadBinary: return "rb";
        case kFileWriteBinary: return "wb";
        case kFileWriteText: return "w";
        case kFileAppendBinary: return "ab";
        case kFileAppendText: return "a";
        default: return "r";
    }
}

bool IsFolder(const TString& path) {
    struct stat info;
    return stat(path.CStr(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

TDiskFileData::~TDiskFileData() { Close(); }

bool TDiskFileData::Open(const TString& location, int mode) {
    Close();
    if (IsFolder(location)) return false;
    stream_ = fopen(location.CStr(), ModeText(mode));
    textMode_ = IsTextMode(mode);
    return stream_ != nullptr;
}

void TDiskFileData::Close() {
    if (stream_) fclose(stream_);
    stream_ = nullptr;
    lastByte_ = -1;
}

void TDiskFileData::Unget() {
    if (stream_ && lastByte_ >= 0) ungetc(lastByte_, stream_);
    lastByte_ = -1;
}

void TDiskFileData::Seek(int32_t offset, int origin) {
    if (!stream_) return;
    uint32_t size = static_cast<uint32_t>(GetSize());
    long position = ftell(stream_);
    uint32_t target = ClampSeek(offset, origin, position < 0 ? 0 : static_cast<uint32_t>(position), size);
    fseek(stream_, static_cast<long>(target), SEEK_SET);
    lastByte_ = -1;
}

int32_t TDiskFileData::GetSize() {
    if (!stream_) return 0;
    long position = ftell(stream_);
    fseek(stream_, 0, SEEK_END);
    long size = ftell(stream_);
    fseek(stream_, position, SEEK_SET);
    return size < 0 ? 0 : static_cast<int32_t>(size);
}

int32_t TDiskFileData::Tell() { return stream_ ? static_cast<int32_t>(ftell(stream_)) : -1; }

int32_t TDiskFileData::Read(void* buffer, int32_t count) {
    if (!stream_) return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    int32_t stored = 0;
    while (stored < count) {
        int c = getc(stream_);
        if (c == EOF) break;
        lastByte_ = c;
        if (textMode_ && c == '\r') continue;
        out[stored++] = static_cast<unsigned char>(c);
    }
    return stored;
}

int32_t TDiskFileData::Write(const void* buffer, int32_t count) {
    if (!stream_) return 0;
    return static_cast<int32_t>(fwrite(buffer, 1, static_cast<size_t>(count), stream_));
}

bool TDiskFileData::IsEof() { return !stream_ || feof(stream_); }

}  // namespace filelayer
