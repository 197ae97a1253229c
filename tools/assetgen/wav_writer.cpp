// wav_writer.cpp - encodes mono PCM WAV files (see wav_writer.h).
#include "tools/assetgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Appends bytes by growing the buffer once and copying (GCC 12's overflow check misreads
// byte-wise push_back into small vectors).
void PutBytes(std::vector<uint8_t>& b, const uint8_t* bytes, size_t count) {
    const size_t at = b.size();
    b.resize(at + count);
    if (count) std::memcpy(b.data() + at, bytes, count);
}
void Put16(std::vector<uint8_t>& b, uint32_t v) {
    const uint8_t bytes[2] = {uint8_t(v), uint8_t(v >> 8)};
    PutBytes(b, bytes, 2);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    PutBytes(b, bytes, 4);
}
void PutId(std::vector<uint8_t>& b, const char* id) {
    PutBytes(b, reinterpret_cast<const uint8_t*>(id), 4);
}

// A chunk whose body is padded to an even length, as RIFF wants.
void PutChunk(std::vector<uint8_t>& b, const char* id, const std::vector<uint8_t>& body) {
    PutId(b, id);
    Put32(b, uint32_t(body.size()));
    PutBytes(b, body.data(), body.size());
    if (body.size() % 2) b.resize(b.size() + 1, 0);
}

std::vector<uint8_t> InfoList(const std::string& name) {
    std::vector<uint8_t> list;
    PutId(list, "INFO");
    auto text = [&](const char* id, const std::string& s) {
        std::vector<uint8_t> body(s.size() + 1, 0); // zero-terminated
        std::memcpy(body.data(), s.data(), s.size());
        PutChunk(list, id, body);
    };
    text("INAM", name);
    text("ISFT", "MORVEXA assetgen");
    return list;
}

} // namespace

std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, const WavLayout& layout) {
    const int bytesPerSample = layout.bits == 8 ? 1 : 2;
    std::vector<uint8_t> data;
    uint32_t seed = 0x13579BDFu;
    auto uniform = [&] {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / 16777216.0f; // 0 .. 1
    };
    for (float s : samples) {
        s = std::clamp(s, -1.0f, 1.0f);
        if (layout.bits == 8) {
            const float dither = uniform() - uniform(); // triangular, one step wide each way
            const long q = std::lround(s * 127.0f + dither);
            const uint8_t byte = uint8_t(std::clamp(q, -127L, 127L) + 128);
            PutBytes(data, &byte, 1);
        } else {
            const long q = std::lround(s * 32767.0f);
            Put16(data, uint32_t(int16_t(std::clamp(q, -32767L, 32767L))) & 0xFFFF);
        }
    }

    std::vector<uint8_t> format;
    Put16(format, 1); // PCM
    Put16(format, 1); // mono
    Put32(format, layout.rate);
    Put32(format, layout.rate * uint32_t(bytesPerSample));
    Put16(format, uint32_t(bytesPerSample));
    Put16(format, uint32_t(layout.bits));
    if (layout.extendedFormat) Put16(format, 0);

    std::vector<uint8_t> file;
    PutId(file, "RIFF");
    Put32(file, 0); // patched below
    PutId(file, "WAVE");
    PutChunk(file, "fmt ", format);
    if (layout.factChunk) {
        std::vector<uint8_t> fact;
        Put32(fact, uint32_t(samples.size()));
        PutChunk(file, "fact", fact);
    }
    PutChunk(file, "data", data);
    if (!layout.listName.empty()) PutChunk(file, "LIST", InfoList(layout.listName));
    const uint32_t rest = uint32_t(file.size() - 8);
    for (int k = 0; k < 4; k++) file[4 + k] = uint8_t(rest >> (8 * k));
    return file;
}
