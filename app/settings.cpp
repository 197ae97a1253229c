// settings.cpp - reading, and on first start writing, the player's settings file.
#include "app/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/command_line.h"
#include "app/data_dir.h"
#include "platform/platform.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"

namespace {

constexpr const char* SETTINGS_FILE = "morvexa.conf";

// One row per action: its name in the file, the game key it drives, its default key, and
// what the file's comment says of it.
struct ActionRow {
    const char* name;
    int vk;
    const char* defaultKey;
    const char* what;
};
const ActionRow ActionRows[ACTION_COUNT] = {
    {"key_left", VK_LEFT, "Left", "walk left; in menus, move the cursor"},
    {"key_right", VK_RIGHT, "Right", "walk right"},
    {"key_up", VK_UP, "Up", "fly (the jet pack); in menus, move the cursor up"},
    {"key_down", VK_DOWN, "Down", "use the machine underfoot; in menus, move the cursor down"},
    {"key_fire", VK_SPACE, "Space", "fire; in menus, choose"},
    {"key_weapon1", VK_F1, "F1", "weapon 1: three-part bullets"},
    {"key_weapon2", VK_F2, "F2", "weapon 2: red bolts"},
    {"key_weapon3", VK_F3, "F3", "weapon 3: fireball fan"},
    {"key_weapon4", VK_F4, "F4", "weapon 4: ring of plasma balls"},
    {"key_weapon5", VK_F5, "F5", "weapon 5: crescents"},
    {"key_end_game", VK_ESCAPE, "Escape", "end the game (the high scores follow)"},
};

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A whole number from lo to hi, nothing else on the value.
bool ReadStep(const std::string& value, int lo, int hi, int* out) {
    if (value.empty() || value.size() > 3) return false;
    for (char c : value)
        if (c < '0' || c > '9') return false;
    const int n = std::atoi(value.c_str());
    if (n < lo || n > hi) return false;
    *out = n;
    return true;
}

int FindAction(const std::string& name) {
    for (int a = 0; a < ACTION_COUNT; a++)
        if (name == ActionRows[a].name) return a;
    return -1;
}

struct Reader {
    Settings settings;
    std::string fileName;
    std::vector<std::string>* problems;
    int line = 0;
    int keyLines[ACTION_COUNT] = {}; // the line that set each key, 0 for the default

    void Problem(int at, const std::string& what) {
        problems->push_back(fileName + ":" + std::to_string(at) + ": " + what);
    }

    void ReadLine(const std::string& raw, bool* seen, int seenCount) {
        const std::string text = Trim(raw.substr(0, raw.find('#')));
        if (text.empty()) return;
        const size_t eq = text.find('=');
        if (eq == std::string::npos) return Problem(line, "expected 'name = value'");
        const std::string name = Trim(text.substr(0, eq)), value = Trim(text.substr(eq + 1));
        const int action = FindAction(name);
        const int index = action >= 0                ? action
                          : name == "music_volume"   ? ACTION_COUNT
                          : name == "effects_volume" ? ACTION_COUNT + 1
                          : name == "display"        ? ACTION_COUNT + 2
                                                     : -1;
        if (index < 0) return Problem(line, "unknown setting '" + name + "'");
        if (index < seenCount && seen[index])
            return Problem(line, "'" + name + "' is set twice; the first line counts");
        if (name == "music_volume" || name == "effects_volume") {
            int* step = name == "music_volume" ? &settings.musicVolume : &settings.effectsVolume;
            if (!ReadStep(value, 0, MODULE_VOLUME_STEPS - 1, step))
                return Problem(line,
                               name + " must be a whole number from 0 to 25, not '" + value + "'");
        } else if (name == "display") {
            if (value == "ask")
                settings.fullscreen = FULLSCREEN_ASK;
            else if (value == "window")
                settings.fullscreen = FULLSCREEN_NO;
            else if (value == "fullscreen")
                settings.fullscreen = FULLSCREEN_YES;
            else
                return Problem(line,
                               "display must be ask, window or fullscreen, not '" + value + "'");
        } else {
            const int key = PlatformKeyFromName(value.c_str());
            if (key == 0) return Problem(line, "no key is named '" + value + "'");
            settings.keys[action] = key;
            keyLines[action] = line;
        }
        seen[index] = true; // a line that was refused does not count as the setting's line
    }

