// testkit.h - helpers shared by the test suites.
//
// Every suite runs headless: the scripted backend on SDL's offscreen driver gives a real GL
// context with no display, a virtual clock and scripted keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the build tree, removed when the object goes; optionally made the
// working directory for its lifetime (the game reads and writes its files there).
class TempDir {
  public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    std::string previous_;
};

// Starts the scripted backend and opens the 800 x 600 display (answered "No"), as the game
// does at start-up. Returns false (with the reason printed) when no GL is available.
bool OpenTestDisplay();
void CloseTestDisplay();

// The current back buffer as rows of RGB, top row first (800 x 600 on the test display).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    uint32_t At(int x, int y) const; // 0xRRGGBB
};
Picture ReadBackBuffer();

// Whole file as bytes; empty when missing.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// The repository's top folder and the build folder.
std::string SourcePath(const std::string& relative);
std::string BinaryPath(const std::string& relative);
