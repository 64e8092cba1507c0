#include "tools/synth/parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "tools/synth/notation.h"
#include "tools/synth/synth.h"

namespace synth {

namespace {

constexpr double kLongestSong = 600.0;  // seconds

const std::set<std::string> kStatements = {"tempo", "length", "loop", "level", "loudness",
                                           "instrument", "pattern", "track", "at"};

struct Line {
    int number = 0;
    std::vector<std::string> words;
};

// One step of a pattern: the pitches sounding (none for a rest) and its length in beats.
struct Step {
    std::vector<float> pitches;
    double beats = 0.0;
};

struct Pattern {
    int line = 0;
    std::vector<Step> steps;
};

struct PatternUse {
    int line = 0;
    std::string name;
};

struct Track {
    int line = 0;
    std::string instrument;
    float volume = 1.0f;
    std::vector<PatternUse> patterns;
};

struct Event {
    int line = 0;
    std::string instrument;
    double start = 0.0;
    std::vector<float> pitches;
    double hold = 0.0;
    float velocity = 1.0f;
};

// "x3": play the pattern before it three times in all.
bool IsRepeat(const std::string& word) {
    return word.size() >= 2 && word[0] == 'x' &&
           word.find_first_not_of("0123456789", 1) == std::string::npos;
}

// A comment starts with a word that begins with '#' ("F#4" is a pitch, not a comment).
std::string_view WithoutComment(std::string_view line) {
    for (size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '#' && (at == 0 || std::isspace(static_cast<unsigned char>(line[at - 1]))))
            return line.substr(0, at);
    }
    return line;
}

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        line = WithoutComment(line);
        std::istringstream words{std::string(line)};
        Line split{number, {}};
        for (std::string word; words >> word;)
            split.words.push_back(word);
        if (!split.words.empty())
            lines.push_back(std::move(split));
    }
    return lines;
}

class Parser {
public:
    explicit Parser(std::string source) : source_(std::move(source)) {}

    Song Parse(std::string_view text);

private:
    enum class Block { None, Instrument, Pattern, Track };

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw SynthError(source_ + ":" + std::to_string(line) + ": " + message);
    }

    void ReadLine(const Line& line);
    void ReadStatement(const Line& line);
    void ReadInstrumentSetting(const Line& line);
    void ReadOscillator(const Line& line, Instrument& instrument);
    void ReadFilter(const Line& line, Instrument& instrument);
    void ReadPatternLine(const Line& line);
    void ReadTrackLine(const Line& line);
    void ReadEvent(const Line& line);

    std::string NewName(const Line& line, const std::string& kind);
    void ExpectCount(const Line& line, size_t least, size_t most, const std::string& usage) const;
    float Number(const Line& line, size_t index, float least, float most) const {
        return static_cast<float>(Value(line, index, least, most));
    }
    double Value(const Line& line, size_t index, double least, double most) const;
    float Frequency(const Line& line, size_t index, bool* relative) const;
    std::vector<float> Pitches(const Line& line, size_t index) const;
    double NoteValue(const Line& line, size_t index) const;

    Song Finish();
    size_t InstrumentIndex(int line, const std::string& name) const;
    double AddTrack(const Track& track, Song& song) const;

    std::string source_;
    Block block_ = Block::None;
    std::optional<double> tempo_;
    std::optional<double> length_;
    std::optional<float> peakDb_;
    std::optional<float> loudnessDb_;
    bool loop_ = false;
    std::vector<Instrument> instruments_;
    std::map<std::string, int> instrumentLines_;
    std::map<std::string, Pattern> patterns_;
    std::string currentPattern_;
    std::vector<Track> tracks_;
    std::vector<Event> events_;
};

Song Parser::Parse(std::string_view text) {
    for (const Line& line : SplitLines(text))
        ReadLine(line);
    return Finish();
}

void Parser::ReadLine(const Line& line) {
    const std::string& word = line.words[0];
    if (kStatements.count(word)) {
        block_ = Block::None;
        ReadStatement(line);
    } else if (block_ == Block::Instrument) {
        ReadInstrumentSetting(line);
    } else if (block_ == Block::Pattern) {
        ReadPatternLine(line);
    } else if (block_ == Block::Track) {
        ReadTrackLine(line);
    } else {
        Fail(line.number, "unknown statement \"" + word + "\"");
    }
}

