#include "game/data/game_store.h"

#include "engine/core/base/initial_values.h"
#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"

namespace {

const TString kIdKey(kIdFieldName);  // each record's own id, beside its values

TString Lookup(const std::map<TString, TString>& values, const TString& key) {
    auto found = values.find(key);
    return found == values.end() ? TString() : found->second;
}

bool IsRecordSection(const TXmlNode& section) {
    TString multiple = section.GetAttribute("multiple");
    multiple.MakeLower();
    return multiple == "true";
}

}  // namespace

dtGame::dtGame(const TString& path) {
    TXmlNode document;
    if (!document.Load(path)) {
        LogPrintf("[ERROR] Game definition file could not be read: %s", path.CStr());
        return;
    }
    const TXmlNode* config = document.HasChildren() ? document.FindChild("config") : nullptr;
    if (!config) {
        LogPrintf("[ERROR] Game definition file has no config element: %s", path.CStr());
        return;
    }
    Build(*config);
    loaded_ = true;
}

dtGame::~dtGame() = default;

void dtGame::Build(const TXmlNode& config) {
    for (size_t i = 0; i < config.ChildCount(); ++i) {
        const TXmlNode& section = *config.ChildAt(i);
        if (IsRecordSection(section))
            recordSections_[section.GetName()] = ReadRecords(section);
        else
            singleSections_[section.GetName()] = ReadValues(section);
    }
}

dtGame::ValueMap dtGame::ReadValues(const TXmlNode& parent) {
    ValueMap values;
    for (size_t i = 0; i < parent.ChildCount(); ++i) {
        const TXmlNode& child = *parent.ChildAt(i);
        values[child.GetName()] = child.GetText();
    }
    return values;
}

dtGame::RecordTable dtGame::ReadRecords(const TXmlNode& section) {
    RecordTable table;
    for (size_t i = 0; i < section.ChildCount(); ++i) {
        const TXmlNode& element = *section.ChildAt(i);
        TString id = element.GetAttribute("id");
        ValueMap record;
        record[kIdKey] = id;
        for (const auto& [key, value] : ReadValues(element)) record[key] = value;
        if (!id.IsEmpty()) table.rowIndex[id] = static_cast<int>(table.records.size());
        table.records.push_back(std::move(record));
    }
    return table;
}

TString dtGame::GetValue(const TString& section, const TString& key) const {
    auto found = singleSections_.find(section);
    return found == singleSections_.end() ? TString() : Lookup(found->second, key);
}

TString dtGame::GetRecordValue(const TString& section, int index, const TString& key) const {
    auto found = recordSections_.find(section);
    if (found == recordSections_.end()) return TString();
    const std::vector<ValueMap>& records = found->second.records;
    if (index < 0 || static_cast<size_t>(index) >= records.size()) return TString();
    return Lookup(records[static_cast<size_t>(index)], key);
}

int dtGame::GetInt(const TString& section, const TString& key) const {
    return GetValue(section, key).ToInt();
}

float dtGame::GetFloat(const TString& section, const TString& key) const {
    return GetValue(section, key).ToFloat();
}

int dtGame::GetRecordCount(const TString& section) const {
    auto found = recordSections_.find(section);
    return found == recordSections_.end() ? 0 : static_cast<int>(found->second.records.size());
}

TString dtGame::GetRecordId(const TString& section, int index) const {
    return GetRecordValue(section, index, kIdKey);
}

int dtGame::GetRecordInt(const TString& section, int index, const TString& key) const {
    return GetRecordValue(section, index, key).ToInt();
}

float dtGame::GetRecordFloat(const TString& section, int index, const TString& key) const {
    return GetRecordValue(section, index, key).ToFloat();
}

TString dtGame::GetRecordString(const TString& section, int index, const TString& key) const {
    return GetRecordValue(section, index, key);
}

int dtGame::GetRowIndex(const TString& section, const TString& id) const {
    auto found = recordSections_.find(section);
    if (found == recordSections_.end()) return 0;
    auto row = found->second.rowIndex.find(id);
    return row == found->second.rowIndex.end() ? 0 : row->second;
}

bool dtGame::HasRecordId(const TString& section, const TString& id) const {
    auto found = recordSections_.find(section);
    return found != recordSections_.end() && found->second.rowIndex.count(id) > 0;
}
