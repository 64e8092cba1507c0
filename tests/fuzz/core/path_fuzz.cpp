// Virtual paths from outside (scripts, data files): whatever a rooted path resolves to lies inside its
// root's folder, followed through every link. The roots hold links that point out of them.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/files/file.h"

namespace fs = std::filesystem;

namespace {

struct Tree {
    fs::path base;
    struct Root {
        const char* prefix;
        fs::path folder;
    } roots[4];
};

// Builds the tree once: four root folders side by side, each with a file, a folder, a link inside
// and links to a folder and a file outside every root; removed when the process ends (the tree
// itself is never destroyed, so it is still there then).
const Tree& TheTree() {
    static const Tree* tree = new Tree([] {
        char pattern[] = "/tmp/alembria-path-fuzz-XXXXXX";
        Tree made{fs::path(mkdtemp(pattern)),
                  {{"::", {}}, {"user:", {}}, {"common:", {}}, {"desktop:", {}}}};
        const char* names[] = {"startup", "user", "common", "desk"};
        fs::create_directories(made.base / "outside");
        std::ofstream(made.base / "outside/secret.txt") << "secret";
        for (int i = 0; i < 4; ++i) {
            fs::path folder = made.base / names[i];
            made.roots[i].folder = fs::weakly_canonical(folder);
            fs::create_directories(folder / "sub");
            std::ofstream(folder / "sub/file.txt") << "in";
            fs::create_symlink(folder / "sub/file.txt", folder / "inner.txt");
            fs::create_symlink(made.base / "outside/secret.txt", folder / "secret.txt");
            fs::create_directory_symlink(made.base / "outside", folder / "out");
            fs::create_directory_symlink(made.base, folder / "base");
        }
        SetStartupFolder(made.roots[0].folder.c_str());
        SetUserDataFolder(made.roots[1].folder.c_str());
        SetCommonDataFolder(made.roots[2].folder.c_str());
        SetDesktopFolder(made.roots[3].folder.c_str());
        return made;
    }());
    static const int removal = atexit([] { fs::remove_all(TheTree().base); });
    (void)removal;
    return *tree;
}

void CheckInside(const TString& location, const fs::path& folder, const std::string& path) {
    if (location.IsEmpty()) return;
    std::error_code error;
    fs::path real = fs::weakly_canonical(fs::path(location.CStr()), error);
    fs::path relative = real.lexically_relative(folder);
    if (error || relative.empty() || *relative.begin() == "..") {
        fprintf(stderr, "%s resolved to %s, outside %s\n", path.c_str(), location.CStr(), folder.c_str());
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Tree& tree = TheTree();
    std::string rest(reinterpret_cast<const char*>(data), size);
    rest = rest.substr(0, rest.find('\0'));
    for (const Tree::Root& root : tree.roots) {
        std::string path = root.prefix + rest;
        TString virtualPath(path.c_str());
        for (bool mustExist : {false, true}) CheckInside(ResolvePath(virtualPath, mustExist), root.folder, path);
        CheckInside(ResolveDiskPath(virtualPath), root.folder, path);
    }
    return 0;
}
