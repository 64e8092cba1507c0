#include "engine/core/base/tstring.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kMinCapacity = 16;
constexpr size_t kStackFormatBuffer = 4096;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool SameByte(char a, char b, bool ignoreCase) { return ignoreCase ? Upper(a) == Upper(b) : a == b; }

bool MatchesAt(const char* text, const char* sub, unsigned subLength, bool ignoreCase) {
    for (unsigned i = 0; i < subLength; ++i)
        if (!SameByte(text[i], sub[i], ignoreCase)) return false;
    return true;
}

}  // namespace

TString::Body* TString::NewBody(uint32_t capacity) {
    Body* body = new (std::nothrow) Body;
    if (!body) return nullptr;
    body->text = static_cast<char*>(std::calloc(capacity, 1));
    if (!body->text) {
        delete body;
        return nullptr;
    }
    body->refcount = 1;
    body->capacity = capacity;
    return body;
}

TString::TString(const char* text) {
    if (!text) text = "";
    uint32_t capacity = static_cast<uint32_t>(std::strlen(text)) + 1;
    body_ = NewBody(capacity);
    if (body_) std::memcpy(body_->text, text, capacity);
}

TString::TString(const char* bytes, unsigned count) {
    body_ = NewBody(std::max(count + 1, kMinCapacity));
    if (body_ && bytes && count) std::memcpy(body_->text, bytes, count);
}

TString::TString(const TString& other) : body_(other.body_) {
    if (body_) ++body_->refcount;
}

TString::TString(TString&& other) noexcept : body_(other.body_) { other.body_ = nullptr; }

TString::~TString() { Release(); }

void TString::Release() {
    if (body_ && --body_->refcount == 0) {
        std::free(body_->text);
        delete body_;
    }
    body_ = nullptr;
}

TString& TString::operator=(const TString& other) {
    if (body_ == other.body_) return *this;
    TString copy(other);
    std::swap(body_, copy.body_);
    return *this;
}

TString& TString::operator=(TString&& other) noexcept {
    if (this != &other) {
        Release();
        body_ = other.body_;
        other.body_ = nullptr;
    }
    return *this;
}

TString& TString::operator=(const char* text) { return *this = TString(text); }

void TString::Reserve(unsigned capacity) {
    Body* fresh = NewBody(std::max(capacity, kMinCapacity));
    if (!fresh) return;
    if (body_) std::strncpy(fresh->text, body_->text, fresh->capacity - 1);
    Release();
    body_ = fresh;
}

void TString::Unshare() {
    if (body_ && body_->refcount > 1) Reserve(body_->capacity);
}

unsigned TString::Length() const { return body_ ? static_cast<unsigned>(std::strlen(body_->text)) : 0; }

const char* TString::CStr() const { return body_ ? body_->text : ""; }

char TString::CharAt(unsigned index) const { return index < Length() ? body_->text[index] : 0; }

