// The XML tokenizer and the structure it feeds to a node's builder calls.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"

namespace {

// Far deeper than any file of the game; bounds the recursion of serialising and freeing a tree.
constexpr size_t kMaxDepth = 256;

struct Token {
    std::string_view text; // into the document, or into decoded
    std::string decoded;   // the text when it differs from the document's bytes
    bool quoted = false;
    bool fromEntity = false; // began with an entity: a decoded '<' is text

    Token() = default;
    Token(const Token& other) { *this = other; }
    void Clear() {
        decoded.clear();
        quoted = false;
        fromEntity = false;
    }
    Token& operator=(const Token& other) {
        decoded = other.decoded;
        text = other.text.data() == other.decoded.data() ? std::string_view(decoded) : other.text;
        quoted = other.quoted;
        fromEntity = other.fromEntity;
        return *this;
    }

    bool IsMarkup(char c) const { return !quoted && !fromEntity && text.size() == 1 && text[0] == c; }
    bool EndsWith(std::string_view tail) const {
        return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
    }
    // As C text: up to a NUL (one that continues a character is kept in the token).
    std::string_view CText() const { return text.substr(0, std::min(text.find('\0'), text.size())); }
    TString Text() const { return TString(CText().data(), static_cast<unsigned>(CText().size())); }
};

// Element and attribute names repeat throughout a document: each distinct one is made once and shared.
class NameCache {
public:
    TString Get(const Token& token) {
        std::string_view name = token.CText();
        for (const auto& [text, shared] : names_)
            if (text == name) return shared;
        TString made = token.Text();
        if (names_.size() < kMaxNames) names_.emplace_back(std::string(name), made);
        return made;
    }

private:
    static constexpr size_t kMaxNames = 64; // a document with more names than this makes the rest each time
    std::vector<std::pair<std::string, TString>> names_;
};

// A run of characters of the document: its bytes, whether a NUL byte that leads no character (and
// carries nothing) lies inside, which the token's text then leaves out, and whether an entity may.
struct Run {
    const char* begin;
    const char* end;
    const char* last; // the last byte kept, or null when none is
    bool hasNul;
    bool hasAmpersand;
};

// What a byte is to the tokenizer, looked up in one table.
enum ByteKind : unsigned char {
    kPlain = 0,
    kBlank = 1,  // isspace in the C locale
    kMarkup = 2, // '<', '>', '='
    kQuote = 4,
    kNul = 8,
    kLead = 16, // 0x80 and above: a character of one or more bytes
    kAmpersand = 32,
};

constexpr auto kByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (int c : {' ', '\t', '\n', '\v', '\f', '\r'}) kinds[static_cast<size_t>(c)] = kBlank;
    for (int c : {'<', '>', '='}) kinds[static_cast<size_t>(c)] = kMarkup;
    kinds['"'] = kQuote;
    kinds[0] = kNul;
    kinds['&'] = kAmpersand;
    for (int c = 0x80; c < 256; ++c) kinds[static_cast<size_t>(c)] = kLead;
    return kinds;
}();

unsigned char KindOf(char byte) { return kByteKinds[static_cast<unsigned char>(byte)]; }

// Skips the bytes that are their own character and no markup. Sixteen at a time where SSE2 is there: a block
// stops at anything that might not be plain (controls too), and the table decides from there.
const char* SkipPlain(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i belowBang = _mm_set1_epi8('!');
    while (end - p >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i stops = _mm_cmplt_epi8(bytes, belowBang); // signed: blanks, NUL, controls and every byte from 0x80
        for (char markup : {'<', '>', '=', '"', '&'})
            stops = _mm_or_si128(stops, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(markup)));
        if (int mask = _mm_movemask_epi8(stops)) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && KindOf(*p) == kPlain) ++p;
    return p;
}

// The bytes of the character at p: its whole UTF-8 sequence, cut short by the end.
size_t CharacterLength(const char* p, const char* end) {
    unsigned char lead = static_cast<unsigned char>(*p);
    if (lead < 0x80) return 1;
    return std::min(static_cast<size_t>(TString::Utf8SequenceLength(lead)), static_cast<size_t>(end - p));
}

