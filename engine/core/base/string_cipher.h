// TStringCipher: Blowfish in ECB mode over 8-byte blocks (two big-endian words each), with
// PKCS#5 padding and optional Base64 text, keyed from a 12-character key text.
#pragma once

#include <cstddef>

#include "engine/core/base/blowfish.h"
#include "engine/core/base/tstring.h"

class TStringCipher {
public:
    TStringCipher();
    virtual ~TStringCipher() = default;

    // Brings the text to 12 characters ending in the fixed suffix and keys the cipher with the
    // 9 bytes its Base64 reading gives.
    void SetKey(const TString& key);
    // Keys the cipher with the bytes as given (the standard Blowfish key schedule).
    void SetRawKey(const unsigned char* key, size_t length);

    // Both answer 0 when the result fitted into out (its length is then LastLength()), the size
    // needed when out is null or too small, and -1 when the input cannot be deciphered. With
    // base64 the enciphered form is Base64 text ending in a NUL.
    int Encipher(const void* data, size_t length, void* out, size_t outSize, bool base64);
    int Decipher(const void* data, size_t length, void* out, size_t outSize, bool base64);
    size_t LastLength() const { return lastLength_; }

    // The text and its NUL enciphered as Base64 text; and back (empty when it does not decipher).
    TString EncipherText(const TString& text);
    TString DecipherText(const TString& text);

    const TBlowfish& Cipher() const { return blowfish_; }

private:
    TBlowfish blowfish_;
    size_t lastLength_ = 0;
};

// The cheat code deciphered with a cipher keyed by the encryption key (empty when it does not
// decipher); the application installs it with SetCheatDecipher.
TString DecipherCheatCode(const TString& encryptionKey, const TString& cheatCode);
