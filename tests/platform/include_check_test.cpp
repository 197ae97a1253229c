// include_check_test.cpp - the layer check of scripts/check-includes.sh catches what it is
// for, on small trees made here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/testkit.h"

namespace {

ProgramResult CheckTree(const TempDir& tree) {
    return RunProgram({"/bin/bash", SourcePath("scripts/check-includes.sh"), tree.Path()},
                      tree.Path());
}

void Put(const TempDir& tree, const std::string& file, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(tree.File(file)).parent_path());
    WriteFileBytes(tree.File(file), std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace

TEST(IncludeCheck, AllowsSdlInPlatformAndGlInRenderAndPlatform) {
    TempDir tree;
    Put(tree, "platform/window.cpp", "#include <SDL.h>\n#include <GL/gl.h>\n");
    Put(tree, "platform/audio.h", "#include <SDL2/SDL_audio.h>\n");
    Put(tree, "render/draw.cpp", "#include <GL/gl.h>\n#include <GL/glu.h>\n");
    Put(tree, "play/play_mode.cpp", "#include \"render/draw.h\"\n// SDL.h is not included here\n");
    Put(tree, "build/x/gen.cpp", "#include <SDL.h>\n"); // build trees are not looked at
    const ProgramResult r = CheckTree(tree);
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
}

TEST(IncludeCheck, RefusesSdlOrGlAnywhereElseAndNamesTheLine) {
    struct Case {
        const char* file;
        const char* text;
    } cases[] = {
        {"play/play_mode.cpp", "// mode\n#include <SDL.h>\n"},
        {"frontend/menu.h", "#  include \"SDL2/SDL_keyboard.h\"\n"},
        {"render/texture.cpp", "#include <SDL_opengl.h>\n"},
        {"app/main.cpp", "#include <GL/gl.h>\n"},
        {"tests/render/x_test.cpp", "#include <GL/glu.h>\n"},
        {"sound/mixer.cc", "\t#include<SDL_audio.h>\n"},
    };
    for (const Case& c : cases) {
        TempDir tree;
        Put(tree, "render/ok.cpp", "#include <GL/gl.h>\n");
        Put(tree, c.file, c.text);
        const ProgramResult r = CheckTree(tree);
        EXPECT_EQ(r.exitCode, 1) << c.file;
        EXPECT_NE(r.out.find(c.file), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("render/ok.cpp"), std::string::npos) << r.out;
    }
}
