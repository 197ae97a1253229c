// music_song.cpp - the song compiler: tracker notation text in, XmModule out.
//
// Sections
//   1. lines and blocks (a directive line and its indented continuation lines)
//   2. note tokens: pitch, chord, length, volume and effect modifiers
//   3. track bodies: state tokens, groups, includes, drum grids
//   4. the song: header lines, instruments, kit, tracks, patterns, order list
#include "tools/assetgen/music_song.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <vector>

#include "tools/assetgen/music_synth.h"

namespace {

struct SongError {
    int line;
    std::string why;
};

// ============================================================ 1. lines and blocks

struct Token {
    std::string text;
    int line;
};

// A directive and everything indented below it, split into words.
struct Block {
    int line = 0;
    std::vector<std::string> head; // the words of the directive line
    std::vector<Token> words; // the words after the directive's own, continuation lines included
    std::vector<std::vector<Token>> lines; // continuation lines one by one (patterns need them)
};

std::vector<Token> SplitWords(const std::string& text, int line) {
    std::vector<Token> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w) out.push_back({w, line});
    return out;
}

std::vector<Block> SplitBlocks(const std::string& text) {
    std::vector<Block> blocks;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        number++;
        const size_t comment = raw.find(';');
        if (comment != std::string::npos) raw.erase(comment);
        const std::vector<Token> words = SplitWords(raw, number);
        if (words.empty()) continue;
        if (std::isspace(static_cast<unsigned char>(raw[0]))) {
            if (blocks.empty())
                throw SongError{number, "an indented line needs a directive above it"};
            Block& b = blocks.back();
            b.words.insert(b.words.end(), words.begin(), words.end());
            b.lines.push_back(words);
            continue;
        }
        Block b;
        b.line = number;
        for (const Token& t : words) b.head.push_back(t.text);
        blocks.push_back(std::move(b));
    }
    return blocks;
}

