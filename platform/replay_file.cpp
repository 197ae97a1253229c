// replay_file.cpp - writing and reading the replay file (see replay_file.h).
#include "platform/replay_file.h"

#include <cstdio>

#include "platform/scripted.h"

namespace {

constexpr uint64_t FNV_PRIME = 0x100000001b3ull;
constexpr size_t MAX_LINE_BYTES = 200;
constexpr size_t MAX_VERSION_CHARS = 64;
constexpr size_t CHECK_CHARS = 6; // " ~" and 4 hex digits

uint64_t HashOn(uint64_t hash, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; i++) hash = (hash ^ data[i]) * FNV_PRIME;
    return hash;
}

// Appends a line and its check; `hash` runs over the whole text.
void AddLine(std::string& text, uint64_t& hash, const std::string& line) {
    hash = HashOn(hash, reinterpret_cast<const uint8_t*>(line.data()), line.size());
    char check[16];
    std::snprintf(check, sizeof check, " ~%04x\n", unsigned(hash & 0xffff));
    hash = HashOn(hash, reinterpret_cast<const uint8_t*>(check), CHECK_CHARS + 1);
    text += line;
    text += check;
}

// Whole decimal number of 1 to `digits` digits; false for anything else.
bool ReadNumber(const std::string& word, size_t digits, uint64_t* value) {
    if (word.empty() || word.size() > digits) return false;
    *value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        *value = *value * 10 + uint64_t(c - '0');
    }
    return true;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = text.find(' ', i);
        words.push_back(text.substr(i, end == std::string::npos ? std::string::npos : end - i));
        if (end == std::string::npos) break;
        i = end + 1;
    }
    return words;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ReadHex(const std::string& word, size_t digits, uint64_t* value) {
    if (word.size() != digits) return false;
    *value = 0;
    for (char c : word) {
        if (HexDigit(c) < 0) return false;
        *value = *value << 4 | uint64_t(HexDigit(c));
    }
    return true;
}

} // namespace

uint64_t ReplayHash(const uint8_t* data, size_t size, uint64_t hash) {
    return HashOn(hash, data, size);
}

std::string ReplayMapText(bool hasMap, uint64_t mapHash) {
    if (!hasMap) return "none";
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(mapHash));
    return text;
}

std::string FormatReplay(const ReplayRecording& r) {
    std::string text;
    uint64_t hash = REPLAY_HASH_START;
    AddLine(text, hash, "morvexa-replay " + std::to_string(REPLAY_FORMAT_VERSION));
    AddLine(text, hash, "game " + r.gameVersion);
    AddLine(text, hash, "seed " + std::to_string(r.seed));
    AddLine(text, hash, "map " + ReplayMapText(r.hasMap, r.mapHash));
    char result[8];
    for (const ReplayKeyEvent& e : r.keys) {
        std::snprintf(result, sizeof result, "%x", unsigned(e.result));
        AddLine(text, hash,
                std::to_string(e.frame) + " " + KeyScriptName(e.vk) + " " +
                    std::to_string(e.query) + " " + result);
    }
    AddLine(text, hash, "end " + std::to_string(r.lastFrame));
    return text;
}

