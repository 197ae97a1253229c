// key_script.cpp - parses the key scripts of the scripted driver.
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/scripted.h"

namespace {

struct KeyName {
    const char* name;
    int vk;
};
const KeyName KEY_NAMES[] = {
    {"escape", VK_ESCAPE}, {"space", VK_SPACE}, {"left", VK_LEFT}, {"up", VK_UP},
    {"right", VK_RIGHT},   {"down", VK_DOWN},   {"f1", VK_F1},     {"f2", VK_F2},
    {"f3", VK_F3},         {"f4", VK_F4},       {"f5", VK_F5},
};

bool ParseFrame(const std::string& word, uint32_t* frame) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    *frame = uint32_t(std::stoul(word));
    return true;
}

} // namespace

int KeyCodeFromName(const std::string& name) {
    for (const KeyName& k : KEY_NAMES)
        if (name == k.name) return k.vk;
    return -1;
}

const char* KeyScriptName(int vk) {
    for (const KeyName& k : KEY_NAMES)
        if (vk == k.vk) return k.name;
    return "";
}

bool ParseKeyScript(const std::string& text, KeyScript* script, std::string* error) {
    *script = KeyScript{};
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& reason) {
        *error = "line " + std::to_string(number) + ": " + reason;
        return false;
    };
    while (std::getline(lines, line)) {
        number++;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        std::vector<std::string> w;
        for (std::string word; in >> word;) w.push_back(word);
        if (w.empty()) continue;
        if (w[0] == "fullscreen") {
            if (w.size() != 2 || (w[1] != "yes" && w[1] != "no"))
                return fail("expected 'fullscreen yes' or 'fullscreen no'");
            script->fullscreen = w[1] == "yes";
            continue;
        }
        if (w[0] != "at" || w.size() < 3) return fail("expected 'at N ...' or 'fullscreen ...'");
        ScriptCommand c{};
        if (!ParseFrame(w[1], &c.frame)) return fail("'" + w[1] + "' is not a frame number");
        // Mended: frame 0 was taken and its screenshot or dump silently never written.
        if (c.frame == 0) return fail("frames count from 1 (the first drawn frame)");
        const std::string& verb = w[2];
        if (verb == "down" || verb == "up") {
            if (w.size() != 4) return fail("expected 'at N " + verb + " KEY'");
            c.key = KeyCodeFromName(w[3]);
            if (c.key < 0) return fail("unknown key '" + w[3] + "'");
            c.action = verb == "down" ? SCRIPT_KEY_DOWN : SCRIPT_KEY_UP;
        } else if (verb == "screenshot" || verb == "dump") {
            if (w.size() != 4) return fail("expected 'at N " + verb + " FILE'");
            c.file = w[3];
            c.action = verb == "screenshot" ? SCRIPT_SCREENSHOT : SCRIPT_DUMP;
            if (c.action == SCRIPT_SCREENSHOT) {
                std::string ext = c.file.size() >= 4 ? c.file.substr(c.file.size() - 4) : "";
                for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
                if (ext != ".png" && ext != ".bmp")
                    return fail("screenshot must end in .png or .bmp");
            }
        } else if (verb == "end") {
            if (w.size() != 3) return fail("expected 'at N end'");
            c.action = SCRIPT_END;
        } else {
            return fail("unknown command '" + verb + "'");
        }
        script->commands.push_back(c);
    }
    return true;
}
