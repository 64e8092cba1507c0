#include "game/shop/particles/particle_format.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
bool IsAlnumChar(char c) { return IsDigitChar(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The tokens of the text, each cut to kMaxTokenLength characters.
std::vector<std::string> Tokens(const char* text, size_t size) {
    std::vector<std::string> tokens;
    for (size_t at = 0; at < size;) {
        if (!IsAlnumChar(text[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < size && IsAlnumChar(text[end])) ++end;
        tokens.emplace_back(text + at, std::min(end - at, kMaxTokenLength));
        at = end;
    }
    return tokens;
}

// The token's digits as a number saturated at limit; false when it holds anything else.
bool ParseDigits(const std::string& token, double limit, double* value) {
    double number = 0.0;
    for (char c : token) {
        if (!IsDigitChar(c)) return false;
        number = std::min(number * 10.0 + (c - '0'), limit);
    }
    *value = number;
    return true;
}

void ParseNumber(const std::string& token, int index, ParFile& par) {
    double value;
    if (index == 0) {
        if (ParseDigits(token, std::numeric_limits<int32_t>::max(), &value)) par.number1 = static_cast<int32_t>(value);
    } else if (ParseDigits(token, std::numeric_limits<float>::max(), &value)) {
        par.numbers2to9[index - 1] = static_cast<float>(value);
    }
}

// Reads little-endian fields from a block; a field that does not fit before the end is left as it was.
class FieldReader {
public:
    FieldReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    void Skip(size_t count) { at_ += count; }
    void U8(uint8_t& field) { Bytes(&field, 1); }
    void U16(uint16_t& field) {
        uint8_t b[2];
        if (Bytes(b, 2)) field = static_cast<uint16_t>(b[0] | b[1] << 8);
    }
    void U32(uint32_t& field) {
        uint8_t b[4];
        if (Bytes(b, 4)) field = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    }
    void F32(float& field) {
        uint32_t word = std::bit_cast<uint32_t>(field);
        U32(word);
        float value = std::bit_cast<float>(word);
        field = std::isfinite(value) ? value : 0.0f;
    }
    template <size_t N>
    void Raw(std::array<uint8_t, N>& field) { Bytes(field.data(), N); }
    template <size_t N>
    void Raw(std::array<char, N>& field) { Bytes(field.data(), N); }
    template <size_t N>
    void Floats(std::array<float, N>& field) {
        for (float& value : field) F32(value);
    }
    void Block(TransformBlock& block) { Floats(block.values); }
    void Color(ColorBytes& color) { Raw(color.rgba); }

private:
    bool Bytes(void* out, size_t count) {
        bool fits = at_ <= size_ && count <= size_ - at_;
        if (fits) std::memcpy(out, bytes_ + at_, count);
        at_ += count;
        return fits;
    }

    const uint8_t* bytes_;
    size_t size_;
    size_t at_ = 0;
};

class FieldWriter {
public:
    void U8(uint8_t value) { bytes.push_back(value); }
    void U16(uint16_t value) { U8(value & 0xFF), U8(value >> 8); }
    void U32(uint32_t value) { U16(value & 0xFFFF), U16(value >> 16); }
    void F32(float value) { U32(std::bit_cast<uint32_t>(value)); }
    template <class T, size_t N>
    void Raw(const std::array<T, N>& field) {
        for (T value : field) U8(static_cast<uint8_t>(value));
    }
    template <size_t N>
    void Floats(const std::array<float, N>& field) {
        for (float value : field) F32(value);
    }
    void Block(const TransformBlock& block) { Floats(block.values); }
    void Color(const ColorBytes& color) { Raw(color.rgba); }

    std::vector<uint8_t> bytes;
};

// One walk over the particle record's fields serves reading and writing.
template <class Io, class Record>
void ParticleRecordFields(Io& io, Record& r) {
    io.U8(r.alignToMotion), io.U8(r.localSpace), io.U8(r.velocityFromStart), io.U8(r.respawnLimit);
    io.Color(r.startColor.min), io.Color(r.startColor.max), io.Color(r.endColor.min), io.Color(r.endColor.max);
    io.U16(r.delay.min), io.U16(r.delay.max), io.U16(r.life.min), io.U16(r.life.max);
    io.U16(r.fadeOut.min), io.U16(r.fadeOut.max);
    io.Floats(r.startUv.min), io.Floats(r.startUv.max), io.Floats(r.endUv.min), io.Floats(r.endUv.max);
    io.Block(r.start.min), io.Block(r.start.max), io.Block(r.velocity.min), io.Block(r.velocity.max);
    io.Block(r.acceleration.min), io.Block(r.acceleration.max);
}

template <class Io, class File>
void HeadFields(Io& io, File& f) {
    io.Raw(f.reserved1), io.Raw(f.textureName), io.U16(f.particleCount), io.Raw(f.reserved2);
    io.U8(f.trackA), io.U8(f.trackB), io.U8(f.trackC), io.U8(f.keyCount), io.U8(f.trackD), io.U8(f.currentKey);
    io.U32(f.trackE), io.F32(f.trackF);
}

}  // namespace

ParFile ParseParText(const char* text, size_t size) {
    ParFile par;
    int numberIndex = -1;  // -1 while emitter names are read
    for (const std::string& token : Tokens(text, std::min(size, kParHeadSize))) {
        if (numberIndex < 0 && !IsDigitChar(token[0])) {
            if (par.emitterNames.size() < kMaxEmitters) par.emitterNames.push_back(token);
            continue;
        }
        numberIndex = std::max(numberIndex, 0);
        if (numberIndex < 9) ParseNumber(token, numberIndex++, par);
    }
    return par;
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string StripExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string EmitterFile::Texture() const {
    return std::string(textureName.data(), strnlen(textureName.data(), textureName.size()));
}

EmitterFile DecodeEmitterFile(const uint8_t* bytes, size_t size) {
    EmitterFile file;
    FieldReader reader(bytes, size);
    HeadFields(reader, file);
    file.keyTimes.assign(file.keyCount, 0.0f);
    for (float& time : file.keyTimes) reader.F32(time);
    file.keyTransforms.resize(file.keyCount);
    file.keyParticles.resize(file.keyCount);
    for (int key = 0; key < file.keyCount; ++key) {
        for (TransformBlock& block : file.keyTransforms[key].blocks) reader.Block(block);
        ParticleRecordFields(reader, file.keyParticles[key]);
    }
    return file;
}

std::vector<uint8_t> EncodeEmitterFile(const EmitterFile& file) {
    FieldWriter writer;
    HeadFields(writer, file);
    for (float time : file.keyTimes) writer.F32(time);
    for (size_t key = 0; key < file.keyParticles.size(); ++key) {
        for (const TransformBlock& block : file.keyTransforms[key].blocks) writer.Block(block);
        ParticleRecordFields(writer, file.keyParticles[key]);
    }
    return writer.bytes;
}
