// The file handle and the free functions the loaders call.
#include "engine/core/files/file.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/core/files/file_internal.h"

namespace {

TFileData* NewFileData(char kind) {
    switch (kind) {
        case '@': return new filelayer::TFlatFileMap;
        case '&': return new filelayer::TMemoryFile;
        default: return new filelayer::TDiskFileData;
    }
}

}  // namespace

namespace filelayer {

void CreateFoldersUnderDataRoot(const TString& path) {
    for (const TString& root : {GetUserDataFolder(), GetCommonDataFolder()}) {
        if (root.IsEmpty() || path.Find(root + "/") != 0) continue;
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(path.CStr()).parent_path(), error);
        return;
    }
}

int32_t CopyBytes(const unsigned char* source, uint32_t available, void* buffer, int32_t count,
                  bool textMode, uint32_t& consumed) {
    auto* out = static_cast<unsigned char*>(buffer);
    uint32_t wanted = count < 0 ? 0 : static_cast<uint32_t>(count);
    if (!textMode) {
        consumed = wanted < available ? wanted : available;
        memcpy(out, source, consumed);
        return static_cast<int32_t>(consumed);
    }
    uint32_t stored = 0;
    consumed = 0;
    while (stored < wanted && consumed < available) {
        unsigned char byte = source[consumed++];
        if (byte != '\r') out[stored++] = byte;
    }
    return static_cast<int32_t>(stored);
}

}  // namespace filelayer

TFile::~TFile() { Close(); }

bool TFile::Open(const TString& path, int mode) {
    Close();
    TString location = ResolvePath(path, filelayer::IsReadMode(mode));
    if (location.IsEmpty()) return false;
    if (!filelayer::IsReadMode(mode)) filelayer::CreateFoldersUnderDataRoot(location);
    data_ = NewFileData(location.CharAt(0));
    if (!data_->Open(location, mode)) Close();
    return data_ != nullptr;
}

void TFile::Close() {
    delete data_;
    data_ = nullptr;
}

bool TFile::IsEof() const { return data_ ? data_->IsEof() : true; }
int32_t TFile::GetSize() const { return data_ ? data_->GetSize() : 0; }
int32_t TFile::Tell() const { return data_ ? data_->Tell() : -1; }

void TFile::Seek(int32_t offset, int origin) {
    if (data_) data_->Seek(offset, origin);
}

int32_t TFile::Read(void* buffer, int32_t count) { return data_ && count > 0 ? data_->Read(buffer, count) : 0; }

int32_t TFile::Write(const void* buffer, int32_t count) {
    return data_ && count > 0 ? data_->Write(buffer, count) : 0;
}

void TFile::Unget() {
    if (data_) data_->Unget();
}

TFile* FileOpen(const TString& path, int mode) {
    auto* file = new TFile;
    if (file->Open(path, mode)) return file;
    delete file;
    return nullptr;
}

void FileClose(TFile* file) { delete file; }
int32_t FileRead(TFile* file, void* buffer, int32_t count) { return file ? file->Read(buffer, count) : 0; }

int32_t FileWrite(TFile* file, const void* buffer, int32_t count) {
    return file ? file->Write(buffer, count) : 0;
}

void FileSeek(TFile* file, int32_t offset, int origin) {
    if (file) file->Seek(offset, origin);
}

int32_t FileTell(TFile* file) { return file ? file->Tell() : -1; }
bool FileEof(TFile* file) { return file ? file->IsEof() : true; }
bool FileIsClosed(TFile* file) { return !file || !file->IsOpen(); }

int FileGetc(TFile* file) {
    unsigned char byte;
    return FileRead(file, &byte, 1) == 1 ? byte : -1;
}

void FileUngetc(TFile* file) {
    if (file) file->Unget();
}

char* FileGets(TFile* file, char* buffer, int size) {
    if (!buffer || size <= 0) return nullptr;
    int copied = 0;
    while (copied < size - 1) {
        int c = FileGetc(file);
        if (c < 0) break;
        buffer[copied++] = static_cast<char>(c);
        if (c == '\n' || c == '\r') break;
    }
    buffer[copied] = 0;
    return copied > 0 ? buffer : nullptr;
}
