// XML text and "ZXML" blocks from outside: parse, walk and serialise whatever was built.
#include <cstddef>
#include <cstdint>

#include "engine/core/files/xml.h"

namespace {

size_t Walk(TXmlNode& node) {
    size_t count = node.GetText().Length();
    node.ResetChildIterator();
    TString name;
    TXmlNode* child = nullptr;
    while (node.NextChild(name, child)) count += Walk(*child) + child->GetAttribute("id").Length();
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    TXmlNode plain;
    plain.LoadText(text, size);
    Walk(plain);
    plain.ToString();
    UnescapeXml(EscapeXml(TString(text, static_cast<unsigned>(size))));

    TXmlNode packed;
    if (packed.LoadCompressed(data, size)) packed.ToString();
    return 0;
}
