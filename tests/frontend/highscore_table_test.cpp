// highscore_table_test.cpp - the high-score table's operations and the file "scores.dat":
// exact bytes, the tolerant reader, padding, the order of equal scores, saving that never
// loses the old file, and reading that stays safe on any file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "frontend/highscores.h"
#include "tests/testkit.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Record(const std::string& name, const std::string& end, int32_t score) {
    Bytes b = ToBytes(name + end);
    const uint32_t v = uint32_t(score);
    for (int i = 0; i < 4; i++) b.push_back(uint8_t(v >> (8 * i)));
    return b;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct Entry {
    std::string name;
    int32_t score;
    bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "(\"" << (e.name.size() > 40 ? e.name.substr(0, 40) + "..." : e.name) << "\", "
              << e.score << ")";
}

std::vector<Entry> TableOf(const List<HighScoreEntry>& table) {
    std::vector<Entry> out;
    for (auto* n = table.first; n; n = n->next) out.push_back({n->record.name, n->record.score});
    return out;
}
std::vector<Entry> Table() {
    return TableOf(HighScores);
}

std::vector<Entry> Defaults() {
    std::vector<Entry> d;
    for (int i = 1; i <= 10; i++) d.push_back({"AMIGA RULEZ", 150000 - 10000 * i});
    return d;
}

// Every test works in a fresh folder with the game's ten entries and "scores.dat".
class HighScoreFile : public ::testing::Test {
  protected:
    void SetUp() override {
        InitHighScores(10, "scores.dat");
        ListClear(HighScores);
    }
    void TearDown() override { ListClear(HighScores); }
    std::vector<Entry> LoadFrom(const Bytes& bytes) {
        WriteFileBytes("scores.dat", bytes);
        EXPECT_EQ(LoadHighScores(), 1);
        return Table();
    }
    TempDir dir{true};
};

// ================================================================ bytes and operations
TEST_F(HighScoreFile, DefaultTableSavesAsOneHundredSeventyBytesAndLoadsBackTheSame) {
    ResetHighScores();
    ASSERT_EQ(Table(), Defaults());
    ASSERT_EQ(SaveHighScores(), 1);
    const Bytes file = ReadFileBytes("scores.dat");
    ASSERT_EQ(file.size(), 170u);
    const Bytes first = {'A', 'M', 'I',  'G',  'A',  ' ',  'R',  'U', 'L',
                         'E', 'Z', 0x0D, 0x0A, 0xE0, 0x22, 0x02, 0x00};
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 17), first);
    // The last record holds 50000 = 0x0000C350.
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0x50, 0xC3, 0x00, 0x00}));

    ListClear(HighScores);
    ASSERT_EQ(LoadHighScores(), 1);
    EXPECT_EQ(Table(), Defaults());
}

TEST_F(HighScoreFile, ScoreAddedAfterTheTenthFollowsTheEqualDefaultAndElevenRecordsAreSaved) {
    ResetHighScores();
    ASSERT_EQ(HighScoreValue(10), 50000); // selects the tenth, as the high-score mode does
    AddHighScore("NEWCOMER 11", 100000);
    const std::vector<Entry> t = Table();
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[4], (Entry{"AMIGA RULEZ", 100000}));
    EXPECT_EQ(t[5], (Entry{"NEWCOMER 11", 100000}));
    EXPECT_EQ(t[10], (Entry{"AMIGA RULEZ", 50000}));
    for (size_t i = 1; i < t.size(); i++) EXPECT_GE(t[i - 1].score, t[i].score) << "at " << i;
    ASSERT_EQ(SaveHighScores(), 1);
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), 187u);
}

TEST_F(HighScoreFile, EqualScoresComeOutInTheOrderOfTheQuicksortNotTheOrderAdded) {
    // Two records with the same score, A before B, come out B before A.
    InitHighScores(2, "scores.dat");
    ASSERT_EQ(LoadFrom(Join({Record("A", "\r\n", 3), Record("B", "\r\n", 3)})),
              (std::vector<Entry>{{"A", 3}, {"B", 3}}));
    HighScoreValue(2);
    AddHighScore("C", 1);
    EXPECT_EQ(Table(), (std::vector<Entry>{{"B", 3}, {"A", 3}, {"C", 1}}));
}

