// xm_module.cpp - parses XM 1.04 bytes into a ModuleData held in one private arena.
//
// Sections: 1. arena  2. bounded reader  3. header  4. patterns  5. instruments and samples
//           6. sample decoding (8-bit, 16-bit delta, 4-bit ADPCM)  7. file loading
#include "sound/xm_module.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

// ================================================================ 1. arena
// Chunks of at least 256 KiB, zero-filled, freed together. Big requests get a chunk of their
// own, so a module is a handful of allocations however many samples it has.
struct ArenaChunk {
    ArenaChunk* next;
    size_t size;
    size_t used;
};
struct ModuleArena {
    ArenaChunk* chunks = nullptr;
    size_t total = 0;
};

static constexpr size_t ARENA_CHUNK = 256 * 1024;

static void* ArenaAlloc(ModuleArena* arena, size_t bytes) {
    bytes = (bytes + 15) & ~size_t(15);
    ArenaChunk* chunk = arena->chunks;
    if (!chunk || chunk->size - chunk->used < bytes) {
        const size_t size = bytes > ARENA_CHUNK ? bytes : ARENA_CHUNK;
        void* raw = std::calloc(1, sizeof(ArenaChunk) + 16 + size);
        if (!raw) return nullptr;
        ArenaChunk* fresh = static_cast<ArenaChunk*>(raw);
        fresh->size = size;
        fresh->used = 0;
        if (chunk && bytes > ARENA_CHUNK) { // keep filling the current small chunk
            fresh->next = chunk->next;
            chunk->next = fresh;
        } else {
            fresh->next = chunk;
            arena->chunks = fresh;
        }
        chunk = fresh;
    }
    uint8_t* base = reinterpret_cast<uint8_t*>(chunk) + ((sizeof(ArenaChunk) + 15) & ~size_t(15));
    void* p = base + chunk->used;
    chunk->used += bytes;
    arena->total += bytes;
    return p;
}

static void ArenaFree(ModuleArena* arena) {
    ArenaChunk* chunk = arena->chunks;
    while (chunk) {
        ArenaChunk* next = chunk->next;
        std::free(chunk);
        chunk = next;
    }
    delete arena;
}

template <typename T> static T* ArenaArray(ModuleArena* arena, size_t count) {
    return static_cast<T*>(ArenaAlloc(arena, sizeof(T) * (count ? count : 1)));
}

// ================================================================ 2. bounded reader
// Reads past the end give zeros; callers test Has() where running out means refusal.
struct Reader {
    const uint8_t* bytes;
    size_t size;
    bool Has(size_t at, size_t n) const { return at <= size && n <= size - at; }
    uint8_t U8(size_t at) const { return at < size ? bytes[at] : 0; }
    uint16_t U16(size_t at) const { return uint16_t(U8(at) | U8(at + 1) << 8); }
    uint32_t U32(size_t at) const { return uint32_t(U16(at)) | uint32_t(U16(at + 2)) << 16; }
};

// Says why a module is refused, when the caller asked; answers false.
[[gnu::format(printf, 2, 3)]] static bool Refuse(ModuleRefusal* why, const char* format, ...) {
    if (why) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(why->text, sizeof why->text, format, args);
        va_end(args);
    }
    return false;
}

