// Folder roots, the name map, path resolution, mounting and the file layer's start-up.
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/core/files/file.h"
#include "engine/core/files/file_internal.h"

namespace fs = std::filesystem;

namespace {

constexpr long kExclusionListLimit = 100000;

struct Roots {
    TString startup;
    TString assets; // empty: "<startup>/assets"
    TString user;
    TString common;
    TString desktop;
};

Roots& TheRoots() {
    static Roots roots;
    return roots;
}

TString Lower(TString text) {
    text.MakeLower();
    return text;
}

bool StartsWith(const TString& text, const char* prefix) {
    return text.Find(TString(prefix)) == 0;
}

TString After(const TString& text, unsigned count) { return text.Mid(static_cast<int>(count)); }

TString JoinPath(const TString& folder, const TString& rest) {
    if (folder.IsEmpty() || rest.CharAt(0) == '/') return rest;
    if (folder.CharAt(folder.Length() - 1) == '/') return folder + rest;
    return folder + "/" + rest;
}

bool CanRead(const TString& path) { return access(path.CStr(), R_OK) == 0; }
bool CanReadWrite(const TString& path) { return access(path.CStr(), R_OK | W_OK) == 0; }

bool IsRegularFile(const TString& path) {
    std::error_code error;
    return fs::is_regular_file(fs::path(path.CStr()), error);
}

// A virtual root: its prefix and the disk folder behind it (empty: the root is unknown, except for
// "::", whose empty folder is the working folder).
struct Root {
    const char* prefix;
    const TString& folder;
};

// The root path begins with, or null.
const Root* RootOf(const TString& lowerPath) {
    const Roots& roots = TheRoots();
    static const Root table[] = {
        {"::", roots.startup}, {"user:", roots.user}, {"common:", roots.common}, {"desktop:", roots.desktop}};
    for (const Root& root : table)
        if (StartsWith(lowerPath, root.prefix)) return &root;
    return nullptr;
}

fs::path FolderOf(const Root& root) {
    fs::path folder = fs::path(root.folder.IsEmpty() ? "." : root.folder.CStr()).lexically_normal();
    return folder.has_filename() ? folder : folder.parent_path(); // without a closing '/'
}

bool IsWithin(const fs::path& path, const fs::path& folder) {
    fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// True when the file or folder at path, followed through every link, lies inside folder. A link
// that points nowhere yet counts as outside: writing would create its target.
bool StaysInside(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    fs::path realFolder = fs::weakly_canonical(folder, error);
    if (error) return false;
    fs::path realPath = fs::weakly_canonical(path, error);
    if (error || !IsWithin(realPath, realFolder)) return false;
    fs::path prefix;
    for (const fs::path& segment : path) {
        prefix /= segment;
        if (fs::exists(prefix, error)) continue;
        return !fs::is_symlink(fs::symlink_status(prefix, error));
    }
    return true;
}

TString RefusePath(const TString& path) {
    LogPrintf("Path %s leaves its folder: refused", path.CStr());
    return TString();
}

// The disk path of a rooted path: the rest joined to the root's folder, normalised and matched
// without regard to case; empty when the root is unknown, and empty (logged) when the rest is
// absolute or the result lies outside the folder, directly or through a link.
TString RootedDiskPath(const Root& root, const TString& path) {
    if (root.folder.IsEmpty() && strcmp(root.prefix, "::") != 0) return TString();
    TString rest = After(path, static_cast<unsigned>(strlen(root.prefix)));
    if (rest.CharAt(0) == '/') return RefusePath(path);
    fs::path folder = FolderOf(root);
    fs::path joined = (folder / rest.CStr()).lexically_normal();
    if (!IsWithin(joined, folder)) return RefusePath(path);
    TString disk = filelayer::MatchDiskPathNoCase(TString(joined.c_str()));
    return StaysInside(fs::path(disk.CStr()), folder) ? disk : RefusePath(path);
}

// The name without its root and folders ("user:a/B.txt" -> "b.txt").
TString LeafName(const TString& lowerPath) {
    int slash = lowerPath.FindChar('/', TString::kBackwards);
    int colon = lowerPath.FindChar(':', TString::kBackwards);
    int cut = slash > colon ? slash : colon;
    return cut < 0 ? lowerPath : lowerPath.Mid(cut + 1);
}

void ReadExclusionList() {
    std::set<TString>& excluded = filelayer::Exclusions();
    excluded.clear();
    const char* name = IsEnabled("firstpeek") ? "firstpeek.txt" : "final.txt";
    TString path = JoinPath(TheRoots().startup, TString(name));
    FILE* stream = fopen(path.CStr(), "rb");
    if (!stream) return;
    TString text;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, stream)) > 0) {
        text.Append(buffer, static_cast<unsigned>(count));
        if (text.Length() >= kExclusionListLimit) break;
    }
    fclose(stream);
    if (text.Length() >= kExclusionListLimit) return;

    const char* p = text.CStr();
    while (*p) {
        while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
        if (p == start) continue;
        TString word = Lower(TString(start, static_cast<unsigned>(p - start)));
        if (word == "-*")
            excluded.clear();
        else
            excluded.insert(word);
    }
}

