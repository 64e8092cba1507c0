#include "game/data/saved_progress.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/core/base/log.h"
#include "game/data/game_tables.h"
#include "game/data/value_lists.h"

namespace {

constexpr int kLevelFieldCount = 12;
constexpr int kUserFieldCount = 11;
constexpr int kUserVersion = 1;
constexpr int kMaxCharmBits = 8;

int LevelCount() {
    return GetGameTables().levelCount;
}

const char* FlagText(bool flag) {
    return flag ? "1" : "0";
}
bool ReadFlag(const TString& field) {
    return field.ToInt() == 1;
}

// Fields written with "%u"; read back whole, whatever their size.
uint32_t ReadUnsigned(const TString& field) {
    return static_cast<uint32_t>(std::strtoul(field.CStr(), nullptr, 10));
}

TString JoinTriple(const std::array<int, 3>& values) {
    return JoinIntList(std::vector<int>(values.begin(), values.end()), ',');
}

bool ReadTriple(const TString& field, std::array<int, 3>& out) {
    std::vector<int> values;
    ParseIntList(values, field);
    if (values.size() != out.size()) return false;
    std::copy(values.begin(), values.end(), out.begin());
    return true;
}

// A count text as it is saved: at most kMaxLevels characters, each a count that reads back.
TString SavedCountText(const TString& text) {
    TString saved;
    unsigned length = std::min<unsigned>(text.Length(), kMaxLevels);
    for (unsigned i = 0; i < length; ++i) saved += SavedCountChar(SavedCountValue(text.CharAt(i)));
    return saved;
}

TString BareCountText() {
    return TString(std::string(kMaxLevels, '!').c_str());
}

// Sums held in a damaged profile may be as large as an int goes; the sum stops there.
int AddMoney(int a, int b) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

// Logs the refusal (a message with one "%s" for the refused text) and answers false.
bool Refuse(const char* message, const TString& text) {
    LogPrintf(message, text.CStr());
    return false;
}

}  // namespace

char SavedCountChar(int count) {
    return static_cast<char>('!' + std::clamp(count, 0, kMaxSavedCount));
}

int SavedCountValue(char saved) {
    return static_cast<unsigned char>(saved) - '!';
}

SavedLevelRecord SavedLevelRecord::NextLevel(const SavedLevelRecord& finished) {
    SavedLevelRecord next = finished;
    next.level = finished.level + 1;
    next.startMoney = AddMoney(finished.startMoney, finished.earnedMoney);
    next.earnedMoney = 0;
    next.collapseDue = false;
    next.expert = false;
    return next;
}

TString SavedLevelRecord::Format() const {
    return TString::Format("%d^%d^%d^%s^%d^%d^%d^%d^%s^%s^%d^%s", level, startMoney, earnedMoney, FlagText(collapseDue),
                           drawerLevel, shoesLevel, phoenixLevel, harpLevel, JoinTriple(cauldronLevels).CStr(),
                           JoinTriple(storedPotions).CStr(), charmBits, FlagText(expert));
}

bool SavedLevelRecord::Parse(const TString& text) {
    std::vector<TString> fields;
    SplitStringStripBlanks(fields, text, '^');
    if (fields.size() != kLevelFieldCount) return Refuse("[ERROR] Invalid level: %s", text);

    level = fields[0].ToInt();
    if (level < 0 || level > LevelCount()) return Refuse("[ERROR] Invalid level number: %s", text);
    startMoney = fields[1].ToInt();
    earnedMoney = fields[2].ToInt();
    collapseDue = ReadFlag(fields[3]);
    drawerLevel = fields[4].ToInt();
    shoesLevel = fields[5].ToInt();
    phoenixLevel = fields[6].ToInt();
    harpLevel = fields[7].ToInt();
    if (!ReadTriple(fields[8], cauldronLevels)) return Refuse("[ERROR] Invalid cauldrons per level: %s", text);
    if (!ReadTriple(fields[9], storedPotions)) return Refuse("[ERROR] Invalid stored potions per level: %s", text);
    charmBits = fields[10].ToInt();
    if (charmBits < 0 || charmBits > kMaxCharmBits) return Refuse("[ERROR] Invalid charms per level: %s", text);
    expert = ReadFlag(fields[11]);
    return true;
}

