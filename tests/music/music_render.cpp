// music_render.cpp - renders modules through the song engine and measures the result.
#include "tests/music/music_render.h"

#include <cmath>
#include <cstring>
#include <memory>

RenderedSong RenderModule(const std::vector<uint8_t>& bytes, MusicEnding ending,
                          double maxSeconds) {
    RenderedSong out;
    ModuleData* module = LoadModule(bytes.data(), bytes.size());
    if (!module) return out;
    out.loaded = true;
    auto music = std::make_unique<MusicContext>(); // large: keep it off the stack
    StartMusic(music.get(), module, ending);
    const uint64_t maxFrames = uint64_t(maxSeconds * MUSIC_RATE);
    std::vector<int32_t> acc(2 * 1024);
    std::vector<int16_t> block(2 * 1024);
    uint64_t frames = 0;
    while (frames < maxFrames) {
        const int want = int(std::min<uint64_t>(1024, maxFrames - frames));
        std::fill(acc.begin(), acc.end(), 0);
        const int got = RenderMusic(music.get(), acc.data(), want);
        ConvertAccumulator(acc.data(), got, 32768, block.data(), nullptr, nullptr);
        out.samples.insert(out.samples.end(), block.begin(), block.begin() + 2 * got);
        frames += uint64_t(got);
        if (got < want) break;
    }
    FreeModule(module);
    return out;
}

double RmsDb(const RenderedSong& song, int channel, size_t from, size_t to) {
    double sum = 0;
    size_t count = 0;
    for (size_t f = from; f < to && f < song.Frames(); f++) {
        for (int c = 0; c < 2; c++) {
            if (channel >= 0 && c != channel) continue;
            const double v = song.samples[2 * f + size_t(c)];
            sum += v * v;
            count++;
        }
    }
    if (count == 0 || sum == 0) return -200.0;
    return 20.0 * std::log10(std::sqrt(sum / double(count)) / 32768.0);
}

double MeasurePitch(const RenderedSong& song, size_t from, size_t to) {
    // A gentle low-pass keeps upper harmonics from adding crossings; a crossing of the mean
    // counts only after the wave has been below -h (hysteresis, so that a wiggle near zero
    // does not count twice), and is interpolated between frames.
    std::vector<double> x;
    double y = 0;
    for (size_t f = from; f < to && f < song.Frames(); f++) {
        y += 0.08 * (song.samples[2 * f] - y);
        x.push_back(y);
    }
    double mean = 0, square = 0;
    for (double v : x) mean += v;
    mean /= double(x.empty() ? 1 : x.size());
    for (double v : x) square += (v - mean) * (v - mean);
    const double h = 0.3 * std::sqrt(square / double(x.empty() ? 1 : x.size()));
    double first = -1, last = -1;
    int crossings = 0;
    bool armed = false;
    for (size_t i = 1; i < x.size(); i++) {
        const double a = x[i - 1] - mean, b = x[i] - mean;
        if (b < -h) armed = true;
        if (armed && a < 0 && b >= 0) {
            const double t = double(i - 1) + a / (a - b);
            if (first < 0) first = t;
            last = t;
            crossings++;
            armed = false;
        }
    }
    if (crossings < 2) return 0;
    return (crossings - 1) * double(MUSIC_RATE) / (last - first);
}