// Deep enough for any asset tree; stops a folder link that loops.
constexpr int kMaxFolderDepth = 32;

void MountEntries(const TString& prefix, const fs::path& folder, int depth) {
    if (depth > kMaxFolderDepth) return;
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        TString name(it->path().filename().c_str());
        if (it->is_directory(error)) {
            if (name == ".svn") continue;
            MountEntries(prefix + name + "/", it->path(), depth + 1);
        } else if (!filelayer::IsExcluded(Lower(name))) {
            TString virtualName = Lower(prefix + name);
            if (filelayer::IsExcluded(virtualName)) continue;
            filelayer::NameMap()[virtualName] = TString(it->path().c_str());
        }
    }
}

}  // namespace

namespace filelayer {

bool IsReadMode(int mode) { return mode < kFileWriteBinary || mode > kFileAppendText; }

bool IsTextMode(int mode) {
    return mode != kFileReadBinary && mode != kFileWriteBinary && mode != kFileAppendBinary;
}

std::map<TString, TString>& NameMap() {
    static std::map<TString, TString> names;
    return names;
}

std::set<TString>& Exclusions() {
    static std::set<TString> excluded;
    return excluded;
}

std::set<TString>& MemoryBlocks() {
    static std::set<TString> blocks;
    return blocks;
}

bool IsExcluded(const TString& lowerPath) {
    const std::set<TString>& excluded = Exclusions();
    if (excluded.empty()) return false;
    return excluded.count(lowerPath) || excluded.count(LeafName(lowerPath));
}

uint32_t ClampSeek(int32_t offset, int origin, uint32_t position, uint32_t size) {
    int64_t from = origin == kSeekStart ? 0 : origin == kSeekEnd ? size : position;
    int64_t target = from + offset;
    if (target < 0) return 0;
    if (target > size) return size;
    return static_cast<uint32_t>(target);
}

TString MatchDiskPathNoCase(const TString& path) {
    if (path.IsEmpty() || access(path.CStr(), F_OK) == 0) return path;
    fs::path given(path.CStr());
    fs::path matched = given.root_path();
    bool stillMatching = true;
    for (const fs::path& segment : given.relative_path()) {
        fs::path exact = matched / segment;
        std::error_code error;
        if (!stillMatching || fs::exists(exact, error)) {
            matched = exact;
            continue;
        }
        TString wanted = Lower(TString(segment.c_str()));
        bool found = false;
        fs::directory_iterator it(matched.empty() ? fs::path(".") : matched, error), end;
        for (; !error && it != end; it.increment(error)) {
            if (Lower(TString(it->path().filename().c_str())) == wanted) {
                matched /= it->path().filename();
                found = true;
                break;
            }
        }
        if (!found) {
            matched = exact;
            stillMatching = false;
        }
    }
    return TString(matched.c_str());
}

TString DiskPathOf(const TString& path) {
    const Root* root = RootOf(Lower(path));
    return root ? RootedDiskPath(*root, path) : MatchDiskPathNoCase(path);
}

bool InsideRoot(const TString& lowerPath, const TString& location) {
    const Root* root = RootOf(lowerPath);
    return !root || StaysInside(fs::path(location.CStr()), FolderOf(*root));
}

}  // namespace filelayer

void SetStartupFolder(const TString& folder) { TheRoots().startup = folder; }
void SetAssetFolder(const TString& folder) { TheRoots().assets = folder; }
void SetUserDataFolder(const TString& folder) { TheRoots().user = folder; }
void SetCommonDataFolder(const TString& folder) { TheRoots().common = folder; }
void SetDesktopFolder(const TString& folder) { TheRoots().desktop = folder; }
TString GetStartupFolder() { return TheRoots().startup; }
TString GetUserDataFolder() { return TheRoots().user; }
TString GetCommonDataFolder() { return TheRoots().common; }

