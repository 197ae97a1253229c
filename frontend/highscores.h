// highscores.h - the high-score table and its file "scores.dat".
#pragma once

#include <cstdint>
#include <string>

void InitHighScores(int32_t count, const char* fileName);
