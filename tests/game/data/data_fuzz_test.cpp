// Saved progress and config files come from outside: mutated texts must never crash the readers,
// and whatever the progress reader accepts must save and read back unchanged.
// ALEMBRIA_FUZZ_ROUNDS raises the number of rounds for a longer local run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "game/data/game_tables.h"
#include "game/data/magic_game.h"
#include "game/data/saved_progress.h"

namespace {

int Rounds(int brief) {
    const char* wanted = std::getenv("ALEMBRIA_FUZZ_ROUNDS");
    return wanted ? std::atoi(wanted) : brief;
}

// Flips, inserts, deletes, duplicates and truncates pieces of text, favouring the bytes the formats use.
class Mutator {
public:
    explicit Mutator(const std::string& alphabet) : alphabet_(alphabet) {}

    std::string Mutate(std::string text) {
        int edits = 1 + Pick(4);
        for (int i = 0; i < edits; ++i) {
            size_t at = text.empty() ? 0 : static_cast<size_t>(Pick(static_cast<int>(text.size())));
            switch (Pick(6)) {
                case 0:
                    if (!text.empty()) text[at] = Byte();
                    break;
                case 1: text.insert(at, 1, Byte()); break;
                case 2: text.erase(at, static_cast<size_t>(Pick(8))); break;
                case 3: text.insert(at, text.substr(at, static_cast<size_t>(Pick(40)))); break;
                case 4: text.resize(at); break;
                default: text.insert(at, std::to_string(static_cast<int>(generator_()))); break;
            }
        }
        return text;
    }

    int Pick(int bound) { return bound <= 0 ? 0 : static_cast<int>(generator_() % static_cast<unsigned>(bound)); }

private:
    char Byte() {
        if (Pick(4) == 0) return static_cast<char>(1 + Pick(255));
        return alphabet_[static_cast<size_t>(Pick(static_cast<int>(alphabet_.size())))];
    }

    std::string alphabet_;
    std::mt19937 generator_{20261210};
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(DataFuzz, ProgressTextsParseSafelyAndAcceptedOnesRoundTrip) {
    GetGameTables().levelCount = 6;
    UserRecord rich;
    rich.Init();
    for (int i = 0; i < 4; ++i) rich.savedLevels.push_back(SavedLevelRecord::NextLevel(rich.savedLevels.back()));
    rich.savedLevels[2].storedPotions = {3, -1000, -1};
    rich.savedLevels[3].charmBits = 4;
    rich.selectedLevel = 3;
    rich.trophyBits = 0x5A;
    rich.servedPotions = "#$%&'";
    UserRecord fresh;
    fresh.Init();
    const std::vector<std::string> seeds = {fresh.Format().CStr(), rich.Format().CStr(), ""};

    Mutator mutator("0123456789|^;,- !-{");
    for (int round = 0, rounds = Rounds(5000); round < rounds; ++round) {
        std::string text = seeds[static_cast<size_t>(round) % seeds.size()];
        for (int depth = mutator.Pick(3); depth >= 0; --depth) text = mutator.Mutate(text);
        std::unique_ptr<UserRecord> record = UserRecord::Parse(text.c_str());
        if (!record) continue;
        ASSERT_FALSE(record->savedLevels.empty()) << text;
        ASSERT_LE(static_cast<int>(record->savedLevels.size()), GetGameTables().levelCount) << text;
        ASSERT_GE(record->selectedLevel, 0) << text;
        ASSERT_LT(record->selectedLevel, static_cast<int>(record->savedLevels.size())) << text;
        for (const TString* counts : {&record->servedPotions, &record->feathers, &record->artifacts, &record->fruits})
            ASSERT_LE(counts->Length(), static_cast<unsigned>(kMaxLevels)) << text;
        TString saved = record->Format();
        std::unique_ptr<UserRecord> reread = UserRecord::Parse(saved);
        ASSERT_NE(reread, nullptr) << text;
        ASSERT_STREQ(reread->Format().CStr(), saved.CStr()) << text;
        record->AdvanceLevel();
        ASSERT_LT(record->selectedLevel, static_cast<int>(record->savedLevels.size())) << text;
    }
    GetGameTables() = GameTables();
}

TEST(DataFuzz, ConfigFilesLoadSafely) {
    const std::string small = R"(<config><game><maxSecsElapsed>0.05</maxSecsElapsed></game>
<levels multiple="true"><level id="1"><timeMinutes>2.5</timeMinutes><potions>0,1</potions>
<customersSequence>a,d</customersSequence><potionsTypes>1,1</potionsTypes>
<timeCreationClient>1000,2000</timeCreationClient></level></levels>
<potions multiple="TRUE"><potion id="p"><ingredients>A,B</ingredients></potion></potions>
<addons multiple="true"><addon id="0"><costPerLevel>1,2,3</costPerLevel><paramPerLevel>8,6,4</paramPerLevel></addon></addons>
<collapse_levels multiple="true"><c id="x"><charms>tip,growth</charms></c></collapse_levels></config>)";
    const std::vector<std::string> seeds = {small, ReadFile(ALEMBRIA_SOURCE_DIR "/assets/config.xml")};
    ASSERT_GT(seeds[1].size(), 1000u);

    Mutator mutator("<>/=\"! -,.0123456789configlevelsmultipletrue");
    for (int round = 0, rounds = Rounds(200); round < rounds; ++round) {
        // The big seed is slow to read under the sanitizers: one round in eight.
        std::string text = mutator.Mutate(seeds[round % 8 == 0 ? 1 : 0]);
        RegisterMemoryFile("fuzz-config.xml", text.data(), text.size());
        dtMagicGame game("fuzz-config.xml");
        game.LoadTables();
        const GameTables& tables = GetGameTables();
        ASSERT_LE(tables.levelCount, kMaxLevels);
        ASSERT_EQ(tables.levels.Count(), tables.levelCount);
        ASSERT_EQ(static_cast<int>(tables.potions.size()), tables.potionCount);
        game.LoadUserRecord(text.c_str());
        ASSERT_NE(game.GetUserRecord(), nullptr);
        RegisterMemoryFile("fuzz-config.xml", nullptr, 0);
    }
    GetGameTables() = GameTables();
}