int ParseInt(const std::string& text, int line, int lo, int hi, const char* what) {
    size_t used = 0;
    int v = 0;
    try {
        v = std::stoi(text, &used);
    } catch (...) {
        used = 0;
    }
    if (used == 0 || used != text.size() || v < lo || v > hi)
        throw SongError{line, std::string(what) + " '" + text + "' must be a whole number " +
                                  std::to_string(lo) + ".." + std::to_string(hi)};
    return v;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// ============================================================ 2. note tokens

// Arpeggio offsets of the chord names that may follow a % note (root, x, y semitones).
struct ChordName {
    const char* suffix;
    uint8_t arpeggio;
};
const ChordName CHORD_NAMES[] = {
    {"m7", 0x3A}, {"M7", 0x4B}, {"m6", 0x39}, {"s4", 0x57}, {"s2", 0x27}, {"m", 0x37},
    {"5", 0x7C},  {"7", 0x4A},  {"6", 0x49},  {"d", 0x36},  {"a", 0x48},  {"8", 0x0C},
};

constexpr int NO_EFFECT = -1;

struct NoteSpec {
    enum Kind { NOTE, HOLD, KEY_OFF } kind = HOLD;
    int note = 0;        // 1..96 for NOTE
    bool porta = false;  // slide into the note (effect 3) instead of striking it
    int arpeggio = -1;   // chord arpeggio parameter, every row
    int length = -1;     // rows; -1: the track's default
    int volume = -1;     // volume column byte; -1: none given
    int volumeRest = -1; // volume column byte of every row after the first (slides)
    int first = NO_EFFECT, every = NO_EFFECT, rest = NO_EFFECT,
        last = NO_EFFECT; // effect << 8 | param
    bool vibrato = false;
};

// Effect letter and two hex digits ("A0F", "E93", "F03") as effect << 8 | param.
int ParseEffect(const std::string& t, size_t& i, int line) {
    if (i + 3 > t.size())
        throw SongError{line, "effect in '" + t + "' needs a letter and two hex digits"};
    const char c = char(std::toupper(static_cast<unsigned char>(t[i])));
    int effect = -1;
    if (c >= '0' && c <= '9')
        effect = c - '0';
    else if (c >= 'A' && c <= 'Z')
        effect = c - 'A' + 10;
    const int hi = HexDigit(t[i + 1]), lo = HexDigit(t[i + 2]);
    if (effect < 0 || hi < 0 || lo < 0) throw SongError{line, "bad effect in '" + t + "'"};
    i += 3;
    return effect << 8 | (hi << 4 | lo);
}

int ParseHexByte(const std::string& t, size_t& i, int line) {
    if (i + 2 > t.size() || HexDigit(t[i]) < 0 || HexDigit(t[i + 1]) < 0)
        throw SongError{line, "'" + t + "' needs two hex digits after its volume letter"};
    const int v = HexDigit(t[i]) * 16 + HexDigit(t[i + 1]);
    i += 2;
    return v;
}

bool IsNoteToken(const std::string& t) {
    size_t i = 0;
    if (i < t.size() && t[i] == '/') i++;
    if (i < t.size() && t[i] == '%') i++;
    return i < t.size() && ((t[i] >= 'A' && t[i] <= 'G') || t[i] == '-' || t[i] == '^');
}

NoteSpec ParseNote(const std::string& t, int line) {
    NoteSpec n;
    size_t i = 0;
    if (t[i] == '/') n.porta = true, i++;
    bool chord = false;
    if (i < t.size() && t[i] == '%') chord = true, i++;
    if (t[i] == '-' || t[i] == '^') {
        if (n.porta || chord) throw SongError{line, "'" + t + "': a hold or key-off has no pitch"};
        n.kind = t[i] == '-' ? NoteSpec::HOLD : NoteSpec::KEY_OFF;
        i++;
    } else {
        static const int SEMITONE[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
        int semitone = SEMITONE[t[i] - 'A'];
        i++;
        if (i < t.size() && t[i] == '#')
            semitone++, i++;
        else if (i < t.size() && t[i] == 'b')
            semitone--, i++;
        if (i >= t.size() || !std::isdigit(static_cast<unsigned char>(t[i])))
            throw SongError{line, "note '" + t + "' needs an octave digit"};
        n.kind = NoteSpec::NOTE;
        n.note = 12 * (t[i] - '0') + semitone + 1;
        i++;
        if (chord) {
            n.arpeggio = 0x47; // major unless a name follows
            size_t best = 0;
            for (const ChordName& c : CHORD_NAMES) {
                const std::string s = c.suffix;
                if (s.size() > best && t.compare(i, s.size(), s) == 0)
                    best = s.size(), n.arpeggio = c.arpeggio;
            }
            i += best;
        }
    }
    while (i < t.size()) {
        const char m = t[i++];
        switch (m) {
        case ':': {
            size_t j = i;
            while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) j++;
            n.length = ParseInt(t.substr(i, j - i), line, 1, 256, "length");
            i = j;
            break;
        }
        case 'v': {
            const int v = ParseHexByte(t, i, line);
            if (v > 0x40) throw SongError{line, "volume in '" + t + "' is above 40 (hex)"};
            n.volume = 0x10 + v;
            break;
        }
        case 'w': n.volume = ParseHexByte(t, i, line); break;
        case 'V': n.volumeRest = ParseHexByte(t, i, line); break;
        case '!': n.first = ParseEffect(t, i, line); break;
        case '*': n.every = ParseEffect(t, i, line); break;
        case '&': n.rest = ParseEffect(t, i, line); break;
        case '>': n.last = ParseEffect(t, i, line); break;
        case '~': n.vibrato = true; break;
        default:
            throw SongError{line, "unknown modifier '" + std::string(1, m) + "' in '" + t + "'"};
        }
    }
    if (n.porta && n.kind != NoteSpec::NOTE) throw SongError{line, "'/' slides into a note only"};
    return n;
}

// ============================================================ 3. track bodies

struct TrackState {
    int length = 1;       // default rows per note
    int instrument = 0;   // 1-based; written with every note
    int volume = -1;      // default volume column byte for notes
    int vibrato = 0x00;   // vibrato parameter of '~'
    int vibratoDelay = 2; // rows into a note before '~' starts
    int porta = 0x10;     // tone-portamento speed of '/'
};

// What the song text has defined so far: the module being built and the named pieces.
struct SongState {
    XmModule module;
    double minimumSeconds = 0;
    std::map<std::string, Block> tracks;
    std::map<char, XmCell> kit;
    std::map<std::string, int> patternIndex;
    std::vector<bool> patternUsed;
    int swingEven = 0, swingOdd = 0, swingChannel = 0; // 0: no swing
};

const Block* FindTrack(const SongState& song, const std::string& name) {
    const auto it = song.tracks.find(name);
    return it == song.tracks.end() ? nullptr : &it->second;
}

const XmCell* FindKit(const SongState& song, char letter) {
    const auto it = song.kit.find(letter);
    return it == song.kit.end() ? nullptr : &it->second;
}

int InstrumentCount(const SongState& song) {
    return int(song.module.instruments.size());
}

int InstrumentVolume(const SongState& song, int number) {
    const XmInstrument& ins = song.module.instruments.at(size_t(number - 1));
    return ins.samples.empty() ? 0 : ins.samples[0].volume;
}

// One track body being compiled: its song, transposition and include depth, and the state
// its tokens have set so far.
struct TrackContext {
    const SongState& song;
    int transpose;
    int depth;
    TrackState state;
};

std::vector<XmCell> CompileTrack(const SongState& song, const std::vector<Token>& tokens,
                                 int transpose, int depth);

// "*3" after a group, grid or include: how often to play it (1 when absent).
int RepeatCount(const std::string& suffix, int line) {
    if (suffix.empty()) return 1;
    if (suffix[0] != '*')
        throw SongError{line,
                        "expected '*count' after a group, grid or track, got '" + suffix + "'"};
    return ParseInt(suffix.substr(1), line, 1, 256, "repeat count");
}

void CompileSequence(TrackContext& c, const std::vector<Token>& tokens, size_t& i, bool inGroup,
                     std::vector<XmCell>& out);

std::vector<XmCell> CompileTrack(const SongState& song, const std::vector<Token>& tokens,
                                 int transpose, int depth) {
    if (depth > 16)
        throw SongError{tokens.empty() ? 0 : tokens[0].line,
                        "tracks include each other too deeply"};
    TrackContext c{song, transpose, depth, TrackState{}};
    std::vector<XmCell> out;
    size_t i = 0;
    CompileSequence(c, tokens, i, false, out);
    return out;
}

bool ApplyStateToken(TrackContext& c, const Token& tok);
void CompileNote(TrackContext& c, const Token& tok, std::vector<XmCell>& out);
void CompileGrid(const TrackContext& c, const Token& tok, std::vector<XmCell>& out);
void CompileInclude(const TrackContext& c, const Token& tok, std::vector<XmCell>& out);

void CompileSequence(TrackContext& c, const std::vector<Token>& tokens, size_t& i, bool inGroup,
                     std::vector<XmCell>& out) {
    while (i < tokens.size()) {
        const Token& tok = tokens[i++];
        const std::string& t = tok.text;
        if (t == "(") {
            std::vector<XmCell> group;
            CompileSequence(c, tokens, i, true, group);
            const Token& close = tokens[i - 1];
            const int times = RepeatCount(close.text.substr(1), close.line);
            for (int k = 0; k < times; k++) out.insert(out.end(), group.begin(), group.end());
        } else if (t[0] == ')') {
            if (!inGroup) throw SongError{tok.line, "')' without '('"};
            return;
        } else if (t[0] == '|') {
            CompileGrid(c, tok, out);
        } else if (t[0] == '$') {
            CompileInclude(c, tok, out);
        } else if (ApplyStateToken(c, tok)) {
            continue;
        } else if (IsNoteToken(t)) {
            CompileNote(c, tok, out);
        } else {
            throw SongError{tok.line, "cannot read '" + t + "'"};
        }
    }
    if (inGroup) throw SongError{tokens.empty() ? 0 : tokens.back().line, "'(' without ')'"};
}

bool ApplyStateToken(TrackContext& c, const Token& tok) {
    const std::string& t = tok.text;
    if (t.size() > 1 && t[0] == 'L' && std::isdigit(static_cast<unsigned char>(t[1]))) {
        c.state.length = ParseInt(t.substr(1), tok.line, 1, 256, "default length");
        return true;
    }
    if (t[0] == '@') {
        c.state.instrument = ParseInt(t.substr(1), tok.line, 0, 128, "instrument");
        if (c.state.instrument > InstrumentCount(c.song))
            throw SongError{tok.line, "instrument " + t.substr(1) + " is not defined above"};
        return true;
    }
    const size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    const std::string key = t.substr(0, eq), value = t.substr(eq + 1);
    size_t k = 0;
    if (key == "vol") {
        if (value == "-") {
            c.state.volume = -1;
        } else {
            const int v = ParseHexByte(value, k, tok.line);
            if (k != value.size() || v > 0x40)
                throw SongError{tok.line, "vol= takes 00..40 (hex) or -"};
            c.state.volume = 0x10 + v;
        }
    } else if (key == "vib") {
        c.state.vibrato = ParseHexByte(value, k, tok.line);
    } else if (key == "vibdelay") {
        c.state.vibratoDelay = ParseInt(value, tok.line, 0, 64, "vibrato delay");
    } else if (key == "porta") {
        c.state.porta = ParseHexByte(value, k, tok.line);
    } else {
        throw SongError{tok.line, "unknown setting '" + key + "'"};
    }
    if (key != "vol" && key != "vibdelay" && k != value.size())
        throw SongError{tok.line, "bad value in '" + t + "'"};
    return true;
}

void CompileNote(TrackContext& c, const Token& tok, std::vector<XmCell>& out) {
    const NoteSpec n = ParseNote(tok.text, tok.line);
    const int rows = n.length > 0 ? n.length : c.state.length;
    const size_t start = out.size();
    out.resize(start + size_t(rows));
    XmCell& head = out[start];
    if (n.kind == NoteSpec::NOTE) {
        const int note = n.note + c.transpose;
        if (note < 1 || note > 96)
            throw SongError{tok.line, "'" + tok.text + "' lies outside C0..B7 here"};
        head.note = uint8_t(note);
        head.instrument = uint8_t(c.state.instrument);
        if (c.state.instrument == 0) throw SongError{tok.line, "a note before any @instrument"};
        if (n.volume < 0 && c.state.volume >= 0) head.volume = uint8_t(c.state.volume);
    } else if (n.kind == NoteSpec::KEY_OFF) {
        head.note = XM_NOTE_KEY_OFF;
    }
    if (n.volume >= 0) head.volume = uint8_t(n.volume);
    for (int r = 0; r < rows; r++) {
        if (r > 0 && n.volumeRest >= 0) out[start + r].volume = uint8_t(n.volumeRest);
        int fx = NO_EFFECT;
        if (n.vibrato && r >= c.state.vibratoDelay) fx = 0x400 | c.state.vibrato;
        if (n.porta) fx = r == 0 ? (0x300 | c.state.porta) : 0x300;
        if (n.arpeggio >= 0) fx = n.arpeggio;
        if (n.every != NO_EFFECT) fx = n.every;
        if (r > 0 && n.rest != NO_EFFECT) fx = n.rest;
        if (r == rows - 1 && n.last != NO_EFFECT) fx = n.last;
        if (r == 0 && n.first != NO_EFFECT) fx = n.first;
        if (r == 0 && n.porta && n.first != NO_EFFECT)
            throw SongError{tok.line, "'" + tok.text + "' slides and has another first-row effect"};
        if (fx != NO_EFFECT) {
            out[start + r].effect = uint8_t(fx >> 8);
            out[start + r].param = uint8_t(fx & 0xFF);
        }
    }
}

void CompileGrid(const TrackContext& c, const Token& tok, std::vector<XmCell>& out) {
    const std::string& t = tok.text;
    const size_t close = t.find('|', 1);
    if (close == std::string::npos)
        throw SongError{tok.line, "grid '" + t + "' has no closing '|'"};
    std::vector<XmCell> rows;
    for (size_t i = 1; i < close; i++) {
        if (t[i] == '.') {
            rows.push_back(XmCell{});
            continue;
        }
        const XmCell* cell = FindKit(c.song, t[i]);
        if (!cell) throw SongError{tok.line, "no kit letter '" + std::string(1, t[i]) + "'"};
        rows.push_back(*cell);
    }
    const int times = RepeatCount(t.substr(close + 1), tok.line);
    for (int k = 0; k < times; k++) out.insert(out.end(), rows.begin(), rows.end());
}

// $name, then any of: +N or -N (transpose), >N (delay by N rows, cutting as many at the end:
// an echo), @N (every note played by instrument N), %N (note volumes scaled to N percent),
// and finally *N (repeat).
void CompileInclude(const TrackContext& c, const Token& tok, std::vector<XmCell>& out) {
    const std::string& t = tok.text;
    size_t i = 1;
    while (i < t.size() && (std::isalnum(static_cast<unsigned char>(t[i])) || t[i] == '_')) i++;
    const std::string name = t.substr(1, i - 1);
    int shift = 0, delay = 0, instrument = 0, percent = 100;
    while (i < t.size() && t[i] != '*') {
        const char op = t[i];
        size_t j = i + 1;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) j++;
        const std::string number = t.substr(i + 1, j - i - 1);
        switch (op) {
        case '+': shift = ParseInt(number, tok.line, 0, 95, "transposition"); break;
        case '-': shift = -ParseInt(number, tok.line, 0, 95, "transposition"); break;
        case '>': delay = ParseInt(number, tok.line, 0, 256, "delay"); break;
        case '@':
            instrument = ParseInt(number, tok.line, 1, InstrumentCount(c.song), "instrument");
            break;
        case '%': percent = ParseInt(number, tok.line, 0, 100, "volume percent"); break;
        default: throw SongError{tok.line, "cannot read '" + t.substr(i) + "' after a track name"};
        }
        i = j;
    }
    const int times = RepeatCount(t.substr(i), tok.line);
    const Block* track = FindTrack(c.song, name);
    if (!track) throw SongError{tok.line, "no track named '" + name + "' above"};
    std::vector<XmCell> rows = CompileTrack(c.song, track->words, c.transpose + shift, c.depth + 1);
    for (XmCell& cell : rows) {
        if (cell.note < 1 || cell.note > 96) continue;
        if (instrument) cell.instrument = uint8_t(instrument);
        if (percent != 100) {
            const int volume = cell.volume >= 0x10 && cell.volume <= 0x50
                                   ? cell.volume - 0x10
                                   : InstrumentVolume(c.song, cell.instrument);
            cell.volume = uint8_t(0x10 + (volume * percent + 50) / 100);
        }
    }
    if (delay > 0) {
        const size_t n = rows.size(), d = std::min(size_t(delay), n);
        rows.resize(n - d);
        rows.insert(rows.begin(), d, XmCell{});
    }
    for (int k = 0; k < times; k++) out.insert(out.end(), rows.begin(), rows.end());
}

