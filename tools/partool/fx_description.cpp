#include "tools/partool/fx_description.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>

const char kFxDescriptionHelp[] = R"(Description files: one statement a line, '#' starts a comment.
  effect NAME                 the effect file written, e.g. "win.par" (first, once)
  numbers N...                up to nine whole numbers written after the emitter names
  emitter NAME                starts an emitter (file NAME: a letter, then letters and digits,
                              at most 15 characters; at most 8 emitters); what follows sets it:
    texture FILE              its picture, in the same folder (at most 15 characters)
    particles N               particle count (0..65535)
    align on|off              turn each particle to face its way (off)
    space local|world         local: particles follow the emitter; world: they keep the
                              place where they were born (local)
    respawn N                 lives of each particle, 0 = without limit (0)
    copy GROUP...             velocity GROUPs copied from the start block (position,
                              rotation, pivot, scale)
    start-color C [C]         r,g,b,a bytes: one value, or the two ends of a range (255,255,255,255)
    end-color C [C]
    delay MS [MS]             before a particle appears (100 500)
    life MS [MS]              after its delay (3000 5000)
    fade MS [MS]              the last part of its life, fading out (500 1000)
    start GROUP V [V]         GROUP is position, rotation (degrees), scale (pixels) or pivot;
    velocity GROUP V [V]      V is x,y,z; per second, per second squared. Start groups default
    acceleration GROUP V [V]  to position 0, rotation 0, scale 1, pivot 0; velocity and
                              acceleration to 0
  picture FILE SHAPE SIZE     writes a white soft sprite PNG: SHAPE glow, star, flake or ring;
                              SIZE pixels a side (2..256, a power of two)
)";

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

