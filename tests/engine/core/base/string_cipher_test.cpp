#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/core/base/base64.h"
#include "engine/core/base/config.h"
#include "engine/core/base/string_cipher.h"

namespace {

std::vector<unsigned char> Hex(const char* text) {
    std::vector<unsigned char> bytes;
    for (size_t i = 0; text[i] && text[i + 1]; i += 2) bytes.push_back(static_cast<unsigned char>(std::stoi(std::string(text + i, 2), nullptr, 16)));
    return bytes;
}

TEST(Blowfish, PublishedVectors) {
    struct Case {
        const char* key;
        uint32_t plain[2];
        uint32_t cipher[2];
    } const cases[] = {
        {"0000000000000000", {0x00000000, 0x00000000}, {0x4EF99745, 0x6198DD78}},
        {"FFFFFFFFFFFFFFFF", {0xFFFFFFFF, 0xFFFFFFFF}, {0x51866FD5, 0xB85ECB8A}},
        {"3000000000000000", {0x10000000, 0x00000001}, {0x7D856F9A, 0x613063F2}},
        {"1111111111111111", {0x11111111, 0x11111111}, {0x2466DD87, 0x8B963C9D}},
        {"0123456789ABCDEF", {0x11111111, 0x11111111}, {0x61F9C380, 0x2281B096}},
        {"FEDCBA9876543210", {0x01234567, 0x89ABCDEF}, {0x0ACEAB0F, 0xC6A0A28D}},
    };
    TStringCipher cipher;
    for (const Case& c : cases) {
        std::vector<unsigned char> key = Hex(c.key);
        cipher.SetRawKey(key.data(), key.size());
        uint32_t left = c.plain[0], right = c.plain[1];
        cipher.Cipher().EncipherBlock(left, right);
        EXPECT_EQ(left, c.cipher[0]) << c.key;
        EXPECT_EQ(right, c.cipher[1]) << c.key;
        cipher.Cipher().DecipherBlock(left, right);
        EXPECT_EQ(left, c.plain[0]);
        EXPECT_EQ(right, c.plain[1]);
    }
}

TEST(Base64, EncodesAndRejectsDamage) {
    const char* plain[] = {"", "f", "fo", "foo", "foob", "fooba", "foobar"};
    const char* encoded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Base64Encode(reinterpret_cast<const unsigned char*>(plain[i]), strlen(plain[i])), encoded[i]);
        std::vector<unsigned char> out;
        ASSERT_TRUE(Base64Decode(encoded[i], strlen(encoded[i]), out));
        EXPECT_EQ(std::string(out.begin(), out.end()), plain[i]);
    }
    std::vector<unsigned char> out;
    for (const char* bad : {"Zg=", "Z===", "Zg==Zg==", "Zm9*", "=Zm9"}) EXPECT_FALSE(Base64Decode(bad, strlen(bad), out)) << bad;
}

TEST(StringCipher, SizesFollowThePadding) {
    TStringCipher cipher;
    cipher.SetKey("BrineKelpVQZ");
    const char eight[] = "12345678";
    EXPECT_EQ(cipher.Encipher(eight, 8, nullptr, 0, false), 16); // a whole block of padding
    EXPECT_EQ(cipher.Encipher(eight, 8, nullptr, 0, true), 25);  // 24 Base64 characters and a NUL
    EXPECT_EQ(cipher.Encipher(eight, 7, nullptr, 0, false), 8);
    char small[10];
    EXPECT_EQ(cipher.Encipher(eight, 8, small, sizeof small, false), 16);
    char out[25];
    ASSERT_EQ(cipher.Encipher(eight, 8, out, sizeof out, true), 0);
    EXPECT_EQ(cipher.LastLength(), 25u);
    EXPECT_EQ(strlen(out), 24u);
    char back[8];
    EXPECT_EQ(cipher.Decipher(out, 25, nullptr, 0, true), 8);
    ASSERT_EQ(cipher.Decipher(out, 25, back, sizeof back, true), 0);
    EXPECT_EQ(memcmp(back, eight, 8), 0);
}

