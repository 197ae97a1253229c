// xmrender.cpp - renders any XM module to a WAV file, deterministically and without a thread,
// and measures how fast the game's engine renders it.
//
//   xmrender [--no-loop] [--seconds N] [--ticks] IN.xm OUT.wav
//   xmrender --bench N [--no-loop] [--seconds N] IN.xm [OUT.wav]
//   xmrender --help
//
// The song engine is the one the game's player runs (sound/xm_song.h), block by block of
// 1024 frames with the same output conversion at full master volume. Exit codes: see USAGE.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "sound/xm_song.h"

namespace {

enum ExitCode {
    EXIT_DONE = 0,
    EXIT_WRITE_FAILED = 1,
    EXIT_USAGE = 2,
    EXIT_UNREADABLE = 3,
    EXIT_REFUSED = 4,
};

const char USAGE[] =
    "usage: xmrender [--no-loop] [--seconds N] [--ticks] IN.xm OUT.wav\n"
    "       xmrender --bench N [--no-loop] [--seconds N] IN.xm [OUT.wav]\n"
    "\n"
    "Renders an XM module with the game's music engine to a WAV file: 48000 Hz, 16-bit\n"
    "stereo, linear interpolation, full master volume.\n"
    "\n"
    "  --no-loop    end where the song starts to repeat itself (the end of the order list,\n"
    "               or the first row played again with every pattern-loop counter as it\n"
    "               was); at most --seconds (default 3600)\n"
    "  --seconds N  length of the render; without --no-loop the song loops (default 60)\n"
    "  --ticks      print every tick: row, order, and per channel note, instrument, period,\n"
    "               frequency, volume 0..65536 and panning\n"
    "  --bench N    render N times into memory and print the load time, the CPU time of the\n"
    "               render loop alone, times real time and nanoseconds per output frame;\n"
    "               OUT.wav is optional\n"
    "  --help       this text\n"
    "\n"
    "Exit status: 0 done; 1 the WAV could not be written; 2 bad command line; 3 the module\n"
    "file could not be read; 4 the module was refused (not XM 1.04, or outside the load\n"
    "limits: 64 channels, 1..256 rows a pattern, 16 samples an instrument, sample header of\n"
    "40 bytes, samples under 4 MiB); the reason is printed.\n";

const char* const NOTE_NAMES[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                    "F#", "G-", "G#", "A-", "A#", "B-"};

void PrintTick(const MusicContext& m, void*) {
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

void PutU32(uint8_t* b, uint32_t v) {
    for (int i = 0; i < 4; i++) b[i] = uint8_t(v >> (8 * i));
}

// Writes the header and the samples little-endian through a 64 KiB buffer.
bool WriteWav(const char* path, const std::vector<int16_t>& samples) {
    const uint64_t bytes64 = uint64_t(samples.size()) * 2;
    if (bytes64 > 0xFFFFFFFFu - 36) {
        std::fprintf(stderr, "xmrender: %s: the render is too long for a WAV file\n", path);
        return false;
    }
    const uint32_t dataBytes = uint32_t(bytes64);
    uint8_t h[44] = {};
    std::memcpy(h, "RIFF", 4);
    PutU32(h + 4, 36 + dataBytes);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    PutU32(h + 16, 16);
    h[20] = 1; // PCM
    h[22] = 2; // stereo
    PutU32(h + 24, MUSIC_RATE);
    PutU32(h + 28, MUSIC_RATE * 4);
    h[32] = 4;  // block align
    h[34] = 16; // bits
    std::memcpy(h + 36, "data", 4);
    PutU32(h + 40, dataBytes);
    FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::fprintf(stderr, "xmrender: cannot write %s: %s\n", path, std::strerror(errno));
        return false;
    }
    bool ok = std::fwrite(h, 1, sizeof h, f) == sizeof h;
    static uint8_t buffer[65536];
    size_t used = 0;
    for (size_t i = 0; ok && i < samples.size(); i++) {
        const uint16_t s = uint16_t(samples[i]);
        buffer[used++] = uint8_t(s & 0xFF);
        buffer[used++] = uint8_t(s >> 8);
        if (used == sizeof buffer || i + 1 == samples.size()) {
            ok = std::fwrite(buffer, 1, used, f) == used;
            used = 0;
        }
    }
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "xmrender: cannot write %s: %s\n", path, std::strerror(errno));
    return ok;
}