TEST_F(HighScoreFile, AnAdditionGoesRightAfterTheCurrentEntryBeforeSorting) {
    // Among equal scores the place of the insertion decides the outcome of the sort.
    InitHighScores(3, "scores.dat");
    const Bytes three =
        Join({Record("A", "\r\n", 5), Record("B", "\r\n", 5), Record("C", "\r\n", 5)});
    LoadFrom(three);
    HighScoreValue(1); // A is current: A N B C before sorting
    AddHighScore("N", 5);
    EXPECT_EQ(Table(), (std::vector<Entry>{{"B", 5}, {"C", 5}, {"A", 5}, {"N", 5}}));
    LoadFrom(three);
    HighScoreValue(3); // C is current: A B C N before sorting
    AddHighScore("N", 5);
    EXPECT_EQ(Table(), (std::vector<Entry>{{"C", 5}, {"N", 5}, {"A", 5}, {"B", 5}}));
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
    const std::vector<Entry> t = Table();
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(t[10], (Entry{"ZERO", 0}));
    EXPECT_EQ(t[11], (Entry{"BELOW", -7}));
    EXPECT_EQ(t[12], (Entry{"FLOOR", INT32_MIN}));
}

TEST_F(HighScoreFile, PositionsOutsideTheTableGiveAnEmptyNameAndZero) {
    ResetHighScores();
    EXPECT_EQ(HighScoreName(1), "AMIGA RULEZ");
    EXPECT_EQ(HighScoreValue(1), 140000);
    EXPECT_EQ(HighScoreName(0), "");
    EXPECT_EQ(HighScoreValue(11), 0);
    EXPECT_EQ(HighScoreValue(-3), 0);
}

TEST_F(HighScoreFile, ResetFollowsTheTableSizeGivenAtStartUp) {
    InitHighScores(3, "other.dat");
    EXPECT_EQ(ScoreFileName, "other.dat");
    ResetHighScores();
    EXPECT_EQ(Table(),
              (std::vector<Entry>{
                  {"AMIGA RULEZ", 140000}, {"AMIGA RULEZ", 130000}, {"AMIGA RULEZ", 120000}}));
    ASSERT_EQ(SaveHighScores(), 1);
    EXPECT_EQ(ReadFileBytes("other.dat").size(), 51u);
    EXPECT_TRUE(ReadFileBytes("scores.dat").empty());
}

// ================================================================ the tolerant reader
TEST_F(HighScoreFile, EveryLineEndLoadsLikeCrLf) {
    const std::vector<Entry> expected = {{"ONE", 1}, {"TWO", 2}, {"THREE", 3}, {"FOUR", 4}};
    const std::vector<Entry> t =
        LoadFrom(Join({Record("ONE", "\r\n", 1), Record("TWO", "\n", 2), Record("THREE", "\r", 3),
                       Record("FOUR", std::string(1, '\0'), 4)}));
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(std::vector<Entry>(t.begin(), t.begin() + 4), expected);
}

TEST_F(HighScoreFile, AfterALoneCrTheNextByteBelongsToTheScore) {
    // "AB", CR, then 'X' 01 00 00: the score is 0x0158, and an LF CR pair is two line ends.
    const std::vector<Entry> t =
        LoadFrom(Join({ToBytes("AB\rX"), Bytes{0x01, 0x00, 0x00}, Record("C", "\n\r", 9)}));
    EXPECT_EQ(t[0], (Entry{"AB", 0x0158}));
    // "C" ends at LF; the CR is then the score's first byte: 0D 09 00 00. The last 00 is one
    // more record: an empty name ended by NUL, with no score bytes left.
    EXPECT_EQ(t[1], (Entry{"C", 0x090D}));
    EXPECT_EQ(t[2], (Entry{"", 0}));
}

