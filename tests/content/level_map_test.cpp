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
#include <string>

#include "app/catalogue.h"
#include "play/level_map.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "tests/testkit.h"

namespace {

void PutCode(std::vector<uint8_t>& bytes, size_t offset, int32_t code) {
    for (int k = 0; k < 4; k++) bytes[offset + k] = uint8_t(uint32_t(code) >> (8 * k));
}

size_t OffsetOf(int col, int row) {
    return size_t(4 * (MAP_SIZE * col + row));
}

// A map folder as the working directory, and a grid dirtied before each load so that a
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
    PutCode(bytes, 404, 7);                 // the 102nd value: cell (1, 0), not (0, 101)
    PutCode(bytes, OffsetOf(100, 100), -3); // the last value, negative
    PutCode(bytes, OffsetOf(37, 62), 0x01020304);
    Load(bytes);
    EXPECT_EQ(LevelMap[0][0], 5);
    EXPECT_EQ(LevelMap[1][0], 7);
    EXPECT_EQ(LevelMap[0][1], 0);
    EXPECT_EQ(LevelMap[100][100], -3);
    EXPECT_EQ(LevelMap[37][62], 0x01020304);
    EXPECT_EQ(LevelMap[62][37], 0);
}

TEST_F(MapFile, ShortFileReadsZerosAndACutValueKeepsItsLowBytes) {
    std::vector<uint8_t> bytes(OffsetOf(3, 0) + 2, 0);
    PutCode(bytes, OffsetOf(2, 100), 9);
    bytes[OffsetOf(3, 0)] = 0x34; // two bytes of cell (3, 0): 0x1234 when read little-endian
    bytes[OffsetOf(3, 0) + 1] = 0x12;
    Load(bytes);
    EXPECT_EQ(LevelMap[2][100], 9);
    EXPECT_EQ(LevelMap[3][0], 0x1234);
    EXPECT_EQ(LevelMap[3][1], 0);
    EXPECT_EQ(LevelMap[100][100], 0);

    Load({}); // an empty file: an empty sector
    EXPECT_EQ(LevelMap[0][0], 0);
    EXPECT_EQ(LevelMap[2][100], 0);
}

TEST_F(MapFile, LongFileIsReadOnlyToTheGridsLength) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES + 400, 0xFF);
    for (size_t i = 0; i < size_t(MAP_FILE_BYTES); i++) bytes[i] = 0;
    PutCode(bytes, OffsetOf(100, 100), 4);
    Load(bytes);
    EXPECT_EQ(LevelMap[100][100], 4);
    EXPECT_EQ(TeleportTargetCount, 0);
}

TEST_F(MapFile, MissingFileIsCreatedEmptyAndGivesFreeSpace) {
    ASSERT_FALSE(std::filesystem::exists("startmap.map"));
    LevelMap[10][10] = 3;
    LoadLevelMap();
    EXPECT_TRUE(std::filesystem::exists("startmap.map"));
    EXPECT_EQ(std::filesystem::file_size("startmap.map"), 0u);
    EXPECT_EQ(LevelMap[10][10], 0);
    EXPECT_EQ(TeleportTargetCount, 0);
}

// A file that cannot be opened for writing: read-only for a user, immutable for root.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path) : path_(path) {
        chmod(path.c_str(), 0444);
        if (geteuid() != 0) {
            locked_ = true;
            return;
        }
        const int fd = open(path.c_str(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            locked_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0) close(fd);
    }
    ~ReadOnlyFile() {
        const int fd = open(path_.c_str(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL)) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0) close(fd);
    }
    bool Locked() const {
        if (!locked_) return false;
        std::FILE* f = std::fopen(path_.c_str(), "r+b");
        if (f) std::fclose(f);
        return !f;
    }

  private:
    std::string path_;
    bool locked_ = false;
};

TEST_F(MapFile, ReadOnlyFileIsStillRead) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, OffsetOf(4, 5), 12);
    PutCode(bytes, OffsetOf(9, 9), 21);
    WriteFileBytes(dir.File("startmap.map"), bytes);
    ReadOnlyFile lock(dir.File("startmap.map"));
    if (!lock.Locked()) GTEST_SKIP() << "this file system cannot make the file read-only";
    LoadLevelMap();
    EXPECT_EQ(LevelMap[4][5], 12);
    EXPECT_EQ(TeleportTargetCount, 1);
}

