#include "game/data/game_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/data/log_capture.h"
#include "tests/game/data/temp_config.h"

namespace {

dtGame Load(const std::string& text) {
    TempConfig file(text);
    return dtGame(file.Path());
}

bool Logged(const LogCapture& log, const std::string& message) {
    std::vector<std::string> messages = log.Messages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace

TEST(GameStore, MultipleTrueInAnyCaseMakesARecordSection) {
    struct Case {
        const char* multiple;
        bool records;
    };
    const Case cases[] = {{"true", true}, {"TRUE", true}, {"True", true}, {"yes", false}, {"1", false}, {"", false}};
    for (const Case& c : cases) {
        std::string attribute = *c.multiple ? std::string(" multiple=\"") + c.multiple + "\"" : "";
        dtGame store = Load("<config><clients" + attribute +
                            "><client id=\"Ogre\"><tips>1,2</tips></client><row>7</row></clients></config>");
        ASSERT_TRUE(store.IsLoaded()) << c.multiple;
        if (c.records) {
            EXPECT_EQ(store.GetRecordCount("clients"), 2) << c.multiple;
            EXPECT_STREQ(store.GetRecordString("clients", 0, "tips").CStr(), "1,2");
            EXPECT_STREQ(store.GetRecordId("clients", 0).CStr(), "Ogre");
            EXPECT_STREQ(store.GetRecordId("clients", 1).CStr(), "");
            EXPECT_EQ(store.GetInt("clients", "row"), 0);
        } else {
            // A single section: the record elements become keys holding their text.
            EXPECT_EQ(store.GetRecordCount("clients"), 0) << c.multiple;
            EXPECT_EQ(store.GetInt("clients", "row"), 7) << c.multiple;
        }
    }
}

TEST(GameStore, LaterDuplicatesWin) {
    dtGame store = Load(R"(<?xml version="1.0"?>
<config>
  <!-- two sections of each kind share the name "game" -->
  <game><speed>1</speed><initDelay>2</initDelay></game>
  <game multiple="true"><r id="x"><v>1</v></r></game>
  <game><speed>3</speed><speed>4</speed></game>
  <clients multiple="true">
    <client id="Ogre"><tips>1</tips></client>
    <client><tips>2</tips></client>
    <client id="Witch"><tips>3</tips><_id_>Hag</_id_></client>
    <client id="Ogre"><tips>4</tips></client>
  </clients>
</config>)");
    // The later single section replaced the earlier whole; its later element won.
    EXPECT_EQ(store.GetInt("game", "speed"), 4);
    EXPECT_EQ(store.GetInt("game", "initDelay"), 0);
    // The record section of the same name is kept apart.
    EXPECT_EQ(store.GetRecordInt("game", 0, "v"), 1);

    EXPECT_EQ(store.GetRecordCount("clients"), 4);
    EXPECT_EQ(store.GetRowIndex("clients", "Ogre"), 3);
    EXPECT_EQ(store.GetRecordInt("clients", 1, "tips"), 2);  // no id: readable by position only
    EXPECT_FALSE(store.HasRecordId("clients", ""));
    // A value element named "_id_" replaces the record's id; the row index keeps the attribute.
    EXPECT_STREQ(store.GetRecordId("clients", 2).CStr(), "Hag");
    EXPECT_EQ(store.GetRowIndex("clients", "Witch"), 2);
}

TEST(GameStore, MissingEntriesReadAsEmptyValues) {
    dtGame store = Load(R"(<config><game><speed>12abc</speed><pace> 2.5 </pace></game>
<levels multiple="true"><level id="a"><goal>5</goal></level><level id="b"><goal>6</goal></level></levels></config>)");
    EXPECT_EQ(store.GetInt("game", "speed"), 12);
    EXPECT_FLOAT_EQ(store.GetFloat("game", "pace"), 2.5f);
    EXPECT_EQ(store.GetInt("game", "missing"), 0);
    EXPECT_EQ(store.GetFloat("game", "missing"), 0.0f);
    EXPECT_EQ(store.GetInt("nosection", "speed"), 0);
    EXPECT_EQ(store.GetRecordCount("game"), 0);
    EXPECT_EQ(store.GetRecordCount("nosection"), 0);
    EXPECT_STREQ(store.GetRecordString("levels", 1, "missing").CStr(), "");
    EXPECT_STREQ(store.GetRecordString("levels", 2, "goal").CStr(), "");
    EXPECT_STREQ(store.GetRecordString("levels", -1, "goal").CStr(), "");

    EXPECT_EQ(store.GetRowIndex("levels", "b"), 1);
    EXPECT_EQ(store.GetRowIndex("levels", "unknown"), 0);  // the first record
    EXPECT_EQ(store.GetRowIndex("nosection", "b"), 0);
    EXPECT_TRUE(store.HasRecordId("levels", "b"));
    EXPECT_FALSE(store.HasRecordId("levels", "unknown"));
    EXPECT_FALSE(store.HasRecordId("levels", "unknown"));  // asking did not add it
}

TEST(GameStore, TextIsReadWithItsBlanksNormalised) {
    dtGame store =
        Load("<config><levels multiple=\"true\"><level><potions>  1,\n\t 2, 3  </potions></level></levels></config>");
    EXPECT_STREQ(store.GetRecordString("levels", 0, "potions").CStr(), "1, 2, 3");
}

TEST(GameStore, OnlyAConfigRootLoads) {
    struct Case {
        const char* text;
        bool loaded;
    };
    const Case cases[] = {
        {"<config></config>", true},
        {"<config/>", true},
        {"<Config><game><a>1</a></game></Config>", false},
        {"<settings><game><a>1</a></game></settings>", false},
        {"", false},
        {"just text", false},
        {"<config><game><a>1</a></game>", true},  // an unclosed file keeps what was read
    };
    for (const Case& c : cases) {
        LogCapture log;
        TempConfig file(c.text);
        dtGame store(file.Path());
        EXPECT_EQ(store.IsLoaded(), c.loaded) << c.text;
        if (c.loaded) {
            EXPECT_TRUE(log.Messages().empty()) << c.text;
        } else {
            EXPECT_EQ(store.GetInt("game", "a"), 0) << c.text;
            EXPECT_TRUE(Logged(log, std::string("[ERROR] Game definition file has no config element: ") +
                                        file.Path().CStr()))
                << c.text;
        }
    }
    LogCapture log;
    dtGame missing("/nonexistent/alembria/config.xml");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.GetRecordCount("levels"), 0);
    EXPECT_TRUE(Logged(log, "[ERROR] Game definition file could not be read: /nonexistent/alembria/config.xml"));
}
