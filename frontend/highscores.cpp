// highscores.cpp - the high-score table, its operations and the file "scores.dat".
//
// Sections: 1. the table  2. reading records  3. loading  4. saving
//
// The file is outside data: the reader takes any bytes (a name line of megabytes, a million
// records, binary garbage) and keeps every record, as the format promises; only regular files
// are read. What the high-score mode shows of a long name is capped there, not here.
#include "frontend/highscores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

List<HighScoreEntry> HighScores;
int32_t MaxScores = 0;
std::string ScoreFileName;

// ================================================================ 1. the table
namespace {

const char* const DEFAULT_NAME = "AMIGA RULEZ";

void AppendEntry(List<HighScoreEntry>& table, std::string name, int32_t score) {
    table.current = table.last; // append: add after the last record
    table.position = table.count;
    HighScoreEntry* e = ListAdd(table);
    e->name = std::move(name);
    e->score = score;
}

} // namespace

void InitHighScores(int32_t count, const char* fileName) {
    MaxScores = count;
    ScoreFileName = fileName ? fileName : "";
}

void ResetHighScores() {
    ListClear(HighScores);
    for (int32_t i = 1; i <= MaxScores; i++)
        AppendEntry(HighScores, DEFAULT_NAME, 150000 - 10000 * i);
}

namespace {

// mended: the runtime's quicksort turns quadratic on some orders (falling, then rising scores)
// and then recurses about n / 7 deep, so a crafted file of a million records would hang the
// game, or crash it, at the next addition. Tables up to this size (far beyond what play ever
// makes) sort exactly as the runtime does, equal scores included; larger ones stably.
constexpr int32_t EXACT_SORT_LIMIT = 10000;

void SortHugeTable(List<HighScoreEntry>& table) {
    std::vector<HighScoreEntry> entries;
    entries.reserve(size_t(table.count));
    for (auto* n = table.first; n; n = n->next) entries.push_back(std::move(n->record));
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const HighScoreEntry& a, const HighScoreEntry& b) { return a.score > b.score; });
    size_t i = 0;
    for (auto* n = table.first; n; n = n->next) n->record = std::move(entries[i++]);
    table.current = table.last; // as after the runtime's sort: the last entry is current
    table.position = table.count;
}

} // namespace

void AddHighScore(const std::string& name, int32_t score) {
    HighScoreEntry* e = ListAdd(HighScores); // right after the current entry
    e->name = name;
    e->score = score;
    if (HighScores.count <= EXACT_SORT_LIMIT)
        ListSortDescending(HighScores, &HighScoreEntry::score);
    else
        SortHugeTable(HighScores);
}

const std::string& HighScoreName(int32_t position) {
    static const std::string none;
    const HighScoreEntry* e = ListSelect(HighScores, position - 1);
    return e ? e->name : none;
}

int32_t HighScoreValue(int32_t position) {
    const HighScoreEntry* e = ListSelect(HighScores, position - 1);
    return e ? e->score : 0;
}

// ================================================================ 2. reading records
namespace {

// Bytes from memory.
struct MemorySource {
    const uint8_t* at;
    const uint8_t* end;
    int Next() { return at < end ? *at++ : -1; }
    int Peek() const { return at < end ? *at : -1; }
};

// Bytes from an open file through stdio's buffer; a read error ends the data like the end of
// the file does.
struct FileSource {
    FILE* file;
    int Next() { return getc_unlocked(file); }
    int Peek() {
        const int c = getc_unlocked(file);
        if (c != EOF) ungetc(c, file);
        return c;
    }
};

// One record: a name up to its end mark (CR LF, CR, LF, NUL or the end), then four score
// bytes, little-endian, missing ones counting as 0.
template <typename Source> void ReadRecord(Source& in, std::string* name, int32_t* score) {
    name->clear();
    for (;;) {
        const int c = in.Next();
        if (c < 0 || c == 0 || c == '\n') break;
        if (c == '\r') {
            if (in.Peek() == '\n') in.Next(); // after a CR only an LF belongs to the mark
            break;
        }
        name->push_back(char(c));
    }
    uint32_t value = 0;
    for (int i = 0; i < 4; i++) {
        const int c = in.Next();
        if (c < 0) break;
        value |= uint32_t(c) << (8 * i);
    }
    *score = int32_t(value);
}

template <typename Source> int32_t ReadRecords(Source& in, List<HighScoreEntry>& table) {
    int32_t count = 0;
    std::string name;
    int32_t score = 0;
    while (in.Peek() >= 0) { // while at least one byte is left
        ReadRecord(in, &name, &score);
        AppendEntry(table, name, score);
        count += 1;
    }
    return count;
}

} // namespace

int32_t ReadHighScoreRecords(const uint8_t* data, size_t size, List<HighScoreEntry>& table) {
    MemorySource in{data, data + (data ? size : 0)};
    return ReadRecords(in, table);
}

std::string HighScoreFileBytes(const List<HighScoreEntry>& table) {
    std::string bytes;
    for (const List<HighScoreEntry>::Node* n = table.first; n; n = n->next) {
        bytes += n->record.name;
        bytes += "\r\n";
        const uint32_t v = uint32_t(n->record.score);
        for (int i = 0; i < 4; i++) bytes.push_back(char((v >> (8 * i)) & 0xFF));
    }
    return bytes;
}

// ================================================================ 3. loading
int32_t LoadHighScores() {
    // mended: only a regular file is read. A directory or a device named "scores.dat" counts
    // as a file that cannot be opened (non-blocking open, so a FIFO cannot hang the game).
    const int fd = open(ScoreFileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return 0;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return 0;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return 0;
    }
    ListClear(HighScores);
    FileSource in{file};
    int32_t count = 0;
    try {
        count = ReadRecords(in, HighScores);
    } catch (const std::bad_alloc&) {
        // A file too large for memory: keep the records that fit rather than end the game.
        count = HighScores.count;
    }
    std::fclose(file);
    for (int32_t i = count; i < MaxScores; i++) AppendEntry(HighScores, "", 0);
    return 1;
}

// ================================================================ 4. saving
namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Makes a rename in the file's folder durable; a failure here leaves the rename done.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

int32_t SaveHighScores() {
    // mended: the table is written to a new file beside the old one, flushed to disk and
    // renamed over it, so a crash or a full disk mid-save leaves the old file whole; a write
    // error is reported (0) instead of being taken for success.
    if (ScoreFileName.empty()) return 0;
    static uint32_t attempt = 0;
    std::string temporary;
    int fd = -1;
    for (int tries = 0; tries < 16 && fd < 0; tries++) {
        temporary =
            ScoreFileName + ".new-" + std::to_string(getpid()) + "-" + std::to_string(attempt++);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return 0;
    }
    if (fd < 0) return 0;
    bool ok = WriteAll(fd, HighScoreFileBytes(HighScores));
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) ok = rename(temporary.c_str(), ScoreFileName.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return 0;
    }
    SyncFolderOf(ScoreFileName);
    return 1;
}
