// placeholder.cpp - stand-ins until the audio input and the high-score table land.
#include "frontend/audio_input.h"
#include "frontend/highscores.h"

AudioInputState AudioInput;
void StartAudioInput() {}
void RequeueAudioInput() {}
void InitHighScores(int32_t, const char*) {}
