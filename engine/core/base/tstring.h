// TString: the framework's one string type. UTF-8 text behind a single pointer to a shared,
// reference-counted body; copies are O(1) and every mutator unshares first. Lengths and
// indices count bytes. Not thread-safe: each thread works on its own strings.
#pragma once

#include <cstdarg>
#include <cstdint>

class TString {
public:
    // Flags of Find, FindChar and Replace.
    enum : int { kIgnoreCase = 1, kReplaceAll = 2, kBackwards = 4 };

    TString() = default;
    TString(const char* text);
    TString(const char* bytes, unsigned count);
    TString(const TString& other);
    TString(TString&& other) noexcept;
    ~TString();

    TString& operator=(const TString& other);
    TString& operator=(TString&& other) noexcept;
    TString& operator=(const char* text);

    // Takes a fresh private buffer of max(capacity, 16) bytes holding the current text.
    void Reserve(unsigned capacity);

    unsigned Length() const;
    bool IsEmpty() const { return Length() == 0; }
    const char* CStr() const;
    char CharAt(unsigned index) const;
    int ToInt() const;
    float ToFloat() const;

    // Three-way byte comparison (unsigned), answering -1, 0 or 1.
    int Compare(const TString& other) const;
    bool operator==(const TString& other) const { return Compare(other) == 0; }
    bool operator!=(const TString& other) const { return Compare(other) != 0; }
    bool operator<(const TString& other) const { return Compare(other) < 0; }

    int FindChar(char c, int flags = 0, int start = 0) const;
    int Find(const TString& sub, int flags = 0, int start = 0) const;
    TString Mid(int start, int count = -1) const;

    TString operator+(const TString& other) const;
    TString operator+(char c) const;
    TString& operator+=(const TString& other);
    TString& operator+=(char c);
    TString& Append(const char* bytes, unsigned count);

    // Copies count bytes over the text at pos (-1 = the end), growing the buffer by doubling;
    // answers pos + count.
    int WriteAt(int pos, const char* bytes, unsigned count, bool terminate);
    void Erase(int pos, int count = -1);
    void Replace(const TString& find, const TString& replacement, int flags = 0);
    void MakeLower();

    static TString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    void SetFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void VFormat(const char* format, va_list args);

    static int Utf8SequenceLength(unsigned char lead);
    // Writes 1 to 4 bytes to out and answers their count; 0 for a refused or out-of-range code point.
    static int EncodeUtf8(uint32_t codepoint, char* out);
    // Answers the code point at p, or 0 for a NUL or a malformed sequence.
    static uint32_t DecodeUtf8(const char* p);
    static TString FromCodePoint(uint32_t codepoint);

private:
    struct Body {
        char* text;
        int32_t refcount;
        uint32_t capacity;
    };

    static Body* NewBody(uint32_t capacity);
    void Release();
    void Unshare();
    uint32_t Capacity() const { return body_ ? body_->capacity : 0; }

    Body* body_ = nullptr;
};
