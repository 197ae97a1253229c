// include_check_test.cpp - the layer check of scripts/check-includes.sh catches what it is
// for, on small trees made here.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/testkit.h"

namespace {

ProgramResult CheckTree(const TempDir& tree,
                        const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [file, text] : files) {
        std::filesystem::create_directories(std::filesystem::path(tree.File(file)).parent_path());
        WriteFileText(tree.File(file), text);
    }
    return RunProgram({"/bin/bash", SourcePath("scripts/check-includes.sh"), tree.Path()},
                      tree.Path());
}

} // namespace

// The include lines are split after their "<" so that this file itself does not read as an
// SDL include to the same check.
TEST(IncludeCheck, IncludesPointDownTheLayersAndSdlAndGlStayInTheFoldersAllowedThem) {
    TempDir good;
    const ProgramResult r = CheckTree(
        good, {{"platform/window.cpp", "#include <"
                                       "SDL.h>\n#include <GL/gl.h>\n"},
               {"platform/audio.h", "#include <"
                                    "SDL2/SDL_audio.h>\n"},
               {"render/draw.cpp", "#include <GL/gl.h>\n#include <GL/glu.h>\n"},
               {"play/play.cpp", "#include \"render/draw.h\"\n// SDL.h\n"},
               {"build/x/gen.cpp", "#include <"
                                   "SDL.h>\n"}, // not looked at
               {"app/main.cpp", "#include \"play/play_mode.h\"\n#include \"app/x.h\"\n"},
               {"play/hud.cpp", "#include \"screen/screen_parts.h\"\n#include \"core/player.h\"\n"},
               {"core/catalogue.cpp", "#include \"render/image.h\"\n#include \"sound/x.h\"\n"},
               {"sound/mixer.cpp", "#include \"platform/audio_out.h\"\n"},
               {"support/maths.cpp", "#include \"support/maths.h\"\n#include \"tests/x.h\"\n"},
               {"tools/gen.cpp", "#include \"app/mode_loop.h\"\n"}}); // tools stand above
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;

    const std::pair<std::string, std::string> bad[] = {
        {"play/play_mode.cpp", "// mode\n#include <"
                               "SDL.h>\n"},
        {"frontend/menu.h", "#  include \"SDL2/SDL_keyboard.h\"\n"},
        {"render/texture.cpp", "#include <"
                               "SDL_opengl.h>\n"},
        {"app/main.cpp", "#include <GL/gl.h>\n"},
        {"tests/render/x_test.cpp", "#include <GL/glu.h>\n"},
        {"sound/mixer.cc", "\t#include<"
                           "SDL_audio.h>\n"},
        {"core/frame.cpp", "#include \"app/mode_loop.h\"\n"},         // up
        {"objects/shots.cpp", "#include \"play/player_motion.h\"\n"}, // up
        {"between/shop_mode.cpp", "#include \"play/hud.h\"\n"},       // sideways
        {"render/draw.cpp", "#include \"sound/xm_player.h\"\n"},      // sideways
        {"support/random.cpp", "#include \"platform/platform.h\"\n"}, // up
        {"platform/audio_out.cpp", "#include \"assets/assets.h\"\n #include \"core/globals.h\"\n"}};
    for (const auto& file : bad) {
        TempDir tree;
        const ProgramResult refused =
            CheckTree(tree, {{"render/ok.cpp", "#include <GL/gl.h>\n"}, file});
        EXPECT_EQ(refused.exitCode, 1) << file.first;
        EXPECT_NE(refused.out.find(file.first + ":"), std::string::npos) << refused.out;
        EXPECT_EQ(refused.out.find("render/ok.cpp"), std::string::npos) << refused.out;
    }
}
