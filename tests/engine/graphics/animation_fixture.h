// Animation descriptions and their picture sheet as memory files, over the sprite test display.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/graphics/animated_texture.h"
#include "tests/engine/graphics/image_fixtures.h"
#include "tests/engine/graphics/sprite_fixture.h"

// An 8 x 4 sheet: a red 4 x 4 frame on the left, a green one on the right.
inline Bytes Sheet() {
    std::vector<uint16_t> samples;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            samples.insert(samples.end(), {uint16_t(x < 4 ? 255 : 0), uint16_t(x < 4 ? 0 : 255), 0, 255});
    return WritePng(MakePng(8, 4, PNG_COLOR_TYPE_RGBA, 8, samples));
}

inline const char kBlink[] =
    "<animation><sequence name=\"blink\" source=\"\">"
    "<img w=\"8\" h=\"4\" name=\"blink.png\" mask=\"\"/>"
    "<framelist>"
    "<frame x=\"0\" y=\"0\" w=\"4\" h=\"4\" regx=\"0\" regy=\"0\"/>"
    "<frame x=\"4\" y=\"0\" w=\"4\" h=\"4\" regx=\"1\" regy=\"2\" alpha=\"0.5\"/>"
    "<frame x=\"0\" y=\"0\" w=\"4\" h=\"4\" regx=\"0\" regy=\"0\" xform=\"2 0 0 2 0 0\"/>"
    "</framelist></sequence></animation>";

// One 4 x 4 frame of a binary ".anm" description: its place on the sheet, registration point,
// alpha and scale (-1e7: none).
struct AnmFrame {
    int regx, regy, x;
    float alpha, scale;
};

// A binary ".anm" description of 4 x 4 frames on an imageWidth x 4 sheet, carrying script (empty: none).
inline Bytes AnmFile(const std::string& name, const std::string& image, int imageWidth,
                     const std::vector<AnmFrame>& frames, const std::string& script) {
    Bytes anm;
    auto raw = [&](const void* p, size_t n) {
        anm.insert(anm.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    };
    auto i32 = [&](int v) { raw(&v, 4); };
    auto f32 = [&](float v) { raw(&v, 4); };
    auto str = [&](const std::string& text) {
        i32(static_cast<int>(text.size()));
        raw(text.data(), text.size());
    };
    raw("ANIM", 4), i32(0), i32(2), str(name), str("");
    raw("IMGN", 4), i32(0), i32(0), i32(imageWidth), i32(4), str(image), str("");
    raw("FRMS", 4), i32(static_cast<int>(frames.size()));
    for (const AnmFrame& f : frames) {
        i32(f.regx), i32(f.regy), i32(f.x), i32(0), i32(4), i32(4), f32(f.alpha);
        f32(f.scale), f32(0), f32(0), f32(f.scale < 0 ? 0 : f.scale), f32(0), f32(0);
        str(""), i32(0);
    }
    if (!script.empty()) raw("SCRP", 4), str(script);
    return anm;
}

// The frames of kBlink as a binary ".anm" description carrying script (empty: none).
inline Bytes BlinkAnm(const std::string& script) {
    return AnmFile("blink", "blink.png", 8, {{0, 0, 0, 1.0f, -1e7f}, {1, 2, 4, 0.5f, -1e7f}, {0, 0, 0, 1.0f, 2.0f}},
                   script);
}

class AnimatedTextureTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        SetAssetManager(&manager);
    }
    void TearDown() override {
        for (const std::string& name : names) RegisterMemoryFile(name.c_str(), nullptr, 0);
        SetAssetManager(nullptr);
        SpriteTest::TearDown();
    }
    void Add(const std::string& name, Bytes bytes) {
        files.push_back(std::move(bytes));
        names.push_back(name);
        RegisterMemoryFile(name.c_str(), files.back().data(), files.back().size());
    }
    void Add(const std::string& name, const std::string& text) { Add(name, Bytes(text.begin(), text.end())); }

    TAssetManager manager;
    std::list<Bytes> files;
    std::vector<std::string> names;
};