int TString::ToInt() const {
    // atoi's reading, but defined for values past the int range.
    long value = std::strtol(CStr(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

float TString::ToFloat() const { return static_cast<float>(std::atof(CStr())); }

int TString::Compare(const TString& other) const {
    int result = std::strcmp(CStr(), other.CStr());
    return (result > 0) - (result < 0);
}

int TString::FindChar(char c, int flags, int start) const {
    int length = static_cast<int>(Length());
    if (start < 0 || start >= length) return -1;
    bool ignoreCase = flags & kIgnoreCase;
    const char* text = CStr();
    if (flags & kBackwards) {
        for (int i = length - 1 - start; i >= 0; --i)
            if (SameByte(text[i], c, ignoreCase)) return i;
    } else {
        for (int i = start; i < length; ++i)
            if (SameByte(text[i], c, ignoreCase)) return i;
    }
    return -1;
}

int TString::Find(const TString& sub, int flags, int start) const {
    int length = static_cast<int>(Length());
    if (start < 0 || start >= length) return -1;
    unsigned subLength = sub.Length();
    bool ignoreCase = flags & kIgnoreCase;
    const char* text = CStr();
    if (flags & kBackwards) {
        for (int i = length - static_cast<int>(subLength) - start; i >= 0; --i)
            if (MatchesAt(text + i, sub.CStr(), subLength, ignoreCase)) return i;
    } else {
        for (int i = start; i + static_cast<int>(subLength) <= length; ++i)
            if (MatchesAt(text + i, sub.CStr(), subLength, ignoreCase)) return i;
    }
    return -1;
}

TString TString::Mid(int start, int count) const {
    int length = static_cast<int>(Length());
    if (start < 0) start = 0;
    if (start >= length || count == 0) return TString();
    int available = length - start;
    if (count < 0 || count > available) count = available;
    return TString(CStr() + start, static_cast<unsigned>(count));
}

TString TString::operator+(const TString& other) const {
    unsigned length = Length(), otherLength = other.Length();
    TString result;
    result.body_ = NewBody(std::max(length + otherLength + 1, kMinCapacity));
    if (!result.body_) return result;
    std::memcpy(result.body_->text, CStr(), length);
    std::memcpy(result.body_->text + length, other.CStr(), otherLength);
    return result;
}

TString TString::operator+(char c) const { return *this + TString(&c, 1); }

TString& TString::operator+=(const TString& other) {
    TString keep(other);  // the source may be this very string
    unsigned length = Length(), otherLength = keep.Length();
    if (otherLength == 0) return *this;
    Unshare();
    if (length + otherLength + 1 > Capacity()) Reserve(length + otherLength + 1);
    if (!body_) return *this;
    std::memcpy(body_->text + length, keep.CStr(), otherLength + 1);
    return *this;
}

TString& TString::operator+=(char c) { return *this += TString(&c, 1); }

TString& TString::Append(const char* bytes, unsigned count) { return *this += TString(bytes, count); }

int TString::WriteAt(int pos, const char* bytes, unsigned count, bool terminate) {
    Unshare();
    int length = static_cast<int>(Length());
    if (pos < 0 || pos > length) pos = length;  // never leave a gap of undefined bytes
    uint32_t needed = static_cast<uint32_t>(pos) + count + 1;
    if (needed > Capacity()) {
        uint32_t capacity = body_ ? body_->capacity : std::max(needed, kMinCapacity);
        while (capacity < needed) capacity *= 2;
        Reserve(capacity);
        if (!body_) return pos;
    }
    std::memmove(body_->text + pos, bytes, count);
    if (terminate) body_->text[pos + count] = 0;
    return pos + static_cast<int>(count);
}

void TString::Erase(int pos, int count) {
    int length = static_cast<int>(Length());
    if (pos < 0 || pos >= length || count == 0) return;
    Unshare();
    if (count < 0 || count > length - pos) count = length - pos;
    std::memmove(body_->text + pos, body_->text + pos + count, static_cast<size_t>(length - pos - count) + 1);
}

void TString::Replace(const TString& find, const TString& replacement, int flags) {
    unsigned findLength = find.Length();
    if (findLength == 0 || IsEmpty()) return;  // an empty pattern would match forever
    TString keepFind(find), keepReplacement(replacement);
    unsigned replacementLength = keepReplacement.Length();
    int searchFlags = flags & (kIgnoreCase | kBackwards);
    int start = 0;
    for (;;) {
        int pos = Find(keepFind, searchFlags, start);
        if (pos < 0) break;
        TString tail = Mid(pos + static_cast<int>(findLength));
        WriteAt(pos, keepReplacement.CStr(), replacementLength, true);
        WriteAt(-1, tail.CStr(), tail.Length(), true);
        if (!(flags & kReplaceAll)) break;
        start = (flags & kBackwards) ? static_cast<int>(Length()) - pos
                                     : pos + static_cast<int>(replacementLength);
    }
}

void TString::MakeLower() {
    Unshare();
    if (!body_) return;
    for (char* p = body_->text; *p; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
}

TString TString::Format(const char* format, ...) {
    TString result;
    va_list args;
    va_start(args, format);
    result.VFormat(format, args);
    va_end(args);
    return result;
}

void TString::SetFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    VFormat(format, args);
    va_end(args);
}

void TString::VFormat(const char* format, va_list args) {
    char buffer[kStackFormatBuffer];
    va_list first;
    va_copy(first, args);
    int written = std::vsnprintf(buffer, sizeof buffer, format, first);
    va_end(first);
    if (written < 0) {
        *this = TString();
        return;
    }
    if (static_cast<size_t>(written) < sizeof buffer) {
        *this = TString(buffer, static_cast<unsigned>(written));
        return;
    }
    TString result;
    result.body_ = NewBody(static_cast<uint32_t>(written) + 1);
    if (result.body_) {
        va_list second;
        va_copy(second, args);
        std::vsnprintf(result.body_->text, result.body_->capacity, format, second);
        va_end(second);
    }
    *this = std::move(result);
}

int TString::Utf8SequenceLength(unsigned char lead) {
    if (lead == 0) return 0;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

int TString::EncodeUtf8(uint32_t cp, char* out) {
    auto put = [out](int i, uint32_t byte) { out[i] = static_cast<char>(byte); };
    if (cp < 0x80) {
        put(0, cp);
        return 1;
    }
    if (cp < 0x800) {
        put(0, 0xC0 | (cp >> 6));
        put(1, 0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        if (cp == 0xFFFE || cp == 0xFEFF || cp == 0xFFFF) return 0;
        put(0, 0xE0 | (cp >> 12));
        put(1, 0x80 | ((cp >> 6) & 0x3F));
        put(2, 0x80 | (cp & 0x3F));
        return 3;
    }
    if (cp < 0x110000) {
        put(0, 0xF0 | (cp >> 18));
        put(1, 0x80 | ((cp >> 12) & 0x3F));
        put(2, 0x80 | ((cp >> 6) & 0x3F));
        put(3, 0x80 | (cp & 0x3F));
        return 4;
    }
    return 0;
}

uint32_t TString::DecodeUtf8(const char* p) {
    static const uint32_t kOffsets[4] = {0, 0x3080, 0xE2080, 0x3C82080};
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(p);
    int length = Utf8SequenceLength(bytes[0]);
    if (length == 0) return 0;
    if (length == 1) return bytes[0] >= 0x80 ? 0 : bytes[0];
    uint32_t sum = bytes[0];
    for (int i = 1; i < length; ++i) {
        if (bytes[i] < 0x80) return 0;  // also stops at the terminator
        sum = (sum << 6) + bytes[i];
    }
    return sum - kOffsets[length - 1];
}

TString TString::FromCodePoint(uint32_t codepoint) {
    char bytes[4];
    int count = EncodeUtf8(codepoint, bytes);
    return count ? TString(bytes, static_cast<unsigned>(count)) : TString();
}