// ================================================================ 3. header
static bool ParseHeader(const Reader& r, ModuleData* m, size_t* next, ModuleRefusal* why) {
    if (!r.Has(0, 80) || std::memcmp(r.bytes, "Extended Module: ", 17) != 0)
        return Refuse(why, "not an XM module (no \"Extended Module: \" signature)");
    if (r.U16(58) != 0x0104) // older layouts differ in where things lie
        return Refuse(why, "XM version %X.%02X, only 1.04 is played", r.U16(58) >> 8,
                      r.U16(58) & 0xFF);
    int t = 0;
    for (int i = 0; i < 20; i++) {
        const uint8_t c = r.U8(17 + i);
        if (c == 0) break;
        if (c >= 32 && c != 127) m->title[t++] = char(c);
    }
    m->title[t] = 0;
    const uint32_t headerSize = r.U32(60);
    m->orderCount = r.U16(64);
    m->restartPosition = r.U16(66);
    m->channels = r.U16(68);
    m->patternCount = r.U16(70);
    m->instrumentCount = r.U16(72);
    m->linearFrequencies = (r.U16(74) & 1) != 0;
    m->speed = r.U16(76);
    // mended: a header tempo above the 255 BPM any tracker (or an Fxx effect) can set is taken
    // as 255; 65535 BPM would run a tick every 1.8 output frames, every channel's effects and
    // envelopes with it, and cost seconds to play one.
    m->tempo = r.U16(78) > 255 ? 255 : r.U16(78);
    if (m->channels < 1 || m->channels > MODULE_MAX_CHANNELS)
        return Refuse(why, "%d channels (1 to %d are played)", m->channels, MODULE_MAX_CHANNELS);
    if (m->patternCount > MODULE_MAX_PATTERNS)
        return Refuse(why, "%d patterns (at most %d)", m->patternCount, MODULE_MAX_PATTERNS);
    if (m->instrumentCount > MODULE_MAX_INSTRUMENTS)
        return Refuse(why, "%d instruments (at most %d)", m->instrumentCount,
                      MODULE_MAX_INSTRUMENTS);
    if (uint64_t(headerSize) + 60 > r.size)
        return Refuse(why, "header size %u runs past the end of the file", headerSize);
    // mended: the order table is the part of the header past its 20 bytes of fields, at most
    // 256 entries; a song length beyond it is cut to it instead of reading orders out of the
    // pattern data that follows.
    const uint32_t held = headerSize < 20 ? 0 : headerSize - 20 < 256 ? headerSize - 20 : 256;
    if (m->orderCount > held) m->orderCount = uint16_t(held);
    if (m->orderCount < 1)
        return Refuse(why, "no order to play (song length 0, or no order table)");
    for (int i = 0; i < 256; i++) m->orders[i] = i < m->orderCount ? r.U8(80 + size_t(i)) : 0;
    *next = 60 + size_t(headerSize);
    return true;
}

// ================================================================ 4. patterns
static bool ParsePatterns(const Reader& r, ModuleData* m, size_t* at, ModuleRefusal* why) {
    const int ch = m->channels;
    m->patterns = ArenaArray<ModulePattern>(m->arena, m->patternCount);
    uint8_t* empty = ArenaArray<uint8_t>(m->arena, size_t(64) * ch * MODULE_CELL_BYTES);
    if (!m->patterns || !empty) return Refuse(why, "out of memory");
    m->emptyPattern = {64, empty};
    for (int p = 0; p < m->patternCount; p++) {
        if (!r.Has(*at, 9)) return Refuse(why, "pattern %d: the file ends in its header", p);
        const uint32_t headerLength = r.U32(*at);
        const uint16_t rows = r.U16(*at + 5);
        const uint16_t packed = r.U16(*at + 7);
        if (rows < 1 || rows > MODULE_MAX_ROWS)
            return Refuse(why, "pattern %d has %d rows (1 to %d are played)", p, rows,
                          MODULE_MAX_ROWS);
        if (uint64_t(*at) + headerLength > r.size)
            return Refuse(why, "pattern %d: header length %u runs past the end of the file", p,
                          headerLength);
        const size_t dataAt = *at + headerLength;
        const size_t cellCount = size_t(rows) * ch;
        uint8_t* cells = ArenaArray<uint8_t>(m->arena, cellCount * MODULE_CELL_BYTES);
        if (!cells) return Refuse(why, "out of memory");
        m->patterns[p] = {rows, cells};
        // Unpack: a byte with the top bit set says which of the five fields follow; else it
        // is the note and all four others follow. Data past the end or the packed size stops.
        const size_t end = (dataAt + packed <= r.size) ? dataAt + packed : r.size;
        size_t i = dataAt;
        for (size_t cell = 0; cell < cellCount && i < end; cell++) {
            uint8_t* out = cells + cell * MODULE_CELL_BYTES;
            const uint8_t lead = r.bytes[i];
            if (lead & 0x80) {
                i++;
                for (int f = 0; f < 5; f++)
                    if (lead & (1 << f)) out[f] = i < end ? r.bytes[i++] : 0;
            } else {
                for (int f = 0; f < 5; f++) out[f] = i < end ? r.bytes[i++] : 0;
            }
        }
        *at = dataAt + packed;
        if (*at > r.size) *at = r.size;
    }
    return true;
}

