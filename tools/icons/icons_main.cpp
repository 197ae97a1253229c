// icons_main.cpp - morvexa-icons: the desktop icons, drawn from the game's own art.
//
//     morvexa-icons OUTDIR SIZE...
//
// Writes OUTDIR/hicolor/SIZExSIZE/apps/morvexa.png for every size (the robot of the menu
// pictures, trimmed, centred and scaled; app/game_icon.h). Exits 1 when the picture is
// missing or a file cannot be written, 2 for bad parameters.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/game_icon.h"
#include "tools/icons/png_rgba.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: morvexa-icons OUTDIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; i++) {
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (!end || *end != 0 || size < 1 || size > 1024) {
            std::fprintf(stderr, "morvexa-icons: bad size '%s' (1 to 1024)\n", argv[i]);
            return 2;
        }
        std::vector<uint8_t> rgba;
        if (!MakeGameIcon(int(size), &rgba)) {
            std::fprintf(stderr,
                         "morvexa-icons: the robot picture (screens.bmp) is missing or empty\n");
            return 1;
        }
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir =
            std::filesystem::path(argv[1]) / "hicolor" / name / "apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (ec || !WritePngRgba((dir / "morvexa.png").string(), rgba, int(size), int(size))) {
            std::fprintf(stderr, "morvexa-icons: cannot write %s\n", (dir / "morvexa.png").c_str());
            return 1;
        }
    }
    return 0;
}