void Parser::ReadStatement(const Line& line) {
    const std::string& word = line.words[0];
    if (word == "tempo") {
        ExpectCount(line, 2, 2, "tempo <beats per minute>");
        if (tempo_)
            Fail(line.number, "the tempo is set twice");
        tempo_ = Value(line, 1, 20, 400);
    } else if (word == "length") {
        ExpectCount(line, 2, 2, "length <seconds>");
        length_ = Value(line, 1, 0.01, kLongestSong);
    } else if (word == "loop") {
        ExpectCount(line, 1, 1, "loop");
        loop_ = true;
    } else if (word == "level") {
        ExpectCount(line, 2, 2, "level <peak dB, 0 or below>");
        peakDb_ = Number(line, 1, -40, 0);
    } else if (word == "loudness") {
        ExpectCount(line, 2, 2, "loudness <dB, -40 to -6>");
        loudnessDb_ = Number(line, 1, -40, -6);
    } else if (word == "instrument") {
        ExpectCount(line, 2, 2, "instrument <name>");
        instruments_.push_back(Instrument{});
        instruments_.back().name = NewName(line, "instrument");
        instrumentLines_[instruments_.back().name] = line.number;
        block_ = Block::Instrument;
    } else if (word == "pattern") {
        ExpectCount(line, 2, 2, "pattern <name>");
        currentPattern_ = NewName(line, "pattern");
        patterns_[currentPattern_].line = line.number;
        block_ = Block::Pattern;
    } else if (word == "track") {
        ExpectCount(line, 2, 3, "track <instrument> [volume]");
        tracks_.push_back(Track{line.number, line.words[1], line.words.size() == 3 ? Number(line, 2, 0, 4) : 1.0f, {}});
        block_ = Block::Track;
    } else {
        ReadEvent(line);
    }
}

std::string Parser::NewName(const Line& line, const std::string& kind) {
    const std::string& name = line.words[1];
    if (kStatements.count(name) || LooksLikePitch(name) || name == "r" || IsRepeat(name))
        Fail(line.number, "\"" + name + "\" cannot name a " + kind + " (a statement, a pitch or a repeat)");
    if (kind == "instrument" ? instrumentLines_.count(name) != 0 : patterns_.count(name) != 0)
        Fail(line.number, "the " + kind + " \"" + name + "\" is defined twice");
    return name;
}

void Parser::ReadInstrumentSetting(const Line& line) {
    Instrument& instrument = instruments_.back();
    const std::string& word = line.words[0];
    if (word == "osc") {
        ReadOscillator(line, instrument);
    } else if (word == "env") {
        ExpectCount(line, 5, 5, "env <attack s> <decay s> <sustain 0..1> <release s>");
        instrument.envelope = {Number(line, 1, 0, 60), Number(line, 2, 0, 60), Number(line, 3, 0, 1),
                               Number(line, 4, 0, 60)};
    } else if (word == "filter") {
        ReadFilter(line, instrument);
    } else if (word == "sweep") {
        ExpectCount(line, 2, 3, "sweep <semitones> [seconds]");
        instrument.sweepSemitones = Number(line, 1, -96, 96);
        instrument.sweepSeconds = line.words.size() == 3 ? Number(line, 2, 0.001f, 60) : 0.0f;
    } else if (word == "vibrato") {
        ExpectCount(line, 3, 3, "vibrato <rate Hz> <depth cents>");
        instrument.vibratoHz = Number(line, 1, 0, 50);
        instrument.vibratoCents = Number(line, 2, 0, 1200);
    } else if (word == "tremolo") {
        ExpectCount(line, 3, 3, "tremolo <rate Hz> <depth 0..1>");
        instrument.tremoloHz = Number(line, 1, 0, 50);
        instrument.tremoloDepth = Number(line, 2, 0, 1);
    } else if (word == "volume") {
        ExpectCount(line, 2, 2, "volume <factor>");
        instrument.volume = Number(line, 1, 0, 4);
    } else if (word == "pan") {
        ExpectCount(line, 2, 2, "pan <-1 left .. 1 right>");
        instrument.pan = Number(line, 1, -1, 1);
    } else if (word == "echo") {
        ExpectCount(line, 4, 4, "echo <delay s> <feedback 0..0.95> <mix 0..1>");
        instrument.echo = {Number(line, 1, 0.01f, 2), Number(line, 2, 0, 0.95f), Number(line, 3, 0, 1)};
    } else if (word == "reverb") {
        ExpectCount(line, 2, 3, "reverb <mix 0..1> [size 0..1]");
        instrument.reverb = {Number(line, 1, 0, 1), line.words.size() == 3 ? Number(line, 2, 0, 1) : 0.5f};
    } else {
        Fail(line.number, "unknown instrument setting \"" + word +
                              "\" (osc, env, filter, sweep, vibrato, tremolo, volume, pan, echo, reverb)");
    }
}

