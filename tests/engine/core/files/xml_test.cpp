#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "engine/core/files/xml.h"
#include "tests/engine/core/files/file_fixture.h"

namespace {

std::unique_ptr<TXmlNode> Parse(const std::string& text) {
    auto root = std::make_unique<TXmlNode>();
    root->LoadText(text.data(), text.size());
    return root;
}

std::string Zxml(const std::string& text, int32_t statedCompressedDelta = 0, int32_t statedSizeDelta = 0) {
    uLongf size = compressBound(text.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    packed.resize(size);
    uint32_t c = static_cast<uint32_t>(size + statedCompressedDelta);
    uint32_t u = static_cast<uint32_t>(text.size() + statedSizeDelta);
    std::string out = "ZXML";
    out.append(reinterpret_cast<const char*>(&c), 4);
    out.append(reinterpret_cast<const char*>(&u), 4);
    return out + packed;
}

TEST(XmlReader, TextIsJoinedWithSingleBlanks) {
    struct Case {
        const char* xml;
        const char* text;
    } const cases[] = {
        {"<a>  Hello \n  world </a>", "Hello world"},
        {"<a>x=1</a>", "x = 1"},
        {"<a>say \"two words\" now</a>", "say two words now"},
        {"<a>before<b/>after</a>", "before after"},
        {"<a>&#65;&amp;&lt;&gt;&quot;&apos;</a>", "A&<>\"'"},
        {"<a>&lt;b&gt; stays text</a>", "<b> stays text"},
        {"<a>&unknown; &#; &#0; &#x41;</a>", "&unknown; &#; &#0; &#x41;"},
        {"<a>&#233;&#8364;</a>", "\xC3\xA9\xE2\x82\xAC"},
        {"<a>&#1114112;</a>", "&#1114112;"},
        {"<a>caf\xC3\xA9 \xE2\x82\xAC</a>", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"<a><!-- a comment > with -- inside --> kept</a>", "kept"},
        {"<a><!-- a --><!----> x</a>", "x"},
    };
    for (const Case& c : cases) {
        auto root = Parse(c.xml);
        TXmlNode* a = root->FindChild("a");
        ASSERT_NE(a, nullptr) << c.xml;
        EXPECT_STREQ(a->GetText().CStr(), c.text) << c.xml;
    }
}

TEST(XmlReader, AttributesAndEmptyElements) {
    auto root = Parse("<?xml version=\"1.0\"?><!DOCTYPE x><root><a x=\"1 2\" y=3/><b k=v/><c z=\"&lt;\" / ></root>");
    TXmlNode* top = root->FindChild("root");
    ASSERT_NE(top, nullptr);
    ASSERT_EQ(top->ChildCount(), 3u);
    TXmlNode* a = top->FindChild("a");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->Attributes().size(), 2u);
    EXPECT_STREQ(a->GetAttribute("x").CStr(), "1 2");
    EXPECT_TRUE(a->Attributes()[0].quoted);
    EXPECT_STREQ(a->GetAttribute("y").CStr(), "3");
    EXPECT_FALSE(a->Attributes()[1].quoted);
    EXPECT_FALSE(a->HasChildren());
    EXPECT_STREQ(top->FindChild("b")->GetAttribute("k").CStr(), "v");
    EXPECT_STREQ(top->FindChild("c")->GetAttribute("z").CStr(), "<");
    EXPECT_STREQ(a->GetAttribute("missing", "fallback").CStr(), "fallback");
    EXPECT_EQ(root->ChildCount(), 1u); // the declaration and doctype left nothing behind
}

TEST(XmlReader, NavigationIsExactAndInDocumentOrder) {
    auto root = Parse("<level><Level/><b/><level/></level>");
    TXmlNode* level = root->FindChild("level");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(root->FindChild("Level"), nullptr);
    std::vector<std::string> names;
    TString name;
    TXmlNode* child = nullptr;
    level->ResetChildIterator();
    while (level->NextChild(name, child)) names.emplace_back(name.CStr());
    EXPECT_EQ(names, (std::vector<std::string>{"Level", "b", "level"}));
    EXPECT_FALSE(level->NextChild(name, child));
    level->ResetChildIterator();
    EXPECT_TRUE(level->NextChild(name, child));
}

TEST(XmlReader, MalformedInputKeepsWhatWasRead) {
    const std::string inputs[] = {
        "<a><b>text",     "</x></y><a/>",    "<a x=>",        "<a x></a>",  "<",   "<a \"q\">", "<!-- open",
        std::string("<a>\0z</a>", 9),  "<= > <a/>",       "<a/ b>",        "<<<<>>>>",   "&",   "<a b=\"unterminated",
        "\xF0",           "<a>\xE2\x82</a>", "<?xml",
    };
    for (const std::string& input : inputs) {
        auto root = Parse(input);
        root->ToString(); // must not crash on whatever was built
    }
    auto partial = Parse("<a><b>text");
    ASSERT_NE(partial->FindChild("a"), nullptr);
    EXPECT_STREQ(partial->FindChild("a")->FindChild("b")->GetText().CStr(), "text");
}

TEST(XmlReader, DeepNestingStopsTheParse) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    auto root = Parse("<top>kept</top>" + deep);
    EXPECT_STREQ(root->FindChild("top")->GetText().CStr(), "kept");
    size_t depth = 0;
    for (TXmlNode* node = root->FindChild("a"); node; node = node->FindChild("a")) ++depth;
    EXPECT_GT(depth, 100u);
    EXPECT_LT(depth, 1000u);
    root->ToString();
}

