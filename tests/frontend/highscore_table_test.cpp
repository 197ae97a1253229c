// highscore_table_test.cpp - the high-score table and "scores.dat": exact bytes, the tolerant
// reader, padding, the order of equal scores, saving that never loses the old file, and
// reading that stays safe on any file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "frontend/highscores.h"
#include "tests/testkit.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Appends one record: the name, its line end, the score as 4 bytes little-endian.
void Add(Bytes& b, const std::string& name, int32_t score, const std::string& end = "\r\n") {
    b.insert(b.end(), name.begin(), name.end());
    b.insert(b.end(), end.begin(), end.end());
    for (int i = 0; i < 4; i++) b.push_back(uint8_t(uint32_t(score) >> (8 * i)));
}

struct Entry {
    std::string name;
    int32_t score;
    bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "(\"" << e.name.substr(0, 40) << "\", " << e.score << ")";
}
using Entries = std::vector<Entry>;

Entries Table() {
    Entries out;
    for (auto* n = HighScores.first; n; n = n->next)
        out.push_back({n->record.name, n->record.score});
    return out;
}

Entries Defaults() {
    Entries d;
    for (int i = 1; i <= 10; i++) d.push_back({"AMIGA RULEZ", 150000 - 10000 * i});
    return d;
}

int FilesIn(const std::string& folder) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder)) n += 1, (void)e;
    return n;
}

// Every test works in a fresh folder, with ten entries kept in "scores.dat".
class HighScoreFile : public ::testing::Test {
  protected:
    void SetUp() override {
        InitHighScores(10, "scores.dat");
        ListClear(HighScores);
    }
    Entries LoadFrom(const Bytes& bytes) {
        WriteFileBytes("scores.dat", bytes);
        EXPECT_EQ(LoadHighScores(), 1);
        return Table();
    }
    TempDir dir{true};
};

// ================================================================ bytes and operations
TEST_F(HighScoreFile, DefaultsSaveAs170BytesAndAnAddedElevenCharacterNameMakes187) {
    ResetHighScores();
    ASSERT_EQ(Table(), Defaults());
    ASSERT_EQ(SaveHighScores(), 1);
    Bytes expected;
    for (const Entry& e : Defaults()) Add(expected, e.name, e.score);
    const Bytes file = ReadFileBytes("scores.dat");
    ASSERT_EQ(file.size(), 170u);
    EXPECT_EQ(Bytes(file.begin() + 11, file.begin() + 17),
              (Bytes{0x0D, 0x0A, 0xE0, 0x22, 0x02, 0x00}));
    EXPECT_EQ(file, expected);
    ListClear(HighScores);
    ASSERT_EQ(LoadHighScores(), 1);
    EXPECT_EQ(Table(), Defaults());

    // 100000 added after the tenth: the equal default keeps place 5, the new one takes 6.
    ASSERT_EQ(HighScoreValue(10), 50000);
    AddHighScore("NEWCOMER 11", 100000);
    const Entries t = Table();
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[4], (Entry{"AMIGA RULEZ", 100000}));
    EXPECT_EQ(t[5], (Entry{"NEWCOMER 11", 100000}));
    EXPECT_EQ(t[10], (Entry{"AMIGA RULEZ", 50000}));
    ASSERT_EQ(SaveHighScores(), 1);
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), 187u);
    EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file is left behind";
}

TEST_F(HighScoreFile, EqualScoresComeOutInTheQuicksortsOrderWhichDependsOnWhereTheAdditionWent) {
    InitHighScores(2, "scores.dat");
    Bytes two;
    Add(two, "A", 3), Add(two, "B", 3);
    ASSERT_EQ(LoadFrom(two), (Entries{{"A", 3}, {"B", 3}}));
    HighScoreValue(2);
    AddHighScore("C", 1);
    EXPECT_EQ(Table(), (Entries{{"B", 3}, {"A", 3}, {"C", 1}})) << "not stable: B before A";

    InitHighScores(3, "scores.dat");
    Bytes three;
    Add(three, "A", 5), Add(three, "B", 5), Add(three, "C", 5);
    LoadFrom(three);
    HighScoreValue(1); // inserted after A: A N B C before sorting
    AddHighScore("N", 5);
    EXPECT_EQ(Table(), (Entries{{"B", 5}, {"C", 5}, {"A", 5}, {"N", 5}}));
    LoadFrom(three);
    HighScoreValue(3); // inserted after C: A B C N before sorting
    AddHighScore("N", 5);
    EXPECT_EQ(Table(), (Entries{{"C", 5}, {"N", 5}, {"A", 5}, {"B", 5}}));
    EXPECT_EQ(HighScores.position, 4) << "after sorting the last entry is current";
}

