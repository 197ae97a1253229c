// level_map_test.cpp - the map file's layout, length and access rules, the arrival points,
// the cell lookup and the cells that are never drawn. (The play tests load whole maps and
// draw ordinary cells.)
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/catalogue.h"
#include "play/level_map.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "tests/testkit.h"

namespace {

// A little-endian code at cell (col, row) of a column-major file, as much of it as fits.
void PutCode(std::vector<uint8_t>& bytes, int col, int row, int32_t code) {
    for (size_t k = 0, at = size_t(4 * (MAP_SIZE * col + row)); k < 4 && at + k < bytes.size(); k++)
        bytes[at + k] = uint8_t(uint32_t(code) >> (8 * k));
}

// Sets or clears the immutable flag: the one way to keep root from opening a file to write.
bool SetImmutable(const std::string& path, bool on) {
    const int fd = open(path.c_str(), O_RDONLY);
    int flags = 0;
    bool ok = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) close(fd);
    return ok;
}

// A map folder as the working directory; the grid is dirtied before each load so that a
// cell the loader fails to write shows.
class MapFile : public ::testing::Test {
  protected:
    void SetUp() override { ClearLevelMap(); }
    void TearDown() override { ClearLevelMap(); }
    void Load(const std::vector<uint8_t>& bytes) {
        WriteFileBytes(dir.File("startmap.map"), bytes);
        for (auto& column : LevelMap)
            for (int32_t& cell : column) cell = 77;
        LoadLevelMap();
    }
    TempDir dir{true};
};

} // namespace

TEST_F(MapFile, OnlyTheGridsLengthIsReadAndArrivalPointsFollowTheFileOrderEachLoad) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES + 400, 0xFF); // a tail past the grid: never read
    std::fill(bytes.begin(), bytes.begin() + MAP_FILE_BYTES, 0);
    PutCode(bytes, 30, 40, 21);
    PutCode(bytes, 7, 60, 21);
    PutCode(bytes, 7, 20, 21);
    PutCode(bytes, 8, 20, 20); // a left half makes no arrival point
    PutCode(bytes, 100, 100, -3);
    Load(bytes);
    EXPECT_EQ(LevelMap[100][100], -3);
    LoadLevelMap(); // again, without clearing: the points are appended a second time
    ASSERT_EQ(TeleportTargetCount, 6);
    ASSERT_EQ(TeleportTargets.count, 6);
    const float expected[3][2] = {{448, 1216}, {448, 3776}, {1920, 2496}};
    for (int i = 0; i < 6; i++) {
        const TeleportTarget* t = ListSelect(TeleportTargets, i);
        EXPECT_TRUE(t->x == expected[i % 3][0] && t->y == expected[i % 3][1]) << "point " << i;
    }
    // Cut two bytes into cell (3, 0): the cut code keeps its low-order bytes, then zeros.
    bytes.resize(4 * MAP_SIZE * 3 + 2);
    PutCode(bytes, 2, 100, 9);
    PutCode(bytes, 3, 0, 0x7F7F1234);
    ClearLevelMap();
    Load(bytes);
    EXPECT_EQ(LevelMap[2][100], 9);
    EXPECT_EQ(LevelMap[3][0], 0x1234);
    EXPECT_EQ(LevelMap[3][1], 0);
    EXPECT_EQ(LevelMap[100][100], 0);
    EXPECT_EQ(TeleportTargetCount, 0);
}

TEST_F(MapFile, AMissingFileIsCreatedEmptyAndAReadOnlyOneIsStillRead) {
    LevelMap[10][10] = 3;
    LoadLevelMap();
    ASSERT_TRUE(std::filesystem::exists("startmap.map"));
    EXPECT_EQ(std::filesystem::file_size("startmap.map"), 0u);
    EXPECT_EQ(LevelMap[10][10], 0);

    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, 4, 5, 12);
    WriteFileBytes(dir.File("startmap.map"), bytes);
    chmod(dir.File("startmap.map").c_str(), 0444);
    const bool immutable = geteuid() == 0 && SetImmutable(dir.File("startmap.map"), true);
    std::FILE* writable = std::fopen("startmap.map", "r+b");
    if (writable) std::fclose(writable);
    if (!writable) {
        LoadLevelMap();
        EXPECT_EQ(LevelMap[4][5], 12);
    }
    if (immutable) SetImmutable(dir.File("startmap.map"), false);
    if (writable) GTEST_SKIP() << "this file system cannot make the map read-only";
}

TEST_F(MapFile, CellLookupTruncatesTowardsZeroAndReadsFreeOutsideTheGrid) {
    for (int c = 0; c < MAP_SIZE; c++)
        for (int r = 0; r < MAP_SIZE; r++) LevelMap[c][r] = 1000 + 101 * c + r;
    // -63 to 63 all lie in column (or row) 0; past the grid on any side reads free space.
    const int32_t cases[][3] = {{-63, -63, 1000},    {64, 63, 1101}, {63, 64, 1001},
                                {6463, 6463, 11200}, {-64, 0, 0},    {0, -64, 0},
                                {6464, 0, 0},        {0, 6464, 0},   {INT32_MAX, INT32_MIN, 0}};
    for (const auto& [px, py, code] : cases) EXPECT_EQ(MapCellAt(px, py), code) << px << ", " << py;
}

TEST(MapDrawing, CodesWithoutATileAndCellsPastTheGridDrawNothing) {
    ASSERT_TRUE(OpenTestDisplay());
    SetCullFront(); // as start-up leaves it
    uint32_t saved[51];
    std::memcpy(saved, TileImages, sizeof saved);
    std::vector<uint8_t> red(64 * 64 * 4, 255);
    for (size_t i = 0; i < red.size(); i += 4) red[i + 1] = red[i + 2] = 0;
    for (uint32_t& t : TileImages) t = TextureFromPixels(red.data(), int(red.size()), 64);
    ClearLevelMap();
    LevelMap[99][0] = 60; // no slot in the tile table
    LevelMap[99][1] = -4; // negative: never drawn
    LevelMap[99][2] = 50; // the table's last slot
    LevelMap[100][0] = 3; // the grid's last column
    SetClearColor(0, 0, 1, 1);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    DrawLevelMap(6336 + 32, 0); // past the camera's limit: column 99 half off the screen
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(p.At(10, 32), 0x0000FFu);
    EXPECT_EQ(p.At(10, 96), 0x0000FFu);
    EXPECT_EQ(p.At(10, 160), 0xFF0000u);
    EXPECT_EQ(p.At(40, 32), 0xFF0000u);
    EXPECT_EQ(p.At(40, 96), 0x0000FFu) << "code 0 is free space, never drawn";
    EXPECT_EQ(p.At(98, 32), 0x0000FFu) << "nothing past the grid";
    std::memcpy(TileImages, saved, sizeof saved);
    ClearLevelMap();
    CloseTestDisplay();
}
