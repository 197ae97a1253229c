// score_fuzzer.cpp - any bytes in "scores.dat" load as a table that saves back to bytes which
// read again as the same table, and that the high-score mode's operations handle.
//
// Each input is written to "scores.dat" in a private folder (in memory where /dev/shm is
// there) and goes through the game's own LoadHighScores and SaveHighScores; the input's length
// picks how the file lies: a plain file, a symbolic link into a subfolder (the save must go
// through it), or a plain file beside a temporary left by a killed save (the save must remove
// it). Names read from a file can hold no line end and no NUL, so the saved file must be
// exactly the table's bytes and read again as the same entries. Also built into the
// reliability tests (entry point renamed).
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/highscores.h"
#include "fuzz/fuzz_folder.h"

namespace {

std::string Folder, Stale;

void RemoveFolder() {
    for (const char* name : {"/scores.dat", "/kept/real.dat"}) unlink((Folder + name).c_str());
    unlink(Stale.c_str());
    rmdir((Folder + "/kept").c_str());
    rmdir(Folder.c_str());
}

bool StartOnce() {
    static bool started = false;
    if (started) return true;
    Folder = MakeFuzzFolder("mvx-score-fuzz");
    if (Folder.empty()) return false;
    if (mkdir((Folder + "/kept").c_str(), 0700) != 0) return false;
    std::atexit(RemoveFolder);
    started = true;
    return true;
}

// A temporary named after a process that has ended, which a save must remove. The process id
// is checked again before each use: on a busy machine an hour of fuzzing sees ids reused,
// and a save rightly keeps the temporary of a live process.
bool PickStaleName() {
    static pid_t ended = 0;
    if (ended > 0 && kill(ended, 0) != 0 && errno == ESRCH) return true;
    unlink(Stale.c_str());
    ended = fork();
    if (ended == 0) _exit(0);
    if (ended < 0 || waitpid(ended, nullptr, 0) != ended) return false;
    Stale = Folder + "/scores.dat.new-" + std::to_string(ended) + "-0";
    return true;
}

bool WriteFile(const std::string& path, const void* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = (size == 0 || std::fwrite(data, 1, size, f) == size);
    return std::fclose(f) == 0 && ok;
}

std::string ReadFile(const std::string& path) {
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[8192];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool SameTables(const List<HighScoreEntry>& a, const List<HighScoreEntry>& b) {
    if (a.count != b.count) return false;
    const List<HighScoreEntry>::Node* x = a.first;
    const List<HighScoreEntry>::Node* y = b.first;
    for (; x && y; x = x->next, y = y->next)
        if (x->record.name != y->record.name || x->record.score != y->record.score) return false;
    return !x && !y;
}

} // namespace

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!StartOnce()) std::abort();
    // Emptied again before returning: a run that frees all it allocates spares libFuzzer
    // a leak check after it.
    static List<HighScoreEntry> expected;
    static List<HighScoreEntry> again;

    // The reader alone: every byte is in some record, no name keeps an end mark.
    const int32_t records = ReadHighScoreRecords(data, size, expected);
    if (records != expected.count) std::abort();
    if (size > 0 && records < 1) std::abort(); // at least one byte makes a record
    size_t nameBytes = 0;
    for (const auto* n = expected.first; n; n = n->next) {
        if (n->record.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
        nameBytes += n->record.name.size();
    }
    if (nameBytes > size) std::abort();
    if (HighScoreFileBytes(expected).size() != nameBytes + 6 * size_t(records)) std::abort();

    // The file as the game meets it.
    const std::string name = Folder + "/scores.dat", real = Folder + "/kept/real.dat";
    unlink(name.c_str());
    unlink(real.c_str());
    const int layout = int(size % 3);
    if (layout == 1) {
        if (!WriteFile(real, data, size) || symlink("kept/real.dat", name.c_str()) != 0)
            std::abort();
    } else {
        if (!WriteFile(name, data, size)) std::abort();
        if (layout == 2 && (!PickStaleName() || !WriteFile(Stale, "x", 1))) std::abort();
    }
    InitHighScores(10, name.c_str());
    ListClear(HighScores);
    if (LoadHighScores() != 1) std::abort();
    for (int32_t i = records; i < 10; i++) *ListAppend(expected) = {"", 0}; // padded to ten
    if (!SameTables(HighScores, expected)) std::abort();

    // The high-score mode's use of the table: the tenth entry, an added score, the rows.
    const int32_t tenth = HighScoreValue(10);
    if (tenth != ListSelect(HighScores, 9)->score) std::abort();
    if (records <= 2000) {
        AddHighScore("FUZZ", tenth);
        int32_t previous = INT32_MAX;
        for (int32_t p = 1; p <= HighScores.count; p++) {
            const int32_t v = HighScoreValue(p);
            if (v > previous) std::abort(); // highest first after an addition
            previous = v;
        }
        if (HighScores.count != expected.count + 1) std::abort();
    }

    // Saved and read back: the file holds exactly the table, where the link leads.
    if (SaveHighScores() != 1) std::abort();
    struct stat st;
    if (layout == 1 && (lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))) std::abort();
    if (layout == 2 && lstat(Stale.c_str(), &st) == 0) std::abort();
    const std::string saved = ReadFile(layout == 1 ? real : name);
    if (saved != HighScoreFileBytes(HighScores)) std::abort();
    ReadHighScoreRecords(reinterpret_cast<const uint8_t*>(saved.data()), saved.size(), again);
    if (!SameTables(HighScores, again)) std::abort();
    ListClear(HighScores);
    ListClear(expected);
    ListClear(again);
    return 0;
}
