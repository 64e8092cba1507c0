// The XML reader: a practical subset of XML read into a tree of TXmlNode elements whose text is
// whitespace-normalised (text tokens joined by one blank). Files may be plain or compressed
// behind the "ZXML" header (magic, uint32 compressed size, uint32 inflated size, zlib stream).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/core/base/tstring.h"

// A byte source for the tokenizer.
class TGetChar {
public:
    virtual ~TGetChar() = default;
    virtual void UngetChar(int c) = 0;
    virtual int GetChar() = 0; // 0..255, or -1 at the end
    virtual void Rewind() = 0;
    virtual void Reopen() = 0;
};

// Bytes of a file opened in mode 0; a failed open reads as an empty source.
class TGetCharFile : public TGetChar {
public:
    explicit TGetCharFile(const TString& path);
    bool Failed() const { return failed_; }
    void UngetChar(int c) override;
    int GetChar() override;
    void Rewind() override;
    void Reopen() override;

private:
    TString path_;
    TFile file_;
    bool failed_ = false;
    std::vector<int> pushed_;
};

// Bytes of a text in memory (may hold NUL bytes).
class TGetCharString : public TGetChar {
public:
    TGetCharString(const char* bytes, size_t count);
    void UngetChar(int c) override;
    int GetChar() override;
    void Rewind() override { position_ = 0; }
    void Reopen() override { position_ = 0; }

private:
    const char* bytes_;
    size_t count_;
    size_t position_ = 0;
};

class TXmlNode {
public:
    struct Attribute {
        TString name;
        TString value;
        bool quoted = false;
    };

    TXmlNode();
    explicit TXmlNode(const TString& name);
    virtual ~TXmlNode();
    TXmlNode(const TXmlNode&) = delete;
    TXmlNode& operator=(const TXmlNode&) = delete;

    // Parses a file (plain or "ZXML") through the file layer into this node; false when the file
    // cannot be opened or a compressed block is damaged (the tree then holds nothing new).
    bool Load(const TString& path);
    // Parses a "ZXML" block already in memory.
    bool LoadCompressed(const void* buffer, size_t size);
    // Parses XML text from memory.
    void LoadText(const char* text, size_t size);
    // Parses from any byte source.
    void Parse(TGetChar& source);

    // The first child of exactly that name (case-sensitive), or null.
    TXmlNode* FindChild(const char* name) const;
    void ResetChildIterator() { iterator_ = 0; }
    // The next child in document order; false after the last.
    bool NextChild(TString& name, TXmlNode*& node);

    TString GetAttribute(const char* name, const TString& fallback = TString()) const;
    void SetAttribute(const TString& name, const TString& value);
    const std::vector<Attribute>& Attributes() const { return attributes_; }

    const TString& GetName() const { return name_; }
    TString GetText() const { return TString(text_.c_str()); }
    bool HasChildren() const { return !children_.empty(); }
    size_t ChildCount() const { return children_.size(); }
    TXmlNode* ChildAt(size_t index) const { return children_[index].get(); }

    // Indented text of the tree (no declaration, no self-closing form).
    TString ToString();

    // Builder calls of the parser; a subclass may take the parse as events instead of a tree.
    virtual TXmlNode* AddChild(const TString& name);
    virtual void EndChild() {}
    virtual void AddText(const char* text, size_t length);
    virtual void AddAttribute(const TString& name, const TString& value, bool quoted);

private:
    void Write(std::string& out, int indent) const;

    TString name_;
    std::string text_; // built token by token, so kept where appending is cheap
    std::vector<std::unique_ptr<TXmlNode>> children_;
    std::vector<Attribute> attributes_;
    size_t iterator_ = 0;
    size_t capacityHint_ = 4096;
};

// Bytes below 32 become "&#n;", the five XML characters their entities; the rest is copied.
TString EscapeXml(const TString& text);
// Decodes the five entities and "&#n;" (below 128 the byte, else UTF-8 of code point n);
// any other '&' stays.
TString UnescapeXml(const TString& text);

// Decodes the entity that starts at text: appends its bytes to out and sets used to the bytes
// it spans; false when no entity starts there.
bool DecodeXmlEntity(const char* text, size_t available, std::string& out, size_t& used);

// Inflates a "ZXML" block into its text; false when the header or the sizes do not hold.
bool InflateZxml(const void* buffer, size_t size, std::vector<char>& text);
