#include "engine/graphics/anim_sequence.h"
#include "engine/graphics/model.h"

#include "engine/core/files/file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Keeps the bytes of the memory files a test registers alive and removes the names at the end.
class MemoryFiles {
public:
    ~MemoryFiles() {
        for (auto& [name, bytes] : files_) RegisterMemoryFile(name.c_str(), nullptr, 0);
    }
    void Add(const std::string& name, std::vector<uint8_t> bytes) {
        files_.emplace_back(name, std::move(bytes));
        RegisterMemoryFile(name.c_str(), files_.back().second.data(), files_.back().second.size());
    }
    void Add(const std::string& name, const std::string& text) { Add(name, std::vector<uint8_t>(text.begin(), text.end())); }

private:
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files_;
};

class Bytes {
public:
    Bytes& Tag(const char* tag) { return Raw(tag, 4); }
    Bytes& Int(int v) { return Raw(&v, 4); }
    Bytes& Float(float v) { return Raw(&v, 4); }
    Bytes& String(const std::string& s) { return Int(static_cast<int>(s.size())).Raw(s.data(), s.size()); }
    Bytes& S16(int v) {
        int16_t value = static_cast<int16_t>(v);
        return Raw(&value, 2);
    }
    std::vector<uint8_t> bytes;

private:
    Bytes& Raw(const void* p, size_t n) {
        bytes.insert(bytes.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
        return *this;
    }
};

const char kWalkXml[] =
    "<animation><sequence name=\"walk\" source=\"walk.psd\">"
    "<img regx=\"5\" regy=\"6\" w=\"64\" h=\"32\" name=\"walk.png\" mask=\"\"/>"
    "<framelist>"
    "<frame x=\"0\" y=\"0\" w=\"32\" h=\"32\" name=\"a\" regx=\"16\" regy=\"30\" xform=\"2 0.5 -1\">"
    "<anchor name=\"hand\" x=\"3\" y=\"4\"/></frame>"
    "<frame x=\"32\" y=\"0\" w=\"30\" h=\"31\" name=\"b\" alpha=\"0.5\"/>"
    "</framelist></sequence></animation>";

// The same description in the binary form, version 2.
std::vector<uint8_t> WalkAnm(int version = 2) {
    Bytes b;
    b.Tag("ANIM").Int(0).Int(version).String("walk").String("walk.psd");
    b.Tag("IMGN").Int(5).Int(6).Int(64).Int(32);
    if (version == 1) b.Float(1).Float(2).Float(3).Float(4);
    b.String("walk.png").String("");
    b.Tag("FRMS").Int(2);
    b.Int(16).Int(30).Int(0).Int(0).Int(32).Int(32);
    if (version > 1) b.Float(1.0f);
    for (float v : {2.0f, 0.5f, -1.0f, 0.0f, 0.0f, 0.0f}) b.Float(v);
    b.String("a").Int(1).Int(3).Int(4).String("hand");
    b.Int(16).Int(30).Int(32).Int(0).Int(30).Int(31);
    if (version > 1) b.Float(0.5f);
    for (float v : {2.0f, 0.5f, -1.0f, 0.0f, 0.0f, 0.0f}) b.Float(v);
    b.String("b").Int(0);
    return b.bytes;
}

void ExpectWalk(const AnimSequence& s) {
    EXPECT_STREQ(s.name.CStr(), "walk");
    EXPECT_STREQ(s.image.CStr(), "walk.png");
    EXPECT_EQ(s.regx, 5);
    EXPECT_EQ(s.w, 64);
    ASSERT_EQ(s.FrameCount(), 2);
    const AnimFrame& a = s.frames[0];
    const AnimFrame& b = s.frames[1];
    EXPECT_EQ(a.regx, 16);
    EXPECT_EQ(b.regx, 16);  // inherited from the frame before
    EXPECT_EQ(b.regy, 30);
    EXPECT_EQ(b.x, 32);
    EXPECT_FLOAT_EQ(a.alpha, 1.0f);
    EXPECT_FLOAT_EQ(b.alpha, 0.5f);
    EXPECT_FLOAT_EQ(a.xform[0], 2.0f);
    EXPECT_FLOAT_EQ(a.xform[2], -1.0f);
    EXPECT_FLOAT_EQ(a.xform[3], 0.0f);
    EXPECT_FLOAT_EQ(b.xform[1], 0.5f);  // an empty transform takes the one before
    ASSERT_EQ(a.anchors.size(), 1u);
    EXPECT_STREQ(a.anchors[0].name.CStr(), "hand");
    EXPECT_EQ(a.anchors[0].y, 4);
    EXPECT_EQ(s.maxWidth, 32);
    EXPECT_EQ(s.maxHeight, 32);
    EXPECT_STREQ(s.script.CStr(), DefaultAnimScript(2).CStr());
}

}  // namespace

TEST(AnimSequence, DefaultScript) {
    EXPECT_STREQ(DefaultAnimScript(3).CStr(), "function DoAnim()\n    delay(60);\n    frames{1,2,3};\nend\n");
    EXPECT_STREQ(DefaultAnimScript(0).CStr(), "function DoAnim()\n    delay(60);\nend\n");
}