TEST_F(HighScoreFile, NegativeScoresRoundTripAndSortBelowZero) {
    ResetHighScores();
    HighScoreValue(10);
    AddHighScore("ZERO", 0);
    AddHighScore("BELOW", -7);
    AddHighScore("FLOOR", INT32_MIN);
    ASSERT_EQ(SaveHighScores(), 1);
    ListClear(HighScores);
    ASSERT_EQ(LoadHighScores(), 1);
    const Entries t = Table();
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(Entries(t.begin() + 10, t.end()),
              (Entries{{"ZERO", 0}, {"BELOW", -7}, {"FLOOR", INT32_MIN}}));
    EXPECT_EQ(HighScoreName(14), "");
    EXPECT_EQ(HighScoreValue(0), 0);
}

// ================================================================ the tolerant reader
TEST_F(HighScoreFile, TheReaderTakesEveryLineEndMissingBytesAndShortOrLongFiles) {
    using namespace std::string_literals; // the cases hold NUL bytes
    struct Case {
        std::string bytes;
        Entries first; // the table's first entries after loading
        size_t size;
    } cases[] = {
        {"ONE\r\n\1\0\0\0TWO\n\2\0\0\0THREE\r\3\0\0\0FOUR\0\4\0\0\0"s,
         {{"ONE", 1}, {"TWO", 2}, {"THREE", 3}, {"FOUR", 4}, {"", 0}},
         10},
        {"AB\rX\1\0\0"s, {{"AB", 0x0158}}, 10},           // after a lone CR the score begins
        {"C\n\r\t\0\0\0"s, {{"C", 0x090D}, {"", 0}}, 10}, // ... and after LF the CR is a byte
        {"HALF\r\n\x34\x12"s, {{"HALF", 0x1234}}, 10},    // missing score bytes count as 0
        {"LINE\r\n"s, {{"LINE", 0}}, 10},
        {"END"s, {{"END", 0}}, 10},
        {""s, {{"", 0}, {"", 0}}, 10},
        {"L\r\n\0\0\0\0\r\n"s, {{"L", 0}, {"", 0}}, 10}, // a stray line end: one more entry
    };
    for (const Case& c : cases) {
        const Entries t = LoadFrom(Bytes(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(t.size(), c.size) << c.bytes;
        EXPECT_EQ(Entries(t.begin(), t.begin() + c.first.size()), c.first) << c.bytes;
    }
    Bytes many;
    for (int i = 0; i < 25; i++) Add(many, "R", i); // rising: loading keeps file order
    const Entries t = LoadFrom(many);
    ASSERT_EQ(t.size(), 25u);
    EXPECT_EQ(t[24], (Entry{"R", 24}));
    many.insert(many.end(), {'\r', '\n'});
    EXPECT_EQ(LoadFrom(many).size(), 26u);
    // The memory reader behind the file reader, as the fuzzer uses it: no padding.
    List<HighScoreEntry> table;
    EXPECT_EQ(ReadHighScoreRecords(many.data(), many.size(), table), 26);
    EXPECT_EQ(HighScoreFileBytes(table).size(), many.size() + 4);
}

// ================================================================ saving never loses the file
TEST_F(HighScoreFile, ASaveThatRunsOutOfSpaceKeepsTheOldFileWholeAndReportsFailure) {
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    const Bytes before = ReadFileBytes("scores.dat");
    for (int i = 0; i < 40; i++) AddHighScore("A LONGER NAME THAN BEFORE", 1000 + i);
    // A file-size limit makes the disk "full" after 100 bytes, halfway through the write.
    struct rlimit old, small;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
    small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = SaveHighScores();
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes("scores.dat"), before);
    EXPECT_EQ(FilesIn(dir.Path()), 1) << "the half-written file must be removed";
}

TEST_F(HighScoreFile, ASaveOverAFolderOrIntoAMissingOneFailsAndTouchesNothing) {
    std::filesystem::create_directory("scores.dat");
    WriteFileBytes("scores.dat/inside", {1, 2, 3});
    ResetHighScores();
    EXPECT_EQ(SaveHighScores(), 0);
    EXPECT_EQ(ReadFileBytes("scores.dat/inside"), (Bytes{1, 2, 3}));
    EXPECT_EQ(FilesIn(dir.Path()), 1);
    InitHighScores(10, "no such folder/scores.dat");
    EXPECT_EQ(SaveHighScores(), 0);
}

TEST_F(HighScoreFile, ASavedFileGetsTheUsualPermissionsNotPrivateOnes) {
    const mode_t previous = umask(022);
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    umask(previous);
    struct stat st;
    ASSERT_EQ(stat("scores.dat", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

// ================================================================ reading any file safely
TEST_F(HighScoreFile, AMegabyteNameAndAMillionRecordsAreKeptWhole) {
    Bytes file;
    Add(file, std::string(1 << 20, 'M'), 4242);
    Add(file, "NEXT", 1);
    const Entries t = LoadFrom(file);
    EXPECT_EQ(t[0].name.size(), size_t(1) << 20);
    EXPECT_EQ(t[1], (Entry{"NEXT", 1}));
    ASSERT_EQ(SaveHighScores(), 1);
    const Bytes saved = ReadFileBytes("scores.dat");
    EXPECT_TRUE(std::equal(file.begin(), file.end(), saved.begin()));

    Bytes million;
    million.reserve(5000000);
    for (int32_t i = 0; i < 1000000; i++) Add(million, "", i, "\n");
    WriteFileBytes("scores.dat", million);
    ASSERT_EQ(LoadHighScores(), 1);
    ASSERT_EQ(HighScores.count, 1000000);
    EXPECT_EQ(HighScoreValue(500001), 500000);
    EXPECT_EQ(HighScoreFileBytes(HighScores).size(), 6000000u) << "each LF saved as CR LF";
}

TEST_F(HighScoreFile, AnAdditionToAHugeTableOfFallingThenRisingScoresFinishesSorted) {
    // Such an order drives the runtime's quicksort quadratic and deep: with 300000 records
    // that would take minutes and most of the stack.
    constexpr int32_t N = 300000;
    Bytes file;
    for (int32_t i = 0; i < N; i++) Add(file, "", i < N / 2 ? N / 2 - i : i - N / 2, "\n");
    LoadFrom(file);
    HighScoreValue(10);
    AddHighScore("KALDO", N);
    ASSERT_EQ(HighScores.count, N + 1);
    EXPECT_EQ(HighScores.position, N + 1) << "the last entry is current, as after any sort";
    EXPECT_EQ(HighScoreName(1), "KALDO");
    int32_t previous = INT32_MAX;
    for (auto* n = HighScores.first; n; n = n->next) {
        ASSERT_LE(n->record.score, previous);
        previous = n->record.score;
    }
}

TEST_F(HighScoreFile, BinaryGarbageLoadsIntoNamesWithoutLineEndsAndSurvivesASaveAndLoad) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; round++) {
        Bytes garbage(size_t(random() % 4096));
        for (uint8_t& b : garbage) b = uint8_t(random());
        const Entries first = LoadFrom(garbage);
        ASSERT_GE(first.size(), 10u);
        for (const Entry& e : first)
            ASSERT_EQ(e.name.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        ASSERT_EQ(SaveHighScores(), 1);
        ListClear(HighScores);
        ASSERT_EQ(LoadHighScores(), 1);
        EXPECT_EQ(Table(), first) << "round " << round;
    }
}

TEST_F(HighScoreFile, AMissingFileAFolderOrAPipeLeavesTheTableAsItWas) {
    ResetHighScores();
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), Defaults());
    std::filesystem::create_directory("scores.dat");
    EXPECT_EQ(LoadHighScores(), 0);
    std::filesystem::remove("scores.dat");
    ASSERT_EQ(mkfifo("scores.dat", 0600), 0); // with no writer a plain open would wait for ever
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), Defaults());
}

} // namespace
