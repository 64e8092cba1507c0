#include "engine/ui/message.h"

TClassId TMessage::ClassId() {
    static char tag;
    return &tag;
}

TString FormatWindowId(const TWindow* window) {
    return TString::Format("%8x", window->GetId());
}
