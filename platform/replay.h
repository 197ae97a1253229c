// replay.h - recording the keys the game reads, and reading them back from a recording.
//
// The game is fixed by its random seed, its map and what GetAsyncKeyState answers in each
// drawn frame: its logic runs only inside drawn frames, and every key query is made there.
// So a recording is the sequence of those answers. To keep it small only changes are kept:
// an event says that from the query'th query of key vk in drawn frame `frame` on, the key's
// answer is `result` (held 0x8000, pressed since the last query 1, both, or neither). The
// answers are recorded, not the keyboard's events, so a tap between two queries, a bound key
// or a gamepad button replays exactly as the game saw it.
//
// Playback follows each key's events on their own: one call may ask for several keys in its
// arguments, whose order the compiler chooses, so two builds of the game can ask for the keys
// of one frame in different orders; the queries of one key keep theirs. A replay recorded by
// a GCC build plays in a Clang build and back.
//
// Frames are numbered as the scripted driver numbers them: the frame being drawn, that is
// PlatformFrameCount() + 1 while its keys are read (the first drawn frame is 1).
//
// While recording, GetAsyncKeyState answers from the keyboard (or the script) as always and
// notes the changes. While playing back, it answers from the recording whatever the keyboard
// does (Escape too; only closing the window ends the program), and the frame that ends the
// recording ends the program: PlatformSwapBuffers throws ProgramExit{0} after presenting it.
// Main thread only.
#pragma once

#include <cstdint>
#include <vector>

struct ReplayKeyEvent {
    uint32_t frame;  // the drawn frame, 1 for the first
    uint8_t vk;      // the virtual-key code queried
    uint32_t query;  // which query of vk in that frame, 0 for the first
    uint16_t result; // GetAsyncKeyState's answer from that query on: 0, 1, 0x8000 or 0x8001
};

// Forgets any recording or playback and starts recording from the next query.
void ReplayStartRecording();
// The changes recorded so far, in the order the queries were made.
const std::vector<ReplayKeyEvent>& ReplayRecordedKeys();

// Plays `keys` back until drawn frame `lastFrame` is presented. Stops any recording.
void ReplayStartPlayback(std::vector<ReplayKeyEvent> keys, uint32_t lastFrame);
bool ReplayPlaying();
// The first frame in which the game asked other questions than the recorded game asked (an
// event of the recording was never reached), or 0 while it follows the recording.
uint32_t ReplayOutOfStepFrame();

// Neither recording nor playing back.
void ReplayStop();

// ---------------------------------------------------------------- for the platform's own files
// The answer to give for a query of vk whose live answer is `live`: notes it while recording,
// replaces it while playing back.
int16_t ReplayFilterKey(int vk, int16_t live);
// After drawn frame `frame` was presented: throws ProgramExit{0} when it ends the playback.
void ReplayFramePresented(uint32_t frame);
