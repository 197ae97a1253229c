// level_map_test.cpp - the map file's layout and short-file rules, the arrival points, the
// cell lookup and the drawing of the visible cells.
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

size_t OffsetOf(int col, int row) {
    return size_t(4 * (MAP_SIZE * col + row));
}

void PutCode(std::vector<uint8_t>& bytes, size_t offset, int32_t code) {
    for (int k = 0; k < 4; k++) bytes[offset + k] = uint8_t(uint32_t(code) >> (8 * k));
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

TEST_F(MapFile, CodesAreLittleEndianAndColumnMajor) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, 0, 5);
    PutCode(bytes, 404, 7); // the 102nd value: cell (1, 0), not (0, 101)
    PutCode(bytes, OffsetOf(100, 100), -3);
    PutCode(bytes, OffsetOf(37, 62), 0x01020304);
    Load(bytes);
    EXPECT_EQ(LevelMap[0][0], 5);
    EXPECT_EQ(LevelMap[1][0], 7);
    EXPECT_EQ(LevelMap[0][1], 0);
    EXPECT_EQ(LevelMap[100][100], -3);
    EXPECT_EQ(LevelMap[37][62], 0x01020304);
    EXPECT_EQ(LevelMap[62][37], 0);
}

TEST_F(MapFile, ShortFilesReadZerosPastTheirEndAndLongFilesOnlyToTheGridsLength) {
    std::vector<uint8_t> bytes(OffsetOf(3, 0) + 2, 0);
    PutCode(bytes, OffsetOf(2, 100), 9);
    bytes[OffsetOf(3, 0)] = 0x34; // two bytes of cell (3, 0): its low-order bytes
    bytes[OffsetOf(3, 0) + 1] = 0x12;
    Load(bytes);
    EXPECT_EQ(LevelMap[2][100], 9);
    EXPECT_EQ(LevelMap[3][0], 0x1234);
    EXPECT_EQ(LevelMap[3][1], 0);
    EXPECT_EQ(LevelMap[100][100], 0);
    Load({});
    EXPECT_EQ(LevelMap[2][100], 0);

    std::vector<uint8_t> longer(MAP_FILE_BYTES + 400, 0xFF);
    std::fill(longer.begin(), longer.begin() + MAP_FILE_BYTES, 0);
    PutCode(longer, OffsetOf(100, 100), 4);
    Load(longer);
    EXPECT_EQ(LevelMap[100][100], 4);
    EXPECT_EQ(TeleportTargetCount, 0);
}

TEST_F(MapFile, AMissingFileIsCreatedEmptyAndAReadOnlyOneIsStillRead) {
    LevelMap[10][10] = 3;
    LoadLevelMap();
    ASSERT_TRUE(std::filesystem::exists("startmap.map"));
    EXPECT_EQ(std::filesystem::file_size("startmap.map"), 0u);
    EXPECT_EQ(LevelMap[10][10], 0);

    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, OffsetOf(4, 5), 12);
    PutCode(bytes, OffsetOf(9, 9), 21);
    WriteFileBytes(dir.File("startmap.map"), bytes);
    chmod(dir.File("startmap.map").c_str(), 0444);
    const bool immutable = geteuid() == 0 && SetImmutable(dir.File("startmap.map"), true);
    std::FILE* writable = std::fopen("startmap.map", "r+b");
    if (writable) std::fclose(writable);
    if (!writable) {
        LoadLevelMap();
        EXPECT_EQ(LevelMap[4][5], 12);
        EXPECT_EQ(TeleportTargetCount, 1);
    }
    if (immutable) SetImmutable(dir.File("startmap.map"), false);
    if (writable) GTEST_SKIP() << "this file system cannot make the map read-only";
}

TEST_F(MapFile, ArrivalPointsFollowTheFileOrderAndDoubleWhenLoadedTwice) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, OffsetOf(30, 40), 21);
    PutCode(bytes, OffsetOf(7, 60), 21);
    PutCode(bytes, OffsetOf(7, 20), 21);
    PutCode(bytes, OffsetOf(8, 20), 20); // a left half makes no arrival point
    Load(bytes);
    LoadLevelMap(); // again, without clearing: the points are appended a second time
    ASSERT_EQ(TeleportTargetCount, 6);
    ASSERT_EQ(TeleportTargets.count, 6);
    const float expected[3][2] = {{448, 1216}, {448, 3776}, {1920, 2496}};
    for (int i = 0; i < 6; i++) {
        const TeleportTarget* t = ListSelect(TeleportTargets, i);
        EXPECT_EQ(t->x, expected[i % 3][0]) << "point " << i;
        EXPECT_EQ(t->y, expected[i % 3][1]) << "point " << i;
    }
    ClearLevelMap();
    EXPECT_EQ(TeleportTargetCount, 0);
    EXPECT_EQ(TeleportTargets.count, 0);
    EXPECT_EQ(LevelMap[30][40], 0);
}