// Tokenises a text in memory. Characters are whole UTF-8 sequences: a lead byte of 0x80 or more takes its
// continuation bytes whatever they are; a NUL byte where a character would start is skipped.
class Tokenizer {
public:
    Tokenizer(const char* text, size_t size) : position_(text), end_(text + size) {}

    // Reads the next token into `token`; false at the end of the text.
    bool Next(Token& token) {
        if (hasHeld_) {
            hasHeld_ = false;
            token = held_;
            return true;
        }
        while (position_ < end_ && (KindOf(*position_) & (kNul | kBlank))) ++position_;
        if (position_ == end_) return false;
        token.Clear();
        if (KindOf(*position_) == kMarkup) {
            token.text = std::string_view(position_++, 1);
            return true;
        }
        Run run;
        if (*position_ == '"') {
            token.quoted = true;
            ++position_;
            run = Scan(kQuote);
            if (position_ < end_) ++position_; // the closing quote
        } else {
            run = Scan(kBlank | kMarkup);
            SplitSlash(run);
        }
        Decode(run, token);
        return true;
    }

    void PutBack(const Token& token) {
        held_ = token;
        hasHeld_ = true;
    }

private:
    // Reads characters up to a single-byte one of a kind in `stops`, or the end.
    Run Scan(unsigned char stops) {
        Run run{position_, position_, nullptr, false, false};
        const char* p = position_;
        while (p < end_) {
            const char* plain = p;
            p = SkipPlain(p, end_); // the common case: bytes that are their own character
            if (p != plain) run.last = p - 1;
            if (p == end_) break;
            unsigned char kind = KindOf(*p);
            if (kind & stops) break;
            if (kind == kNul) {
                run.hasNul = true;
                ++p;
                continue;
            }
            run.hasAmpersand |= kind == kAmpersand;
            p += CharacterLength(p, end_);
            run.last = p - 1;
        }
        run.end = position_ = p;
        return run;
    }

    // 'a/>' reads as 'a', '/', '>': the slash ending a word of two bytes or more before '>' is read again.
    void SplitSlash(Run& run) {
        if (position_ == end_ || *position_ != '>' || run.last == nullptr || *run.last != '/') return;
        if (KeptBytes(run) < 2) return;
        position_ = run.last;
        run.end = run.last;
        run.last = nullptr; // (only Decode reads the run now, and it looks at begin, end and hasNul)
    }

    static size_t KeptBytes(const Run& run) {
        if (!run.hasNul) return static_cast<size_t>(run.end - run.begin);
        return WithoutNuls(run).size();
    }

    // The run's bytes without the NULs that lead no character.
    static std::string WithoutNuls(const Run& run) {
        std::string kept;
        for (const char* p = run.begin; p < run.end;) {
            unsigned char lead = static_cast<unsigned char>(*p);
            size_t length = CharacterLength(p, run.end);
            if (lead != 0) kept.append(p, length);
            p += length;
        }
        return kept;
    }

    // The token's text: the document's bytes as they stand when they hold no NUL to leave out and no
    // entity to decode.
    static void Decode(const Run& run, Token& token) {
        std::string_view raw(run.begin, static_cast<size_t>(run.end - run.begin));
        std::string stripped;
        if (run.hasNul) {
            stripped = WithoutNuls(run);
            raw = stripped;
        }
        size_t ampersand = run.hasAmpersand ? raw.find('&') : std::string_view::npos;
        if (ampersand == std::string_view::npos) {
            if (!run.hasNul) {
                token.text = raw;
                return;
            }
            token.decoded = std::move(stripped);
            token.text = token.decoded;
            return;
        }
        std::string& out = token.decoded;
        out.reserve(raw.size());
        out.append(raw.data(), ampersand);
        for (size_t i = ampersand; i < raw.size();) {
            size_t used = 0;
            if (raw[i] == '&' && DecodeXmlEntity(raw.data() + i, raw.size() - i, out, used)) {
                if (i == 0) token.fromEntity = true;
                i += used;
            } else {
                size_t next = raw.find('&', i + 1);
                if (next == std::string_view::npos) next = raw.size();
                out.append(raw.data() + i, next - i);
                i = next;
            }
        }
        token.text = out;
    }

