// catalogue_test.cpp - the asset catalogue after start-up: pictures in the catalogue's shape,
// slots filled where the tables say, each piece the right way round, the modules and rates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "assets/assets.h"
#include "core/catalogue.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "sound/sound_effects.h"
#include "sound/wav_chunks.h"
#include "tests/testkit.h"

namespace {

constexpr int SCRATCH_IMAGE = 2042; // decoded copies of the sheets, for comparing pixels

bool Decode(const char* file) {
    const EmbeddedAsset* a = FindEmbeddedAsset(file);
    return a && CatchImage(SCRATCH_IMAGE, a->data, a->size);
}

// Start-up's catalogue, built once for the whole suite.
class Catalogue : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        displayOpen = OpenTestDisplay(); // the platform first, as the game's entry does
        if (!displayOpen) return;
        soundOpen = InitSound() != 0;
        SetCullFront();
        BuildCatalogueFirstHalf();
        BuildCatalogueSecondHalf();
    }
    static void TearDownTestSuite() {
        if (displayOpen) CloseTestDisplay();
        FreeSounds();
    }
    void SetUp() override { ASSERT_TRUE(displayOpen) << "no test display"; }
    static bool displayOpen, soundOpen;
};
bool Catalogue::displayOpen = false;
bool Catalogue::soundOpen = false;

} // namespace

TEST(EmbeddedPictures, EveryEmbeddedPictureHasTheCataloguesWidthHeightAndDepth) {
    for (int i = 0; i < CataloguePictureCount; i++) {
        const CataloguePicture& p = CataloguePictures[i];
        SCOPED_TRACE(p.file);
        ASSERT_TRUE(Decode(p.file));
        EXPECT_EQ(ImageWidth(SCRATCH_IMAGE), p.width);
        EXPECT_EQ(ImageHeight(SCRATCH_IMAGE), p.height);
        EXPECT_EQ(FindEmbeddedAsset(p.file)->data[28], p.bitsPerPixel);
    }
    const EmbeddedAsset* glow = FindEmbeddedAsset(GLOW_BLOCK_FILE);
    EXPECT_TRUE(glow && glow->size == size_t(GLOW_BLOCK_BYTES));
    FreeImage(SCRATCH_IMAGE);
}

TEST_F(Catalogue, SlotsAreFilledWhereTheTablesSayAndOnlyThere) {
    for (uint32_t t : {PanelImage, HighlightBarImage, RingImage, FuelSegmentImage,
                       EnergySegmentImage, TorsoImages[0], TorsoImages[1]})
        EXPECT_NE(t, 0u);
    for (int t = 0; t <= 50; t++) EXPECT_EQ(TileImages[t] != 0, t <= 41) << "tile " << t;
    for (int i = 0; i < 11; i++)
        for (int f = 0; f < 2; f++) EXPECT_EQ(ShotImages[i][f] != 0, i <= 4) << "shot " << i;
    for (int i = 0; i < 9; i++) {
        EXPECT_NE(ParticleImages[i], 0u) << "particle " << i;
        EXPECT_TRUE(i >= 5 || (LegImages[i][0] && LegImages[i][1])) << "legs " << i;
        EXPECT_TRUE(i >= 4 || (HudFrameImages[i] && ItemImages[i])) << "frame, item " << i;
        EXPECT_TRUE(i >= 3 || (EnemyImages[i][0] && EnemyImages[i][1])) << "drone " << i;
    }
    for (int s = 0; s < 20; s++)
        EXPECT_EQ(ScreenImages[s] != 0, s != 9 && s < 16) << "screen picture " << s;
}

TEST_F(Catalogue, EachSlotShowsItsSheetPieceTheRightWayRoundWithOnlyPureBlackKeyed) {
    // Each slot's texture, and where its piece lies in which sheet (x, y, size), mirrored or not.
    const std::tuple<uint32_t, const char*, int, int, int, bool> pieces[] = {
        {TileImages[9], "tiles.bmp", 192, 64, 64, false},
        {TorsoImages[0], "torso.bmp", 0, 0, 64, false},
        {TorsoImages[1], "torso.bmp", 0, 0, 64, true},
        {LegImages[3][1], "legs.bmp", 192, 0, 64, true},
        {LegImages[4][1], "legs.bmp", 256, 0, 64, true},
        {ShotImages[1][0], "shots.bmp", 16, 0, 16, false},
        {ShotImages[4][1], "shots.bmp", 64, 0, 16, true},
        {EnemyImages[0][1], "enemies.bmp", 32, 0, 32, false}, // a white silhouette
        {ItemImages[2], "items.bmp", 64, 0, 32, false},       // a near-black grid with clear panes
        {ScreenImages[4], "screens.bmp", 256, 256, 256, false},
        {ScreenImages[15], "buttons.bmp", 320, 0, 64, false},
        {ParticleImages[7], "particles.bmp", 224, 0, 32, false},
    };
    for (const auto& [texture, file, sheetX, sheetY, size, mirrored] : pieces) {
        SCOPED_TRACE(std::string(file) + " at " + std::to_string(sheetX) + ", " +
                     std::to_string(sheetY) + (mirrored ? ", mirrored" : ""));
        ASSERT_TRUE(Decode(file));
        SetClearColor(1, 0, 1, 1); // magenta, which no sprite uses, shows where alpha is 0
        ClearDisplay();
        Begin2D(800, 600);
        ResetTransform();
        DrawSprite(texture, 0, 0, float(size), float(size));
        const Picture shot = ReadBackBuffer();
        int wrong = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const uint32_t c = ImagePixel(SCRATCH_IMAGE, sheetX + x, sheetY + y); // red low
                const uint32_t expect =
                    c == 0 ? 0xFF00FF : ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
                const uint32_t got = shot.At(mirrored ? size - 1 - x : x, y);
                // Linear filtering at the texture's own size samples texel centres.
                bool off = false;
                for (int k = 0; k < 24; k += 8)
                    off |= std::abs(int((got >> k) & 0xFF) - int((expect >> k) & 0xFF)) > 2;
                wrong += off;
            }
        EXPECT_EQ(wrong, 0) << "of " << size * size << " pixels";
    }
}

TEST_F(Catalogue, MusicModulesAreTheFiveEmbeddedModulesAndSoundSlotsPlayAtTheirFilesRates) {
    for (int m = 0; m <= 6; m++) {
        const EmbeddedAsset* a = FindEmbeddedAsset(("music" + std::to_string(m) + ".xm").c_str());
        ASSERT_EQ(a != nullptr, m >= 1 && m <= 5) << "module " << m;
        EXPECT_EQ(MusicModule(m), a ? a->data : nullptr) << "module " << m;
        EXPECT_EQ(MusicModuleLength(m), a ? int32_t(a->size) : 0) << "module " << m;
    }
    if (!soundOpen) GTEST_SKIP() << "no audio output to load effects into";
    for (int slot = 0; slot < SOUND_SLOTS; slot++) {
        const EmbeddedAsset* a = FindEmbeddedAsset(SoundSlotFile(slot));
        WavSound wav{};
        ASSERT_TRUE(a && ReadWavChunks(a->data, a->size, &wav)) << "slot " << slot;
        EXPECT_EQ(SoundFrequency(slot), slot == 4 ? 8000 : int(wav.rate)) << "slot " << slot;
    }
    EXPECT_EQ(SoundFrequency(SOUND_SLOTS), 0);
}
