// testkit.cpp - helpers shared by the test suites.
#include "tests/testkit.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "platform/scripted.h"
#include "render/display.h"

namespace fs = std::filesystem;

TempDir::TempDir(bool enter) {
    static int counter = 0;
    const fs::path base = fs::path(MVX_BINARY_DIR) / "tests" / "tmp";
    fs::create_directories(base);
    path_ = (base / ("t" + std::to_string(getpid()) + "_" + std::to_string(counter++))).string();
    fs::remove_all(path_);
    fs::create_directories(path_);
    if (enter) {
        previous_ = fs::current_path().string();
        fs::current_path(path_);
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!previous_.empty()) fs::current_path(previous_, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

bool OpenTestDisplay() {
    const char* why = nullptr;
    ScriptReset();
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) {
        std::fprintf(stderr, "no test display: %s\n", why ? why : "?");
        return false;
    }
    InitRenderLayer(nullptr);
    if (!OpenDisplay(800, 600, 32, "test")) {
        std::fprintf(stderr, "no test window\n");
        return false;
    }
    return true;
}

void CloseTestDisplay() {
    CloseDisplay();
    PlatformShutdown();
}

uint32_t Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

Picture ReadBackBuffer() {
    Picture p;
    ScriptReadFrame(&p.rgb, &p.width, &p.height);
    return p;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string SourcePath(const std::string& relative) { return std::string(MVX_SOURCE_DIR) + "/" + relative; }
std::string BinaryPath(const std::string& relative) { return std::string(MVX_BINARY_DIR) + "/" + relative; }
