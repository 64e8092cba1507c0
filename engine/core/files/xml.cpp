// The XML element tree: loading, navigation, attributes and serialising.
#include "engine/core/files/xml.h"

#include <algorithm>
#include <cstring>

#include "engine/core/base/log.h"

namespace {

void Indent(std::string& out, int count) { out.append(static_cast<size_t>(count), ' '); }

}  // namespace

TXmlNode::TXmlNode() = default;
TXmlNode::TXmlNode(const TString& name) : name_(name) {}
TXmlNode::~TXmlNode() = default;

bool TXmlNode::Load(const TString& path) {
    TFile file;
    if (!file.Open(path, kFileReadBinary)) return false;
    std::vector<char> bytes(static_cast<size_t>(std::max(file.GetSize(), 0)));
    int32_t read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
    bytes.resize(static_cast<size_t>(std::max(read, 0)));
    if (bytes.size() >= 4 && memcmp(bytes.data(), "ZXML", 4) == 0) {
        if (!LoadCompressed(bytes.data(), bytes.size())) {
            LogPrintf("XML file %s: damaged compressed block, not loaded", path.CStr());
            return false;
        }
        return true;
    }
    LoadText(bytes.data(), bytes.size());
    return true;
}

bool TXmlNode::LoadCompressed(const void* buffer, size_t size) {
    std::vector<char> text;
    if (!InflateZxml(buffer, size, text)) return false;
    LoadText(text.data(), text.size());
    return true;
}

TXmlNode* TXmlNode::FindChild(const char* name) const {
    for (const auto& child : children_)
        if (strcmp(child->name_.CStr(), name) == 0) return child.get();
    return nullptr;
}

bool TXmlNode::NextChild(TString& name, TXmlNode*& node) {
    if (iterator_ >= children_.size()) return false;
    node = children_[iterator_++].get();
    name = node->name_;
    return true;
}

TString TXmlNode::GetAttribute(const char* name, const TString& fallback) const {
    for (const Attribute& attribute : attributes_)
        if (strcmp(attribute.name.CStr(), name) == 0) return attribute.value;
    return fallback;
}

void TXmlNode::SetAttribute(const TString& name, const TString& value) {
    for (Attribute& attribute : attributes_) {
        if (attribute.name == name) {
            attribute.value = value;
            return;
        }
    }
    attributes_.push_back({name, value, false});
}

TXmlNode* TXmlNode::AddChild(const TString& name) {
    children_.push_back(std::make_unique<TXmlNode>(name));
    return children_.back().get();
}

void TXmlNode::AddText(const char* text, size_t length) {
    if (!text_.empty()) text_ += ' ';
    text_.append(text, length);
}

void TXmlNode::AddAttribute(const TString& name, const TString& value, bool quoted) {
    if (attributes_.empty()) attributes_.reserve(4); // one allocation for the usual few
    attributes_.push_back({name, value, quoted});
}

TString TXmlNode::ToString() {
    std::string out;
    out.reserve(capacityHint_);
    Write(out, 0);
    if (out.size() > capacityHint_) capacityHint_ = out.size();
    return TString(out.c_str());
}

void TXmlNode::Write(std::string& out, int indent) const {
    Indent(out, indent);
    out += "<";
    out += name_.CStr();
    for (const Attribute& attribute : attributes_) {
        out += "\n";
        Indent(out, indent + 4);
        out += EscapeXml(attribute.name).CStr();
        out += "=";
        if (attribute.quoted) out += "\"";
        out += EscapeXml(attribute.value).CStr();
        if (attribute.quoted) out += "\"";
    }
    out += ">\n";
    if (!text_.empty()) {
        Indent(out, indent);
        out += EscapeXml(TString(text_.c_str())).CStr();
        out += "\n";
    }
    for (const auto& child : children_) child->Write(out, indent + 4);
    Indent(out, indent);
    out += "</";
    out += name_.CStr();
    out += ">\n";
}