// ============================================================ 4. the song

void ReadHeader(SongState& song, const Block& b);
void ReadInstrument(SongState& song, const Block& b);
void ReadKit(SongState& song, const Block& b);
void ReadPattern(SongState& song, const Block& b);
void ReadOrder(SongState& song, const Block& b);

void CompileText(const std::string& text, CompiledSong* out) {
    SongState song;
    song.module.channels = 8;
    for (const Block& b : SplitBlocks(text)) {
        const std::string& d = b.head[0];
        if (d == "instrument")
            ReadInstrument(song, b);
        else if (d == "kit")
            ReadKit(song, b);
        else if (d == "track") {
            if (b.head.size() != 2) throw SongError{b.line, "track takes one name"};
            if (!song.tracks.emplace(b.head[1], b).second)
                throw SongError{b.line, "track '" + b.head[1] + "' is defined twice"};
        } else if (d == "pattern")
            ReadPattern(song, b);
        else if (d == "order")
            ReadOrder(song, b);
        else
            ReadHeader(song, b);
    }
    if (song.module.orders.empty()) throw SongError{0, "the song has no order line"};
    for (const auto& [name, index] : song.patternIndex)
        if (!song.patternUsed[size_t(index)])
            throw SongError{0, "pattern '" + name + "' is never played"};
    if (song.module.restartPosition >= song.module.orders.size())
        throw SongError{0, "restart position lies past the order list"};
    out->module = song.module;
    out->minimumSeconds = song.minimumSeconds;
}