UserRecord::UserRecord()
    : servedPotions(BareCountText()), feathers(BareCountText()), artifacts(BareCountText()), fruits(BareCountText()) {}

void UserRecord::Init() {
    savedLevels.emplace_back();
    selectedLevel = 0;
}

TString UserRecord::Format() const {
    TString levels;
    for (size_t i = 0; i < savedLevels.size(); ++i) {
        if (i > 0) levels += ';';
        levels += savedLevels[i].Format();
    }
    return TString::Format("%d|%d|%s|%u|%u|%u|%u|%s|%s|%s|%s", version, selectedLevel, levels.CStr(), trophyBits,
                           cleanLevelBits, expertLevelBits, itemsBought, SavedCountText(servedPotions).CStr(),
                           SavedCountText(feathers).CStr(), SavedCountText(artifacts).CStr(),
                           SavedCountText(fruits).CStr());
}

std::unique_ptr<UserRecord> UserRecord::Parse(const TString& text) {
    std::vector<TString> fields;
    SplitStringStripBlanks(fields, text, '|');
    if (fields.size() != kUserFieldCount) {
        LogPrintf("[WARN] Empty or invalid user string: %s", text.CStr());
        return nullptr;
    }
    auto record = std::make_unique<UserRecord>();
    record->version = fields[0].ToInt();
    if (record->version != kUserVersion) {
        LogPrintf("[ERROR] Invalid version in string: %s", text.CStr());
        return nullptr;
    }

    std::vector<TString> pieces;
    SplitStringStripBlanks(pieces, fields[2], ';');
    if (static_cast<int>(pieces.size()) > LevelCount()) {
        LogPrintf("[ERROR] Invalid number of levels: %s", fields[2].CStr());
        pieces.resize(static_cast<size_t>(std::max(LevelCount(), 0)));
    }
    for (const TString& piece : pieces) {
        SavedLevelRecord level;
        if (!level.Parse(piece)) break;
        record->savedLevels.push_back(level);
    }
    if (record->savedLevels.empty()) {
        LogPrintf("[ERROR] Missing valid level: %s", fields[2].CStr());
        return nullptr;
    }

    int savedCount = static_cast<int>(record->savedLevels.size());
    record->selectedLevel = fields[1].ToInt();
    if (record->selectedLevel < 0 || record->selectedLevel >= savedCount) {
        LogPrintf("[ERROR] Invalid level selected: %s", text.CStr());
        record->selectedLevel = savedCount - 1;
    }
    record->trophyBits = ReadUnsigned(fields[3]);
    record->cleanLevelBits = ReadUnsigned(fields[4]);
    record->expertLevelBits = ReadUnsigned(fields[5]);
    record->itemsBought = ReadUnsigned(fields[6]);
    record->servedPotions = fields[7].Mid(0, kMaxLevels);
    record->feathers = fields[8].Mid(0, kMaxLevels);
    record->artifacts = fields[9].Mid(0, kMaxLevels);
    record->fruits = fields[10].Mid(0, kMaxLevels);
    return record;
}

void UserRecord::AdvanceLevel() {
    int savedCount = static_cast<int>(savedLevels.size());
    if (selectedLevel < 0 || selectedLevel >= savedCount) return;  // no level in play
    SavedLevelRecord next = SavedLevelRecord::NextLevel(savedLevels[static_cast<size_t>(selectedLevel)]);
    int lastLevel = LevelCount() - 1;
    if (selectedLevel < lastLevel) ++selectedLevel;
    if (selectedLevel >= savedCount)
        savedLevels.push_back(next);
    else if (selectedLevel < lastLevel)
        savedLevels[static_cast<size_t>(selectedLevel)] = next;
}