    const char* position_;
    const char* end_;
    Token held_; // a token put back, read again by the next call when hasHeld_
    bool hasHeld_ = false;
};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

void SkipPast(Tokenizer& tokens, char markup) {
    Token token;
    while (tokens.Next(token))
        if (token.IsMarkup(markup)) return;
}

// Skips a comment: up to a token ending in "--" followed by '>'.
void SkipComment(Tokenizer& tokens, const Token& opening) {
    bool dashes = opening.EndsWith("--");
    Token token;
    while (tokens.Next(token)) {
        if (dashes && token.IsMarkup('>')) return;
        dashes = token.EndsWith("--");
    }
}

class Builder {
public:
    explicit Builder(TXmlNode& root) : open_{&root} {}

    void Run(Tokenizer& tokens) {
        Token token;
        while (tokens.Next(token)) {
            if (open_.size() > kMaxDepth) {
                LogPrintf("XML nested deeper than %d levels: the rest is ignored", static_cast<int>(kMaxDepth));
                return;
            }
            if (token.IsMarkup('<'))
                Markup(tokens);
            else
                Top()->AddText(token.text.data(), token.text.size());
        }
    }

private:
    TXmlNode* Top() const { return open_.back(); }

    void Close() {
        if (open_.size() <= 1) return; // nothing open: a stray closing tag
        open_.pop_back();
        Top()->EndChild();
    }

    void Markup(Tokenizer& tokens) {
        Token name;
        if (!tokens.Next(name)) return;
        if (name.quoted || name.fromEntity || name.IsMarkup('=') || name.IsMarkup('<')) {
            SkipPast(tokens, '>');
            return;
        }
        if (name.IsMarkup('>')) return;
        if (StartsWith(name.text, "/")) {
            SkipPast(tokens, '>');
            Close();
        } else if (StartsWith(name.text, "?xml") || StartsWith(name.text, "!DOCTYPE")) {
            SkipPast(tokens, '>');
        } else if (StartsWith(name.text, "!--")) {
            SkipComment(tokens, name);
        } else {
            Element(tokens, names_.Get(name));
        }
    }

    void Element(Tokenizer& tokens, const TString& name) {
        TXmlNode* child = Top()->AddChild(name);
        if (!child) child = Top();
        Token token;
        Token next; // the token after the one read: '=' and the value, or what a slash precedes
        while (tokens.Next(token)) {
            if (token.IsMarkup('>') || token.IsMarkup('<')) {
                if (token.IsMarkup('<')) tokens.PutBack(token);
                open_.push_back(child);
                return;
            }
            if (token.text == "/" && !token.quoted) {
                bool more = tokens.Next(next);
                if (more && next.IsMarkup('>')) {
                    Top()->EndChild();
                    return;
                }
                if (more) tokens.PutBack(next);
                continue;
            }
            if (!tokens.Next(next)) continue;
            if (!next.IsMarkup('=')) {
                tokens.PutBack(next); // a name without a value is dropped
                continue;
            }
            if (!tokens.Next(next)) return;
            if (next.IsMarkup('>') || next.IsMarkup('<')) {
                tokens.PutBack(next);
                continue;
            }
            child->AddAttribute(names_.Get(token), next.Text(), next.quoted);
        }
    }

    std::vector<TXmlNode*> open_;
    NameCache names_;
};

}  // namespace

void TXmlNode::LoadText(const char* text, size_t size) {
    Tokenizer tokens(text, text ? size : 0);
    Builder builder(*this);
    builder.Run(tokens);
}

void TXmlNode::Parse(TGetChar& source) {
    std::string text;
    for (int byte = source.GetChar(); byte >= 0; byte = source.GetChar()) text += static_cast<char>(byte);
    LoadText(text.data(), text.size());
}