void ReadHeader(SongState& song, const Block& b) {
    const std::string& d = b.head[0];
    if (!b.lines.empty()) throw SongError{b.line, "'" + d + "' takes no indented lines"};
    if (d == "title") {
        std::string title;
        for (size_t i = 1; i < b.head.size(); i++) title += (i > 1 ? " " : "") + b.head[i];
        if (title.size() > 20) throw SongError{b.line, "a title holds at most 20 characters"};
        song.module.name = title;
        return;
    }
    if (d == "swing") {
        // Shuffle: every pattern alternates two speeds row by row (7 5 swings the
        // sixteenths), written into one channel kept free of other effects.
        if (b.head.size() != 4) throw SongError{b.line, "swing takes two speeds and a channel"};
        if (!song.patternIndex.empty()) throw SongError{b.line, "swing must come before patterns"};
        song.swingEven = ParseInt(b.head[1], b.line, 1, 31, "speed");
        song.swingOdd = ParseInt(b.head[2], b.line, 1, 31, "speed");
        song.swingChannel = ParseInt(b.head[3], b.line, 1, song.module.channels, "channel");
        return;
    }
    if (b.head.size() != 2) throw SongError{b.line, "'" + d + "' takes one value"};
    const std::string& v = b.head[1];
    if (d == "channels")
        song.module.channels = ParseInt(v, b.line, 1, 32, "channels");
    else if (d == "speed")
        song.module.speed = uint16_t(ParseInt(v, b.line, 1, 31, "speed"));
    else if (d == "tempo")
        song.module.tempo = uint16_t(ParseInt(v, b.line, 32, 255, "tempo"));
    else if (d == "restart")
        song.module.restartPosition = uint16_t(ParseInt(v, b.line, 0, 255, "restart"));
    else if (d == "minimum")
        song.minimumSeconds = ParseInt(v, b.line, 0, 3600, "minimum");
    else
        throw SongError{b.line, "unknown directive '" + d + "'"};
    if (!song.patternIndex.empty() && d == "channels")
        throw SongError{b.line, "channels must come before patterns"};
}

