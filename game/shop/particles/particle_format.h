// The two files of a particle effect. A ".par" text names the effect's emitter files (lying in its
// folder) and holds nine numbers; each binary emitter file holds the emitter's texture name, its
// particle count and, per key, the ranges new particles are drawn from. Both are decoded here from
// bytes, whatever the bytes: fields beyond the end of a short file keep their defaults.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ".par" text: only its first kParHeadSize bytes count.
constexpr size_t kParHeadSize = 256;
constexpr size_t kMaxEmitters = 8;
// Longer tokens are cut to this many characters.
constexpr size_t kMaxTokenLength = 15;

struct ParFile {
    std::vector<std::string> emitterNames;  // at most kMaxEmitters
    // The nine numbers: the first an integer, the others floats. The engine keeps them unread.
    int32_t number1 = 1;
    std::array<float, 8> numbers2to9 = {0.0f, 478.0f, 0.0f, 272.0f, 1.0f, 100.0f, 45.0f, 16.0f / 9.0f};
};

// Letter-led runs of ASCII letters and digits before the first digit-led one name emitters (names
// after the eighth are ignored); the following runs fill the nine numbers. A run that is not a number
// keeps that number's default; huge numbers saturate.
ParFile ParseParText(const char* text, size_t size);
// The folder part of a path, up to and including its last '/' or '\'; empty without one.
std::string DirectoryOf(const std::string& path);
// A name without its last '.' and what follows.
std::string StripExtension(const std::string& name);

// Position, rotation (degrees), scale and pivot, each x, y, z: 48 bytes in the file.
struct TransformBlock {
    std::array<float, 12> values = {0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0};

    enum Group { kPosition = 0, kRotation = 3, kScale = 6, kPivot = 9 };
    float* Group(int group) { return &values[group]; }
    const float* Group(int group) const { return &values[group]; }
    bool operator==(const TransformBlock&) const = default;
};

struct ColorBytes {
    std::array<uint8_t, 4> rgba = {255, 255, 255, 255};
    bool operator==(const ColorBytes&) const = default;
};

template <class T>
struct Range {
    T min;
    T max;
    bool operator==(const Range&) const = default;
};

// Texture coordinates (u, v) of the four quad corners.
using QuadUv = std::array<float, 8>;
constexpr QuadUv kFullTextureUv = {0, 0, 1, 0, 1, 1, 0, 1};

// The ranges a key gives its particles: 448 bytes in the file.
struct KeyParticleRecord {
    // Bits of velocityFromStart: that group of the velocity copies the start block's.
    enum : uint8_t { kCopyPosition = 1, kCopyRotation = 2, kCopyPivot = 4, kCopyScale = 8 };

    uint8_t alignToMotion = 0;
    uint8_t localSpace = 1;  // particles follow the emitter instead of keeping their birth transform
    uint8_t velocityFromStart = 0;
    uint8_t respawnLimit = 0;  // how often each particle may live; 0 = without limit
    Range<ColorBytes> startColor;
    Range<ColorBytes> endColor;
    Range<uint16_t> delay = {100, 500};  // ms
    Range<uint16_t> life = {3000, 5000};
    Range<uint16_t> fadeOut = {500, 1000};
    Range<QuadUv> startUv = {kFullTextureUv, kFullTextureUv};
    Range<QuadUv> endUv = {kFullTextureUv, kFullTextureUv};
    Range<TransformBlock> start;
    Range<TransformBlock> velocity;      // per second
    Range<TransformBlock> acceleration;  // per second squared

    bool operator==(const KeyParticleRecord&) const = default;
};

// Kept from the file without use: 144 bytes.
struct KeyTransformRecord {
    std::array<TransformBlock, 3> blocks;
    bool operator==(const KeyTransformRecord&) const = default;
};

struct EmitterFile {
    std::array<uint8_t, 16> reserved1 = {};
    std::array<char, 16> textureName = {};  // NUL-terminated unless all 16 bytes are used
    uint16_t particleCount = 0;
    std::array<uint8_t, 14> reserved2 = {};
    // The track header.
    uint8_t trackA = 1, trackB = 1, trackC = 1;
    uint8_t keyCount = 0;
    uint8_t trackD = 0;
    uint8_t currentKey = 0;
    uint32_t trackE = 0;
    float trackF = 0.1f;
    std::vector<float> keyTimes;
    std::vector<KeyTransformRecord> keyTransforms;
    std::vector<KeyParticleRecord> keyParticles;

    // The texture name, at most 16 characters.
    std::string Texture() const;
    bool operator==(const EmitterFile&) const = default;
};

// The sizes of the file's parts.
constexpr size_t kEmitterHeadSize = 62;
constexpr size_t kKeyTransformSize = 144;
constexpr size_t kKeyParticleSize = 448;
// The longest meaningful file: 255 keys.
constexpr size_t kMaxEmitterFileSize = kEmitterHeadSize + 255 * (4 + kKeyTransformSize + kKeyParticleSize);

// Decodes any bytes; every key's records start from the defaults. Floats that are not finite read as 0.
EmitterFile DecodeEmitterFile(const uint8_t* bytes, size_t size);
// keyTimes, keyTransforms and keyParticles hold keyCount entries each.
std::vector<uint8_t> EncodeEmitterFile(const EmitterFile& file);