TEST_F(HighScoreFile, MissingScoreBytesAtTheEndCountAsZero) {
    EXPECT_EQ(LoadFrom(Join({ToBytes("HALF\r\n"), Bytes{0x34, 0x12}}))[0], (Entry{"HALF", 0x1234}));
    EXPECT_EQ(LoadFrom(ToBytes("LINE ONLY\r\n"))[0], (Entry{"LINE ONLY", 0}));
    EXPECT_EQ(LoadFrom(ToBytes("NO END"))[0], (Entry{"NO END", 0}));
}

TEST_F(HighScoreFile, AStrayLineEndAfterTheLastRecordIsOneMoreEmptyEntry) {
    Bytes file;
    for (int i = 0; i < 10; i++) {
        const Bytes r = Record("P" + std::to_string(i), "\r\n", 100 - i);
        file.insert(file.end(), r.begin(), r.end());
    }
    EXPECT_EQ(LoadFrom(file).size(), 10u);
    file.push_back('\r');
    file.push_back('\n');
    const std::vector<Entry> t = LoadFrom(file);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[10], (Entry{"", 0}));
}

TEST_F(HighScoreFile, AShortFileIsPaddedToTenWithEmptyEntriesAndALongOneKeptWhole) {
    std::vector<Entry> t = LoadFrom(Record("SOLO", "\r\n", 777));
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[0], (Entry{"SOLO", 777}));
    for (size_t i = 1; i < 10; i++) EXPECT_EQ(t[i], (Entry{"", 0}));

    t = LoadFrom({});
    EXPECT_EQ(t, std::vector<Entry>(10, Entry{"", 0}));

    Bytes many;
    for (int i = 0; i < 25; i++) {
        const Bytes r = Record("R", "\r\n", i); // loading keeps file order: no sort
        many.insert(many.end(), r.begin(), r.end());
    }
    t = LoadFrom(many);
    ASSERT_EQ(t.size(), 25u);
    EXPECT_EQ(t[0].score, 0);
    EXPECT_EQ(t[24].score, 24);
}

TEST_F(HighScoreFile, AMissingFileLeavesTheTableAsItWas) {
    ResetHighScores();
    AddHighScore("KEEP", 1);
    const std::vector<Entry> before = Table();
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), before);
}

TEST_F(HighScoreFile, MemoryReaderAppendsTheSameRecordsAsTheFileReader) {
    const Bytes file = Join({Record("X", "\r\n", 5), Record("Y", "\n", -5), ToBytes("Z")});
    List<HighScoreEntry> table;
    EXPECT_EQ(ReadHighScoreRecords(file.data(), file.size(), table), 3);
    EXPECT_EQ(TableOf(table), (std::vector<Entry>{{"X", 5}, {"Y", -5}, {"Z", 0}}));
    EXPECT_EQ(HighScoreFileBytes(table),
              std::string("X\r\n\x05\0\0\0Y\r\n\xFB\xFF\xFF\xFFZ\r\n\0\0\0\0", 21));
}

// ================================================================ saving never loses the file
TEST_F(HighScoreFile, ASaveLeavesOnlyTheNewFileBehind) {
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    HighScoreValue(10);
    AddHighScore("SECOND", 145000);
    ASSERT_EQ(SaveHighScores(), 1);
    EXPECT_EQ(ReadFileBytes("scores.dat"), ToBytes(HighScoreFileBytes(HighScores)));
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        files++;
        EXPECT_EQ(e.path().filename(), "scores.dat");
    }
    EXPECT_EQ(files, 1);
}

TEST_F(HighScoreFile, ASaveThatRunsOutOfSpaceKeepsTheOldFileWholeAndReportsFailure) {
    ResetHighScores();
    ASSERT_EQ(SaveHighScores(), 1);
    const Bytes before = ReadFileBytes("scores.dat");
    for (int i = 0; i < 40; i++) AddHighScore("A LONGER NAME THAN BEFORE", 1000 + i);

    // A file-size limit makes the disk "full" after 100 bytes, halfway through the write.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &previous), 0);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = SaveHighScores();
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes("scores.dat"), before);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += 1, (void)e;
    EXPECT_EQ(files, 1) << "the half-written file must be removed";
}

