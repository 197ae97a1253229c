// main.cpp - assetgen [--only art|sounds|map|music] ASSETS_DIR
//
// Writes the game's assets into ASSETS_DIR (the repository's assets/ folder). The generated
// files are committed; the build embeds them. Regenerate after changing a generator.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
    std::string only, dir;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else
            dir = argv[i];
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: assetgen [--only art|sounds|map|music] ASSETS_DIR\n");
        return 2;
    }
    bool ok = true;
    if (only.empty() || only == "art") ok = GenerateArt(dir) && ok;
    if (only.empty() || only == "sounds") ok = GenerateSounds(dir) && ok;
    if (only.empty() || only == "map") ok = GenerateMap(dir) && ok;
    if (only.empty() || only == "music") ok = GenerateMusic(dir) && ok;
    return ok ? 0 : 1;
}
