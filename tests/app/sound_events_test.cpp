// sound_events_test.cpp - each event of play makes its sound and each mode starts its module
// and stops it on leaving, read from the logs the state dump shows.
#include "between/level_end_mode.h"
#include "between/shop_mode.h"
#include "core/music.h"
#include "frontend/highscore_mode.h"
#include "frontend/highscores.h"
#include "frontend/menu_mode.h"
#include "objects/targets.h"
#include "play/play_mode.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"
#include "tests/scenario.h"

namespace {

class SoundEvents : public Scenario {
  protected:
    // Every case starts afresh: the scenario's fresh state, the score table and the logs.
    void Fresh() {
        FreshState();
        InitHighScores(10, "scores.dat");
        TakeSoundLog();
        TakeMusicLog();
    }
};

// The landing, the teleport, the shop's chime and the menu's click are heard in the whole-game
// replay's dumps; the shop's refusal in tests/between/shop_test.cpp.
TEST_F(SoundEvents, EachEventOfPlayAndTheRoundMakesItsOwnSound) {
    // Every slot asked for, in order. Landing in the first standing frame, then a footstep at
    // the fifth pose (35 steps).
    Fresh();
    Fill(0, 5, 20, 5, 1); // a floor, face at y 320
    PlacePlayer(300, 288);
    ScriptSetKey(VK_RIGHT, true);
    Play(PLAY_RESUME, 40);
    EXPECT_EQ(TakeSoundLog(), (std::vector<int>{SOUND_STEP, SOUND_STEP})) << "footsteps";
    Fresh(); // flying up from free air: the head enters a ceiling of code 2 in frame 5
    Fill(0, 3, 10, 3, 2);
    PlacePlayer(300, 300);
    ScriptSetKey(VK_UP, true);
    Play(PLAY_RESUME, 6);
    EXPECT_EQ(TakeSoundLog(), std::vector<int>{SOUND_HEAD}) << "head strike";
    Fresh();
    PickupsCarried = 1;
    ScriptSetKey(VK_SPACE, true);
    Run(LevelEndMode, 11);
    EXPECT_EQ(TakeSoundLog(), std::vector<int>{SOUND_PLASMA}) << "a volley at the eleventh frame";
    Fresh();
    PickupsCarried = 1;
    Run(LevelEndMode, 2, [](uint32_t f) {
        if (f == 1) Targets.first->record.hits = -1;
    });
    EXPECT_EQ(TakeSoundLog(), std::vector<int>{SOUND_TELEPORT}) << "a target destroyed";
    // Each weapon sounds once per trigger, the ring of weapon 3 too (free air, no wall).
    const int fireSound[5] = {SOUND_GUN, SOUND_BOLT, SOUND_FIREBALL, SOUND_PLASMA, SOUND_GUN};
    for (int32_t weapon = 0; weapon < 5; weapon++) {
        SCOPED_TRACE(weapon);
        Fresh();
        PlacePlayer(300, 300);
        Player.weapon = weapon;
        Player.fireCounter = Player.firePeriod; // fires in the first frame
        ScriptSetKey(VK_SPACE, true);
        Play(PLAY_RESUME, 1);
        EXPECT_EQ(TakeSoundLog(), std::vector<int>{fireSound[weapon]});
    }
}

// Keys held from the first frame make each mode leave by itself at its first chance; the
// module named in the log is the one heard.
TEST_F(SoundEvents, EachModeStartsItsOwnModuleAndStopsItOnLeaving) {
    const std::tuple<void (*)(), std::vector<int>, int> cases[] = {
        {MenuMode, {VK_SPACE}, MUSIC_MENU}, // "HIGHSCORES" at the first poll
        {PlayMode, {VK_ESCAPE}, MUSIC_PLAY},
        {HighScoreMode, {VK_DOWN, VK_SPACE}, MUSIC_HIGHSCORES}, // "BACK TO MENU"
        {ShopMode, {VK_UP, VK_SPACE}, MUSIC_SHOP},              // "EXIT SHOP"
        {LevelEndMode, {VK_ESCAPE}, MUSIC_LEVEL_END},
    };
    for (const auto& [mode, keys, music] : cases) {
        SCOPED_TRACE(music);
        Fresh();
        PickupsCarried = 1;
        for (int vk : keys) ScriptSetKey(vk, true);
        PlayEntry = PLAY_RESUME;
        std::string heard;
        const uint32_t frames = Run(mode, 100, [&](uint32_t f) {
            if (f == 1) heard = ModulePlaying() ? GetModuleTitle() : "";
        });
        EXPECT_LT(frames, 100u) << "the mode should have returned";
        EXPECT_EQ(TakeMusicLog(), (std::vector<int>{music, 0}));
        PlayModule(MusicModule(music), MusicModuleLength(music), MODULE_FROM_MEMORY);
        EXPECT_EQ(heard, GetModuleTitle());
        StopModule();
    }
}

} // namespace
