#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/core/base/config.h"
#include "engine/core/files/settings_file.h"
#include "engine/core/files/stringtable.h"
#include "tests/engine/core/files/file_fixture.h"

namespace {

std::string Row(const std::string& label, const std::string& text) {
    return "<Row ss:Height=\"12\"><Cell><Data ss:Type=\"String\">" + label +
           "</Data></Cell><Cell ss:StyleID=\"s1\"><Data ss:Type=\"String\">" + text + "</Data></Cell></Row>\n";
}

std::string Workbook(const std::string& rows) {
    return "<?xml version=\"1.0\"?>\n<Workbook><Styles><Style ss:ID=\"s1\"/></Styles><Worksheet><Table>\n" + rows +
           "</Table></Worksheet></Workbook>\n";
}

std::string Zxml(const std::string& text) {
    uLongf size = compressBound(text.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    packed.resize(size);
    uint32_t c = static_cast<uint32_t>(size), u = static_cast<uint32_t>(text.size());
    std::string out = "ZXML";
    out.append(reinterpret_cast<const char*>(&c), 4);
    out.append(reinterpret_cast<const char*>(&u), 4);
    return out + packed;
}

class StringTableTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        std::string rows = Row("LEVEL", "Level %1% of %2%") + Row("SURE", "100%% sure") +
                           Row("HELP_TITLE", "Help") + Row("SEE", "See %HELP_TITLE%") + Row("OFF", "50% off") +
                           Row("DROP", "a%7%b%NO_SUCH_LABEL%c") + Row("SELF", "x%SELF%y") +
                           Row("AMP", "Salt &amp; Pepper &#233;") + Row("PARAM", "[%1%]") +
                           Row("EMPTYROW", "");
        rows += "<Row><Cell><Data ss:Type=\"String\">NOTEXT</Data></Cell></Row>\n";
        Write("strings.xml", Workbook(rows));
        StartLog();
        ASSERT_TRUE(table_.LoadXml("::strings.xml"));
    }

    std::string Get(const char* label, const std::vector<TString>& parameters = {}) const {
        return table_.Lookup(label, parameters).CStr();
    }

    TStringTable table_;
};

TEST_F(StringTableTest, ExpandsEveryEscapeForm) {
    struct Case {
        const char* label;
        std::vector<TString> parameters;
        const char* expected;
    } const cases[] = {
        {"LEVEL", {"3", "10"}, "Level 3 of 10"},
        {"SURE", {}, "100% sure"},
        {"SEE", {}, "See Help"},
        {"DROP", {"p1", "p2"}, "abc"},
        {"SELF", {}, "xx%SELF%yy"}, // inserted once, not expanded again
        {"AMP", {}, "Salt & Pepper \xC3\xA9"},
        {"PARAM", {"%%"}, "[%]"},
        {"PARAM", {"%HELP_TITLE%"}, "[Help]"},
        {"PARAM", {"%NOPE%"}, "[%NOPE%]"},
        {"PARAM", {}, "[]"},
        {"NOTEXT", {}, ""},
        {"EMPTYROW", {}, ""},
        {"OFF", {}, "50% off"},
    };
    for (const Case& c : cases) EXPECT_EQ(Get(c.label, c.parameters), c.expected) << c.label;
    EXPECT_STREQ(table_.GetString("LEVEL", "1", "2", "", "", "").CStr(), "Level 1 of 2");
    EXPECT_STREQ(table_.GetString("PARAM").CStr(), "[]");
}

TEST_F(StringTableTest, LogsMissingLabelsAndUnmatchedPercents) {
    EXPECT_EQ(Get("NOWHERE"), "#####");
    Get("OFF");
    table_.SetSilent(true);
    EXPECT_EQ(Get("SILENT"), "#####");
    std::string log = LogText();
    EXPECT_NE(log.find(" ##### : Missing string for label 'NOWHERE'"), std::string::npos);
    EXPECT_NE(log.find("Non-matched percent (%) escape found in string OFF, '50% off'"), std::string::npos);
    EXPECT_EQ(log.find("SILENT"), std::string::npos);
}

TEST_F(StringTableTest, StringTestModeMasksEveryNonBlank) {
    SetConfig("stringtest", "1");
    EXPECT_EQ(Get("LEVEL", {"3", "10"}), "xxxxx x xx xx");
}

TEST_F(StringTableTest, LaterRowsReplaceAndFlashStringsAreListed) {
    std::string text = Workbook(Row("SURE", "replaced") + Row("FLASH_TITLE", "T") + Row("flash01_02", "F") +
                                Row("flashy", "no"));
    table_.LoadText(text.data(), text.size());
    EXPECT_EQ(Get("SURE"), "replaced");
    std::vector<std::pair<TString, TString>> flash;
    table_.GetFlashStrings(flash);
    ASSERT_EQ(flash.size(), 2u);
    EXPECT_STREQ(flash[0].first.CStr(), "FLASH_TITLE");
    EXPECT_STREQ(flash[1].first.CStr(), "flash01_02");
}

TEST_F(StringTableTest, CompressedTableEqualsItsPlainTwin) {
    Write("packed.xml", Zxml(ReadDisk("strings.xml")));
    TStringTable packed;
    ASSERT_TRUE(packed.LoadXml("::packed.xml"));
    EXPECT_EQ(packed.Size(), table_.Size());
    for (const char* label : {"LEVEL", "SEE", "AMP", "NOTEXT"})
        EXPECT_STREQ(packed.Lookup(label, {"a", "b"}).CStr(), table_.Lookup(label, {"a", "b"}).CStr());
}

TEST_F(StringTableTest, DamagedInputLeavesTheTableUsable) {
    const std::string damaged[] = {
        "ZXML\x10\0\0\0\x10\0\0\0garbage-garbage!",
        "ZXML",
        "<Row><Data",
        "<Row><Data>unterminated",
        "<Row><Data>a</Data><Row><Data>b</Data><Data>c",
        std::string("<Row><Data>x\0y</Data></Row>", 28),
        "<Row><Row><Row>",
    };
    for (const std::string& bytes : damaged) {
        Write("bad.xml", bytes);
        table_.LoadXml("::bad.xml");
    }
    EXPECT_EQ(Get("LEVEL", {"3", "10"}), "Level 3 of 10");
    EXPECT_NE(LogText().find("String table ::bad.xml: damaged compressed file"), std::string::npos) << LogText();
    EXPECT_FALSE(table_.LoadXml("::missing.xml"));
}

TEST_F(StringTableTest, SettingsFileFeedsTheSettings) {
    Write("assets/settings.xml", "<settings><gamename>Alembria</gamename><vsync>1</vsync></settings>");
    Write("assets/settings.zxml", Zxml("<settings><publisher>Corvanta</publisher></settings>"));
    ASSERT_TRUE(LoadSettingsFile("::assets/settings.xml"));
    ASSERT_TRUE(LoadSettingsFile("::assets/settings.zxml"));
    EXPECT_STREQ(GetConfig("gamename").CStr(), "Alembria");
    EXPECT_STREQ(GetConfig("publisher").CStr(), "Corvanta");
    EXPECT_TRUE(IsEnabled("vsync"));
    EXPECT_FALSE(LoadSettingsFile("::assets/none.xml"));
    EXPECT_STREQ(GetConfig("gamename").CStr(), "Alembria");
}

}  // namespace
