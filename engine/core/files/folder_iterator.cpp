// Folder iteration over a pattern "<folder>/<last segment with * and ? wildcards>".
#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/core/files/file.h"
#include "engine/core/files/file_internal.h"

namespace {

bool HasWildcard(const TString& text) { return text.FindChar('*') >= 0 || text.FindChar('?') >= 0; }

}  // namespace

bool TFolderIterator::Open(const TString& pattern) {
    Close();
    TString folder = pattern, mask;
    int cut = pattern.FindChar('/', TString::kBackwards);
    int colon = pattern.FindChar(':', TString::kBackwards);
    if (colon > cut) cut = colon;
    if (cut >= 0 && HasWildcard(pattern.Mid(cut + 1))) {
        folder = pattern.Mid(0, cut + 1);
        mask = pattern.Mid(cut + 1);
    } else if (cut < 0 && HasWildcard(pattern)) {
        folder = TString();
        mask = pattern;
    }
    TString disk = filelayer::DiskPathOf(folder);
    if (disk.IsEmpty() && !folder.IsEmpty()) return false;

    std::error_code error;
    std::filesystem::directory_iterator it(disk.IsEmpty() ? "." : disk.CStr(), error), end;
    if (error) return false;
    for (; !error && it != end; it.increment(error)) {
        TString name(it->path().filename().c_str());
        if (!mask.IsEmpty() && fnmatch(mask.CStr(), name.CStr(), FNM_CASEFOLD) != 0) continue;
        entries_.push_back({name, it->is_directory(error)});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return a.name < b.name; });
    return true;
}

bool TFolderIterator::Next(TFolderEntry& entry) {
    if (next_ >= entries_.size()) return false;
    entry = entries_[next_++];
    return true;
}

void TFolderIterator::Close() {
    entries_.clear();
    next_ = 0;
}
