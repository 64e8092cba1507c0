// The XML tokenizer and the structure it feeds to a node's builder calls.
#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"

namespace {

// Far deeper than any file of the game; bounds the recursion of serialising and freeing a tree.
constexpr size_t kMaxDepth = 256;

struct Token {
    std::string text;
    bool quoted = false;
    bool fromEntity = false; // began with an entity: a decoded '<' is text

    bool IsMarkup(char c) const { return !quoted && !fromEntity && text.size() == 1 && text[0] == c; }
    bool EndsWith(const char* tail) const {
        size_t n = strlen(tail);
        return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
    }
    TString Text() const { return TString(text.c_str()); }
};

class Tokenizer {
public:
    explicit Tokenizer(TGetChar& source) : source_(source) {}

    std::optional<Token> Next() {
        if (held_) return std::exchange(held_, std::nullopt);
        std::string c;
        do {
            c = ReadCharacter();
            if (c.empty()) return std::nullopt;
        } while (IsBlank(c));

        Token token;
        std::string raw;
        if (c == "<" || c == ">" || c == "=") {
            token.text = c;
            return token;
        }
        if (c == "\"") {
            token.quoted = true;
            for (c = ReadCharacter(); !c.empty() && c != "\""; c = ReadCharacter()) raw += c;
        } else {
            raw = ReadWord(c);
        }
        Decode(raw, token);
        return token;
    }

    void PutBack(Token token) { held_ = std::move(token); }

private:
    static bool IsBlank(const std::string& c) { return c.size() == 1 && isspace(static_cast<unsigned char>(c[0])); }

    // One character: a whole UTF-8 sequence, empty at the end.
    std::string ReadCharacter() {
        int lead = source_.GetChar();
        while (lead == 0) lead = source_.GetChar(); // a NUL byte carries nothing
        if (lead < 0) return std::string();
        std::string c(1, static_cast<char>(lead));
        int count = TString::Utf8SequenceLength(static_cast<unsigned char>(lead));
        for (int got = 1; got < count; ++got) {
            int next = source_.GetChar();
            if (next < 0) break;
            c += static_cast<char>(next);
        }
        return c;
    }

    void UnreadCharacter(const std::string& c) {
        for (auto byte = c.rbegin(); byte != c.rend(); ++byte) source_.UngetChar(static_cast<unsigned char>(*byte));
    }

    std::string ReadWord(std::string c) {
        std::string word;
        while (!c.empty()) {
            if (IsBlank(c) || c == "<" || c == ">" || c == "=") {
                UnreadCharacter(c);
                // 'a/>' reads as 'a', '/', '>'.
                if (c == ">" && word.size() >= 2 && word.back() == '/') {
                    source_.UngetChar('/');
                    word.pop_back();
                }
                break;
            }
            word += c;
            c = ReadCharacter();
        }
        return word;
    }

    static void Decode(const std::string& raw, Token& token) {
        for (size_t i = 0; i < raw.size();) {
            size_t used = 0;
            if (raw[i] == '&' && DecodeXmlEntity(raw.data() + i, raw.size() - i, token.text, used)) {
                if (i == 0) token.fromEntity = true;
                i += used;
            } else {
                token.text += raw[i++];
            }
        }
    }

    TGetChar& source_;
    std::optional<Token> held_;
};

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void SkipPast(Tokenizer& tokens, char markup) {
    while (auto token = tokens.Next())
        if (token->IsMarkup(markup)) return;
}

// Skips a comment: up to a token ending in "--" followed by '>'.
void SkipComment(Tokenizer& tokens, const Token& opening) {
    bool dashes = opening.EndsWith("--");
    while (auto token = tokens.Next()) {
        if (dashes && token->IsMarkup('>')) return;
        dashes = token->EndsWith("--");
    }
}

class Builder {
public:
    explicit Builder(TXmlNode& root) : open_{&root} {}

    void Run(Tokenizer& tokens) {
        while (auto token = tokens.Next()) {
            if (open_.size() > kMaxDepth) {
                LogPrintf("XML nested deeper than %d levels: the rest is ignored", static_cast<int>(kMaxDepth));
                return;
            }
            if (token->IsMarkup('<'))
                Markup(tokens);
            else
                Top()->AddText(token->text.data(), token->text.size());
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
        auto name = tokens.Next();
        if (!name) return;
        if (name->quoted || name->fromEntity || name->IsMarkup('=') || name->IsMarkup('<')) {
            SkipPast(tokens, '>');
            return;
        }
        if (name->IsMarkup('>')) return;
        if (StartsWith(name->text, "?xml") || StartsWith(name->text, "!DOCTYPE")) {
            SkipPast(tokens, '>');
        } else if (StartsWith(name->text, "!--")) {
            SkipComment(tokens, *name);
        } else if (StartsWith(name->text, "/")) {
            SkipPast(tokens, '>');
            Close();
        } else {
            Element(tokens, name->Text());
        }
    }

    void Element(Tokenizer& tokens, const TString& name) {
        TXmlNode* child = Top()->AddChild(name);
        if (!child) child = Top();
        while (auto token = tokens.Next()) {
            if (token->IsMarkup('>') || token->IsMarkup('<')) {
                if (token->IsMarkup('<')) tokens.PutBack(*token);
                open_.push_back(child);
                return;
            }
            if (token->text == "/" && !token->quoted) {
                auto next = tokens.Next();
                if (next && next->IsMarkup('>')) {
                    Top()->EndChild();
                    return;
                }
                if (next) tokens.PutBack(*next);
                continue;
            }
            auto equals = tokens.Next();
            if (!equals || !equals->IsMarkup('=')) {
                if (equals) tokens.PutBack(*equals); // a name without a value is dropped
                continue;
            }
            auto value = tokens.Next();
            if (!value) return;
            if (value->IsMarkup('>') || value->IsMarkup('<')) {
                tokens.PutBack(*value);
                continue;
            }
            child->AddAttribute(token->Text(), value->Text(), value->quoted);
        }
    }

    std::vector<TXmlNode*> open_;
};

}  // namespace

void TXmlNode::Parse(TGetChar& source) {
    Tokenizer tokens(source);
    Builder builder(*this);
    builder.Run(tokens);
}
