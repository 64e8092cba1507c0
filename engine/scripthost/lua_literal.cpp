#include "engine/scripthost/lua_literal.h"

#include <cstdio>

TString LuaStringLiteral(const TString& text) {
    TString literal("\"");
    for (unsigned i = 0; i < text.Length(); ++i) {
        unsigned char byte = static_cast<unsigned char>(text.CharAt(i));
        if (byte == '"' || byte == '\\') {
            literal += '\\';
            literal += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            // Three digits, so that a digit after the escape is never read as part of it.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03u", byte);
            literal += escape;
        } else {
            literal += static_cast<char>(byte);
        }
    }
    return literal + "\"";
}