void Parser::ReadOscillator(const Line& line, Instrument& instrument) {
    const std::string usage = "osc <wave> <level> [pitch <semitones>] [width <0..1>] [fm <ratio> <depth>]";
    static const std::map<std::string, Wave> kWaves = {{"sine", Wave::Sine},         {"square", Wave::Square},
                                                       {"saw", Wave::Saw},           {"triangle", Wave::Triangle},
                                                       {"noise", Wave::Noise},       {"pluck", Wave::Pluck}};
    ExpectCount(line, 3, 10, usage);
    auto wave = kWaves.find(line.words[1]);
    if (wave == kWaves.end())
        Fail(line.number, "unknown wave \"" + line.words[1] + "\" (sine, square, saw, triangle, noise, pluck)");
    Oscillator oscillator;
    oscillator.wave = wave->second;
    oscillator.level = Number(line, 2, 0, 4);
    for (size_t at = 3; at < line.words.size();) {
        const std::string& option = line.words[at];
        size_t values = option == "fm" ? 2 : 1;
        if ((option != "pitch" && option != "width" && option != "fm") || at + values >= line.words.size())
            Fail(line.number, "usage: " + usage);
        if (option == "pitch")
            oscillator.semitones = Number(line, at + 1, -96, 96);
        else if (option == "width")
            oscillator.width = Number(line, at + 1, 0.01f, 0.99f);
        else
            oscillator.fmRatio = Number(line, at + 1, 0.01f, 32), oscillator.fmDepth = Number(line, at + 2, 0, 50);
        at += values + 1;
    }
    instrument.oscillators.push_back(oscillator);
}

void Parser::ReadFilter(const Line& line, Instrument& instrument) {
    const std::string usage = "filter <lowpass|highpass|bandpass> <cutoff> [to <cutoff>] [q <q>]";
    static const std::map<std::string, FilterKind> kKinds = {
        {"lowpass", FilterKind::Lowpass}, {"highpass", FilterKind::Highpass}, {"bandpass", FilterKind::Bandpass}};
    ExpectCount(line, 3, 7, usage);
    auto kind = kKinds.find(line.words[1]);
    if (kind == kKinds.end())
        Fail(line.number, "unknown filter \"" + line.words[1] + "\" (lowpass, highpass, bandpass)");
    Filter& filter = instrument.filter;
    filter = Filter{};
    filter.kind = kind->second;
    filter.from = filter.to = Frequency(line, 2, &filter.relative);
    for (size_t at = 3; at < line.words.size(); at += 2) {
        const std::string& option = line.words[at];
        if ((option != "to" && option != "q") || at + 1 >= line.words.size())
            Fail(line.number, "usage: " + usage);
        if (option == "q") {
            filter.q = Number(line, at + 1, 0.1f, 30);
            continue;
        }
        bool relative = false;
        filter.to = Frequency(line, at + 1, &relative);
        if (relative != filter.relative)
            Fail(line.number, "both cutoffs must be in Hz or both relative to the note (\"2x\")");
    }
}

void Parser::ReadPatternLine(const Line& line) {
    Pattern& pattern = patterns_[currentPattern_];
    if (line.words.size() % 2 != 0)
        Fail(line.number, "notes come in pairs: <pitch or r> <value>, e.g. \"C4 8 r 8 E4+G4 4.\"");
    for (size_t at = 0; at < line.words.size(); at += 2)
        pattern.steps.push_back({Pitches(line, at), NoteValue(line, at + 1)});
}

void Parser::ReadTrackLine(const Line& line) {
    Track& track = tracks_.back();
    for (const std::string& word : line.words) {
        if (!IsRepeat(word)) {
            track.patterns.push_back({line.number, word});
            continue;
        }
        int count = 0;
        auto [end, error] = std::from_chars(word.data() + 1, word.data() + word.size(), count);
        if (error != std::errc() || end != word.data() + word.size() || count < 1 || count > 1000)
            Fail(line.number, "bad repeat \"" + word + "\" (x2 plays the pattern before it twice)");
        if (track.patterns.empty())
            Fail(line.number, "\"" + word + "\" repeats nothing: name a pattern first");
        PatternUse repeated = track.patterns.back();
        for (int i = 1; i < count; ++i)
            track.patterns.push_back(repeated);
    }
}

void Parser::ReadEvent(const Line& line) {
    ExpectCount(line, 5, 6, "at <seconds> <instrument> <pitch> <hold seconds> [velocity]");
    events_.push_back({line.number, line.words[2], Value(line, 1, 0, kLongestSong), Pitches(line, 3),
                       Value(line, 4, 0.001, kLongestSong), line.words.size() == 6 ? Number(line, 5, 0, 4) : 1.0f});
    if (events_.back().pitches.empty())
        Fail(line.number, "an event needs a pitch, not a rest");
}

