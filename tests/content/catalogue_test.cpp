// catalogue_test.cpp - the asset catalogue after both halves of start-up on the test
// display: every embedded picture in its shape, slots filled where the tables say and only
// there, mirror slots really mirrored, keyed black transparent and dark colours opaque, the
// copper tables and the music modules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/catalogue.h"
#include "assets/assets.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "render/text.h"
#include "sound/sound_effects.h"
#include "tests/testkit.h"

namespace {

constexpr int SCRATCH_IMAGE = 2042;     // decoded copies of the sheets, for comparing pixels
constexpr uint32_t BACKDROP = 0xFF00FF; // a colour no sprite uses, shown where alpha is 0

int32_t LittleEndian32(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
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

    // Draws textures on the magenta backdrop and reads the frame back.
    static void BeginPicture() {
        SetClearColor(1, 0, 1, 1);
        ClearDisplay();
        Begin2D(800, 600);
        ResetTransform();
    }
    static bool Decode(const char* file) {
        const EmbeddedAsset* a = FindEmbeddedAsset(file);
        return a && CatchImage(SCRATCH_IMAGE, a->data, a->size);
    }
    // Draws a w x h piece at (x, y) at its own size, so that each pixel shows one texel.
    static void Show(uint32_t texture, int x, int y, int w, int h) {
        DrawSprite(texture, float(x), float(y), float(w), float(h));
    }

    static bool displayOpen, soundOpen;
};
bool Catalogue::displayOpen = false;
bool Catalogue::soundOpen = false;

// The screen pixel of a texel drawn at its own size matches the sheet's pixel, or the
// backdrop where the sheet is pure black.
::testing::AssertionResult ShowsSheetPiece(const Picture& shot, int sx, int sy, int px, int py,
                                           int w, int h, bool mirrored) {
    int wrong = 0, keyed = 0, opaque = 0;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const uint32_t c = ImagePixel(SCRATCH_IMAGE, px + x, py + y); // red lowest
            const uint32_t expect =
                c == 0 ? BACKDROP : ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            const uint32_t got = shot.At(sx + (mirrored ? w - 1 - x : x), sy + y);
            c == 0 ? keyed++ : opaque++;
            // Linear filtering at exact size samples texel centres; allow a step of rounding.
            const int dr = int(got >> 16) - int(expect >> 16);
            const int dg = int((got >> 8) & 0xFF) - int((expect >> 8) & 0xFF);
            const int db = int(got & 0xFF) - int(expect & 0xFF);
            if (std::abs(dr) > 2 || std::abs(dg) > 2 || std::abs(db) > 2) wrong++;
        }
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess() << keyed << " keyed, " << opaque << " opaque";
    return ::testing::AssertionFailure() << wrong << " of " << w * h << " pixels differ";
}

} // namespace

TEST_F(Catalogue, EveryEmbeddedPictureHasTheShapeTheTablesCutFrom) {
    for (int i = 0; i < CataloguePictureCount; i++) {
        const CataloguePicture& pic = CataloguePictures[i];
        SCOPED_TRACE(pic.file);
        const EmbeddedAsset* a = FindEmbeddedAsset(pic.file);
        ASSERT_NE(a, nullptr) << "not embedded";
        ASSERT_GE(a->size, 54u);
        EXPECT_EQ(a->data[0], 'B');
        EXPECT_EQ(a->data[1], 'M');
        EXPECT_EQ(LittleEndian32(a->data + 18), pic.width);
        EXPECT_EQ(std::abs(LittleEndian32(a->data + 22)), pic.height);
        EXPECT_EQ(a->data[28] | a->data[29] << 8, pic.bitsPerPixel);
        ASSERT_TRUE(CatchImage(SCRATCH_IMAGE, a->data, a->size)) << "does not decode";
        EXPECT_EQ(ImageWidth(SCRATCH_IMAGE), pic.width);
        EXPECT_EQ(ImageHeight(SCRATCH_IMAGE), pic.height);
    }
    const EmbeddedAsset* glow = FindEmbeddedAsset(GLOW_BLOCK_FILE);
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->size, size_t(GLOW_BLOCK_BYTES));
}