void ReadInstrument(SongState& song, const Block& b) {
    if (b.head.size() < 3)
        throw SongError{b.line, "instrument takes a number, a preset and settings"};
    const int number = ParseInt(b.head[1], b.line, 1, 128, "instrument number");
    if (number != int(song.module.instruments.size()) + 1)
        throw SongError{b.line, "instruments are numbered 1, 2, 3... in order"};
    InstrumentSettings settings;
    std::vector<Token> words;
    for (size_t i = 3; i < b.head.size(); i++) words.push_back({b.head[i], b.line});
    words.insert(words.end(), b.words.begin(), b.words.end());
    for (const Token& w : words) {
        const size_t eq = w.text.find('=');
        if (eq == std::string::npos || eq == 0)
            throw SongError{w.line, "'" + w.text + "' is not key=value"};
        if (!settings.values.emplace(w.text.substr(0, eq), w.text.substr(eq + 1)).second)
            throw SongError{w.line, "'" + w.text.substr(0, eq) + "' is set twice"};
    }
    XmInstrument ins;
    std::string why;
    if (!SynthesiseInstrument(b.head[2], settings, &ins, &why)) throw SongError{b.line, why};
    song.module.instruments.push_back(std::move(ins));
}

void ReadKit(SongState& song, const Block& b) {
    if (b.head.size() < 3 || b.head[1].size() != 1 || b.head[1][0] == '.' || b.head[1][0] == '|')
        throw SongError{b.line, "kit takes a letter and one row of notation"};
    std::vector<Token> words;
    for (size_t i = 2; i < b.head.size(); i++) words.push_back({b.head[i], b.line});
    const std::vector<XmCell> rows = CompileTrack(song, words, 0, 0);
    if (rows.size() != 1) throw SongError{b.line, "a kit letter stands for exactly one row"};
    song.kit[b.head[1][0]] = rows[0];
}

