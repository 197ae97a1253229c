// highscore_table_test.cpp - "scores.dat": exact bytes, the tolerant reader, equal scores, safe
// saving (huge, garbage and folder files: tests/reliability).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "frontend/highscores.h"
#include "tests/testkit.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Appends one record: the name, its line end, the score as 4 bytes little-endian.
void Add(Bytes& b, const std::string& name, int32_t score) {
    b.insert(b.end(), name.begin(), name.end());
    b.push_back('\r'), b.push_back('\n');
    for (int i = 0; i < 4; i++) b.push_back(uint8_t(uint32_t(score) >> (8 * i)));
}

// The table as "NAME score" lines.
std::string Table() {
    std::string out;
    for (auto* n = HighScores.first; n; n = n->next)
        out += n->record.name + " " + std::to_string(n->record.score) + "\n";
    return out;
}

// Every test works in a fresh folder, with ten entries kept in "scores.dat".
class HighScoreFile : public ::testing::Test {
  protected:
    void SetUp() override {
        InitHighScores(10, "scores.dat");
        ListClear(HighScores);
    }
    std::string LoadFrom(const Bytes& bytes) {
        WriteFileBytes("scores.dat", bytes);
        EXPECT_EQ(LoadHighScores(), 1);
        return Table();
    }
    TempDir dir{true};
};

TEST_F(HighScoreFile, DefaultsSaveAs170BytesAndAnEqualScoreGoesBelowTheOneItFollows) {
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    Bytes expected;
    for (int i = 1; i <= 10; i++) Add(expected, "AMIGA RULEZ", 150000 - 10000 * i);
    EXPECT_EQ(ReadFileBytes("scores.dat"), expected); // 140000 is E0 22 02 00
    ListClear(HighScores);
    ASSERT_EQ(LoadHighScores(), 1);
    ASSERT_EQ(HighScoreValue(10), 50000); // the tenth becomes current
    AddHighScore("NEWCOMER 11", 100000);
    EXPECT_NE(Table().find("AMIGA RULEZ 100000\nNEWCOMER 11 100000\nAMIGA RULEZ 90000\n"),
              std::string::npos)
        << Table();
    ASSERT_EQ(SaveHighScores(), 1);
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), 187u);
    EXPECT_EQ(Listing("."), std::vector<std::string>{"scores.dat"}) << "no temporary file left";
    EXPECT_EQ(HighScoreName(12) + std::to_string(HighScoreValue(0)), "0") << "outside: \"\", 0";
}

TEST_F(HighScoreFile, EqualScoresComeOutInTheQuicksortsOrderWhichDependsOnWhereTheAdditionWent) {
    InitHighScores(3, "scores.dat");
    Bytes three;
    Add(three, "A", 5), Add(three, "B", 5), Add(three, "C", 5);
    // The addition goes after position `after` with `score`; then the names in order.
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {1, 5, "BCAN"}, {3, 5, "CNAB"}, {3, 1, "BCAN"}};
    for (const auto& [after, score, expected] : cases) {
        LoadFrom(three);
        HighScoreValue(after);
        AddHighScore("N", score);
        std::string order;
        for (auto* n = HighScores.first; n; n = n->next) order += n->record.name;
        EXPECT_EQ(order, expected) << "after " << after;
        EXPECT_EQ(HighScores.position, 4) << "after sorting the last entry is current";
    }
}

TEST_F(HighScoreFile, TheReaderTakesEveryLineEndMissingBytesAndShortFilesInFileOrder) {
    using namespace std::string_literals; // the cases hold NUL bytes
    const std::pair<std::string, std::string> cases[] = {
        {"ONE\r\n\1\0\0\0TWO\n\2\0\0\0THREE\r\3\0\0\0FOUR\0\xFC\xFF\xFF\xFF"s,
         "ONE 1\nTWO 2\nTHREE 3\nFOUR -4\n 0\n"},
        {"AB\rX\1\0\0"s, "AB 344\n 0\n"},         // after a lone CR the score begins
        {"C\n\r\t\0\0\0"s, "C 2317\n 0\n"},       // ... and after LF the CR is a score byte
        {"HALF\r\n\x34\x12"s, "HALF 4660\n 0\n"}, // missing score bytes count as 0
        {"END"s, "END 0\n 0\n"},
        {"L\r\n\0\0\0\0\r\n"s, "L 0\n 0\n"}, // a stray line end: one more entry
        {""s, " 0\n 0\n"}};
    for (const auto& [bytes, first] : cases) {
        const std::string t = LoadFrom(Bytes(bytes.begin(), bytes.end()));
        EXPECT_EQ(t.substr(0, first.size()), first) << bytes;
        EXPECT_EQ(HighScores.count, 10) << "padded to ten";
    }
    List<HighScoreEntry> table; // the memory reader behind it, as the fuzzer uses it: no padding
    EXPECT_EQ(ReadHighScoreRecords(reinterpret_cast<const uint8_t*>("A\n\1\0\0\0B"), 8, table), 2);
}

TEST_F(HighScoreFile, ASaveThatFailsKeepsTheOldFileWholeAndSaysSo) {
    const mode_t umaskBefore = umask(022);
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    umask(umaskBefore);
    struct stat st;
    ASSERT_EQ(stat("scores.dat", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u) << "the usual permissions, not private ones";
    const Bytes before = ReadFileBytes("scores.dat");
    for (int i = 0; i < 40; i++) AddHighScore("A LONGER NAME THAN BEFORE", 1000 + i);
    // A file-size limit makes the disk "full" after 100 bytes, halfway through the write.
    struct rlimit old, small;
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    small = old, small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = SaveHighScores();
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(std::pair(result, ReadFileBytes("scores.dat")), std::pair(0, before));
    EXPECT_EQ(Listing("."), std::vector<std::string>{"scores.dat"}) << "the half-written file goes";
    InitHighScores(10, "no such folder/scores.dat");
    EXPECT_EQ(SaveHighScores(), 0);
}

TEST_F(HighScoreFile, AMissingFileOrAPipeLeavesTheTableAsItWas) {
    ResetHighScores();
    const std::string defaults = Table();
    EXPECT_EQ(LoadHighScores(), 0);
    ASSERT_EQ(mkfifo("scores.dat", 0600), 0); // with no writer a plain open would wait for ever
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), defaults);
}

} // namespace