class Parser {
public:
    FxDescription Parse(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            ++lineNumber_;
            words_ = Words(line);
            if (!words_.empty()) Statement();
        }
        if (fx_.parName.empty()) Fail("no effect statement");
        return fx_;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw FxDescriptionError("line " + std::to_string(lineNumber_) + ": " + message);
    }

    void Arguments(size_t min, size_t max) const {
        size_t count = words_.size() - 1;
        if (count < min || count > max)
            Fail("\"" + words_[0] + "\" takes " +
                 (min == max ? std::to_string(min) : std::to_string(min) + " to " + std::to_string(max)) +
                 " values");
    }

    long Whole(const std::string& word, long min, long max) const {
        long value = 0;
        auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || value < min || value > max)
            Fail("\"" + word + "\" is not a whole number from " + std::to_string(min) + " to " + std::to_string(max));
        return value;
    }

    float Number(const std::string& word) const {
        float value = 0;
        auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size()) Fail("\"" + word + "\" is not a number");
        return value;
    }

    // "a,b,c" into count values.
    template <class Out>
    void List(const std::string& word, size_t count, Out out) const {
        std::vector<std::string> parts;
        std::istringstream in(word);
        for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
        if (parts.size() != count) Fail("\"" + word + "\" needs " + std::to_string(count) + " values separated by commas");
        for (size_t i = 0; i < count; ++i) out(i, parts[i]);
    }

    void Name(const std::string& name, const char* what) const {
        bool letters = std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        if (name.size() > kMaxTokenLength || !letters || !std::isalpha(static_cast<unsigned char>(name[0])))
            Fail(std::string(what) + " \"" + name + "\" must be a letter followed by letters and digits, at most 15 characters");
    }

    // The value or range of the last words, from index first on.
    template <class T, class ParseOne>
    Range<T> RangeOf(size_t first, ParseOne parseOne) const {
        T min = parseOne(words_[first]);
        return {min, first + 1 < words_.size() ? parseOne(words_[first + 1]) : min};
    }

    ColorBytes Color(const std::string& word) const {
        ColorBytes color;
        List(word, 4, [&](size_t i, const std::string& part) { color.rgba[i] = static_cast<uint8_t>(Whole(part, 0, 255)); });
        return color;
    }

    // The emitter that the statement sets.
    EmitterFile& File() {
        if (fx_.emitters.empty()) Fail("\"" + words_[0] + "\" before any emitter");
        return fx_.emitters.back().file;
    }
    KeyParticleRecord& Key() { return File().keyParticles[0]; }

    int Group(const std::string& word) const {
        static const std::map<std::string, int> groups = {{"position", TransformBlock::kPosition},
                                                          {"rotation", TransformBlock::kRotation},
                                                          {"scale", TransformBlock::kScale},
                                                          {"pivot", TransformBlock::kPivot}};
        auto found = groups.find(word);
        if (found == groups.end()) Fail("unknown group \"" + word + "\" (position, rotation, scale or pivot)");
        return found->second;
    }

    void Block(Range<TransformBlock>& block) {
        Arguments(2, 3);
        int group = Group(words_[1]);
        for (size_t end = 0; end < 2; ++end) {
            const std::string& word = words_[std::min<size_t>(2 + end, words_.size() - 1)];
            TransformBlock& target = end == 0 ? block.min : block.max;
            List(word, 3, [&](size_t i, const std::string& part) { target.Group(group)[i] = Number(part); });
        }
    }

    void NewEmitter() {
        Arguments(1, 1);
        Name(words_[1], "emitter name");
        if (fx_.emitters.size() == kMaxEmitters) Fail("more than 8 emitters");
        FxDescription::Emitter emitter;
        emitter.name = words_[1];
        EmitterFile& file = emitter.file;
        file.keyCount = 1;
        file.keyTimes = {0.0f};
        file.keyTransforms.resize(1);
        file.keyParticles.resize(1);
        for (Range<TransformBlock>* still : {&file.keyParticles[0].velocity, &file.keyParticles[0].acceleration})
            still->min.values.fill(0.0f), still->max.values.fill(0.0f);
        fx_.emitters.push_back(emitter);
    }

    void Statement() {
        const std::string& keyword = words_[0];
        auto milliseconds = [&](const std::string& w) { return static_cast<uint16_t>(Whole(w, 0, 65535)); };
        auto color = [&](const std::string& w) { return Color(w); };
        if (fx_.parName.empty() && keyword != "effect") Fail("\"" + keyword + "\" is not allowed before the effect");
        if (keyword == "effect") {
            Arguments(1, 1);
            if (!fx_.parName.empty()) Fail("a second effect statement");
            fx_.parName = words_[1];
        } else if (keyword == "numbers") {
            Arguments(1, 9);
            for (size_t i = 1; i < words_.size(); ++i) fx_.numbers.push_back(std::to_string(Whole(words_[i], 0, 2147483647)));
        } else if (keyword == "emitter") {
            NewEmitter();
        } else if (keyword == "texture") {
            Arguments(1, 1);
            if (words_[1].size() > 15) Fail("texture name \"" + words_[1] + "\" longer than 15 characters");
            std::copy(words_[1].begin(), words_[1].end(), File().textureName.begin());
        } else if (keyword == "particles") {
            Arguments(1, 1);
            File().particleCount = static_cast<uint16_t>(Whole(words_[1], 0, 65535));
        } else if (keyword == "align") {
            Arguments(1, 1);
            Key().alignToMotion = Choice({"off", "on"});
        } else if (keyword == "space") {
            Arguments(1, 1);
            Key().localSpace = Choice({"world", "local"});
        } else if (keyword == "respawn") {
            Arguments(1, 1);
            Key().respawnLimit = static_cast<uint8_t>(Whole(words_[1], 0, 255));
        } else if (keyword == "copy") {
            Arguments(1, 4);
            static const std::map<std::string, uint8_t> bits = {{"position", KeyParticleRecord::kCopyPosition},
                                                                {"rotation", KeyParticleRecord::kCopyRotation},
                                                                {"pivot", KeyParticleRecord::kCopyPivot},
                                                                {"scale", KeyParticleRecord::kCopyScale}};
            for (size_t i = 1; i < words_.size(); ++i) {
                Group(words_[i]);
                Key().velocityFromStart |= bits.at(words_[i]);
            }
        } else if (keyword == "start-color" || keyword == "end-color") {
            Arguments(1, 2);
            (keyword == "start-color" ? Key().startColor : Key().endColor) = RangeOf<ColorBytes>(1, color);
        } else if (keyword == "delay" || keyword == "life" || keyword == "fade") {
            Arguments(1, 2);
            KeyParticleRecord& key = Key();
            (keyword == "delay" ? key.delay : keyword == "life" ? key.life : key.fadeOut) = RangeOf<uint16_t>(1, milliseconds);
        } else if (keyword == "start") {
            Block(Key().start);
        } else if (keyword == "velocity") {
            Block(Key().velocity);
        } else if (keyword == "acceleration") {
            Block(Key().acceleration);
        } else if (keyword == "picture") {
            Picture();
        } else {
            Fail("unknown statement \"" + keyword + "\"");
        }
    }

    uint8_t Choice(std::initializer_list<const char*> options) const {
        uint8_t index = 0;
        for (const char* option : options) {
            if (words_[1] == option) return index;
            ++index;
        }
        Fail("\"" + words_[1] + "\" is neither \"" + *options.begin() + "\" nor \"" + *(options.begin() + 1) + "\"");
    }

    void Picture() {
        Arguments(3, 3);
        const std::string& shape = words_[2];
        if (shape != "glow" && shape != "star" && shape != "flake" && shape != "ring") Fail("unknown shape \"" + shape + "\"");
        int size = static_cast<int>(Whole(words_[3], 2, 256));
        if (size & (size - 1)) Fail("picture size " + words_[3] + " is not a power of two");
        fx_.pictures.push_back({words_[1], shape, size});
    }

    FxDescription fx_;
    std::vector<std::string> words_;
    int lineNumber_ = 0;
};

}  // namespace

std::string FxDescription::ParText() const {
    std::string text;
    for (const Emitter& emitter : emitters) text += (text.empty() ? "" : " ") + emitter.name;
    for (const std::string& number : numbers) text += " " + number;
    return text + "\n";
}

FxDescription ParseFxDescription(const std::string& text) {
    FxDescription fx = Parser().Parse(text);
    if (fx.ParText().size() > kParHeadSize) throw FxDescriptionError("the effect file would be longer than 256 bytes");
    return fx;
}
