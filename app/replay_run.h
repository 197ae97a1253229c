// replay_run.h - the replays of a run: recording it (--record FILE, and last.replay in the
// data folder) and playing one back (--replay FILE).
//
// Every run records the keys the game reads (platform/replay.h) unless it plays a replay.
// The recording is written, through a temporary file and a rename, at the end of each game
// and when the program ends (the window closed, the game quit, the recording's end): to the
// --record file, and by the real game to last.replay in its data folder (never into a
// temporary data folder, which the end of the run removes). A replay is refused with one
// line on standard error before the window opens when it is damaged or was recorded by
// another game version, and as soon as the data folder is known when its startmap.map
// differs. While a replay plays, the high-score file is read but never written, so watching
// a run never changes the player's table.
//
// Main thread; RunGame and start-up call these in the order they are listed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Before anything else, in the folder the program was started in (the paths are taken from
// there): reads and checks the replay to play, or starts the recording. recordFile is "" for
// none. keepLast: the real game, which keeps last.replay. False when the replay was refused.
bool BeginReplayRun(const std::string& replayFile, const std::string& recordFile, bool keepLast);

// The replay's map against the working directory's startmap.map; false (said on standard
// error) when they differ. evenWithoutMap: a missing map counts (else it is not judged yet).
bool ReplayMapMatches(bool evenWithoutMap);

// Start-up's random seed: the replay's, else `ticks`, which the recording keeps with the
// hash of the working directory's startmap.map.
uint32_t ReplayStartSeed(uint32_t ticks);

// True while a replay plays.
bool ReplayPlayingBack();

// A game has ended (the mode loop goes to the high scores): the recording so far is written.
void ReplayGameEnded();

// When the run is over, with its exit code: writes the recording, says when a replay went out
// of step with the game, stops recording or playing. Returns the exit code to use (1 when a
// --record file could not be written or the replay went out of step).
int EndReplayRun(int code);
