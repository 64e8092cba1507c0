// Byte sources of the XML tokenizer: a file through the file layer, or a text in memory.
#include "engine/core/files/xml.h"

TGetCharFile::TGetCharFile(const TString& path) : path_(path) { Reopen(); }

void TGetCharFile::UngetChar(int c) {
    if (c >= 0) pushed_.push_back(c);
}

int TGetCharFile::GetChar() {
    if (!pushed_.empty()) {
        int c = pushed_.back();
        pushed_.pop_back();
        return c;
    }
    if (failed_) return -1;
    unsigned char byte;
    return file_.Read(&byte, 1) == 1 ? byte : -1;
}

void TGetCharFile::Rewind() {
    pushed_.clear();
    file_.Seek(0, kSeekStart);
}

void TGetCharFile::Reopen() {
    pushed_.clear();
    failed_ = !file_.Open(path_, kFileReadBinary);
}

TGetCharString::TGetCharString(const char* bytes, size_t count) : bytes_(bytes), count_(bytes ? count : 0) {}

void TGetCharString::UngetChar(int c) {
    if (c >= 0 && position_ > 0) --position_;
}

int TGetCharString::GetChar() {
    return position_ < count_ ? static_cast<unsigned char>(bytes_[position_++]) : -1;
}
