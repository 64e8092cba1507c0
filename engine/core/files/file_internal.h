// Pieces shared by the file layer's own sources: the kinds of TFileData, the name map and the
// package list. Not for use outside the file layer.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "engine/core/files/file.h"

namespace filelayer {

bool IsReadMode(int mode);
bool IsTextMode(int mode); // modes 1, 3, 5 and every unknown value

// The process-wide name map: lower-cased virtual name -> location.
std::map<TString, TString>& NameMap();
// The exclusion set of lower-cased names.
std::set<TString>& Exclusions();
bool IsExcluded(const TString& lowerPath);
// Memory locations handed out by MakeMemoryFilePath: only these open, so a location text that
// arrives from data can never read arbitrary memory.
std::set<TString>& MemoryBlocks();

// Creates the folders between a data folder and the file name when the disk path lies under one.
void CreateFoldersUnderDataRoot(const TString& path);

// Clamps a seek target into [0, size].
uint32_t ClampSeek(int32_t offset, int origin, uint32_t position, uint32_t size);

// Copies up to count bytes of source into buffer; in text mode carriage returns are dropped and
// the copy goes on until count bytes are stored or the source ends. Answers bytes stored and
// sets consumed to the source bytes used.
int32_t CopyBytes(const unsigned char* source, uint32_t available, void* buffer, int32_t count,
                  bool textMode, uint32_t& consumed);

// The disk path with each missing segment matched without regard to case in its parent folder;
// segments that exist in no case are kept as given.
TString MatchDiskPathNoCase(const TString& path);

// The disk path behind a virtual root ("user:", "common:", "desktop:", "::"), matched without
// regard to case; empty when the root is unknown, and empty (logged) when the path would leave its
// root's folder: an absolute rest, "..", or a link inside the folder that points out of it. Any
// other path is taken as a disk path and only matched.
TString DiskPathOf(const TString& path);
// False when the lower-cased path has a root and the disk location, followed through its links,
// lies outside that root's folder.
bool InsideRoot(const TString& lowerPath, const TString& location);

class TDiskFileData : public TFileData {
public:
    ~TDiskFileData() override;
    bool Open(const TString& location, int mode) override;
    void Close() override;
    void Unget() override;
    void Seek(int32_t offset, int origin) override;
    int32_t GetSize() override;
    int32_t Tell() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    bool IsEof() override;

private:
    FILE* stream_ = nullptr;
    int lastByte_ = -1;
    bool textMode_ = false;
};

class TMemoryFile : public TFileData {
public:
    bool Open(const TString& location, int mode) override;
    void Close() override;
    void Unget() override { Seek(-1, kSeekCurrent); }
    void Seek(int32_t offset, int origin) override;
    int32_t GetSize() override { return static_cast<int32_t>(size_); }
    int32_t Tell() override { return static_cast<int32_t>(position_); }
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void*, int32_t) override { return 0; }
    bool IsEof() override { return position_ == size_; }

private:
    const unsigned char* base_ = nullptr;
    uint32_t position_ = 0;
    uint32_t size_ = 0;
    bool textMode_ = false;
};

// One memory-mapped package file, read-only, unmapped when the last user lets go.
class TFileMapData {
public:
    TFileMapData() = default;
    ~TFileMapData();
    TFileMapData(const TFileMapData&) = delete;
    TFileMapData& operator=(const TFileMapData&) = delete;
    bool Open(const TString& diskPath);
    const unsigned char* Base() const { return base_; }
    size_t Size() const { return size_; }

private:
    int fd_ = -1;
    const unsigned char* base_ = nullptr;
    size_t size_ = 0;
};

struct TFileMapHandler {
    TString path;
    std::shared_ptr<TFileMapData> mapping;
};

// The package list; an index never changes until ShutdownFileSystem.
std::vector<TFileMapHandler>& Packages();

// A package entry read straight out of its mapped view.
class TFlatFileMap : public TFileData {
public:
    bool Open(const TString& location, int mode) override;
    void Close() override;
    void Unget() override;
    void Seek(int32_t offset, int origin) override;
    int32_t GetSize() override { return static_cast<int32_t>(size_); }
    int32_t Tell() override { return static_cast<int32_t>(position_); }
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void*, int32_t) override { return 0; }
    bool IsEof() override { return eof_; }

private:
    std::shared_ptr<TFileMapData> mapping_; // keeps the view alive while the entry is open
    const unsigned char* data_ = nullptr;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
    int mode_ = 0;
    bool eof_ = true;
};

// Mounts the packages of a folder (names containing ".qvp", in byte order) into the name map.
void MountPackages(const TString& folder);
// Mounts one package file given by a virtual or disk path.
void AddFlatFile(const TString& path);

} // namespace filelayer