TEST_F(MapFile, CellLookupTruncatesTowardsZeroAndReadsFreeOutsideTheGrid) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    for (int c = 0; c < MAP_SIZE; c++)
        for (int r = 0; r < MAP_SIZE; r++) PutCode(bytes, OffsetOf(c, r), 1000 + 101 * c + r);
    Load(bytes);
    EXPECT_EQ(MapCellAt(-32, 10), 1000); // -0.5 truncates to column 0
    EXPECT_EQ(MapCellAt(-63, -63), 1000);
    EXPECT_EQ(MapCellAt(64, 63), 1000 + 101);
    EXPECT_EQ(MapCellAt(63, 64), 1000 + 1);
    EXPECT_EQ(MapCellAt(6463, 6463), 1000 + 101 * 100 + 100);
    EXPECT_EQ(MapCellAt(-64, 0), 0);
    EXPECT_EQ(MapCellAt(0, -64), 0);
    EXPECT_EQ(MapCellAt(6464, 0), 0);
    EXPECT_EQ(MapCellAt(0, 6464), 0);
    EXPECT_EQ(MapCellAt(INT32_MAX, INT32_MIN), 0);
}

TEST(MapDrawing, VisibleCellsLandAtTheirScreenPlaceAndCodesWithoutATileDrawNothing) {
    ASSERT_TRUE(OpenTestDisplay());
    SetCullFront(); // as start-up leaves it
    uint32_t saved[51];
    std::memcpy(saved, TileImages, sizeof saved);
    std::memset(TileImages, 0, sizeof TileImages);
    auto solid = [](uint8_t r, uint8_t g) {
        std::vector<uint8_t> rgba(64 * 64 * 4, 255);
        for (size_t i = 0; i < rgba.size(); i += 4) rgba[i] = r, rgba[i + 1] = g, rgba[i + 2] = 0;
        return TextureFromPixels(rgba.data(), int(rgba.size()), 64);
    };
    TileImages[3] = solid(255, 0);
    TileImages[40] = solid(0, 255);
    auto draw = [](int cameraX, int cameraY) {
        SetClearColor(0, 0, 1, 1);
        ClearDisplay();
        Begin2D(800, 600);
        ResetTransform();
        DrawLevelMap(cameraX, cameraY);
        return ReadBackBuffer();
    };
    ClearLevelMap();
    LevelMap[2][1] = 3; // on screen at (128 - 10, 64 - 20) with the camera at (10, 20)
    LevelMap[5][3] = 40;
    LevelMap[7][2] = 60; // no slot in the tile table
    LevelMap[8][2] = -4; // negative: never drawn
    Picture p = draw(10, 20);
    EXPECT_EQ(p.At(118 + 2, 44 + 2), 0xFF0000u);
    EXPECT_EQ(p.At(118 + 61, 44 + 61), 0xFF0000u);
    EXPECT_EQ(p.At(118 + 66, 44 + 2), 0x0000FFu);
    EXPECT_EQ(p.At(310 + 30, 172 + 30), 0x00FF00u);
    EXPECT_EQ(p.At(438 + 30, 108 + 30), 0x0000FFu);
    EXPECT_EQ(p.At(502 + 30, 108 + 30), 0x0000FFu);

    // Camera (5600, 5400): columns 87 to 100 and rows 84 to 93, the first column 32 px and
    // the first row 24 px off the screen's edge.
    ClearLevelMap();
    LevelMap[87][84] = 3;
    LevelMap[88][84] = 40;
    LevelMap[99][93] = 3;
    p = draw(5600, 5400);
    EXPECT_EQ(p.At(5, 5), 0xFF0000u);
    EXPECT_EQ(p.At(31, 39), 0xFF0000u);
    EXPECT_EQ(p.At(33, 5), 0x00FF00u);
    EXPECT_EQ(p.At(795, 595), 0xFF0000u);
    // Beyond the camera's limit the last column is drawn and nothing past it.
    LevelMap[100][0] = 3;
    p = draw(6336, 0);
    EXPECT_EQ(p.At(100, 5), 0xFF0000u);
    EXPECT_EQ(p.At(140, 5), 0x0000FFu);

    std::memcpy(TileImages, saved, sizeof saved);
    ClearLevelMap();
    CloseTestDisplay();
}