    // A key bound from the file to two actions: the later line gives way (its action keeps
    // its default); a key that takes another action's default key gives way too. Repeated
    // until no key serves two actions.
    void RefuseDuplicateKeys() {
        std::vector<std::pair<int, std::string>> refused; // said in the order of their lines
        for (bool changed = true; changed;) {
            changed = false;
            for (int a = 0; a < ACTION_COUNT && !changed; a++) {
                for (int b = 0; b < ACTION_COUNT && !changed; b++) {
                    if (a == b || settings.keys[a] != settings.keys[b] || keyLines[a] == 0)
                        continue;
                    if (keyLines[b] != 0 && keyLines[b] > keyLines[a]) continue; // b gives way
                    refused.emplace_back(
                        keyLines[a], std::string("the key '") + PlatformKeyName(settings.keys[a]) +
                                         "' is already " + ActionRows[b].name + "'s; " +
                                         ActionRows[a].name + " keeps " + ActionRows[a].defaultKey);
                    settings.keys[a] = PlatformKeyFromName(ActionRows[a].defaultKey);
                    keyLines[a] = 0;
                    changed = true;
                }
            }
        }
        std::sort(refused.begin(), refused.end());
        for (const auto& [at, what] : refused) Problem(at, what);
    }
};

bool ReadTextFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return !in.bad();
}

// Writes the defaults only where no file is: O_EXCL never replaces one.
bool WriteNewFile(const std::string& path, const std::string& text, std::string* why) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        *why = std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            *why = n < 0 ? std::strerror(errno) : "nothing written";
            close(fd);
            unlink(path.c_str());
            return false;
        }
        done += size_t(n);
    }
    if (close(fd) != 0) {
        *why = std::strerror(errno);
        unlink(path.c_str());
        return false;
    }
    return true;
}

} // namespace

Settings::Settings() {
    for (int a = 0; a < ACTION_COUNT; a++) keys[a] = PlatformKeyFromName(ActionRows[a].defaultKey);
}

std::string SettingsPath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        return std::string(xdgConfigHome) + "/morvexa/" + SETTINGS_FILE;
    if (home && home[0] == '/') return std::string(home) + "/.config/morvexa/" + SETTINGS_FILE;
    return std::string();
}

Settings ParseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>* problems) {
    Reader r{Settings(), fileName, problems};
    bool seen[ACTION_COUNT + 3] = {};
    std::istringstream lines(text);
    std::string raw;
    while (std::getline(lines, raw)) {
        r.line++;
        r.ReadLine(raw, seen, ACTION_COUNT + 3);
    }
    r.RefuseDuplicateKeys();
    return r.settings;
}

std::string DefaultSettingsText() {
    std::string t =
        "# MORVEXA settings. Lines are 'name = value'; '#' starts a comment. The game writes\n"
        "# this file once, with every setting at its default, and never writes it again: edit\n"
        "# it freely. A line the game cannot use is reported when it starts, and that setting\n"
        "# keeps its default.\n"
        "\n"
        "# Music and sound effects volume, 0 (all but silent) to 25 (full), 2 dB a step.\n"
        "# --music-volume N and --effects-volume N override them for one run.\n"
        "music_volume = 25\n"
        "effects_volume = 25\n"
        "\n"
        "# ask: the game asks \"Fullscreen?\" at start; window or fullscreen: it does not ask.\n"
        "# --windowed and --fullscreen override it for one run.\n"
        "display = ask\n"
        "\n"
        "# The key of each action, by its SDL key name: Left, Right, Up, Down, Space, Return,\n"
        "# Escape, F1 to F12, A to Z, 0 to 9, Left Ctrl, Right Shift, Keypad 8 and so on\n"
        "# (letter case does not matter). One key serves one action. A gamepad keeps its\n"
        "# buttons whatever the keys are.\n";
    for (const ActionRow& row : ActionRows) {
        std::string line = std::string(row.name) + " = " + row.defaultKey;
        line.resize(std::max<size_t>(line.size() + 1, 24), ' ');
        t += line + "# " + row.what + "\n";
    }
    return t;
}

void WriteDefaultSettings() {
    const std::string path = SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    struct stat st;
    if (path.empty() || lstat(path.c_str(), &st) == 0 || errno != ENOENT) return;
    std::string why;
    const std::string folder = path.substr(0, path.rfind('/'));
    if (!MakeFolders(folder, &why) || !WriteNewFile(path, DefaultSettingsText(), &why))
        std::fprintf(stderr, "morvexa: cannot write the settings file %s: %s\n", path.c_str(),
                     why.c_str());
}

Settings LoadSettings() {
    const std::string path = SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    struct stat st;
    if (path.empty() || (stat(path.c_str(), &st) != 0 && errno == ENOENT)) return Settings();
    std::string text;
    if (!S_ISREG(st.st_mode) || !ReadTextFile(path, &text)) {
        std::fprintf(stderr,
                     "morvexa: cannot read the settings file %s; playing with the defaults\n",
                     path.c_str());
        return Settings();
    }
    std::vector<std::string> problems;
    const Settings settings = ParseSettings(text, path, &problems);
    for (const std::string& p : problems) std::fprintf(stderr, "morvexa: %s\n", p.c_str());
    return settings;
}

void ApplySettings(const Settings& settings) {
    SetModuleVolume(settings.musicVolume);
    SetEffectsVolume(settings.effectsVolume);
    for (int a = 0; a < ACTION_COUNT; a++) PlatformBindKey(ActionRows[a].vk, settings.keys[a]);
}
