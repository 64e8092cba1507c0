#include "engine/graphics/anim_sequence.h"

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool HasAttribute(const TXmlNode& node, const char* name) {
    for (const TXmlNode::Attribute& attribute : node.Attributes())
        if (attribute.name == name) return true;
    return false;
}

int IntAttribute(const TXmlNode& node, const char* name) { return std::atoi(node.GetAttribute(name).CStr()); }

// Up to six numbers separated by single spaces; a first number replaces "no transform".
void ReadTransform(const TString& text, float xform[6]) {
    const char* at = text.CStr();
    for (int i = 0; i < 6 && *at; ++i) {
        xform[i] = static_cast<float>(std::atof(at));
        const char* space = std::strchr(at, ' ');
        if (!space) break;
        at = space + 1;
    }
}

// Reads little-endian values from a byte block, failing once anything would run past its end.
class AnmReader {
public:
    AnmReader(const uint8_t* bytes, size_t size) : at_(bytes), end_(bytes + size) {}

    bool Tag(const char* tag) {
        if (!Has(4) || std::memcmp(at_, tag, 4) != 0) return false;
        at_ += 4;
        return true;
    }
    bool PeekTag(const char* tag) const { return Has(4) && std::memcmp(at_, tag, 4) == 0; }
    bool Int(int& value) { return Raw(&value); }
    bool Float(float& value) { return Raw(&value); }
    bool String(TString& value) {
        int length = 0;
        if (!Int(length)) return false;
        if (length < 1) {
            value = TString();
            return true;
        }
        if (!Has(static_cast<size_t>(length))) return false;
        value = TString(reinterpret_cast<const char*>(at_), static_cast<unsigned>(length));
        at_ += length;
        return true;
    }
    size_t Left() const { return static_cast<size_t>(end_ - at_); }

private:
    bool Has(size_t count) const { return static_cast<size_t>(end_ - at_) >= count; }
    template <class T>
    bool Raw(T* value) {
        if (!Has(4)) return false;
        uint32_t word = at_[0] | (at_[1] << 8) | (at_[2] << 16) | (static_cast<uint32_t>(at_[3]) << 24);
        std::memcpy(value, &word, 4);
        at_ += 4;
        return true;
    }

    const uint8_t* at_;
    const uint8_t* end_;
};

// The least a frame takes in the binary form: six ints, six floats, an empty name and no anchors.
constexpr size_t kMinFrameBytes = 6 * 4 + 6 * 4 + 4 + 4;
constexpr size_t kMinAnchorBytes = 4 + 4 + 4;

}  // namespace

TString DefaultAnimScript(int frameCount) {
    TString script = "function DoAnim()\n    delay(60);\n";
    if (frameCount > 0) {
        script += "    frames{1";
        for (int i = 2; i <= frameCount; ++i) script += TString::Format(",%d", i);
        script += "};\n";
    }
    return script + "end\n";
}

bool AnimSequence::Load(const TString& fileName) {
    TString found = fileName;
    if (!FileExists(found)) found = fileName + ".xml";
    if (!FileExists(found)) found = fileName + ".anm";
    if (!FileExists(found)) return false;
    file = found;
    bool loaded = found.Find(".xml") >= 0 ? LoadXml(found) : found.Find(".anm") >= 0 ? LoadAnm(found) : false;
    if (!loaded) return false;
    int slash = std::max(found.FindChar('/', TString::kBackwards), found.FindChar('\\', TString::kBackwards));
    folder = slash >= 0 ? found.Mid(0, slash + 1) : TString();
    return true;
}