TEST(AnimSequence, XmlAndBinaryDescriptionsGiveTheSameFrames) {
    MemoryFiles files;
    files.Add("anim/walk.xml", kWalkXml);
    files.Add("anim/run.anm", WalkAnm());
    files.Add("anim/old.anm", WalkAnm(1));

    AnimSequence xml;
    ASSERT_TRUE(xml.Load("anim/walk"));  // found with ".xml" appended
    EXPECT_STREQ(xml.folder.CStr(), "anim/");
    ExpectWalk(xml);

    AnimSequence anm;
    ASSERT_TRUE(anm.Load("anim/run"));
    ExpectWalk(anm);

    AnimSequence old;
    ASSERT_TRUE(old.Load("anim/old.anm"));
    EXPECT_FLOAT_EQ(old.frames[1].alpha, 1.0f);  // version 1 carries no alpha

    AnimSequence missing;
    EXPECT_FALSE(missing.Load("anim/none"));
}

TEST(AnimSequence, XmlFailuresAndScripts) {
    MemoryFiles files;
    files.Add("a/noseq.xml", "<animation><other/></animation>");
    files.Add("a/noframes.xml", "<sequence name=\"x\"><img name=\"x.png\"/><framelist></framelist></sequence>");
    files.Add("a/script.xml",
              "<sequence><img name=\"x.png\"/><framelist><frame w=\"4\" h=\"4\"/></framelist>"
              "<script luascript=\"function DoAnim() end\"/></sequence>");
    files.Add("a/noimg.xml", "<sequence><framelist><frame w=\"4\" h=\"4\"/></framelist></sequence>");
    AnimSequence s;
    EXPECT_FALSE(s.Load("a/noseq.xml"));
    EXPECT_FALSE(s.Load("a/noframes.xml"));
    EXPECT_FALSE(s.Load("a/noimg.xml"));
    AnimSequence scripted;
    ASSERT_TRUE(scripted.Load("a/script.xml"));
    EXPECT_STREQ(scripted.script.CStr(), "function DoAnim() end");
    EXPECT_FALSE(scripted.frames[0].HasTransform());
}

TEST(AnimSequence, DamagedBinaryDescriptionsFailCleanly) {
    std::vector<uint8_t> good = WalkAnm();
    AnimSequence whole;
    EXPECT_TRUE(whole.ParseAnm(good.data(), good.size()));
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> prefix(good.begin(), good.begin() + cut);
        AnimSequence s;
        EXPECT_FALSE(s.ParseAnm(prefix.data(), prefix.size())) << cut;
    }
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<uint8_t> bytes = good;
        for (int flips = 0; flips < 4; ++flips) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
        AnimSequence s;
        s.ParseAnm(bytes.data(), bytes.size());  // must not crash or allocate without bound
    }
    Bytes huge;
    huge.Tag("ANIM").Int(0).Int(2).String("").String("").Tag("IMGN").Int(0).Int(0).Int(0).Int(0);
    huge.String("").String("").Tag("FRMS").Int(0x7FFFFFFF);
    AnimSequence s;
    EXPECT_FALSE(s.ParseAnm(huge.bytes.data(), huge.bytes.size()));
}

TEST(Model, MeshFiles) {
    MemoryFiles files;
    Bytes empty;
    empty.Tag("TRIS").S16(0).S16(0);
    files.Add("m/empty.mesh", empty.bytes);
    Bytes tri;
    tri.Tag("TRIS").S16(3).S16(1);
    for (int v = 0; v < 3; ++v) tri.S16(-1000).S16(32767).S16(v * 1000).S16(0).S16(0).S16(1000).S16(500).S16(250);
    tri.S16(0).S16(1).S16(2);
    files.Add("m/tri.mesh", tri.bytes);
    Bytes wrong = tri;
    wrong.bytes[0] = 'X';
    files.Add("m/wrong.mesh", wrong.bytes);
    files.Add("m/short.mesh", std::vector<uint8_t>(tri.bytes.begin(), tri.bytes.end() - 1));
    Bytes badIndex = tri;
    badIndex.bytes.back() = 9;
    files.Add("m/badindex.mesh", badIndex.bytes);
    files.Add("m/tri.bin", tri.bytes);

    TModel model;
    EXPECT_TRUE(model.Init("m/empty.mesh"));
    EXPECT_TRUE(model.Vertices().empty());
    ASSERT_TRUE(model.Init("m/tri.mesh"));
    ASSERT_EQ(model.Vertices().size(), 3u);
    EXPECT_FLOAT_EQ(model.Vertices()[0].position.x, -1.0f);
    EXPECT_FLOAT_EQ(model.Vertices()[0].position.y, 32.767f);
    EXPECT_FLOAT_EQ(model.Vertices()[2].position.z, 2.0f);
    EXPECT_FLOAT_EQ(model.Vertices()[1].uv.x, 0.5f);
    EXPECT_EQ(model.Indices(), (std::vector<uint16_t>{0, 1, 2}));

    for (const char* bad : {"m/wrong.mesh", "m/short.mesh", "m/badindex.mesh", "m/tri.bin", "m/none.mesh"}) {
        EXPECT_FALSE(model.Init(bad)) << bad;
        EXPECT_TRUE(model.Vertices().empty()) << bad;
    }
    EXPECT_TRUE(TModel::Get("m/tri.mesh"));
    EXPECT_FALSE(TModel::Get("m/wrong.mesh"));
}
