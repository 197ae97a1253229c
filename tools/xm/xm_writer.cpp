// xm_writer.cpp - serialises an XmModule to the XM 1.04 file layout.
#include "tools/xm/xm_writer.h"

#include <algorithm>

namespace {

struct Bytes {
    std::vector<uint8_t> v;
    void U8(uint32_t x) { v.push_back(uint8_t(x)); }
    void U16(uint32_t x) { U8(x), U8(x >> 8); }
    void U32(uint32_t x) { U16(x), U16(x >> 16); }
    void Text(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; i++) U8(i < s.size() ? uint8_t(s[i]) : 0);
    }
    void Put32At(size_t at, uint32_t x) {
        for (int i = 0; i < 4; i++) v[at + i] = uint8_t(x >> (8 * i));
    }
};

void WriteEnvelopePoints(Bytes& b, const XmEnvelope& e) {
    for (size_t i = 0; i < 12; i++) {
        const auto p = i < e.points.size() ? e.points[i] : std::pair<uint16_t, uint16_t>{0, 0};
        b.U16(p.first);
        b.U16(p.second);
    }
}

uint8_t EnvelopeType(const XmEnvelope& e) {
    return uint8_t((e.on ? 1 : 0) | (e.sustain ? 2 : 0) | (e.loop ? 4 : 0));
}

// Packed pattern data: a lead byte with bit 7 set names the fields that follow; a cell with
// every field present is written as five plain bytes.
std::vector<uint8_t> PackPattern(const XmPattern& p, int channels) {
    std::vector<uint8_t> out;
    bool any = false;
    for (const XmCell& c : p.cells) {
        const uint8_t fields =
            uint8_t((c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) |
                    (c.effect ? 8 : 0) | (c.param ? 16 : 0));
        if (fields) any = true;
        if (fields == 31) {
            out.insert(out.end(), {c.note, c.instrument, c.volume, c.effect, c.param});
            continue;
        }
        out.push_back(uint8_t(0x80 | fields));
        if (c.note) out.push_back(c.note);
        if (c.instrument) out.push_back(c.instrument);
        if (c.volume) out.push_back(c.volume);
        if (c.effect) out.push_back(c.effect);
        if (c.param) out.push_back(c.param);
    }
    (void)channels;
    if (!any) out.clear(); // an empty pattern is stored without data
    return out;
}

} // namespace

std::vector<uint8_t> WriteXm(const XmModule& m, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::vector<uint8_t>{};
    };
    if (m.channels < 1 || m.channels > 64) return fail("channels must be 1..64");
    if (m.orders.empty() || m.orders.size() > 256)
        return fail("order list must have 1..256 entries");
    if (m.patterns.empty() || m.patterns.size() > 256) return fail("need 1..256 patterns");
    if (m.instruments.size() > 128) return fail("at most 128 instruments");
    for (const XmPattern& p : m.patterns) {
        if (p.rows < 1 || p.rows > 256) return fail("pattern rows must be 1..256");
        if (p.cells.size() != size_t(p.rows) * m.channels)
            return fail("pattern cells != rows x channels");
    }

    Bytes b;
    b.Text("Extended Module: ", 17);
    b.Text(m.name, 20);
    b.U8(0x1A);
    b.Text(m.trackerName, 20);
    b.U16(0x0104);
    b.U32(276); // header size from here: 20 bytes of fields and the 256-byte order table
    b.U16(uint32_t(m.orders.size()));
    b.U16(m.restartPosition);
    b.U16(uint32_t(m.channels));
    b.U16(uint32_t(m.patterns.size()));
    b.U16(uint32_t(m.instruments.size()));
    b.U16(m.linearFrequencies ? 1 : 0);
    b.U16(m.speed);
    b.U16(m.tempo);
    for (size_t i = 0; i < 256; i++) b.U8(i < m.orders.size() ? m.orders[i] : 0);

    for (const XmPattern& p : m.patterns) {
        const std::vector<uint8_t> packed = PackPattern(p, m.channels);
        if (packed.size() > 0xFFFF) return fail("packed pattern larger than 65535 bytes");
        b.U32(9); // pattern header length
        b.U8(0);  // packing type
        b.U16(uint32_t(p.rows));
        b.U16(uint32_t(packed.size()));
        b.v.insert(b.v.end(), packed.begin(), packed.end());
    }

    for (const XmInstrument& ins : m.instruments) {
        if (ins.samples.size() > 16) return fail("at most 16 samples per instrument");
        if (ins.volumeEnvelope.points.size() > 12 || ins.panningEnvelope.points.size() > 12)
            return fail("at most 12 envelope points");
        const bool hasSamples = !ins.samples.empty();
        b.U32(hasSamples ? 263 : 29);
        b.Text(ins.name, 22);
        b.U8(0);
        b.U16(uint32_t(ins.samples.size()));
        if (!hasSamples) continue;
        b.U32(40); // sample header size
        for (uint8_t k : ins.keymap) b.U8(k);
        WriteEnvelopePoints(b, ins.volumeEnvelope);
        WriteEnvelopePoints(b, ins.panningEnvelope);
        b.U8(uint32_t(ins.volumeEnvelope.points.size()));
        b.U8(uint32_t(ins.panningEnvelope.points.size()));
        b.U8(ins.volumeEnvelope.sustainPoint);
        b.U8(ins.volumeEnvelope.loopStart);
        b.U8(ins.volumeEnvelope.loopEnd);
        b.U8(ins.panningEnvelope.sustainPoint);
        b.U8(ins.panningEnvelope.loopStart);
        b.U8(ins.panningEnvelope.loopEnd);
        b.U8(EnvelopeType(ins.volumeEnvelope));
        b.U8(EnvelopeType(ins.panningEnvelope));
        b.U8(ins.vibratoType);
        b.U8(ins.vibratoSweep);
        b.U8(ins.vibratoDepth);
        b.U8(ins.vibratoRate);
        b.U16(ins.fadeout);
        b.Text("", 22); // reserved

        for (const XmSample& s : ins.samples) {
            const uint32_t width = s.sixteenBit ? 2 : 1;
            const bool loops = s.loopType != XM_LOOP_NONE && s.loopLength > 0;
            b.U32(uint32_t(s.data.size()) * width);
            b.U32(loops ? s.loopStart * width : 0);
            b.U32(loops ? s.loopLength * width : 0);
            b.U8(s.volume);
            b.U8(uint8_t(s.finetune));
            b.U8(uint32_t((loops ? s.loopType : 0) | (s.sixteenBit ? 0x10 : 0)));
            b.U8(s.panning);
            b.U8(uint8_t(s.relativeNote));
            b.U8(0); // reserved
            b.Text(s.name, 22);
        }
        // Sample data follows all the sample headers of the instrument, delta-coded.
        for (const XmSample& s : ins.samples) {
            int32_t previous = 0;
            for (int16_t value : s.data) {
                if (s.sixteenBit) {
                    b.U16(uint16_t(int32_t(value) - previous));
                } else {
                    const int32_t v8 = std::clamp<int32_t>(value, -128, 127);
                    b.U8(uint8_t(v8 - previous));
                    value = int16_t(v8);
                }
                previous = value;
            }
        }
    }
    return b.v;
}