bool ParseReplay(const std::vector<uint8_t>& bytes, ReplayRecording* r, std::string* error) {
    *r = ReplayRecording{};
    size_t at = 0; // where the current line starts
    int number = 0;
    auto fail = [&](const std::string& reason) {
        *error =
            "line " + std::to_string(number) + " (byte " + std::to_string(at + 1) + "): " + reason;
        return false;
    };
    if (bytes.size() > REPLAY_MAX_FILE_BYTES) {
        number = 1;
        return fail("not a replay: larger than 64 MiB");
    }
    uint64_t hash = REPLAY_HASH_START;
    uint16_t answer[256] = {};     // each key's answer after the events so far
    uint32_t lastQuery[256] = {};  // its last event's query number, in eventFrame
    uint32_t eventFrame[256] = {}; // the frame of its last event (0: none yet)
    uint32_t frame = 0;            // the frame of the last event
    bool ended = false;
    while (!ended) {
        number++;
        if (at >= bytes.size())
            return fail(number == 1 ? "not a replay: the file is empty"
                                    : "the file is cut short: it ends before its 'end' line");
        size_t stop = at;
        while (stop < bytes.size() && bytes[stop] != '\n' && stop - at <= MAX_LINE_BYTES) stop++;
        if (stop - at > MAX_LINE_BYTES) return fail("the line is too long: the file is damaged");
        if (stop == bytes.size()) return fail("the file is cut short inside this line");
        const std::string line(bytes.begin() + long(at), bytes.begin() + long(stop));
        if (number == 1 && line.compare(0, 15, "morvexa-replay ") != 0)
            return fail("not a MORVEXA replay");
        uint64_t check = 0;
        if (line.size() < CHECK_CHARS || line.compare(line.size() - CHECK_CHARS, 2, " ~") != 0 ||
            !ReadHex(line.substr(line.size() - 4), 4, &check))
            return fail("the line has no check at its end: the file is damaged");
        const std::string text = line.substr(0, line.size() - CHECK_CHARS);
        hash = HashOn(hash, bytes.data() + at, text.size());
        if ((hash & 0xffff) != check)
            return fail("the line does not match its check: the file is damaged here or a line "
                        "before it is missing");
        hash = HashOn(hash, bytes.data() + at + text.size(), CHECK_CHARS + 1);

        const std::vector<std::string> w = Words(text);
        uint64_t n = 0, q = 0;
        if (number == 1) {
            if (w.size() != 2 || !ReadNumber(w[1], 9, &n)) return fail("no format version");
            if (n != uint64_t(REPLAY_FORMAT_VERSION))
                return fail("replay format " + w[1] + ": this game reads format " +
                            std::to_string(REPLAY_FORMAT_VERSION));
        } else if (number == 2) {
            if (w.size() != 2 || w[0] != "game" || w[1].empty() || w[1].size() > MAX_VERSION_CHARS)
                return fail("expected 'game VERSION'");
            r->gameVersion = w[1];
        } else if (number == 3) {
            if (w.size() != 2 || w[0] != "seed" || !ReadNumber(w[1], 10, &n) || n > UINT32_MAX)
                return fail("expected 'seed N' (0 to 4294967295)");
            r->seed = uint32_t(n);
        } else if (number == 4) {
            if (w.size() != 2 || w[0] != "map" ||
                (w[1] != "none" && !ReadHex(w[1], 16, &r->mapHash)))
                return fail("expected 'map HASH' (16 hex digits) or 'map none'");
            r->hasMap = w[1] != "none";
        } else if (!w.empty() && w[0] == "end") {
            if (w.size() != 2 || !ReadNumber(w[1], 9, &n)) return fail("expected 'end FRAME'");
            if (n < frame) return fail("the end comes before the last key event");
            r->lastFrame = uint32_t(n);
            ended = true;
        } else {
            // FRAME KEY QUERY RESULT
            const int vk = w.size() == 4 ? KeyCodeFromName(w[1]) : -1;
            if (vk < 0 || !ReadNumber(w[0], 9, &n) || n == 0 || !ReadNumber(w[2], 9, &q) ||
                (w[3] != "0" && w[3] != "1" && w[3] != "8000" && w[3] != "8001"))
                return fail("expected 'FRAME KEY QUERY RESULT' (a key event) or 'end FRAME'");
            const uint16_t result = w[3] == "0"      ? 0
                                    : w[3] == "1"    ? 1
                                    : w[3] == "8000" ? 0x8000
                                                     : 0x8001;
            if (n < frame) return fail("the key event is out of order (frame " + w[0] + ")");
            if (eventFrame[vk] == n && q <= lastQuery[vk])
                return fail("the key event is out of order (query " + w[2] + ")");
            if (result == answer[vk]) return fail("the key event changes nothing");
            frame = uint32_t(n);
            answer[vk] = result, lastQuery[vk] = uint32_t(q), eventFrame[vk] = frame;
            r->keys.push_back({frame, uint8_t(vk), uint32_t(q), result});
        }
        at = stop + 1;
    }
    number++;
    if (at < bytes.size()) return fail("there is more after the 'end' line: the file is damaged");
    return true;
}