TString GetAssetFolder() {
    const Roots& roots = TheRoots();
    return roots.assets.IsEmpty() ? JoinPath(roots.startup, TString("assets")) : roots.assets;
}

TString ResolvePath(const TString& path, bool mustExist) {
    // A location made by MakeMemoryFilePath or the package layer passes through.
    if (path.CharAt(0) == '@') return path;
    if (path.CharAt(0) == '&') return filelayer::MemoryBlocks().count(path) ? path : TString();
    TString lower = Lower(path);
    const auto& names = filelayer::NameMap();
    auto hit = names.find(lower);
    if (hit != names.end()) {
        // A mounted data folder may hold a link that points out of it.
        const TString& location = hit->second;
        bool onDisk = location.CharAt(0) != '@' && location.CharAt(0) != '&';
        return !onDisk || filelayer::InsideRoot(lower, location) ? location : RefusePath(path);
    }

    if (StartsWith(lower, "::")) {
        TString disk = filelayer::DiskPathOf(path);
        return IsRegularFile(disk) && CanRead(disk) ? disk : TString();
    }
    if (mustExist && filelayer::IsExcluded(lower)) return TString();

    if (StartsWith(lower, "user:") || StartsWith(lower, "common:") || StartsWith(lower, "desktop:")) {
        TString disk = filelayer::DiskPathOf(path);
        if (disk.IsEmpty() || (mustExist && !CanReadWrite(disk))) return TString();
        return disk;
    }
    if (StartsWith(lower, "assets/") || StartsWith(lower, "assets\\"))
        return ResolvePath(After(path, 7), mustExist);
    return TString();
}

TString ResolveDiskPath(const TString& path) { return filelayer::DiskPathOf(path); }

bool FileExists(const TString& path) { return !ResolvePath(path, true).IsEmpty(); }

TString MakeMemoryFilePath(const void* address, size_t size) {
    TString location = TString::Format("&%lu,%lu", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(address)),
                                       static_cast<unsigned long>(size));
    if (address) filelayer::MemoryBlocks().insert(location);
    return location;
}

void RegisterMemoryFile(const TString& name, const void* address, size_t size) {
    TString key = Lower(name);
    auto& names = filelayer::NameMap();
    auto old = names.find(key);
    if (old != names.end()) {
        filelayer::MemoryBlocks().erase(old->second);
        names.erase(old);
    }
    if (address) names[key] = MakeMemoryFilePath(address, size);
}

void MountFolder(const TString& prefix, const TString& folder) {
    // Packages live in the asset folder only: the name map opens them from there.
    if (prefix.IsEmpty()) filelayer::MountPackages(folder);
    MountEntries(prefix, fs::path(folder.CStr()), 0);
}

void InitFileSystem() {
    ReadExclusionList();
    MountFolder(TString(), GetAssetFolder());
    if (GetConfig("activex") == "1") return;
    const Roots& roots = TheRoots();
    if (!roots.user.IsEmpty()) MountFolder(TString("user:"), roots.user);
    if (!roots.common.IsEmpty()) MountFolder(TString("common:"), roots.common);
}

void ShutdownFileSystem() {
    filelayer::NameMap().clear();
    filelayer::Exclusions().clear();
    filelayer::Packages().clear();
    filelayer::MemoryBlocks().clear();
}

TString GetFullPath(const TString& path) {
    if (path.IsEmpty()) return TString();
    std::error_code error;
    fs::path full = fs::absolute(fs::path(path.CStr()), error).lexically_normal();
    if (error || full.native().size() >= PATH_MAX) return TString();
    return TString(full.c_str());
}

int GetDesktopFolder(char* buffer, int size) {
    const TString& folder = TheRoots().desktop;
    if (folder.IsEmpty()) return -1;
    TString text = folder.CharAt(folder.Length() - 1) == '/' ? folder : folder + "/";
    int needed = static_cast<int>(text.Length()) + 1;
    if (!buffer || size < needed) return needed;
    memcpy(buffer, text.CStr(), needed);
    return 0;
}

bool IsSingleByteText(const TString& text) {
    for (const char* p = text.CStr(); *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0xC0) return false;
    return true;
}
