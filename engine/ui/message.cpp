#include "engine/ui/message.h"

TClassId TMessage::ClassId() {
    static char tag;
    return &tag;
}

TString FormatWindowId(const TWindow* window) {
    return FormatWindowId(window->GetId());
}

TString FormatWindowId(uint32_t id) {
    return TString::Format("%8x", id);
}
