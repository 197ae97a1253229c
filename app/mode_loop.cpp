// mode_loop.cpp - start-up, the mode loop and shutdown.
//
// Start-up runs once on the main thread in the order the game depends on (the random
// generator is first used by the background panels, so its seed is the tick count of that
// moment); the mode loop then calls one mode procedure after the other until MODE_QUIT.
#include "app/mode_loop.h"

#include <atomic>
#include <cstdio>

#include "app/command_line.h"
#include "app/data_dir.h"
#include "app/replay_run.h"
#include "app/settings.h"
#include "between/level_end_mode.h"
#include "between/shop_mode.h"
#include "core/catalogue.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/music.h"
#include "core/player.h"
#include "frontend/audio_input.h"
#include "frontend/copper_bars.h"
#include "frontend/highscore_mode.h"
#include "frontend/highscores.h"
#include "frontend/menu_mode.h"
#include "objects/back_panels.h"
#include "platform/audio_in.h"
#include "play/play_mode.h"
#include "render/display.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"
#include "support/random.h"

namespace {

constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;

GameEndHook GameEndReport = nullptr;

enum StartResult { STARTED, NO_WINDOW, REPLAY_REFUSED };

// `dataDir`: the installed game's data folder and the first start's settings file are made
// once the window is open, so a game that cannot show itself makes no file.
StartResult StartUp(const char* firstParameter, bool dataDir) {
    GameMode = 0;
    PlayEntry = 0;
    LastFrameTick = 0;
    FrameRate = 0;
    FramePeriod = 0;
    CameraX = 0;
    CameraY = 0;
    TakeSoundLog(); // what the dump shows of sound starts with this run
    TakeMusicLog();

    InitSound(); // no audio device: the game runs silent
    InitRenderLayer(firstParameter);
    if (!OpenDisplay(SCREEN_WIDTH, SCREEN_HEIGHT, 32, GameTitle)) return NO_WINDOW;
    if (dataDir) {
        SetUpDataDir();
        WriteDefaultSettings(); // on the first start, once the window shows
    }
    if (!ReplayMapMatches(true)) return REPLAY_REFUSED;         // the map a first start placed
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f); // (41, 63, 111)

    BuildCatalogueFirstHalf();
    ResetCopperBars();
    // The first random numbers of the process fill the background panels, so the tick
    // count here seeds the generator: runs started in different milliseconds differ. A
    // replay starts from its recorded seed.
    RandomSeed(ReplayStartSeed(GetTickCount()));
    ListClear(BackPanels);
    FillBackPanels();
    ClearLevelMap(); // the map's arrival list and grid start empty
    LastFrameTick = float(GetTickCount());
    CameraX = 0;
    CameraY = 0;
    PlayEntry = PLAY_NEW_GAME;
    StartAudioInput();
    BuildCatalogueSecondHalf();
    InitHighScores(10, "scores.dat");
    ScoreFileReadOnly = ReplayPlayingBack(); // watching a run never changes the table
    SetCullFront();
    FrameRate = 80.0f;
    FramePeriod = 1000.0f / FrameRate;
    GameMode = MODE_MENU;
    return STARTED;
}

} // namespace

void RunModeLoop() {
    for (;;) {
        // Read afresh on every turn, even when the last value called nothing: the compiler
        // may not keep it in a register across the empty turns.
        const int32_t mode = std::atomic_ref<int32_t>(GameMode).load(std::memory_order_relaxed);
        switch (mode) {
        case MODE_MENU: MenuMode(); break;
        case MODE_PLAY: PlayMode(); break;
        case MODE_HIGHSCORES: HighScoreMode(); break;
        case MODE_SHOP: ShopMode(); break;
        case MODE_LEVEL_END: LevelEndMode(); break;
        case MODE_QUIT: CloseDisplay(); return;
        default: break; // an unknown mode calls nothing; the value is read again
        }
        // A game ends where play or the base round hands over to the high scores.
        const int32_t next = std::atomic_ref<int32_t>(GameMode).load(std::memory_order_relaxed);
        if ((mode == MODE_PLAY || mode == MODE_LEVEL_END) && next == MODE_HIGHSCORES) {
            if (GameEndReport) GameEndReport(Player.score);
            ReplayGameEnded();
        }
    }
}

void SetGameEndHook(GameEndHook hook) {
    GameEndReport = hook;
}

void ShutDown() {
    StopModule();
    CloseDisplay();
    FreeSounds();
    AudioCaptureStop(); // the capture thread ends with the program, before SDL goes
    PlatformShutdown();
}

int RunGame(PlatformBackend backend, int argc, char** argv) {
    // --help, --version and parameters we do not know end the program here.
    const CommandLine command = ParseCommandLine(argc, argv);
    if (command.action != COMMAND_PLAY) return AnswerCommandLine(command, stdout, stderr);
    // The installed game works in the player's data folder; the scripted driver and the
    // tests work in the folder they were started in. Until the window is open only a folder
    // that is there already is entered.
    const bool dataDir = backend == PLATFORM_SDL;
    // A replay is read and judged first, from the folder the program was started in.
    if (!BeginReplayRun(command.replayFile, command.recordFile, dataDir)) return 1;
    if (dataDir) EnterExistingDataDir();
    if (!ReplayMapMatches(!dataDir)) return EndReplayRun(1);
    // The player's settings belong to the real game; scripted runs keep the defaults.
    Settings settings = dataDir ? LoadSettings() : Settings();
    if (command.fullscreen != FULLSCREEN_ASK) settings.fullscreen = command.fullscreen;
    if (command.musicVolume >= 0) settings.musicVolume = command.musicVolume;
    if (command.effectsVolume >= 0) settings.effectsVolume = command.effectsVolume;
    ApplySettings(settings);
    PlatformPresetFullscreen(settings.fullscreen);
    const char* why = nullptr;
    if (!PlatformInit(backend, &why)) {
        std::fprintf(stderr, "morvexa: %s\n", why ? why : "cannot start the display");
        return EndReplayRun(1);
    }
    int code = 0;
    try {
        switch (StartUp(command.info ? "info" : nullptr, dataDir)) {
        case STARTED: RunModeLoop(); break;
        case NO_WINDOW:
            std::fprintf(stderr, "morvexa: cannot open the game window\n");
            code = 1;
            break;
        case REPLAY_REFUSED: code = 1; break;
        }
    } catch (const ProgramExit& exit) {
        code = exit.code;
    }
    code = EndReplayRun(code); // the recording is written, a closed window included
    ShutDown();
    if (dataDir) RemoveTemporaryDataDir();
    return code;
}