TEST(StringCipher, TextRoundTripsAndKeysMatter) {
    TStringCipher cipher, other;
    cipher.SetKey("BrineKelpVQZ");
    other.SetKey("BrineKelpXYZ"); // the last three characters are always the fixed suffix
    TStringCipher different;
    different.SetKey("OtherKeyText");
    for (const char* text : {"", "a", "1234567", "12345678", "a longer value with caf\xC3\xA9"}) {
        TString enciphered = cipher.EncipherText(text);
        EXPECT_STRNE(enciphered.CStr(), text);
        EXPECT_STREQ(cipher.DecipherText(enciphered).CStr(), text);
        EXPECT_STREQ(other.DecipherText(enciphered).CStr(), text);
        EXPECT_STRNE(different.EncipherText(text).CStr(), enciphered.CStr());
    }
    TStringCipher empty, filler;
    empty.SetKey("");
    filler.SetKey("!!!");
    EXPECT_STREQ(empty.DecipherText(empty.EncipherText("works")).CStr(), "works");
    EXPECT_STREQ(filler.DecipherText(filler.EncipherText("works")).CStr(), "works");
}

TEST(StringCipher, DamagedInputFailsToDecipher) {
    TStringCipher cipher;
    cipher.SetKey("BrineKelpVQZ");
    TString good = cipher.EncipherText("value");
    std::string tampered = good.CStr();
    tampered[tampered.size() - 6] = tampered[tampered.size() - 6] == 'A' ? 'B' : 'A';
    const char* damaged[] = {"", "Zm9v", "not base64!", "AAAAAAAAAAA=", tampered.c_str()};
    for (const char* text : damaged) EXPECT_STREQ(cipher.DecipherText(text).CStr(), "") << text;
    EXPECT_EQ(cipher.Decipher("Zm9vYmFy", 8, nullptr, 0, true), -1); // 6 bytes: not whole blocks
    // Only padding of 1 to 8 equal bytes is accepted.
    const std::vector<unsigned char> blocks[] = {
        {1, 2, 3, 4, 5, 6, 7, 0}, {1, 2, 3, 4, 5, 6, 7, 9}, {1, 2, 3, 4, 5, 6, 7, 200}, {1, 2, 3, 4, 5, 9, 3, 3},
    };
    for (const auto& block : blocks) {
        uint32_t left = uint32_t(block[0]) << 24 | block[1] << 16 | block[2] << 8 | block[3];
        uint32_t right = uint32_t(block[4]) << 24 | block[5] << 16 | block[6] << 8 | block[7];
        cipher.Cipher().EncipherBlock(left, right);
        unsigned char enciphered[8];
        for (int i = 0; i < 4; ++i) {
            enciphered[i] = static_cast<unsigned char>(left >> (24 - 8 * i));
            enciphered[4 + i] = static_cast<unsigned char>(right >> (24 - 8 * i));
        }
        EXPECT_EQ(cipher.Decipher(enciphered, 8, nullptr, 0, false), -1) << int(block[7]);
    }
}

TEST(StringCipher, CheatCodeTurnsCheatModeOnForThisComputerOnly) {
    TStringCipher cipher;
    cipher.SetKey("BrineKelpVQZ");
    TString code = cipher.EncipherText("ABCDEFGHIJKLMNOP");
    SetConfig("computerid", "ABCDEFGHIJKLMNOP");
    SetCheatDecipher(DecipherCheatCode);
    SetConfig("encryptionkey", "BrineKelpVQZ");
    SetConfig("cheatcode", code);
    EXPECT_STREQ(GetConfig("cheatmode").CStr(), "1");
    SetConfig("cheatcode", cipher.EncipherText("SOMEOTHERMACHINE"));
    EXPECT_STREQ(GetConfig("cheatmode").CStr(), "0");
    SetConfig("cheatcode", "garbage");
    EXPECT_STREQ(GetConfig("cheatmode").CStr(), "0");
    SetCheatDecipher(nullptr);
    ClearConfig();
}

}  // namespace
