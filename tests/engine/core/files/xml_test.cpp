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

std::string Events(const std::string& text) {
    EventLog log;
    log.LoadText(text.data(), text.size());
    return log.events;
}

// A character is its whole UTF-8 sequence: the input cut at every byte, inside a sequence too, reads no
// further than its end and keeps the bytes it holds, and a byte that continues a sequence is never markup.
TEST(XmlReader, MultiByteCharactersCutAtEveryPosition) {
    const std::string text = "<a k=\"\xE2\x82\xAC\">\xF0\x9F\x98\x80\xC3\xA9</a>";
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        std::string events = Events(std::string(text, 0, cut)); // a copy of its own: reading past it shows
        std::string expected;
        if (cut >= 2) expected = "open a;";
        if (cut >= 6 && cut < 10) expected += "k=" + text.substr(6, cut - 6) + "q;";
        if (cut >= 10) expected += "k=\xE2\x82\xACq;";
        if (cut > 11) expected += "text " + text.substr(11, std::min<size_t>(cut, 17) - 11) + ";";
        if (cut >= 19) expected += "close;"; // "</" closes
        EXPECT_EQ(events, expected) << "cut at " << cut;
    }
    EXPECT_EQ(Events("<a>\xE2<b>x</a>"), "open a;text \xE2<b;text >;text x;close;") << "'<' continues the sequence";
    EXPECT_EQ(Events("<a>\xC3\"q\"</a>"), "open a;text \xC3\"q\";close;") << "'\"' continues the sequence";
}

TEST(XmlReader, EntitiesAtTokenBoundaries) {
    struct Case {
        const char* xml;
        const char* events;
    } const cases[] = {
        {"<a>&lt;b&gt;</a>", "open a;text <b>;close;"},             // a leading entity makes text, not markup
        {"<a>x&amp;</a>", "open a;text x&;close;"},                  // ends the token
        {"<a>&amp;<b/>&amp;</a>", "open a;text &;open b;close;text &;close;"},
        {"<a>&am<b/>p;</a>", "open a;text &am;open b;close;text p;;close;"}, // cut by markup: no entity
        {"<a>&amp", "open a;text &amp;"},                            // cut by the end
        {"<a k=&quot;v&quot;/>", "open a;k=\"v\";close;"},
        {"<a k=\"&lt;&#233;\"/>", "open a;k=<\xC3\xA9q;close;"},
        {"<a>&#65;&#66</a>", "open a;text A&#66;close;"},
    };
    for (const Case& c : cases) EXPECT_EQ(Events(c.xml), c.events) << c.xml;
}

// Long words are scanned many bytes at a time: whatever ends or changes a word is found wherever it falls
// in it, before, across and after the block boundaries.
TEST(XmlReader, LongWordsStopAtEveryPosition) {
    struct Case {
        std::string inside;
        const char* events; // with P and S for the bytes before and after
    } const cases[] = {
        {" ", "text P;text S;"},
        {"<b/>", "text P;open b;close;text S;"},
        {"=", "text P;text =;text S;"},
        {"&amp;", "text P&S;"},
        {"\"q\"", "text P\"q\"S;"},
        {"\xC3\xA9", "text P\xC3\xA9S;"},
        {"\x01", "text P\x01S;"},
        {std::string(1, '\0'), "text PS;"},
    };
    for (const Case& c : cases) {
        for (size_t before = 1; before < 40; ++before) {
            std::string prefix(before, 'p'), suffix(41 - before, 's');
            std::string expected = std::string("open a;") + c.events + "close;";
            expected.replace(expected.find('P'), 1, prefix);
            expected.replace(expected.find('S'), 1, suffix);
            EXPECT_EQ(Events("<a>" + prefix + c.inside + suffix + "</a>"), expected) << before << " before " << c.events;
        }
    }
}

TEST(XmlReader, UnterminatedQuoteAtTheEnd) {
    EXPECT_EQ(Events("<a k=\"open value"), "open a;k=open valueq;");
    EXPECT_EQ(Events("<a>say \"to the end"), "open a;text say;text to the end;");
    EXPECT_EQ(Events("<a k=\""), "open a;k=q;");
    EXPECT_EQ(Events(std::string("<a>\"x\0y", 7)), "open a;text xy;") << "a NUL carries nothing";
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
