// A colour packed in one 32-bit word 0xAARRGGBB.
#pragma once

#include <cstdint>

class TColor {
public:
    TColor() = default;
    explicit TColor(uint32_t argb) : argb_(argb) {}
    // Channels in 0..1, each multiplied by 255 and truncated toward zero.
    TColor(float r, float g, float b, float a);
    // Bytes in the order red, green, blue, alpha.
    static TColor FromBytes(uint8_t r, uint8_t g, uint8_t b, uint8_t a);

    uint32_t Argb() const { return argb_; }
    uint8_t A() const { return Channel(24); }
    uint8_t R() const { return Channel(16); }
    uint8_t G() const { return Channel(8); }
    uint8_t B() const { return Channel(0); }
    void SetA(uint8_t v) { SetChannel(24, v); }
    void SetR(uint8_t v) { SetChannel(16, v); }
    void SetG(uint8_t v) { SetChannel(8, v); }
    void SetB(uint8_t v) { SetChannel(0, v); }

    bool operator==(const TColor& other) const { return argb_ == other.argb_; }
    bool operator!=(const TColor& other) const { return argb_ != other.argb_; }

private:
    uint8_t Channel(int shift) const { return static_cast<uint8_t>(argb_ >> shift); }
    void SetChannel(int shift, uint8_t v) {
        argb_ = (argb_ & ~(0xFFu << shift)) | (static_cast<uint32_t>(v) << shift);
    }

    uint32_t argb_ = 0;
};
