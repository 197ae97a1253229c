// level_map_test.cpp - the map file's layout, a missing file, the arrival points, the cell
// lookup and the cells that are never drawn.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>

#include "core/catalogue.h"
#include "core/level_map.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "tests/testkit.h"

namespace {

// A little-endian code at cell (col, row) of a column-major file.
void PutCode(std::vector<uint8_t>& bytes, int col, int row, int32_t code) {
    for (int k = 0; k < 4; k++) bytes[4 * (MAP_SIZE * col + row) + k] = uint8_t(code >> (8 * k));
}

// A map folder as the working directory.
class MapFile : public ::testing::Test {
  protected:
    void SetUp() override { ClearLevelMap(); }
    void TearDown() override { ClearLevelMap(); }
    TempDir dir{true};
};

} // namespace

TEST_F(MapFile, OnlyTheGridsLengthIsReadAndArrivalPointsFollowTheFileOrderEachLoad) {
    std::vector<uint8_t> bytes(MAP_FILE_BYTES + 400, 0xFF); // a tail past the grid: never read
    std::fill(bytes.begin(), bytes.begin() + MAP_FILE_BYTES, 0);
    // Right halves in file order (column by column), a left half, which makes no point, a
    // negative code in the last cell.
    for (const auto& [col, row, code] :
         {std::array{7, 20, 21}, {7, 60, 21}, {30, 40, 21}, {8, 20, 20}, {100, 100, -3}})
        PutCode(bytes, col, row, code);
    WriteFileBytes("startmap.map", bytes);
    LoadLevelMap();
    EXPECT_EQ(LevelMap[100][100], -3);
    LoadLevelMap(); // again, without clearing: the points are appended a second time
    ASSERT_EQ(std::pair(TeleportTargetCount, TeleportTargets.count), std::pair(6, 6));
    const float expected[3][2] = {{448, 1216}, {448, 3776}, {1920, 2496}};
    for (int i = 0; i < 6; i++)
        EXPECT_TRUE(ListSelect(TeleportTargets, i)->x == expected[i % 3][0] &&
                    ListSelect(TeleportTargets, i)->y == expected[i % 3][1])
            << "point " << i;
}

// That a map the game may not write is read all the same is played in tests/reliability
// (BadInput, BadWorkingDirectory), by a user who cannot write it.
TEST_F(MapFile, AMissingFileIsCreatedEmpty) {
    LevelMap[10][10] = 3;
    LoadLevelMap();
    ASSERT_TRUE(std::filesystem::exists("startmap.map"));
    EXPECT_EQ(std::pair(std::filesystem::file_size("startmap.map"), LevelMap[10][10]),
              std::pair(uintmax_t(0), 0));
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
    LevelMap[99][0] = 51; // no slot in the tile table
    LevelMap[99][1] = -4; // negative: never drawn
    LevelMap[99][2] = 50; // the table's last slot
    LevelMap[100][0] = 3; // the grid's last column
    SetClearColor(0, 0, 1, 1);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    DrawLevelMap(6336 + 32, 0); // past the camera's limit: column 99 half off the screen
    const Picture p = ReadBackBuffer();
    const std::pair<int, int> blue[] = {{10, 32}, {10, 96}, {40, 96}, {98, 32}}; // 51, -4, 0, past
    for (const auto& [x, y] : blue) EXPECT_EQ(p.At(x, y), 0x0000FFu) << x << ", " << y;
    EXPECT_EQ(std::pair(p.At(10, 160), p.At(40, 32)), std::pair(0xFF0000u, 0xFF0000u));
    std::memcpy(TileImages, saved, sizeof saved);
    ClearLevelMap();
    CloseTestDisplay();
}