// ================================================================ 6. sample decoding
struct SampleHeader {
    uint32_t length, loopStart, loopLength; // bytes
    uint8_t volume, type, panning, reserved;
    int8_t finetune, relativeNote;
};

// Bytes the sample's data takes in the file.
static uint64_t StoredBytes(const SampleHeader& h) {
    if (h.reserved == 0xAD && !(h.type & 0x10)) return 16 + (uint64_t(h.length) + 1) / 2;
    return h.length;
}

static bool DecodeSample(const Reader& r, size_t at, const SampleHeader& h, ModuleArena* arena,
                         ModuleSample* s) {
    const bool sixteen = (h.type & 0x10) != 0;
    const bool adpcm = h.reserved == 0xAD && !sixteen;
    uint32_t count = sixteen ? h.length / 2 : h.length;
    // Data cut short by the end of the file: keep what is there.
    const size_t avail = at <= r.size ? r.size - at : 0;
    if (adpcm) {
        const uint64_t have = avail > 16 ? (uint64_t(avail) - 16) * 2 : 0;
        if (count > have) count = uint32_t(have);
    } else {
        const uint64_t have = sixteen ? avail / 2 : avail;
        if (count > have) count = uint32_t(have);
    }
    // Loop points, in samples, kept inside the sample.
    uint32_t loopStart = sixteen ? h.loopStart / 2 : h.loopStart;
    uint32_t loopLength = sixteen ? h.loopLength / 2 : h.loopLength;
    uint8_t loopType = h.type & 3;
    if (loopType == 3) loopType = SAMPLE_LOOP_PINGPONG;
    if (loopType != SAMPLE_LOOP_NONE) {
        if (loopStart >= count || loopLength == 0)
            loopType = SAMPLE_LOOP_NONE;
        else if (loopLength > count - loopStart)
            loopLength = count - loopStart;
        if (loopType == SAMPLE_LOOP_PINGPONG && loopLength < 2) loopType = SAMPLE_LOOP_FORWARD;
    }
    int32_t played = int32_t(count);
    if (loopType != SAMPLE_LOOP_NONE) played = int32_t(loopStart + loopLength);

    int16_t* data = ArenaArray<int16_t>(arena, size_t(played) + MODULE_SAMPLE_GUARD);
    if (!data) return false;
    const uint8_t* src = r.bytes + (at <= r.size ? at : r.size);
    if (adpcm) {
        int8_t table[16] = {};
        if (played > 0) // then at least 16 table bytes are there
            for (int i = 0; i < 16; i++) table[i] = int8_t(src[i]);
        int8_t value = 0;
        for (int32_t i = 0; i < played; i++) {
            const uint8_t b = src[16 + i / 2];
            value = int8_t(value + table[(i & 1) ? b >> 4 : b & 15]);
            data[i] = int16_t(value * 256);
        }
    } else if (sixteen) {
        int16_t value = 0;
        for (int32_t i = 0; i < played; i++) {
            value = int16_t(value + int16_t(src[2 * i] | src[2 * i + 1] << 8));
            data[i] = value;
        }
    } else {
        int8_t value = 0;
        for (int32_t i = 0; i < played; i++) {
            value = int8_t(value + int8_t(src[i]));
            data[i] = int16_t(value * 256);
        }
    }
    // Guards: what interpolation reads after the last played value.
    for (int g = 0; g < MODULE_SAMPLE_GUARD; g++) {
        int16_t v = 0;
        if (loopType == SAMPLE_LOOP_FORWARD)
            v = data[loopStart + uint32_t(g) % loopLength];
        else if (loopType == SAMPLE_LOOP_PINGPONG)
            v = data[played - 1];
        data[played + g] = v;
    }
    s->data = data;
    s->length = played;
    s->loopStart = loopType != SAMPLE_LOOP_NONE ? int32_t(loopStart) : 0;
    s->loopEnd = played;
    s->loopType = loopType;
    s->volume = h.volume > 64 ? 64 : h.volume;
    s->panning = h.panning;
    s->finetune = h.finetune;
    s->relativeNote = h.relativeNote;
    return true;
}