TEST_F(Catalogue, SlotsAreFilledWhereTheTablesSayAndOnlyThere) {
    auto filled = [](uint32_t t) { return t != 0; };
    EXPECT_TRUE(filled(PanelImage));
    EXPECT_TRUE(filled(HighlightBarImage));
    EXPECT_TRUE(filled(RingImage));
    EXPECT_TRUE(filled(FuelSegmentImage));
    EXPECT_TRUE(filled(EnergySegmentImage));
    for (int t = 0; t <= 50; t++) EXPECT_EQ(filled(TileImages[t]), t <= 41) << "tile " << t;
    for (int f = 0; f < 2; f++) EXPECT_TRUE(filled(TorsoImages[f]));
    for (int i = 0; i < 5; i++)
        for (int f = 0; f < 2; f++) EXPECT_TRUE(filled(LegImages[i][f])) << "legs " << i;
    for (int i = 0; i < 11; i++)
        for (int f = 0; f < 2; f++) EXPECT_EQ(filled(ShotImages[i][f]), i <= 4) << "shot " << i;
    for (int r = 0; r < 3; r++)
        for (int j = 0; j < 2; j++) EXPECT_TRUE(filled(EnemyImages[r][j]));
    for (int i = 0; i < 4; i++) EXPECT_TRUE(filled(HudFrameImages[i]));
    for (int i = 0; i < 4; i++) EXPECT_TRUE(filled(ItemImages[i]));
    for (int s = 0; s < 20; s++)
        EXPECT_EQ(filled(ScreenImages[s]), s != 9 && s < 16) << "screen picture " << s;
    for (int i = 0; i < 9; i++) EXPECT_TRUE(filled(ParticleImages[i])) << "particle " << i;
    for (int slot = 0; slot < 2; slot++) {
        for (int code = 0; code < FONT_CODES; code++)
            EXPECT_EQ(GlyphTexture(slot, code) != 0, code >= 32 && code <= 91)
                << "font " << slot << " code " << code;
    }
}

TEST_F(Catalogue, TilesAndMirrorPairsShowTheirSheetPiecesTheRightWayRound) {
    // Tile 9 of the sheet at its own size, then the legs and shots as drawn and mirrored.
    ASSERT_TRUE(Decode("tiles.bmp"));
    BeginPicture();
    Show(TileImages[9], 0, 0, 64, 64);
    Show(TileImages[40], 100, 0, 64, 64);
    Picture shot = ReadBackBuffer();
    EXPECT_TRUE(ShowsSheetPiece(shot, 0, 0, 64 * 3, 64 * 1, 64, 64, false));
    EXPECT_TRUE(ShowsSheetPiece(shot, 100, 0, 64 * 4, 64 * 6, 64, 64, false));

    ASSERT_TRUE(Decode("legs.bmp"));
    BeginPicture();
    for (int i = 0; i < 5; i++) {
        Show(LegImages[i][0], 70 * i, 0, 64, 64);
        Show(LegImages[i][1], 70 * i, 100, 64, 64);
    }
    shot = ReadBackBuffer();
    for (int i = 0; i < 5; i++) {
        EXPECT_TRUE(ShowsSheetPiece(shot, 70 * i, 0, 64 * i, 0, 64, 64, false)) << "pose " << i;
        EXPECT_TRUE(ShowsSheetPiece(shot, 70 * i, 100, 64 * i, 0, 64, 64, true)) << "pose " << i;
    }

    ASSERT_TRUE(Decode("shots.bmp"));
    BeginPicture();
    for (int i = 0; i < 5; i++) {
        Show(ShotImages[i][0], 20 * i, 0, 16, 16);
        Show(ShotImages[i][1], 20 * i, 20, 16, 16);
    }
    shot = ReadBackBuffer();
    for (int i = 0; i < 5; i++) {
        EXPECT_TRUE(ShowsSheetPiece(shot, 20 * i, 0, 16 * i, 0, 16, 16, false)) << "shot " << i;
        EXPECT_TRUE(ShowsSheetPiece(shot, 20 * i, 20, 16 * i, 0, 16, 16, true)) << "shot " << i;
    }

    ASSERT_TRUE(Decode("torso.bmp"));
    BeginPicture();
    Show(TorsoImages[0], 0, 0, 64, 64);
    Show(TorsoImages[1], 100, 0, 64, 64);
    shot = ReadBackBuffer();
    EXPECT_TRUE(ShowsSheetPiece(shot, 0, 0, 0, 0, 64, 64, false));
    EXPECT_TRUE(ShowsSheetPiece(shot, 100, 0, 0, 0, 64, 64, true));
}

