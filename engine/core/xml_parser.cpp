// The XML tokenizer and the structure it feeds to a node's builder calls.
#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

#include "engine/core/xml.h"

namespace {

struct Token {
    TString text;
    bool quoted = false;
    bool fromEntity = false; // began with an entity: a decoded '<' is text

    bool IsMarkup(char c) const { return !quoted && !fromEntity && text.Length() == 1 && text.CharAt(0) == c; }
    bool EndsWith(const char* tail) const {
        unsigned n = static_cast<unsigned>(strlen(tail));
        return text.Length() >= n && text.Find(TString(tail), 0, static_cast<int>(text.Length() - n)) >= 0;
    }
};

class Tokenizer {
public:
    explicit Tokenizer(TGetChar& source) : source_(source) {}

    std::optional<Token> Next() {
        if (held_) return std::exchange(held_, std::nullopt);
        TString c;
        do {
            c = ReadCharacter();
            if (c.IsEmpty()) return std::nullopt;
        } while (c.Length() == 1 && isspace(static_cast<unsigned char>(c.CharAt(0))));

        Token token;
        TString raw;
        char first = c.CharAt(0);
        if (c.Length() == 1 && (first == '<' || first == '>' || first == '=')) {
            token.text = c;
            return token;
        }
        if (c.Length() == 1 && first == '"') {
            token.quoted = true;
            for (c = ReadCharacter(); !c.IsEmpty() && c != "\""; c = ReadCharacter()) raw += c;
        } else {
            raw = ReadWord(c);
        }
        Decode(raw, token);
        return token;
    }

    void PutBack(Token token) { held_ = std::move(token); }

private:
    // One character: a whole UTF-8 sequence, empty at the end.
    TString ReadCharacter() {
        int lead = source_.GetChar();
        while (lead == 0) lead = source_.GetChar(); // a NUL byte carries nothing
        if (lead < 0) return TString();
        char bytes[4] = {static_cast<char>(lead)};
        int count = TString::Utf8SequenceLength(static_cast<unsigned char>(lead));
        if (count < 1) count = 1;
        int got = 1;
        for (; got < count; ++got) {
            int next = source_.GetChar();
            if (next < 0) break;
            bytes[got] = static_cast<char>(next);
        }
        return TString(bytes, static_cast<unsigned>(got));
    }

    void UnreadCharacter(const TString& c) {
        for (int i = static_cast<int>(c.Length()) - 1; i >= 0; --i)
            source_.UngetChar(static_cast<unsigned char>(c.CharAt(static_cast<unsigned>(i))));
    }

    TString ReadWord(TString c) {
        TString word;
        while (!c.IsEmpty()) {
            char byte = c.CharAt(0);
            bool single = c.Length() == 1;
            if (single && (isspace(static_cast<unsigned char>(byte)) || byte == '<' || byte == '>' || byte == '=')) {
                UnreadCharacter(c);
                // 'a/>' reads as 'a', '/', '>'.
                if (byte == '>' && word.Length() >= 2 && word.CharAt(word.Length() - 1) == '/') {
                    source_.UngetChar('/');
                    word.Erase(static_cast<int>(word.Length() - 1));
                }
                break;
            }
            word += c;
            c = ReadCharacter();
        }
        return word;
    }

    static void Decode(const TString& raw, Token& token) {
        const char* p = raw.CStr();
        size_t length = raw.Length();
        for (size_t i = 0; i < length;) {
            size_t used = 0;
            if (p[i] == '&' && DecodeXmlEntity(p + i, length - i, token.text, used)) {
                if (i == 0) token.fromEntity = true;
                i += used;
            } else {
                token.text += p[i++];
            }
        }
    }

    TGetChar& source_;
    std::optional<Token> held_;
};

bool StartsWith(const TString& text, const char* prefix) { return text.Find(TString(prefix)) == 0; }

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
            if (token->IsMarkup('<'))
                Markup(tokens);
            else
                Top()->AddText(token->text.CStr(), token->text.Length());
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
            Element(tokens, name->text);
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
            child->AddAttribute(token->text, value->text, value->quoted);
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