// ================================================================ 5. instruments and samples
// Offsets inside the instrument header of one envelope's points and fields.
struct EnvelopeLayout {
    size_t points, count, sustain, loopStart, loopEnd, type;
};
static constexpr EnvelopeLayout VOLUME_ENVELOPE = {129, 225, 227, 228, 229, 233};
static constexpr EnvelopeLayout PANNING_ENVELOPE = {177, 226, 230, 231, 232, 234};

static void ReadEnvelope(const Reader& r, size_t inst, uint32_t size, const EnvelopeLayout& l,
                         ModuleEnvelope* e) {
    const size_t points = l.points;
    // Fields beyond the instrument's declared header size read as zero.
    auto byte = [&](size_t off) -> uint8_t { return off < size ? r.U8(inst + off) : 0; };
    for (int i = 0; i < 12; i++) {
        e->x[i] = uint16_t(byte(points + 4 * i) | byte(points + 4 * i + 1) << 8);
        const uint16_t y = uint16_t(byte(points + 4 * i + 2) | byte(points + 4 * i + 3) << 8);
        e->y[i] = y > 64 ? 64 : y;
    }
    e->count = byte(l.count);
    if (e->count > 12) e->count = 12;
    e->sustain = byte(l.sustain);
    e->loopStart = byte(l.loopStart);
    e->loopEnd = byte(l.loopEnd);
    const uint8_t type = byte(l.type);
    e->on = (type & 1) && e->count > 0;
    e->sustainOn = (type & 2) && e->sustain < e->count;
    e->loopOn = (type & 4) && e->loopStart < e->count && e->loopEnd < e->count &&
                e->loopStart <= e->loopEnd;
    // Points must advance in time; a point that goes back ends the envelope there.
    for (int i = 1; i < e->count; i++)
        if (e->x[i] < e->x[i - 1]) {
            e->count = uint8_t(i);
            if (e->sustain >= i) e->sustainOn = false;
            if (e->loopEnd >= i) e->loopOn = false;
            break;
        }
}

static bool ParseInstruments(const Reader& r, ModuleData* m, size_t at, ModuleRefusal* why) {
    m->instruments = ArenaArray<ModuleInstrument>(m->arena, m->instrumentCount);
    if (!m->instruments) return Refuse(why, "out of memory");
    for (int n = 0; n < m->instrumentCount; n++) {
        ModuleInstrument* ins = &m->instruments[n];
        if (!r.Has(at, 4)) return true; // cut short: the remaining instruments stay empty
        uint32_t size = r.U32(at);
        const uint16_t sampleCount = r.U16(at + 27);
        if (sampleCount > MODULE_MAX_SAMPLES_PER_INSTRUMENT)
            return Refuse(why, "instrument %d has %d samples (at most %d)", n + 1, sampleCount,
                          MODULE_MAX_SAMPLES_PER_INSTRUMENT);
        if (size < 29) size = 29; // the fields every instrument has
        if (sampleCount == 0) {
            at = (uint64_t(at) + size <= r.size) ? at + size : r.size;
            continue;
        }
        const uint32_t sampleHeaderSize = r.U32(at + 29);
        if (sampleHeaderSize > MODULE_MAX_SAMPLE_HEADER)
            return Refuse(why, "instrument %d: sample header size %u (at most %d)", n + 1,
                          sampleHeaderSize, MODULE_MAX_SAMPLE_HEADER);
        auto byte = [&](size_t off) -> uint8_t { return off < size ? r.U8(at + off) : 0; };
        for (int k = 0; k < 96; k++) ins->keymap[k] = byte(33 + k);
        ReadEnvelope(r, at, size, VOLUME_ENVELOPE, &ins->volumeEnvelope);
        ReadEnvelope(r, at, size, PANNING_ENVELOPE, &ins->panningEnvelope);
        ins->vibratoType = byte(235);
        ins->vibratoSweep = byte(236);
        ins->vibratoDepth = byte(237);
        ins->vibratoRate = byte(238);
        ins->fadeout = uint16_t(byte(239) | byte(240) << 8);
        ins->sampleCount = sampleCount;
        ins->samples = ArenaArray<ModuleSample>(m->arena, sampleCount);
        if (!ins->samples) return Refuse(why, "out of memory");

        // Sample headers follow the instrument header; the data of all of them follows those.
        size_t h = uint64_t(at) + size <= r.size ? at + size : r.size;
        SampleHeader headers[MODULE_MAX_SAMPLES_PER_INSTRUMENT];
        for (int s = 0; s < sampleCount; s++) {
            SampleHeader& sh = headers[s];
            sh.length = r.U32(h);
            sh.loopStart = r.U32(h + 4);
            sh.loopLength = r.U32(h + 8);
            sh.volume = r.U8(h + 12);
            sh.finetune = int8_t(r.U8(h + 13));
            sh.type = r.U8(h + 14);
            sh.panning = r.U8(h + 15);
            sh.relativeNote = int8_t(r.U8(h + 16));
            sh.reserved = r.U8(h + 17);
            if (sh.length >= MODULE_MAX_SAMPLE_BYTES)
                return Refuse(why, "instrument %d, sample %d: %u bytes (fewer than %u are played)",
                              n + 1, s + 1, sh.length, MODULE_MAX_SAMPLE_BYTES);
            h = r.Has(h, 40) ? h + 40 : r.size;
        }
        for (int s = 0; s < sampleCount; s++) {
            if (!DecodeSample(r, h, headers[s], m->arena, &ins->samples[s]))
                return Refuse(why, "out of memory");
            const uint64_t stored = StoredBytes(headers[s]);
            h = uint64_t(h) + stored <= r.size ? size_t(h + stored) : r.size;
        }
        at = h;
    }
    return true;
}