// Renders the song from its start into `samples` (cleared first), at most maxFrames frames.
void Render(MusicContext* music, const ModuleData* module, MusicEnding ending, uint64_t maxFrames,
            std::vector<int16_t>* samples) {
    StartMusic(music, module, ending);
    samples->clear();
    int32_t acc[2 * 1024];
    int16_t block[2 * 1024];
    uint64_t frames = 0;
    while (frames < maxFrames) {
        int want = 1024;
        if (maxFrames - frames < uint64_t(want)) want = int(maxFrames - frames);
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(music, acc, want);
        ConvertAccumulator(acc, got, 32768, block, nullptr, nullptr);
        samples->insert(samples->end(), block, block + 2 * got);
        frames += uint64_t(got);
        if (got < want) break;
    }
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Reads a whole positive count; 0 when the text is not one.
long ParseCount(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    return (errno || end == text || *end || n < 1) ? 0 : n;
}

} // namespace

int main(int argc, char** argv) {
    bool noLoop = false, ticks = false;
    double seconds = -1;
    long benchRuns = 0;
    const char* in = nullptr;
    const char* out = nullptr;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--help" || a == "-h") {
            std::fputs(USAGE, stdout);
            return EXIT_DONE;
        } else if (a == "--no-loop") {
            noLoop = true;
        } else if (a == "--ticks") {
            ticks = true;
        } else if (a == "--seconds" && hasValue) {
            char* end = nullptr;
            seconds = std::strtod(argv[++i], &end);
            if (*end || !(seconds > 0 && seconds <= 86400)) {
                std::fprintf(stderr,
                             "xmrender: --seconds wants a number of seconds up to 86400, "
                             "not \"%s\"\n",
                             argv[i]);
                return EXIT_USAGE;
            }
        } else if (a == "--bench" && hasValue) {
            benchRuns = ParseCount(argv[++i]);
            if (benchRuns < 1) {
                std::fprintf(stderr, "xmrender: --bench wants a whole number of runs, not \"%s\"\n",
                             argv[i]);
                return EXIT_USAGE;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "xmrender: unknown option %s (or its value is missing)\n%s",
                         a.c_str(), USAGE);
            return EXIT_USAGE;
        } else if (!in) {
            in = argv[i];
        } else if (!out) {
            out = argv[i];
        } else {
            std::fprintf(stderr, "xmrender: one module and one WAV file, not more\n%s", USAGE);
            return EXIT_USAGE;
        }
    }
    if (!in || (!out && !benchRuns)) {
        std::fputs(USAGE, stderr);
        return EXIT_USAGE;
    }

    ModuleRefusal why{};
    bool unreadable = false;
    const double loadStart = CpuSeconds();
    ModuleData* module = LoadModuleFile(in, &why, &unreadable);
    const double loadSeconds = CpuSeconds() - loadStart;
    if (!module) {
        std::fprintf(stderr, "xmrender: %s: %s\n", in, why.text);
        return unreadable ? EXIT_UNREADABLE : EXIT_REFUSED;
    }
    // Without --no-loop the song loops: render 60 s unless told. With it, a song that never
    // repeats (rows only ever reached by pattern loops) still stops after an hour.
    if (seconds < 0) seconds = noLoop ? 3600 : 60;
    const uint64_t maxFrames = uint64_t(seconds * MUSIC_RATE);
    const MusicEnding ending = noLoop ? MUSIC_STOP_AT_REPEAT : MUSIC_LOOP;

    static MusicContext music; // large: keep it off the stack
    std::vector<int16_t> samples;
    if (benchRuns) {
        Render(&music, module, ending, maxFrames, &samples); // warm up, and size the buffer
        const double start = CpuSeconds();
        for (long r = 0; r < benchRuns; r++) Render(&music, module, ending, maxFrames, &samples);
        const double cpu = CpuSeconds() - start;
        const double frames = double(samples.size() / 2) * double(benchRuns);
        const double audio = frames / MUSIC_RATE;
        std::printf("module: %s, %d channels, %.3f s of music\n", in, module->channels,
                    double(samples.size() / 2) / MUSIC_RATE);
        std::printf("load: %.3f ms CPU\n", loadSeconds * 1e3);
        std::printf("render: %ld runs, %.3f s CPU, %.1fx realtime, %.2f ns per output frame\n",
                    benchRuns, cpu, cpu > 0 ? audio / cpu : 0.0,
                    frames > 0 ? cpu * 1e9 / frames : 0.0);
    } else {
        if (ticks) music.onTick = PrintTick;
        Render(&music, module, ending, maxFrames, &samples);
    }
    FreeModule(module);
    if (out && !WriteWav(out, samples)) return EXIT_WRITE_FAILED;
    return EXIT_DONE;
}