bool AnimSequence::LoadXml(const TString& fileName) {
    TXmlNode root;
    if (!root.Load(fileName)) return false;
    TXmlNode* sequence = root.FindChild("sequence");
    if (!sequence && root.ChildCount() > 0) sequence = root.ChildAt(0)->FindChild("sequence");
    if (!sequence) {
        LogPrintf("Animation %s does not contain a sequence node", fileName.CStr());
        return false;
    }
    name = sequence->GetAttribute("name");
    source = sequence->GetAttribute("source");

    bool ok = true;
    TXmlNode* img = sequence->FindChild("img");
    if (!img) {
        LogPrintf("Animation %s does not contain an img node", fileName.CStr());
        ok = false;
    } else {
        if (HasAttribute(*img, "regx")) {
            regx = IntAttribute(*img, "regx");
            regy = IntAttribute(*img, "regy");
        }
        w = IntAttribute(*img, "w");
        h = IntAttribute(*img, "h");
        image = img->GetAttribute("name");
        mask = img->GetAttribute("mask");
    }

    TXmlNode* list = sequence->FindChild("framelist");
    if (!list) {
        LogPrintf("Animation %s does not contain a framelist node", fileName.CStr());
        return false;
    }
    frames.clear();
    for (size_t i = 0; i < list->ChildCount(); ++i) {
        TXmlNode& node = *list->ChildAt(i);
        if (node.GetName() != "frame") continue;
        AnimFrame frame;
        if (!frames.empty()) {
            frame.regx = frames.back().regx;
            frame.regy = frames.back().regy;
        }
        frame.x = IntAttribute(node, "x");
        frame.y = IntAttribute(node, "y");
        frame.w = IntAttribute(node, "w");
        frame.h = IntAttribute(node, "h");
        frame.name = node.GetAttribute("name");
        TString alpha = node.GetAttribute("alpha");
        frame.alpha = alpha.IsEmpty() ? 1.0f : static_cast<float>(std::atof(alpha.CStr()));
        if (HasAttribute(node, "regx")) {
            frame.regx = IntAttribute(node, "regx");
            frame.regy = IntAttribute(node, "regy");
        }
        TString xform = node.GetAttribute("xform");
        if (!xform.IsEmpty())
            ReadTransform(xform, frame.xform);
        else if (!frames.empty())
            std::copy(frames.back().xform, frames.back().xform + 6, frame.xform);
        for (size_t a = 0; a < node.ChildCount(); ++a) {
            TXmlNode& anchor = *node.ChildAt(a);
            if (anchor.GetName() == "anchor")
                frame.anchors.push_back({anchor.GetAttribute("name"), IntAttribute(anchor, "x"), IntAttribute(anchor, "y")});
        }
        maxWidth = std::max(maxWidth, frame.w);
        maxHeight = std::max(maxHeight, frame.h);
        frames.push_back(std::move(frame));
    }
    if (frames.empty()) {
        LogPrintf("Animation %s does not contain any frames!", fileName.CStr());
        return false;
    }

    TXmlNode* scriptNode = sequence->FindChild("script");
    if (scriptNode) {
        script = scriptNode->GetAttribute("luascript");
        if (script.IsEmpty()) script = scriptNode->GetText();
    } else {
        script = DefaultAnimScript(FrameCount());
    }
    return ok;
}

bool AnimSequence::LoadAnm(const TString& fileName) {
    TFile in;
    if (!in.Open(fileName, kFileReadBinary)) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max(in.GetSize(), 0)));
    if (in.Read(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size())) return false;
    if (ParseAnm(bytes.data(), bytes.size())) return true;
    LogPrintf("Animation %s is damaged", fileName.CStr());
    return false;
}

bool AnimSequence::ParseAnm(const uint8_t* bytes, size_t size) {
    AnmReader in(bytes, size);
    int unused = 0, version = 0, count = 0;
    if (!in.Tag("ANIM") || !in.Int(unused) || !in.Int(version) || !in.String(name) || !in.String(source)) return false;
    if (!in.Tag("IMGN") || !in.Int(regx) || !in.Int(regy) || !in.Int(w) || !in.Int(h)) return false;
    float dropped = 0;
    for (int i = 0; version == 1 && i < 4; ++i)
        if (!in.Float(dropped)) return false;
    if (!in.String(image) || !in.String(mask)) return false;
    if (!in.Tag("FRMS") || !in.Int(count)) return false;
    if (count < 0 || static_cast<size_t>(count) > in.Left() / kMinFrameBytes) return false;

    frames.assign(static_cast<size_t>(count), AnimFrame());
    for (AnimFrame& frame : frames) {
        int anchors = 0;
        if (!in.Int(frame.regx) || !in.Int(frame.regy) || !in.Int(frame.x) || !in.Int(frame.y) || !in.Int(frame.w) ||
            !in.Int(frame.h))
            return false;
        if (version > 1 && !in.Float(frame.alpha)) return false;
        for (float& value : frame.xform)
            if (!in.Float(value)) return false;
        if (!in.String(frame.name) || !in.Int(anchors)) return false;
        if (anchors < 0 || static_cast<size_t>(anchors) > in.Left() / kMinAnchorBytes) return false;
        frame.anchors.resize(static_cast<size_t>(anchors));
        for (AnimAnchor& anchor : frame.anchors)
            if (!in.Int(anchor.x) || !in.Int(anchor.y) || !in.String(anchor.name)) return false;
        maxWidth = std::max(maxWidth, frame.w);
        maxHeight = std::max(maxHeight, frame.h);
    }
    if (in.PeekTag("SCRP")) {
        in.Tag("SCRP");
        if (!in.String(script)) return false;
    } else {
        script = DefaultAnimScript(count);
    }
    return true;
}
