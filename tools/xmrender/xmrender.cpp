// xmrender.cpp - renders any XM module to a WAV file, deterministically and without a thread.
//
//   xmrender [--no-loop] [--seconds N] [--ticks] IN.xm OUT.wav
//
// The song engine is the one the game's player runs (sound/xm_song.h), block by block of
// 1024 frames with the same output conversion at full master volume. --no-loop ends the
// render where the song starts to repeat itself (the end of the order list, or the first row
// played again with every pattern-loop counter as it was); without it the song loops for
// --seconds (default 60).
// --ticks prints, tick by tick, the row, order and every channel's note, instrument,
// period, frequency, volume and panning to standard output.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sound/xm_song.h"

static const char* const NOTE_NAMES[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                           "F#", "G-", "G#", "A-", "A#", "B-"};

static void PrintTick(const MusicContext& m, void*) {
    std::printf("order %3d row %3d tick %2d |", m.order, m.row, m.tick);
    for (int c = 0; c < m.module->channels; c++) {
        const MusicChannel& ch = m.channels[c];
        char note[4] = "---";
        if (ch.note >= 1 && ch.note <= 96)
            std::snprintf(note, sizeof note, "%s%d", NOTE_NAMES[(ch.note - 1) % 12],
                          (ch.note - 1) / 12);
        const bool sounding = m.voices[c][0].active;
        std::printf(" %s %02X %5d %9.2f %5d %3d%s |", note, ch.instrument, ch.outPeriod,
                    ch.frequency, ch.finalVolume, ch.finalPanning, sounding ? "" : "x");
    }
    std::printf("\n");
}

static void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = uint8_t(v >> (8 * i));
}

static bool WriteWav(const char* path, const std::vector<int16_t>& samples) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> h(44, 0);
    std::memcpy(&h[0], "RIFF", 4);
    PutU32(h, 4, 36 + dataBytes);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    PutU32(h, 16, 16);
    h[20] = 1; // PCM
    h[22] = 2; // stereo
    PutU32(h, 24, MUSIC_RATE);
    PutU32(h, 28, MUSIC_RATE * 4);
    h[32] = 4;  // block align
    h[34] = 16; // bits
    std::memcpy(&h[36], "data", 4);
    PutU32(h, 40, dataBytes);
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(h.data(), 1, h.size(), f) == h.size();
    for (int16_t s : samples) { // little-endian whatever the host
        const uint8_t le[2] = {uint8_t(s & 0xFF), uint8_t((uint16_t(s) >> 8) & 0xFF)};
        ok = ok && std::fwrite(le, 1, 2, f) == 2;
    }
    return std::fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
    bool noLoop = false, ticks = false;
    double seconds = -1;
    const char* in = nullptr;
    const char* out = nullptr;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        if (a == "--no-loop")
            noLoop = true;
        else if (a == "--ticks")
            ticks = true;
        else if (a == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (!in)
            in = argv[i];
        else if (!out)
            out = argv[i];
        else
            in = nullptr, out = nullptr, i = argc;
    }
    if (!in || !out) {
        std::fprintf(stderr, "usage: xmrender [--no-loop] [--seconds N] [--ticks] IN.xm OUT.wav\n");
        return 2;
    }
    ModuleData* module = LoadModuleFile(in);
    if (!module) {
        std::fprintf(stderr, "xmrender: %s is not an XM module it can play\n", in);
        return 1;
    }
    // Without --no-loop the song loops: render 60 s unless told. With it, a song that never
    // repeats (rows only ever reached by pattern loops) still stops after an hour.
    if (seconds < 0) seconds = noLoop ? 3600 : 60;
    const uint64_t maxFrames = uint64_t(seconds * MUSIC_RATE);

    static MusicContext music; // large: keep it off the stack
    StartMusic(&music, module, noLoop ? MUSIC_STOP_AT_REPEAT : MUSIC_LOOP);
    if (ticks) music.onTick = PrintTick;

    std::vector<int16_t> samples;
    int32_t acc[2 * 1024];
    int16_t block[2 * 1024];
    uint64_t frames = 0;
    while (frames < maxFrames) {
        int want = 1024;
        if (maxFrames - frames < uint64_t(want)) want = int(maxFrames - frames);
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(&music, acc, want);
        ConvertAccumulator(acc, got, 32768, block, nullptr, nullptr);
        samples.insert(samples.end(), block, block + 2 * got);
        frames += uint64_t(got);
        if (got < want) break;
    }
    FreeModule(module);
    if (!WriteWav(out, samples)) {
        std::fprintf(stderr, "xmrender: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