TEST_F(HighScoreFile, ASaveOverADirectoryFailsAndLeavesIt) {
    std::filesystem::create_directory("scores.dat");
    WriteFileBytes("scores.dat/inside", {1, 2, 3});
    ResetHighScores();
    EXPECT_EQ(SaveHighScores(), 0);
    EXPECT_TRUE(std::filesystem::is_directory("scores.dat"));
    EXPECT_EQ(ReadFileBytes("scores.dat/inside"), (Bytes{1, 2, 3}));
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += 1, (void)e;
    EXPECT_EQ(files, 1);
}

TEST_F(HighScoreFile, ASaveIntoAMissingFolderFails) {
    InitHighScores(10, "no such folder/scores.dat");
    ResetHighScores();
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
TEST_F(HighScoreFile, AMegabyteNameLineIsKeptWholeAndSavedBackUnchanged) {
    const std::string huge(1 << 20, 'M');
    const Bytes file = Join({Record(huge, "\r\n", 4242), Record("NEXT", "\r\n", 1)});
    const std::vector<Entry> t = LoadFrom(file);
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[0].name.size(), huge.size());
    EXPECT_EQ(t[0].score, 4242);
    EXPECT_EQ(t[1], (Entry{"NEXT", 1}));
    ASSERT_EQ(SaveHighScores(), 1);
    const Bytes saved = ReadFileBytes("scores.dat");
    EXPECT_TRUE(std::equal(file.begin(), file.end(), saved.begin()));
}

TEST_F(HighScoreFile, AMillionRecordsAreAllKept) {
    Bytes file;
    file.reserve(6u * 1000000u);
    for (int32_t i = 0; i < 1000000; i++) {
        file.push_back('\n'); // an empty name ended by a lone LF
        for (int b = 0; b < 4; b++) file.push_back(uint8_t(uint32_t(i) >> (8 * b)));
    }
    WriteFileBytes("scores.dat", file);
    ASSERT_EQ(LoadHighScores(), 1);
    ASSERT_EQ(HighScores.count, 1000000);
    EXPECT_EQ(HighScores.last->record.score, 999999);
    EXPECT_EQ(HighScoreValue(500001), 500000);
    // Saved back, each record grows by one byte: its lone LF becomes CR LF.
    EXPECT_EQ(HighScoreFileBytes(HighScores).size(), 6u * 1000000u);
}

TEST_F(HighScoreFile, AnAdditionToAHugeTableOfFallingThenRisingScoresFinishesSorted) {
    // Falling then rising scores drive the runtime's quicksort quadratic and deep: with
    // 300000 records that would take minutes and most of the stack.
    constexpr int32_t N = 300000;
    Bytes file;
    for (int32_t i = 0; i < N; i++) {
        const Bytes r = Record("", "\n", i < N / 2 ? N / 2 - i : i - N / 2);
        file.insert(file.end(), r.begin(), r.end());
    }
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
        WriteFileBytes("scores.dat", garbage);
        ListClear(HighScores);
        ASSERT_EQ(LoadHighScores(), 1);
        const std::vector<Entry> first = Table();
        ASSERT_GE(first.size(), 10u);
        for (const Entry& e : first)
            ASSERT_EQ(e.name.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        ASSERT_EQ(SaveHighScores(), 1);
        ListClear(HighScores);
        ASSERT_EQ(LoadHighScores(), 1);
        EXPECT_EQ(Table(), first) << "round " << round;
    }
}

TEST_F(HighScoreFile, ADirectoryOrAPipeNamedScoresDatIsNotReadAndTheTableStays) {
    ResetHighScores();
    std::filesystem::create_directory("scores.dat");
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), Defaults());
    std::filesystem::remove("scores.dat");
    // A named pipe with no writer would block a plain open for ever.
    ASSERT_EQ(mkfifo("scores.dat", 0600), 0);
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(Table(), Defaults());
}

} // namespace