TEST_F(Catalogue, OnlyPureBlackIsTransparentSilhouettesAndDarkPanesIncluded) {
    // The drones' white hit-flash outlines and the near-black crosshair panes: every pixel
    // that is not pure black must stay opaque, every pure black one must let the backdrop
    // through. ShowsSheetPiece checks both, pixel by pixel.
    ASSERT_TRUE(Decode("enemies.bmp"));
    BeginPicture();
    for (int r = 0; r < 3; r++)
        for (int j = 0; j < 2; j++) Show(EnemyImages[r][j], 40 * j, 40 * r, 32, 32);
    Picture shot = ReadBackBuffer();
    for (int r = 0; r < 3; r++) {
        for (int j = 0; j < 2; j++) {
            const auto result =
                ShowsSheetPiece(shot, 40 * j, 40 * r, 32 * j, 32 * r, 32, 32, false);
            EXPECT_TRUE(result) << "drone row " << r << " picture " << j;
        }
    }
    ASSERT_TRUE(Decode("items.bmp"));
    int darkOpaque = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 64; x < 96; x++) {
            const uint32_t c = ImagePixel(SCRATCH_IMAGE, x, y);
            darkOpaque += c != 0 && (c & 0xFF) < 16 && ((c >> 8) & 0xFF) < 16 && (c >> 16) < 16;
        }
    EXPECT_GT(darkOpaque, 0) << "the crosshair has no near-black panes to test";
    BeginPicture();
    Show(ItemImages[2], 0, 0, 32, 32);
    shot = ReadBackBuffer();
    EXPECT_TRUE(ShowsSheetPiece(shot, 0, 0, 64, 0, 32, 32, false));
}

TEST_F(Catalogue, CopperTablesFollowTheRainbowAndEndInWhite) {
    ASSERT_TRUE(Decode("rainbow.bmp"));
    for (int r = 0; r < 600; r++) {
        const uint32_t c = ImagePixel(SCRATCH_IMAGE, 0, r);
        ASSERT_FLOAT_EQ(CopperColours[r][0], float(c & 0xFF) / 255.0f) << "row " << r;
        ASSERT_FLOAT_EQ(CopperColours[r][1], float((c >> 8) & 0xFF) / 255.0f) << "row " << r;
        ASSERT_FLOAT_EQ(CopperColours[r][2], float((c >> 16) & 0xFF) / 255.0f) << "row " << r;
    }
    EXPECT_EQ(CopperColours[600][0], 1.0f);
    EXPECT_EQ(CopperColours[600][1], 1.0f);
    EXPECT_EQ(CopperColours[600][2], 1.0f);
    // The strip starts in purple: red and blue, little green.
    EXPECT_GT(CopperColours[0][0], 0.3f);
    EXPECT_GT(CopperColours[0][2], 0.3f);
    EXPECT_LT(CopperColours[0][1], CopperColours[0][2]);
    for (int i = 0; i <= 10; i++) {
        EXPECT_EQ(BarColourRow[i], 12 * i);
        EXPECT_EQ(BarPhase[i], 10 * i + 9);
    }
}

TEST_F(Catalogue, MusicModulesAreTheFiveEmbeddedExtendedModules) {
    for (int m = 1; m <= 5; m++) {
        SCOPED_TRACE("module " + std::to_string(m));
        const uint8_t* data = MusicModule(m);
        ASSERT_NE(data, nullptr);
        const EmbeddedAsset* a = FindEmbeddedAsset(("music" + std::to_string(m) + ".xm").c_str());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(data, a->data);
        EXPECT_EQ(MusicModuleLength(m), int32_t(a->size));
        ASSERT_GT(a->size, 60u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 17), "Extended Module: ");
    }
    EXPECT_EQ(MusicModule(0), nullptr);
    EXPECT_EQ(MusicModule(6), nullptr);
    EXPECT_EQ(MusicModuleLength(6), 0);
}

TEST_F(Catalogue, SoundSlotsHoldTheirEffectsAndSlotFourPlaysAt8000) {
    if (!soundOpen) GTEST_SKIP() << "no audio output to load effects into";
    const int rates[SOUND_SLOTS] = {22050, 44100, 11025, 11025, 8000, 11000, 22050,
                                    11025, 11025, 44100, 11025, 8363, 22050, 11025};
    for (int slot = 0; slot < SOUND_SLOTS; slot++)
        EXPECT_EQ(SoundFrequency(slot), rates[slot]) << "slot " << slot;
    EXPECT_EQ(SoundFrequency(SOUND_SLOTS), 0);
}
