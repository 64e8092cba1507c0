#include "engine/core/base/string_cipher.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/base/base64.h"

namespace {

constexpr size_t kKeyLength = 12;
constexpr char kKeyFiller[] = "AlembriaKeys";
constexpr char kKeySuffix[] = "VQZ";
constexpr size_t kBlock = 8;

uint32_t ReadBe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

void WriteBe32(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value >> 24);
    p[1] = static_cast<unsigned char>(value >> 16);
    p[2] = static_cast<unsigned char>(value >> 8);
    p[3] = static_cast<unsigned char>(value);
}

bool IsBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Enciphers or deciphers whole blocks in place.
void RunBlocks(const TBlowfish& cipher, std::vector<unsigned char>& bytes, bool encipher) {
    for (size_t at = 0; at + kBlock <= bytes.size(); at += kBlock) {
        uint32_t left = ReadBe32(&bytes[at]), right = ReadBe32(&bytes[at + 4]);
        if (encipher)
            cipher.EncipherBlock(left, right);
        else
            cipher.DecipherBlock(left, right);
        WriteBe32(&bytes[at], left);
        WriteBe32(&bytes[at + 4], right);
    }
}

int Deliver(const void* result, size_t length, void* out, size_t outSize, size_t& lastLength) {
    if (!out || outSize < length) return static_cast<int>(length);
    memcpy(out, result, length);
    lastLength = length;
    return 0;
}

}  // namespace

TStringCipher::TStringCipher() { SetKey(TString()); }

void TStringCipher::SetKey(const TString& key) {
    std::string text = std::string(key.CStr()) + kKeyFiller;
    text.resize(kKeyLength);
    text.replace(kKeyLength - 3, 3, kKeySuffix);
    for (char& c : text)
        if (!IsBase64Character(c)) c = 'A'; // keeps every key text usable
    std::vector<unsigned char> bytes;
    Base64Decode(text.data(), text.size(), bytes);
    SetRawKey(bytes.data(), bytes.size());
}

void TStringCipher::SetRawKey(const unsigned char* key, size_t length) { blowfish_.SetKey(key, length); }

int TStringCipher::Encipher(const void* data, size_t length, void* out, size_t outSize, bool base64) {
    size_t pad = kBlock - length % kBlock;
    std::vector<unsigned char> bytes(length + pad, static_cast<unsigned char>(pad));
    if (length) memcpy(bytes.data(), data, length);
    if (!base64) {
        if (!out || outSize < bytes.size()) return static_cast<int>(bytes.size());
        RunBlocks(blowfish_, bytes, true);
        return Deliver(bytes.data(), bytes.size(), out, outSize, lastLength_);
    }
    size_t needed = (bytes.size() + 2) / 3 * 4 + 1;
    if (!out || outSize < needed) return static_cast<int>(needed);
    RunBlocks(blowfish_, bytes, true);
    std::string text = Base64Encode(bytes.data(), bytes.size());
    return Deliver(text.c_str(), text.size() + 1, out, outSize, lastLength_);
}

int TStringCipher::Decipher(const void* data, size_t length, void* out, size_t outSize, bool base64) {
    std::vector<unsigned char> bytes;
    if (base64) {
        const char* text = static_cast<const char*>(data);
        size_t textLength = text ? strnlen(text, length) : 0;
        if (!Base64Decode(text, textLength, bytes)) return -1;
    } else if (length) {
        bytes.assign(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + length);
    }
    if (bytes.empty() || bytes.size() % kBlock != 0) return -1;
    RunBlocks(blowfish_, bytes, false);
    // The padding must be 1 to 8 bytes, each holding the count.
    size_t pad = bytes.back();
    if (pad < 1 || pad > kBlock) return -1;
    for (size_t i = bytes.size() - pad; i < bytes.size(); ++i)
        if (bytes[i] != pad) return -1;
    return Deliver(bytes.data(), bytes.size() - pad, out, outSize, lastLength_);
}

TString TStringCipher::EncipherText(const TString& text) {
    int needed = Encipher(text.CStr(), text.Length() + 1, nullptr, 0, true);
    std::vector<char> out(static_cast<size_t>(needed));
    if (Encipher(text.CStr(), text.Length() + 1, out.data(), out.size(), true) != 0) return TString();
    return TString(out.data());
}

TString TStringCipher::DecipherText(const TString& text) {
    int needed = Decipher(text.CStr(), text.Length(), nullptr, 0, true);
    if (needed <= 0) return TString();
    std::vector<char> out(static_cast<size_t>(needed) + 1, 0);
    if (Decipher(text.CStr(), text.Length(), out.data(), out.size(), true) != 0) return TString();
    return TString(out.data());
}

TString DecipherCheatCode(const TString& encryptionKey, const TString& cheatCode) {
    TStringCipher cipher;
    cipher.SetKey(encryptionKey);
    return cipher.DecipherText(cheatCode);
}
