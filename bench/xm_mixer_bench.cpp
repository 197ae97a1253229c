// xm_mixer_bench.cpp - how fast the song engine renders: times real time and nanoseconds per
// active voice per output frame, for the game's modules (assets/music1..5.xm, when present),
// synthetic 8- and 32-channel modules with every channel busy, and any modules named in
// MVX_BENCH_XM (paths separated by ':'). Figures only, no assertions: each synthetic module
// also prints the speed we hold it to (target_x: 1800 times real time for 8 channels, 800
// for 32, twice what a widely used XM library reaches on our machines).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sound/xm_song.h"
#include "tools/xm/xm_writer.h"

namespace {

// 32 channels, every row of every channel a new note on a looped 16-bit sample, with slides,
// vibrato and volume changes so that ramps run all the time.
std::vector<uint8_t> BusyModule(int channels) {
    XmModule m;
    m.name = "busy";
    m.channels = channels;
    m.speed = 3;
    m.tempo = 125;
    m.orders = {0};
    XmPattern p;
    p.Resize(64, channels);
    for (int r = 0; r < 64; r++)
        for (int c = 0; c < channels; c++) {
            XmCell& cell = p.At(r, c, channels);
            if ((r + c) % 4 == 0) cell.note = uint8_t(37 + (r * 7 + c * 5) % 36);
            cell.instrument = uint8_t(1 + c % 2);
            cell.volume = uint8_t(0x20 + (r + c) % 0x30);
            static const uint8_t effects[] = {0x4, 0xA, 0x1, 0x0};
            cell.effect = effects[(r / 4 + c) % 4];
            cell.param = cell.effect == 0xA ? 0x01 : 0x23;
        }
    m.patterns.push_back(p);
    for (int i = 0; i < 2; i++) {
        XmInstrument ins;
        XmSample s;
        s.sixteenBit = true;
        for (int k = 0; k < 4000; k++) s.data.push_back(int16_t((k * 37 % 2000 - 1000) * (i + 4)));
        s.loopType = i ? XM_LOOP_PINGPONG : XM_LOOP_FORWARD;
        s.loopStart = 1000;
        s.loopLength = 3000;
        ins.samples.push_back(s);
        m.instruments.push_back(ins);
    }
    return WriteXm(m);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> b;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return b;
    uint8_t buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
    return b;
}

void RenderSong(benchmark::State& state, std::vector<uint8_t> bytes, double target) {
    ModuleData* module = LoadModule(bytes.data(), bytes.size());
    if (!module) {
        state.SkipWithError("module does not load");
        return;
    }
    auto music = std::make_unique<MusicContext>();
    StartMusic(music.get(), module, MUSIC_LOOP);
    std::vector<int32_t> acc(2 * 1024);
    std::vector<int16_t> out(2 * 1024);
    uint64_t frames = 0, voiceFrames = 0;
    for (auto _ : state) {
        std::memset(acc.data(), 0, acc.size() * sizeof(int32_t));
        RenderMusic(music.get(), acc.data(), 1024);
        ConvertAccumulator(acc.data(), 1024, 32768, out.data(), nullptr, nullptr);
        benchmark::DoNotOptimize(out.data());
        frames += 1024;
        int active = 0;
        for (int c = 0; c < module->channels; c++)
            active += music->voices[c][0].active + music->voices[c][1].active;
        voiceFrames += uint64_t(active) * 1024;
    }
    // Rendered audio seconds per second of work, and the cost of one voice for one frame.
    state.counters["x_realtime"] =
        benchmark::Counter(double(frames) / MUSIC_RATE, benchmark::Counter::kIsRate);
    // Inverted rate of (voice frames / 1e9): seconds / (voice frames / 1e9) = ns a voice frame.
    state.counters["ns_per_voice_frame"] = benchmark::Counter(
        double(voiceFrames) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["voices"] = double(voiceFrames) / double(frames ? frames : 1);
    state.counters["module_KiB"] = double(module->bytesUsed) / 1024.0;
    if (target > 0) state.counters["target_x"] = target;
    FreeModule(module);
}

int Register() {
    for (int i = 1; i <= 5; i++) {
        const std::string path =
            std::string(MVX_SOURCE_DIR) + "/assets/music" + std::to_string(i) + ".xm";
        std::vector<uint8_t> bytes = ReadFile(path);
        if (bytes.empty()) continue;
        benchmark::RegisterBenchmark(("music" + std::to_string(i)).c_str(), RenderSong, bytes, 0.0);
    }
    benchmark::RegisterBenchmark("synthetic_8ch_busy", RenderSong, BusyModule(8), 1800.0);
    benchmark::RegisterBenchmark("synthetic_32ch_busy", RenderSong, BusyModule(32), 800.0);
    const char* extra = std::getenv("MVX_BENCH_XM");
    for (std::string rest = extra ? extra : ""; !rest.empty();) {
        const size_t colon = rest.find(':');
        const std::string path = rest.substr(0, colon);
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        std::vector<uint8_t> bytes = ReadFile(path);
        if (!bytes.empty()) benchmark::RegisterBenchmark(path.c_str(), RenderSong, bytes, 0.0);
    }
    return 0;
}
const int registered = Register();

} // namespace

BENCHMARK_MAIN();
