// music.cpp - the asset generator's music part: compiles the five song texts into modules.
//
// Called once by the generator's main on its only thread. Each text in
// tools/assetgen/music/ becomes assets/musicN.xm; a song that does not compile, does not
// serialise or plays shorter than its stated minimum stops the generator with a message.
#include "tools/assetgen/music.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/music_song.h"
#include "tools/assetgen/music_timing.h"

namespace fs = std::filesystem;

const std::vector<SongEntry>& GameSongs() {
    static const std::vector<SongEntry> songs = {
        {"menu.song", "music1.xm", "main menu"},         {"play.song", "music2.xm", "play"},
        {"highscores.song", "music3.xm", "high scores"}, {"shop.song", "music4.xm", "shop"},
        {"levelend.song", "music5.xm", "level end"},
    };
    return songs;
}

std::string MusicSourceDir(const std::string& assetsDir) {
    const fs::path beside = fs::path(__FILE__).parent_path() / "music";
    std::error_code ec;
    if (fs::is_directory(beside, ec)) return beside.string();
    return (fs::path(assetsDir) / ".." / "tools" / "assetgen" / "music")
        .lexically_normal()
        .string();
}

bool BuildSongModule(const std::string& sourcePath, std::vector<uint8_t>* bytes, double* seconds,
                     std::string* error) {
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) {
        *error = "cannot read " + sourcePath;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    CompiledSong song;
    if (!CompileSong(text.str(), fs::path(sourcePath).filename().string(), &song, error))
        return false;
    *bytes = WriteXm(song.module, error);
    if (bytes->empty()) return false;
    const SongLength length = MeasureSongLength(song.module);
    *seconds = length.Seconds();
    if (length.runaway) {
        *error = sourcePath + ": the song never reaches its end (a pattern loop runs for ever)";
        return false;
    }
    if (*seconds < song.minimumSeconds) {
        char why[160];
        std::snprintf(why, sizeof why,
                      "%s: plays %.1f s before it loops, less than its minimum %.0f s",
                      sourcePath.c_str(), *seconds, song.minimumSeconds);
        *error = why;
        return false;
    }
    return true;
}

bool GenerateMusic(const std::string& assetsDir) {
    const std::string dir = MusicSourceDir(assetsDir);
    bool ok = true;
    for (const SongEntry& song : GameSongs()) {
        std::vector<uint8_t> bytes;
        double seconds = 0;
        std::string error;
        if (!BuildSongModule(dir + "/" + song.source, &bytes, &seconds, &error)) {
            std::fprintf(stderr, "assetgen: %s\n", error.c_str());
            ok = false;
            continue;
        }
        std::printf("%-24s %6.1f s before it loops (%s)\n", song.module, seconds, song.playedBy);
        ok = WriteAssetFile(assetsDir, song.module, bytes) && ok;
    }
    return ok;
}
