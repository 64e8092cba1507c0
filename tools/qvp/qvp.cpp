// qvp: writes, lists and extracts ".qvp" asset packages.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "engine/core/files/package_format.h"

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "Usage: qvp <command> <arguments>\n"
    "\n"
    "Writes, lists and extracts .qvp asset packages.\n"
    "\n"
    "  qvp pack <folder> <package.qvp>     store every file under folder, named by its path\n"
    "                                      relative to folder with '/' between levels\n"
    "  qvp list <package.qvp>              print each entry's size and name\n"
    "  qvp extract <package.qvp> <folder>  write every entry below folder\n"
    "  qvp --help                          show this text\n"
    "\n"
    "Entry names are at most 255 bytes. The exit status is 0 on success, 1 on failure\n"
    "and 2 for a bad command line.\n";

int Fail(const std::string& message) {
    fprintf(stderr, "qvp: %s\n", message.c_str());
    return 1;
}

int BadUsage(const std::string& message) {
    fprintf(stderr, "qvp: %s\nTry 'qvp --help'.\n", message.c_str());
    return 2;
}

bool ReadFile(const fs::path& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

bool WriteFile(const fs::path& path, const unsigned char* bytes, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

int Pack(const fs::path& folder, const fs::path& package) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return Fail("not a folder: " + folder.string());
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error)) files.push_back(it->path());
    if (error) return Fail("cannot read folder " + folder.string() + ": " + error.message());
    std::sort(files.begin(), files.end());

    std::vector<TPackageSource> sources;
    for (const fs::path& file : files) {
        std::string name = file.lexically_relative(folder).generic_string();
        if (name.size() > 255) return Fail("entry name longer than 255 bytes: " + name);
        TPackageSource source{TString(name.c_str()), {}};
        if (!ReadFile(file, source.data)) return Fail("cannot read " + file.string());
        sources.push_back(std::move(source));
    }
    std::vector<unsigned char> bytes;
    if (!BuildPackage(sources, bytes)) return Fail("package would exceed 2 GB");
    if (!WriteFile(package, bytes.data(), bytes.size())) return Fail("cannot write " + package.string());
    return 0;
}

// Reads and checks a whole package; false after reporting the fault.
bool LoadIndex(const fs::path& package, std::vector<unsigned char>& bytes, TPackageIndex& index) {
    if (!ReadFile(package, bytes)) {
        Fail("cannot read " + package.string());
        return false;
    }
    index = ParsePackageIndex(bytes.data(), bytes.size());
    if (index.status == TPackageIndex::kNotPackage) {
        Fail(package.string() + " is not a .qvp package");
        return false;
    }
    if (index.status == TPackageIndex::kTruncated || index.refused > 0) {
        Fail(package.string() + " is damaged (truncated record table or entries outside the file)");
        return false;
    }
    return true;
}

int List(const fs::path& package) {
    std::vector<unsigned char> bytes;
    TPackageIndex index;
    if (!LoadIndex(package, bytes, index)) return 1;
    for (const TPackageEntry& entry : index.entries) printf("%10u  %s\n", entry.size, entry.name.CStr());
    return 0;
}

// An entry name may not leave the target folder.
bool IsSafeName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos) return false;
    for (const fs::path& part : fs::path(name))
        if (part == ".." || part == ".") return false;
    return true;
}

int Extract(const fs::path& package, const fs::path& folder) {
    std::vector<unsigned char> bytes;
    TPackageIndex index;
    if (!LoadIndex(package, bytes, index)) return 1;
    for (const TPackageEntry& entry : index.entries) {
        std::string name = entry.name.CStr();
        if (!IsSafeName(name)) return Fail("refusing entry name " + name);
        fs::path target = folder / name;
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        if (!WriteFile(target, bytes.data() + entry.offset, entry.size)) return Fail("cannot write " + target.string());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return BadUsage("missing command");
    std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        fputs(kUsage, stdout);
        return 0;
    }
    if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "extract" && argc == 4) return Extract(argv[2], argv[3]);
    if (command == "pack" || command == "list" || command == "extract")
        return BadUsage("wrong number of arguments for " + command);
    return BadUsage("unknown command " + command);
}