void ReadPattern(SongState& song, const Block& b) {
    if (b.head.size() != 3) throw SongError{b.line, "pattern takes a name and a row count"};
    const int rows = ParseInt(b.head[2], b.line, 1, 256, "rows");
    if (song.patternIndex.count(b.head[1]))
        throw SongError{b.line, "pattern '" + b.head[1] + "' is defined twice"};
    const int channels = song.module.channels;
    std::vector<std::vector<XmCell>> channelRows(static_cast<size_t>(channels));
    for (const std::vector<Token>& line : b.lines) {
        const int ch = ParseInt(line[0].text, line[0].line, 1, channels, "channel");
        const std::vector<XmCell> more =
            CompileTrack(song, std::vector<Token>(line.begin() + 1, line.end()), 0, 0);
        std::vector<XmCell>& dest = channelRows[size_t(ch - 1)];
        dest.insert(dest.end(), more.begin(), more.end());
        if (int(dest.size()) > rows)
            throw SongError{line[0].line, "channel " + line[0].text + " of '" + b.head[1] +
                                              "' runs to row " + std::to_string(dest.size()) +
                                              " of " + std::to_string(rows)};
    }
    for (int ch = 0; ch < channels; ch++) {
        const size_t have = channelRows[size_t(ch)].size();
        if (have != 0 && int(have) != rows)
            throw SongError{b.line, "channel " + std::to_string(ch + 1) + " of '" + b.head[1] +
                                        "' fills " + std::to_string(have) + " of its " +
                                        std::to_string(rows) + " rows"};
    }
    XmPattern p;
    p.Resize(rows, channels);
    for (int ch = 0; ch < channels; ch++)
        for (size_t r = 0; r < channelRows[size_t(ch)].size(); r++)
            p.At(int(r), ch, channels) = channelRows[size_t(ch)][r];
    for (int r = 0; song.swingChannel > 0 && r < rows; r++) {
        XmCell& c = p.At(r, song.swingChannel - 1, channels);
        if (c.effect != 0 || c.param != 0)
            throw SongError{b.line, "row " + std::to_string(r) + " of '" + b.head[1] +
                                        "' has an effect in the swing channel"};
        c.effect = 0x0F;
        c.param = uint8_t(r % 2 == 0 ? song.swingEven : song.swingOdd);
    }
    song.patternIndex[b.head[1]] = int(song.module.patterns.size());
    song.patternUsed.push_back(false);
    song.module.patterns.push_back(std::move(p));
}

void ReadOrder(SongState& song, const Block& b) {
    std::vector<Token> names;
    for (size_t i = 1; i < b.head.size(); i++) names.push_back({b.head[i], b.line});
    names.insert(names.end(), b.words.begin(), b.words.end());
    for (const Token& n : names) {
        const auto it = song.patternIndex.find(n.text);
        if (it == song.patternIndex.end())
            throw SongError{n.line, "no pattern named '" + n.text + "' above"};
        if (song.module.orders.size() == 256)
            throw SongError{n.line, "the order list holds at most 256 entries"};
        song.module.orders.push_back(uint8_t(it->second));
        song.patternUsed[size_t(it->second)] = true;
    }
}

} // namespace

bool CompileSong(const std::string& text, const std::string& fileName, CompiledSong* out,
                 std::string* error) {
    try {
        CompileText(text, out);
        return true;
    } catch (const SongError& e) {
        *error = fileName + ":" + std::to_string(e.line) + ": " + e.why;
        return false;
    }
}
