// The file layer: every file the system reads or writes is opened by a virtual path through a
// TFile handle. A global name map (filled at start-up) turns a lower-cased virtual name into a
// location: a disk path, a package entry "@<package>:<offset>,<size>" or a memory block
// "&<address>,<size>". Paths the map does not know resolve by rule: "::rest" (disk, relative to
// the start-up folder), "user:", "common:", "desktop:" and "assets/rest".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/base/tstring.h"

// Open modes: 0 and 1 read, 2 and above write. Any other value opens as kFileReadText.
// Text modes drop carriage returns when reading, for disk, memory and package files alike.
enum TFileMode : int {
    kFileReadBinary = 0,   // "rb"
    kFileReadText = 1,     // "rt"
    kFileWriteBinary = 2,  // "wb"
    kFileWriteText = 3,    // "wt"
    kFileAppendBinary = 4, // "ab"
    kFileAppendText = 5,   // "at"
};

// Seek origins of the whole layer (note: 1 is the start, not the C library's 0).
enum TSeekOrigin : int {
    kSeekCurrent = 0,
    kSeekStart = 1,
    kSeekEnd = 2,
};

// One open file of some kind (disk, memory block, package entry).
class TFileData {
public:
    virtual ~TFileData() = default;
    virtual bool Open(const TString& location, int mode) = 0;
    virtual void Close() = 0;
    virtual void Unget() = 0; // steps back one byte
    virtual void Seek(int32_t offset, int origin) = 0;
    virtual int32_t GetSize() = 0;
    virtual int32_t Tell() = 0;
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    virtual bool IsEof() = 0;
};

// A file handle owning one TFileData; every operation on a closed handle is harmless.
class TFile {
public:
    TFile() = default;
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // Resolves path (existence required in the read modes only); closes what was open first.
    bool Open(const TString& path, int mode);
    void Close();
    bool IsOpen() const { return data_ != nullptr; }
    bool IsEof() const;      // true also when closed
    int32_t GetSize() const; // 0 when closed
    int32_t Tell() const;    // -1 when closed
    void Seek(int32_t offset, int origin);
    int32_t Read(void* buffer, int32_t count);
    int32_t Write(const void* buffer, int32_t count);
    void Unget();

private:
    TFileData* data_ = nullptr;
};

// Free functions of the loaders. A null file is allowed everywhere and gives the neutral value.
TFile* FileOpen(const TString& path, int mode); // null when the open fails
void FileClose(TFile* file);
int32_t FileRead(TFile* file, void* buffer, int32_t count);
int32_t FileWrite(TFile* file, const void* buffer, int32_t count);
void FileSeek(TFile* file, int32_t offset, int origin);
int32_t FileTell(TFile* file);
bool FileEof(TFile* file);
bool FileIsClosed(TFile* file);
int FileGetc(TFile* file); // 0..255, or -1 at the end or on a short read
void FileUngetc(TFile* file);
// Copies bytes up to and including the first LF or CR, or size - 1 bytes, and NUL-terminates;
// null only when nothing was copied.
char* FileGets(TFile* file, char* buffer, int size);

// True when the path resolves, with existence required, to a location.
bool FileExists(const TString& path);
// The location of a virtual path, empty when it cannot be resolved.
TString ResolvePath(const TString& path, bool mustExist);
// The disk path a rooted path ("user:", "common:", "desktop:", "::") names by its root alone, whatever
// the name map holds; empty when the root is unknown. For files the program keeps on disk itself.
TString ResolveDiskPath(const TString& path);

// Enters name (lower-cased) into the name map as the memory block; a null address removes it.
void RegisterMemoryFile(const TString& name, const void* address, size_t size);
// The location "&<address>,<size>" of a block, to open it directly.
TString MakeMemoryFilePath(const void* address, size_t size);

// Folder roots, set by the application before InitFileSystem (tests point them at temporary
// folders). The start-up folder is the working folder of "::" paths and "final.txt"; the asset
// folder defaults to "<start-up folder>/assets". An empty root is unknown.
void SetStartupFolder(const TString& folder);
void SetAssetFolder(const TString& folder);
void SetUserDataFolder(const TString& folder);
void SetCommonDataFolder(const TString& folder);
void SetDesktopFolder(const TString& folder);
TString GetStartupFolder();
TString GetAssetFolder();
TString GetUserDataFolder();
TString GetCommonDataFolder();

// Mounts a disk folder's packages and files into the name map under prefix.
void MountFolder(const TString& prefix, const TString& folder);
// Start-up: exclusion list, the asset folder, then "user:" and "common:" (unless "activex" is "1").
void InitFileSystem();
// Forgets the name map, exclusions and packages (the end of the application; tests).
void ShutdownFileSystem();

// The absolute form of a disk path, empty on failure.
TString GetFullPath(const TString& path);
// 0 on success, -1 when unknown, else the needed length when size is too small; ends in '/'.
int GetDesktopFolder(char* buffer, int size);
// True when every byte is non-zero and below 0xC0 (no UTF-8 lead byte).
bool IsSingleByteText(const TString& text);

// Folder iteration. The pattern is a folder (virtual root or disk path) optionally followed by a
// last segment with '*' and '?' wildcards matched without regard to case ("user:string*.xml").
// "." and ".." are never returned.
struct TFolderEntry {
    TString name;
    bool isFolder = false;
};
class TFolderIterator {
public:
    bool Open(const TString& pattern); // false when the folder cannot be read
    bool Next(TFolderEntry& entry);    // false after the last entry
    void Close();

private:
    std::vector<TFolderEntry> entries_;
    size_t next_ = 0;
};