// ================================================================ parse
ModuleData* LoadModule(const uint8_t* bytes, size_t size, ModuleRefusal* why) {
    if (!bytes) {
        Refuse(why, "no bytes");
        return nullptr;
    }
    const Reader r{bytes, size};
    ModuleArena* arena = new (std::nothrow) ModuleArena;
    ModuleData* m =
        arena ? static_cast<ModuleData*>(ArenaAlloc(arena, sizeof(ModuleData))) : nullptr;
    if (!m) {
        if (arena) ArenaFree(arena);
        Refuse(why, "out of memory");
        return nullptr;
    }
    m->arena = arena;
    size_t at = 0;
    if (!ParseHeader(r, m, &at, why) || !ParsePatterns(r, m, &at, why) ||
        !ParseInstruments(r, m, at, why)) {
        ArenaFree(arena);
        return nullptr;
    }
    if (m->speed == 0) m->speed = 1;
    m->bytesUsed = arena->total;
    return m;
}

void FreeModule(ModuleData* module) {
    if (module) ArenaFree(module->arena);
}

const ModulePattern& PatternAtOrder(const ModuleData& module, int order) {
    if (order < 0 || order >= module.orderCount) return module.emptyPattern;
    const int p = module.orders[order];
    return p < module.patternCount ? module.patterns[p] : module.emptyPattern;
}

// ================================================================ 7. file loading
ModuleData* LoadModuleFile(const char* path, ModuleRefusal* why, bool* unreadable) {
    if (unreadable) *unreadable = true;
    if (!path) {
        Refuse(why, "no file name");
        return nullptr;
    }
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        Refuse(why, "cannot open: %s", std::strerror(errno));
        return nullptr;
    }
    // Modules larger than this cannot be within the load limits in any useful way.
    constexpr size_t MAX_FILE = size_t(512) << 20;
    uint8_t buffer[8192];
    uint8_t* bytes = nullptr;
    size_t size = 0, capacity = 0;
    bool ok = true;
    for (;;) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, f);
        if (got == 0) {
            if (std::ferror(f)) {
                ok = Refuse(why, "cannot read: %s", std::strerror(errno));
            }
            break;
        }
        if (size + got > capacity) {
            const size_t want = capacity ? capacity * 2 : 65536;
            if (want > MAX_FILE) {
                ok = Refuse(why, "larger than %zu MiB", MAX_FILE >> 20);
                break;
            }
            uint8_t* grown = static_cast<uint8_t*>(std::realloc(bytes, want));
            if (!grown) {
                ok = Refuse(why, "out of memory");
                break;
            }
            bytes = grown;
            capacity = want;
        }
        std::memcpy(bytes + size, buffer, got);
        size += got;
    }
    std::fclose(f);
    if (ok && unreadable) *unreadable = false;
    ModuleData* m = ok ? LoadModule(bytes, size, why) : nullptr;
    std::free(bytes);
    return m;
}