TEST(XmlWriter, SerialisesIndentedAndEscaped) {
    auto root = Parse("<a x=\"1 2\" y=3><b>hi &amp; bye</b></a>");
    TXmlNode* a = root->FindChild("a");
    a->FindChild("b")->AddText("\x07", 1);
    EXPECT_STREQ(a->ToString().CStr(),
                 "<a\n    x=\"1 2\"\n    y=3>\n"
                 "    <b>\n    hi &amp; bye &#7;\n    </b>\n"
                 "</a>\n");
    a->SetAttribute("y", "<4>");
    a->SetAttribute("z", "new");
    EXPECT_STREQ(a->GetAttribute("y").CStr(), "<4>");
    EXPECT_EQ(a->Attributes().size(), 3u);
}

TEST(XmlEscaping, EscapeAndUnescape) {
    EXPECT_STREQ(EscapeXml("a&b<c>d\"e'f\n\x01g").CStr(), "a&amp;b&lt;c&gt;d&quot;e&apos;f&#10;&#1;g");
    EXPECT_STREQ(UnescapeXml("a&amp;b&lt;c&gt;d&quot;e&apos;f&#10;&#1;g").CStr(), "a&b<c>d\"e'f\n\x01g");
    EXPECT_STREQ(UnescapeXml("&amp").CStr(), "&amp");
    EXPECT_STREQ(UnescapeXml("&#99999999999;").CStr(), "&#99999999999;");
}

// A builder subclass receives the parse as events.
class EventLog : public TXmlNode {
public:
    TXmlNode* AddChild(const TString& name) override {
        events += "open " + std::string(name.CStr()) + ";";
        return this;
    }
    void EndChild() override { events += "close;"; }
    void AddText(const char* text, size_t length) override { events += "text " + std::string(text, length) + ";"; }
    void AddAttribute(const TString& name, const TString& value, bool quoted) override {
        events += std::string(name.CStr()) + "=" + value.CStr() + (quoted ? "q;" : ";");
    }
    std::string events;
};

TEST(XmlReader, BuilderCallsCanBeOverridden) {
    EventLog log;
    std::string text = "<a k=\"v\">t<b/></a>";
    log.LoadText(text.data(), text.size());
    EXPECT_EQ(log.events, "open a;k=vq;text t;open b;close;close;");
}

using XmlFileTest = FileLayerTest;

TEST_F(XmlFileTest, CompressedFilesReadLikeTheirPlainTwin) {
    std::string text = "<settings>\r\n<gamename>Alembria</gamename><w v=\"1\">x &amp; y</w></settings>";
    Write("assets/plain.xml", text);
    Write("assets/packed.xml", Zxml(text));
    WritePackage("assets/p.qvp", {{"inpackage.xml", Zxml(text)}});
    InitFileSystem();
    TXmlNode plain, packed, inPackage;
    ASSERT_TRUE(plain.Load("plain.xml"));
    ASSERT_TRUE(packed.Load("packed.xml"));
    ASSERT_TRUE(inPackage.Load("inpackage.xml"));
    EXPECT_STREQ(plain.ToString().CStr(), packed.ToString().CStr());
    EXPECT_STREQ(plain.ToString().CStr(), inPackage.ToString().CStr());
    EXPECT_NE(plain.FindChild("settings"), nullptr);
}

TEST_F(XmlFileTest, DamagedCompressedFilesFailTheLoad) {
    std::string text = "<a>some text to compress</a>";
    std::string good = Zxml(text);
    struct Case {
        const char* label;
        std::string bytes;
    } const cases[] = {
        {"compressed size beyond the file", Zxml(text, 1)},
        {"stated size too small", Zxml(text, 0, -1)},
        {"stated size too large", Zxml(text, 0, 1)},
        {"absurd stated size", Zxml(text, 0, 0x7FFFFFFF)},
        {"header only", good.substr(0, 12)},
        {"short header", good.substr(0, 7)},
        {"corrupt stream", good.substr(0, 12) + std::string(good.size() - 12, '\x55')},
    };
    for (const Case& c : cases) {
        Write("assets/bad.xml", c.bytes);
        StartLog();
        TXmlNode node;
        EXPECT_FALSE(node.Load("::assets/bad.xml")) << c.label;
        EXPECT_FALSE(node.HasChildren()) << c.label;
        EXPECT_NE(LogText().find("XML file ::assets/bad.xml: damaged compressed block"), std::string::npos)
            << c.label;
    }
    TXmlNode missing;
    EXPECT_FALSE(missing.Load("::assets/none.xml"));
}

}  // namespace
