// TWindowStyle: typed reads of a window's style table, the table a script describes a window with.
// An attribute missing from the style is looked up in the global default style
// "gCurrentDefaultStyle" and then along that table's "parent" chain; the style's own "parent" is not
// followed. Reads work on the wrapper's state and leave its stack as they found it.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_refs.h"
#include "engine/scripthost/script_stack.h"

class TWindowStyle {
public:
    // The style reads the table held by style, which must outlive it; nothing is owned.
    explicit TWindowStyle(const TLuaObjectWrapper* style) : style_(style) {}
    virtual ~TWindowStyle() = default;

    // The attribute as a number (0 when it is none), or fallback when it is missing.
    double GetNumber(const char* name, double fallback) const;
    // GetNumber truncated toward zero.
    int GetInt(const char* name, int fallback) const;
    // The attribute as text (numbers converted, other types empty), or fallback.
    TString GetString(const char* name, const TString& fallback) const;
    // Items 1..4 of the attribute's table (0 for a missing item), or fallback when the attribute is
    // missing or no table.
    TScriptColor GetColor(const char* name, const TScriptColor& fallback) const;
    // The attribute read as PopBool reads it (a present false stays false), or fallback.
    bool GetBool(const char* name, bool fallback) const;
    // The attribute's table, or null when it is missing or no table. The caller owns it.
    std::unique_ptr<TLuaTable> GetTable(const char* name) const;
    // The attribute held for calling, or null when it is missing. The caller owns it.
    std::unique_ptr<TLuaFunction> GetFunction(const char* name) const;

private:
    // Pushes the attribute and answers true, or pushes nothing and answers false.
    bool PushAttribute(const char* name) const;

    const TLuaObjectWrapper* style_;
};