TEST_F(MapFile, ArrivalPointsFollowTheFileOrderAndDoubleWhenLoadedTwice) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES, 0);
    PutCode(bytes, OffsetOf(30, 40), 21);
    PutCode(bytes, OffsetOf(7, 60), 21);
    PutCode(bytes, OffsetOf(7, 20), 21);
    PutCode(bytes, OffsetOf(8, 20), 20); // a left half makes no arrival point
    Load(bytes);
    ASSERT_EQ(TeleportTargetCount, 3);
    const float expected[3][2] = {{448, 1216}, {448, 3776}, {1920, 2496}};
    ListRewind(TeleportTargets);
    for (const auto& e : expected) {
        TeleportTarget* t = ListNext(TeleportTargets);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->x, e[0]);
        EXPECT_EQ(t->y, e[1]);
    }
    LoadLevelMap(); // without clearing: the points are appended again, in the same order
    EXPECT_EQ(TeleportTargetCount, 6);
    ASSERT_EQ(TeleportTargets.count, 6);
    EXPECT_EQ(ListSelect(TeleportTargets, 3)->x, 448);
    EXPECT_EQ(ListSelect(TeleportTargets, 5)->x, 1920);

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
    EXPECT_EQ(MapCellAt(64, 63), 1000 + 101 * 1); // cell (1, 0)
    EXPECT_EQ(MapCellAt(63, 64), 1000 + 1);       // cell (0, 1)
    EXPECT_EQ(MapCellAt(6463, 6463), 1000 + 101 * 100 + 100);
    // Beyond the grid a lookup answers free space instead of reading past the table.
    EXPECT_EQ(MapCellAt(-64, 0), 0);
    EXPECT_EQ(MapCellAt(0, -64), 0);
    EXPECT_EQ(MapCellAt(6464, 0), 0);
    EXPECT_EQ(MapCellAt(0, 6464), 0);
    EXPECT_EQ(MapCellAt(INT32_MAX, INT32_MIN), 0);
}

// DrawLevelMap on the test display with plain coloured tiles: which cells land where.
class MapDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(OpenTestDisplay());
        SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f);
        SetCullFront(); // as start-up leaves it
        ClearLevelMap();
        std::memcpy(savedTiles, TileImages, sizeof savedTiles);
        std::memset(TileImages, 0, sizeof TileImages);
        TileImages[3] = SolidTexture(0xFF, 0x00, 0x00);
        TileImages[40] = SolidTexture(0x00, 0xFF, 0x00);
    }
    void TearDown() override {
        std::memcpy(TileImages, savedTiles, sizeof savedTiles);
        ClearLevelMap();
        CloseTestDisplay();
    }
    static uint32_t SolidTexture(uint8_t r, uint8_t g, uint8_t b) {
        std::vector<uint8_t> rgba(64 * 64 * 4);
        for (size_t i = 0; i < rgba.size(); i += 4)
            rgba[i] = r, rgba[i + 1] = g, rgba[i + 2] = b, rgba[i + 3] = 255;
        return TextureFromPixels(rgba.data(), int(rgba.size()), 64);
    }
    static Picture DrawFrom(int cameraX, int cameraY) {
        ClearDisplay();
        Begin2D(800, 600);
        ResetTransform();
        DrawLevelMap(cameraX, cameraY);
        return ReadBackBuffer();
    }
    uint32_t savedTiles[51];
};

TEST_F(MapDrawing, VisibleCellsLandAtTheirScreenPlaceAndCodesWithoutATileDrawNothing) {
    LevelMap[2][1] = 3; // screen (128 - 10, 64 - 20) with the camera at (10, 20)
    LevelMap[5][3] = 40;
    LevelMap[7][2] = 60; // no slot in the tile table
    LevelMap[8][2] = -4; // negative: never drawn
    const Picture p = DrawFrom(10, 20);
    EXPECT_EQ(p.At(118 + 2, 44 + 2), 0xFF0000u);
    EXPECT_EQ(p.At(118 + 61, 44 + 61), 0xFF0000u);
    EXPECT_NE(p.At(118 + 66, 44 + 2), 0xFF0000u);
    EXPECT_EQ(p.At(320 - 10 + 30, 192 - 20 + 30), 0x00FF00u);
    const uint32_t clear = p.At(790, 590);
    EXPECT_EQ(p.At(448 - 10 + 30, 128 - 20 + 30), clear);
    EXPECT_EQ(p.At(512 - 10 + 30, 128 - 20 + 30), clear);
}

TEST_F(MapDrawing, CameraAtTheFarCornerShowsColumns87To100AndRows84To93) {
    // Camera (5600, 5400): column 87 starts 32 px left of the screen, row 84 24 px above it.
    LevelMap[87][84] = 3;
    LevelMap[99][93] = 3; // the bottom-right corner of the screen
    LevelMap[88][84] = 40;
    const Picture p = DrawFrom(5600, 5400);
    EXPECT_EQ(p.At(5, 5), 0xFF0000u);
    EXPECT_EQ(p.At(31, 39), 0xFF0000u);
    EXPECT_EQ(p.At(33, 5), 0x00FF00u);
    EXPECT_EQ(p.At(795, 595), 0xFF0000u);
    // A camera beyond the play area's limit draws the grid's last column and nothing past it.
    LevelMap[100][0] = 3;
    const Picture q = DrawFrom(6336, 0);
    EXPECT_EQ(q.At(100, 5), 0xFF0000u);
    EXPECT_NE(q.At(140, 5), 0xFF0000u);
}
