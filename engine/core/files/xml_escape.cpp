// Entity handling of the XML reader and the string table, and the "ZXML" container.
#include <zlib.h>

#include <cstring>
#include <string>

#include "engine/core/files/xml.h"

namespace {

struct NamedEntity {
    const char* name; // after '&', with the ';'
    char character;
};

constexpr NamedEntity kEntities[] = {
    {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''},
};

constexpr size_t kZxmlHeader = 12;
// Deflate cannot expand data by more than about 1032:1; a larger stated size is damage. No
// text the system reads comes near the absolute limit either.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint32_t kMaxInflatedSize = 128u << 20;

uint32_t ReadLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// "&#<decimal>;" at text: the bytes it stands for; false for no such entity or a number that
// names no character (NUL, refused or beyond Unicode).
bool DecodeNumericEntity(const char* text, size_t available, std::string& out, size_t& used) {
    if (available < 4 || text[0] != '&' || text[1] != '#') return false;
    uint32_t value = 0;
    size_t i = 2;
    for (; i < available && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        if (value > 0x10FFFF) return false;
    }
    if (i == 2 || i >= available || text[i] != ';' || value == 0) return false;
    char bytes[4];
    int count = value < 128 ? (bytes[0] = static_cast<char>(value), 1) : TString::EncodeUtf8(value, bytes);
    if (count == 0) return false;
    out.append(bytes, static_cast<size_t>(count));
    used = i + 1;
    return true;
}

}  // namespace

bool DecodeXmlEntity(const char* text, size_t available, std::string& out, size_t& used) {
    if (available < 2 || text[0] != '&') return false;
    for (const NamedEntity& entity : kEntities) {
        size_t length = strlen(entity.name);
        if (available - 1 >= length && memcmp(text + 1, entity.name, length) == 0) {
            out += entity.character;
            used = length + 1;
            return true;
        }
    }
    return DecodeNumericEntity(text, available, out, used);
}

TString UnescapeXml(const TString& text) {
    std::string out;
    const char* p = text.CStr();
    size_t length = text.Length();
    for (size_t i = 0; i < length;) {
        size_t used = 0;
        if (p[i] == '&' && DecodeXmlEntity(p + i, length - i, out, used)) {
            i += used;
        } else {
            out += p[i++];
        }
    }
    return TString(out.c_str());
}

TString EscapeXml(const TString& text) {
    std::string out;
    for (const char* p = text.CStr(); *p; ++p) {
        unsigned char byte = static_cast<unsigned char>(*p);
        const NamedEntity* named = nullptr;
        for (const NamedEntity& entity : kEntities)
            if (entity.character == static_cast<char>(byte)) named = &entity;
        if (named)
            out += std::string("&") + named->name;
        else if (byte < 32)
            out += "&#" + std::to_string(byte) + ";";
        else
            out += static_cast<char>(byte);
    }
    return TString(out.c_str());
}

bool InflateZxml(const void* buffer, size_t size, std::vector<char>& text) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    if (!bytes || size < kZxmlHeader || memcmp(bytes, "ZXML", 4) != 0) return false;
    uint32_t compressed = ReadLe32(bytes + 4);
    uint32_t inflated = ReadLe32(bytes + 8);
    if (compressed > size - kZxmlHeader || inflated > compressed * kMaxInflateRatio + 64 ||
        inflated > kMaxInflatedSize)
        return false;
    text.assign(static_cast<size_t>(inflated) + 1, 0);
    uLongf produced = inflated;
    int result = uncompress(reinterpret_cast<Bytef*>(text.data()), &produced, bytes + kZxmlHeader, compressed);
    if (result != Z_OK || produced != inflated) {
        text.clear();
        return false;
    }
    text.resize(inflated);
    return true;
}
