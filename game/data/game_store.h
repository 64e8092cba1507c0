// dtGame: a game-definition XML file read once into a keyed store of texts. Sections are either
// single (key -> value) or, with multiple="true", tables of records (each a key -> value map with
// an id). Values stay text and are converted on every read.
#pragma once

#include <map>
#include <vector>

#include "engine/core/base/tstring.h"

class TXmlNode;

class dtGame {
public:
    // Reads the file; an unreadable file or a root other than "config" leaves the store empty (logged).
    explicit dtGame(const TString& path);
    virtual ~dtGame();

    // Whether the file held a "config" root.
    bool IsLoaded() const { return loaded_; }

    // Reads of a section, key or record the store lacks answer 0, 0.0 or the empty text.
    int GetInt(const TString& section, const TString& key) const;
    float GetFloat(const TString& section, const TString& key) const;
    int GetRecordCount(const TString& section) const;
    TString GetRecordId(const TString& section, int index) const;
    int GetRecordInt(const TString& section, int index, const TString& key) const;
    float GetRecordFloat(const TString& section, int index, const TString& key) const;
    TString GetRecordString(const TString& section, int index, const TString& key) const;
    // The position of the last record with that id; 0 (the first record) for an id no record has.
    int GetRowIndex(const TString& section, const TString& id) const;
    // Whether a record of the section has that (non-empty) id.
    bool HasRecordId(const TString& section, const TString& id) const;

private:
    using ValueMap = std::map<TString, TString>;
    struct RecordTable {
        std::vector<ValueMap> records;
        std::map<TString, int> rowIndex;
    };

    void Build(const TXmlNode& config);
    static ValueMap ReadValues(const TXmlNode& parent);
    static RecordTable ReadRecords(const TXmlNode& section);
    TString GetValue(const TString& section, const TString& key) const;
    TString GetRecordValue(const TString& section, int index, const TString& key) const;

    std::map<TString, ValueMap> singleSections_;
    std::map<TString, RecordTable> recordSections_;
    bool loaded_ = false;
};
