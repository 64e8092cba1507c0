// Mounting ".qvp" asset packages: each package is mapped read-only once and its entries are
// read straight out of the view.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/core/files/file_internal.h"
#include "engine/core/base/log.h"
#include "engine/core/files/package_format.h"

namespace filelayer {

namespace {

int PackageIndexOf(const TString& path) {
    const auto& packages = Packages();
    for (size_t i = 0; i < packages.size(); ++i)
        if (packages[i].path == path) return static_cast<int>(i);
    return -1;
}

// Enters the package's entries into the name map, logging damage once.
void MountIndex(const TPackageIndex& index, const TString& path, int packageIndex) {
    for (const TPackageEntry& entry : index.entries) {
        TString key = entry.name;
        key.MakeLower();
        NameMap()[key] = TString::Format("@%d:%ld,%ld", packageIndex, static_cast<long>(entry.offset),
                                         static_cast<long>(entry.size));
    }
    if (index.status == TPackageIndex::kTruncated)
        LogPrintf("Flat file %s: record table is truncated; %d entries mounted", path.CStr(),
                  static_cast<int>(index.entries.size()));
    if (index.refused > 0) LogPrintf("Flat file %s: entries outside the file refused: %d", path.CStr(), index.refused);
}

// Up to limit bytes from the start of a disk file (when it cannot be mapped, its names still mount).
std::vector<unsigned char> ReadDiskFile(const TString& diskPath, int32_t limit = INT32_MAX) {
    std::vector<unsigned char> bytes;
    TDiskFileData file;
    if (!file.Open(diskPath, kFileReadBinary)) return bytes;
    bytes.resize(static_cast<size_t>(std::min(file.GetSize(), limit)));
    bytes.resize(static_cast<size_t>(file.Read(bytes.data(), static_cast<int32_t>(bytes.size()))));
    return bytes;
}

// Parses "<digits><stop>" at text; advances text past the stop byte.
bool ParseNumber(const char*& text, char stop, long long& value) {
    char* end = nullptr;
    if (*text < '0' || *text > '9') return false;
    value = strtoll(text, &end, 10);
    if (*end != stop) return false;
    text = stop ? end + 1 : end;
    return true;
}

}  // namespace

std::vector<TFileMapHandler>& Packages() {
    static std::vector<TFileMapHandler> packages;
    return packages;
}

TFileMapData::~TFileMapData() {
    if (base_) munmap(const_cast<unsigned char*>(base_), size_);
    if (fd_ >= 0) close(fd_);
}

bool TFileMapData::Open(const TString& diskPath) {
    fd_ = open(diskPath.CStr(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat info;
    if (fstat(fd_, &info) != 0 || info.st_size <= 0) return false;
    void* view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd_, 0);
    if (view == MAP_FAILED) return false;
    base_ = static_cast<const unsigned char*>(view);
    size_ = static_cast<size_t>(info.st_size);
    return true;
}

void AddFlatFile(const TString& path) {
    TString diskPath = GetFullPath(DiskPathOf(path));
    if (diskPath.IsEmpty()) return;
    std::vector<unsigned char> magic = ReadDiskFile(diskPath, 4);
    if (magic.size() < 4 || memcmp(magic.data(), "QVPK", 4) != 0) return;

    int existing = PackageIndexOf(diskPath);
    int index = existing >= 0 ? existing : static_cast<int>(Packages().size());
    auto mapping = std::make_shared<TFileMapData>();
    if (mapping->Open(diskPath)) {
        MountIndex(ParsePackageIndex(mapping->Base(), mapping->Size()), diskPath, index);
    } else {
        std::vector<unsigned char> bytes = ReadDiskFile(diskPath);
        MountIndex(ParsePackageIndex(bytes.data(), bytes.size()), diskPath, index);
        LogPrintf("Failed to open flat file %s", diskPath.CStr());
        mapping.reset();
    }
    if (existing >= 0)
        Packages()[static_cast<size_t>(existing)].mapping = mapping;
    else
        Packages().push_back({diskPath, mapping});
}

void MountPackages(const TString& folder) {
    std::vector<TString> names;
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(folder.CStr()), error), end;
    for (; !error && it != end; it.increment(error)) {
        TString name(it->path().filename().c_str());
        if (name.Find(TString(".qvp")) >= 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const TString& name : names) AddFlatFile(GetFullPath(folder + "/" + name));
}

bool TFlatFileMap::Open(const TString& location, int mode) {
    Close();
    const char* text = location.CStr();
    long long index = 0, offset = 0, size = 0;
    ++text; // '@'
    if (!ParseNumber(text, ':', index) || index >= static_cast<long long>(Packages().size())) return false;
    const std::shared_ptr<TFileMapData>& mapping = Packages()[static_cast<size_t>(index)].mapping;
    if (!mapping || !mapping->Base()) {
        LogPrintf("error reading %s from flat file", location.CStr());
        return false;
    }
    if (!ParseNumber(text, ',', offset) || !ParseNumber(text, '\0', size) ||
        static_cast<unsigned long long>(offset) + static_cast<unsigned long long>(size) > mapping->Size())
        return false;
    mapping_ = mapping;
    data_ = mapping->Base() + offset;
    size_ = static_cast<uint32_t>(size);
    mode_ = mode;
    position_ = 0;
    eof_ = false;
    return true;
}

void TFlatFileMap::Close() {
    mapping_.reset();
    data_ = nullptr;
    size_ = 0;
    position_ = 0;
    eof_ = true;
}

void TFlatFileMap::Unget() {
    Seek(-1, kSeekCurrent);
    eof_ = false;
}

void TFlatFileMap::Seek(int32_t offset, int origin) {
    position_ = ClampSeek(offset, origin, position_, size_);
    if (position_ < size_) eof_ = false;
}

int32_t TFlatFileMap::Read(void* buffer, int32_t count) {
    if (!data_) return 0;
    if (static_cast<int64_t>(position_) + count > size_) eof_ = true;
    uint32_t consumed = 0;
    int32_t stored = CopyBytes(data_ + position_, size_ - position_, buffer, count, IsTextMode(mode_), consumed);
    position_ += consumed;
    return stored;
}

}  // namespace filelayer
