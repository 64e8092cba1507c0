#include "engine/core/base/base64.h"

#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string Base64Encode(const unsigned char* data, size_t length) {
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    for (size_t i = 0; i < length; i += 3) {
        uint32_t group = static_cast<uint32_t>(data[i]) << 16;
        if (i + 1 < length) group |= static_cast<uint32_t>(data[i + 1]) << 8;
        if (i + 2 < length) group |= data[i + 2];
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 63];
        out += i + 1 < length ? kAlphabet[(group >> 6) & 63] : '=';
        out += i + 2 < length ? kAlphabet[group & 63] : '=';
    }
    return out;
}

bool Base64Decode(const char* text, size_t length, std::vector<unsigned char>& out) {
    out.clear();
    if (length % 4 != 0) return false;
    for (size_t i = 0; i < length; i += 4) {
        bool last = i + 4 == length;
        int padding = (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=');
        if (padding && !last) return false;
        uint32_t group = 0;
        for (int k = 0; k < 4 - padding; ++k) {
            int value = ValueOf(text[i + k]);
            if (value < 0) return false;
            group |= static_cast<uint32_t>(value) << (18 - 6 * k);
        }
        out.push_back(static_cast<unsigned char>(group >> 16));
        if (padding < 2) out.push_back(static_cast<unsigned char>(group >> 8));
        if (padding < 1) out.push_back(static_cast<unsigned char>(group));
    }
    return true;
}