void Parser::ExpectCount(const Line& line, size_t least, size_t most, const std::string& usage) const {
    if (line.words.size() < least || line.words.size() > most)
        Fail(line.number, "usage: " + usage);
}

double Parser::Value(const Line& line, size_t index, double least, double most) const {
    const std::string& word = line.words[index];
    double value = 0.0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        Fail(line.number, "\"" + word + "\" is not a number");
    if (value < least || value > most) {
        std::ostringstream range;
        range << "\"" << word << "\" is out of range (" << least << " to " << most << ")";
        Fail(line.number, range.str());
    }
    return value;
}

float Parser::Frequency(const Line& line, size_t index, bool* relative) const {
    const std::string& word = line.words[index];
    *relative = !word.empty() && word.back() == 'x';
    if (!*relative)
        return Number(line, index, 10, 20000);
    Line bare{line.number, {word.substr(0, word.size() - 1)}};
    return Number(bare, 0, 0.05f, 64);
}

std::vector<float> Parser::Pitches(const Line& line, size_t index) const {
    std::optional<std::vector<float>> pitches = ParsePitches(line.words[index]);
    if (!pitches)
        Fail(line.number, "\"" + line.words[index] + "\" is not a pitch (C4, F#5, Bb3, C4+E4+G4 or r)");
    return *pitches;
}

double Parser::NoteValue(const Line& line, size_t index) const {
    std::optional<double> beats = ParseNoteValue(line.words[index]);
    if (!beats)
        Fail(line.number, "\"" + line.words[index] + "\" is not a note value (1 2 4 8 16 32 64, with . or t, joined by +)");
    return *beats;
}

size_t Parser::InstrumentIndex(int line, const std::string& name) const {
    for (size_t i = 0; i < instruments_.size(); ++i) {
        if (instruments_[i].name == name)
            return i;
    }
    Fail(line, "unknown instrument \"" + name + "\"");
}

// Appends the track's notes; answers where the track ends, in seconds.
double Parser::AddTrack(const Track& track, Song& song) const {
    if (!tempo_)
        Fail(track.line, "a track needs a tempo (\"tempo <beats per minute>\")");
    if (track.patterns.empty())
        Fail(track.line, "the track plays no pattern");
    size_t instrument = InstrumentIndex(track.line, track.instrument);
    double secondsPerBeat = 60.0 / *tempo_;
    double beat = 0.0;
    for (const PatternUse& use : track.patterns) {
        auto pattern = patterns_.find(use.name);
        if (pattern == patterns_.end())
            Fail(use.line, "unknown pattern \"" + use.name + "\"");
        for (const Step& step : pattern->second.steps) {
            for (float pitch : step.pitches)
                song.notes.push_back({instrument, beat * secondsPerBeat, step.beats * secondsPerBeat, pitch, track.volume});
            beat += step.beats;
        }
        if (beat * secondsPerBeat > kLongestSong)
            Fail(use.line, "the track runs past " + std::to_string(int(kLongestSong)) + " seconds");
    }
    return beat * secondsPerBeat;
}

Song Parser::Finish() {
    for (const auto& [name, pattern] : patterns_) {
        if (pattern.steps.empty())
            Fail(pattern.line, "the pattern \"" + name + "\" has no notes");
    }
    for (const Instrument& instrument : instruments_) {
        if (instrument.oscillators.empty())
            Fail(instrumentLines_.at(instrument.name), "the instrument \"" + instrument.name + "\" has no osc");
    }
    Song song;
    song.instruments = instruments_;
    double end = 0.0;
    for (const Track& track : tracks_)
        end = std::max(end, AddTrack(track, song));
    for (const Event& event : events_) {
        size_t instrument = InstrumentIndex(event.line, event.instrument);
        for (float pitch : event.pitches)
            song.notes.push_back({instrument, event.start, event.hold, pitch, event.velocity});
        end = std::max(end, event.start + event.hold);
    }
    if (song.notes.empty())
        throw SynthError(source_ + ": the description plays nothing (no track, no \"at\" event)");
    song.loop = loop_;
    song.length = length_ ? *length_ : (loop_ ? end : 0.0);
    song.peakDb = peakDb_ ? *peakDb_ : song.peakDb;
    song.loudnessDb = loudnessDb_ ? *loudnessDb_ : song.loudnessDb;
    return song;
}

}  // namespace

Song ParseSong(std::string_view text, const std::string& source) {
    return Parser(source).Parse(text);
}

}  // namespace synth
