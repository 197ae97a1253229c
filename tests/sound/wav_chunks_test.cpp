// The WAV chunk walk: "fmt " first, chunks skipped to "data", sizes past the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/wav_chunks.h"

namespace {

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; i++) b.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Chunk(std::vector<uint8_t>& b, const char* id, const std::vector<uint8_t>& body,
           uint32_t declared = 0xFFFFFFFF) {
    b.insert(b.end(), id, id + 4);
    Put32(b, declared == 0xFFFFFFFF ? uint32_t(body.size()) : declared);
    b.insert(b.end(), body.begin(), body.end());
}
std::vector<uint8_t> Format(uint16_t bits, uint32_t rate, int extra = 0) {
    std::vector<uint8_t> f;
    Put16(f, 1);
    Put16(f, 1);
    Put32(f, rate);
    Put32(f, rate * bits / 8);
    Put16(f, uint16_t(bits / 8));
    Put16(f, bits);
    for (int i = 0; i < extra; i++) f.push_back(0);
    return f;
}
std::vector<uint8_t> Riff() {
    return {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
}

TEST(WavChunks, FactBeforeDataIsSkippedAndListAfterItIsIgnored) {
    std::vector<uint8_t> b = Riff();
    Chunk(b, "fmt ", Format(8, 11025, 2)); // an 18-byte format record
    Chunk(b, "fact", {1, 2, 3, 4});
    Chunk(b, "data", {10, 20, 30});
    Chunk(b, "LIST", {'I', 'N', 'F', 'O'});
    WavSound w;
    ASSERT_TRUE(ReadWavChunks(b.data(), b.size(), &w));
    EXPECT_EQ(w.rate, 11025u);
    EXPECT_EQ(w.bitsPerSample, 8);
    EXPECT_EQ(w.channels, 1);
    ASSERT_EQ(w.bytes, 3u);
    EXPECT_EQ(w.samples[0], 10);
    EXPECT_EQ(w.samples[2], 30);
}

TEST(WavChunks, NoDataChunkOrNoLeadingFormatIsRefused) {
    std::vector<uint8_t> b = Riff();
    Chunk(b, "fmt ", Format(16, 22050));
    Chunk(b, "LIST", {1, 2});
    WavSound w;
    EXPECT_FALSE(ReadWavChunks(b.data(), b.size(), &w));
    std::vector<uint8_t> c = Riff();
    Chunk(c, "fact", {0, 0, 0, 0});
    Chunk(c, "fmt ", Format(16, 22050));
    Chunk(c, "data", {1, 2});
    EXPECT_FALSE(ReadWavChunks(c.data(), c.size(), &w));
    std::vector<uint8_t> d = c;
    d[0] = 'X';
    EXPECT_FALSE(ReadWavChunks(d.data(), d.size(), &w));
    EXPECT_FALSE(ReadWavChunks(nullptr, 0, &w));
}

TEST(WavChunks, SizesPastTheEndAreCutOrStopTheWalk) {
    std::vector<uint8_t> b = Riff();
    Chunk(b, "fmt ", Format(16, 44100));
    Chunk(b, "data", {1, 2, 3, 4}, 1000000); // declares more than there is
    WavSound w;
    ASSERT_TRUE(ReadWavChunks(b.data(), b.size(), &w));
    EXPECT_EQ(w.bytes, 4u);
    std::vector<uint8_t> c = Riff();
    Chunk(c, "fmt ", Format(16, 44100));
    Chunk(c, "junk", {}, 0xFFFFFFF0u); // a skip far past the end
    Chunk(c, "data", {1, 2});
    EXPECT_FALSE(ReadWavChunks(c.data(), c.size(), &w));
    std::vector<uint8_t> d = Riff();
    Chunk(d, "fmt ", Format(16, 44100), 5000); // format size past the end
    EXPECT_FALSE(ReadWavChunks(d.data(), d.size(), &w));
    // Every truncation of a good file is refused or read inside its bytes.
    std::vector<uint8_t> good = Riff();
    Chunk(good, "fmt ", Format(8, 8000));
    Chunk(good, "data", {5, 6, 7, 8, 9});
    for (size_t n = 0; n < good.size(); n++) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        if (ReadWavChunks(cut.data(), cut.size(), &w)) {
            EXPECT_LE(w.samples + w.bytes, cut.data() + cut.size()) << n;
        }
    }
}

} // namespace
