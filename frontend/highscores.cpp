// highscores.cpp - the high-score table, its operations and the file "scores.dat".
//
// Sections: 1. the table  2. reading records  3. loading  4. saving
//
// The file is outside data: the reader takes any bytes (a name line of megabytes, a million
// records, binary garbage) and keeps every record, as the format promises; only regular files
// are read. What the high-score mode shows of a long name is capped there, not here.
#include "frontend/highscores.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

List<HighScoreEntry> HighScores;
int32_t MaxScores = 0;
std::string ScoreFileName;
bool ScoreFileReadOnly = false;

// ================================================================ 1. the table
namespace {

const char* const DEFAULT_NAME = "AMIGA RULEZ";

// Set while the table holds only the part of the file that fitted in memory: saving it
// would throw the rest of the file away.
bool PartlyLoaded = false;

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
    PartlyLoaded = false;
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
    PartlyLoaded = false;
    try {
        count = ReadRecords(in, HighScores);
    } catch (const std::bad_alloc&) {
        // A file too large for memory: keep the records that fit rather than end the game,
        // but never save them over the file (SaveHighScores).
        count = HighScores.count;
        PartlyLoaded = true;
        std::fprintf(stderr, "morvexa: %s is too large for memory; %d records read\n",
                     ScoreFileName.c_str(), count);
    }
    std::fclose(file);
    for (int32_t i = count; i < MaxScores; i++) AppendEntry(HighScores, "", 0);
    return 1;
}

// ================================================================ 4. saving
namespace {

bool WriteAll(int fd, const char* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// The file is written record by record through a fixed buffer: a table of millions of
// records or a name of megabytes needs no second copy of itself in memory.
struct FileWriter {
    int fd;
    bool ok = true;
    size_t used = 0;
    char buffer[65536];

    void Flush() {
        if (ok && used) ok = WriteAll(fd, buffer, used);
        used = 0;
    }
    void Put(const char* bytes, size_t size) {
        if (used + size > sizeof buffer) Flush();
        if (size > sizeof buffer) {
            if (ok) ok = WriteAll(fd, bytes, size);
            return;
        }
        std::memcpy(buffer + used, bytes, size);
        used += size;
    }
};

bool WriteTable(int fd, const List<HighScoreEntry>& table) {
    static FileWriter out{-1, true, 0, {}};
    out.fd = fd, out.ok = true, out.used = 0;
    for (const List<HighScoreEntry>::Node* n = table.first; n && out.ok; n = n->next) {
        out.Put(n->record.name.data(), n->record.name.size());
        const uint32_t v = uint32_t(n->record.score);
        const char end[6] = {'\r',
                             '\n',
                             char(v & 0xFF),
                             char((v >> 8) & 0xFF),
                             char((v >> 16) & 0xFF),
                             char((v >> 24) & 0xFF)};
        out.Put(end, sizeof end);
    }
    out.Flush();
    return out.ok;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in the file's folder durable; a failure here leaves the rename done.
void SyncFolderOf(const std::string& path) {
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The file a save replaces: the score file itself, or the file its symbolic links lead to
// (a player who links "scores.dat" elsewhere keeps the link). False for a loop of links.
bool FollowLinks(const std::string& name, std::string* target) {
    std::string path = name;
    for (int hops = 0; hops < 40; hops++) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *target = path;
            return true;
        }
        char link[4096];
        const ssize_t n = readlink(path.c_str(), link, sizeof link);
        if (n <= 0 || size_t(n) >= sizeof link) return false;
        const std::string to(link, size_t(n));
        path = to[0] == '/' ? to : FolderOf(path) + "/" + to;
    }
    errno = ELOOP;
    return false;
}

// Temporary files of earlier saves ("<file>.new-<process>-<n>") whose process has ended
// were left by a save that was killed: they are removed. Those of a running process (a
// second game saving at this moment) and every other file stay.
void RemoveStaleTemporaries(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? target : target.substr(slash + 1)) + ".new-";
    const std::string folder = FolderOf(target);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const char* name = e->d_name;
        if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        const char* p = name + prefix.size();
        char* end = nullptr;
        errno = 0;
        const long pid = std::strtol(p, &end, 10);
        if (end == p || *end != '-' || errno || pid <= 0 || pid == long(getpid())) continue;
        const char* n = end + 1;
        if (*n < '0' || *n > '9') continue;
        while (*n >= '0' && *n <= '9') n++;
        if (*n) continue;
        if (kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue; // alive, or not ours to know
        const std::string path = folder + "/" + name;
        struct stat st;
        if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(path.c_str());
    }
    closedir(dir);
}

// A file the player made read-only (no write permission for us, or none for anyone, which
// binds root too) is kept: a rename would replace it all the same.
bool IsReadOnly(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false; // nothing there yet
    return (st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

// Writes the table to a new file beside `target` and renames it over it. False with errno
// (or `why`) telling what failed; the old file is then untouched.
bool SaveTableOver(const std::string& target, const char** why) {
    static uint32_t attempt = 0;
    std::string temporary;
    int fd = -1;
    for (int tries = 0; tries < 16 && fd < 0; tries++) {
        temporary = target + ".new-" + std::to_string(getpid()) + "-" + std::to_string(attempt++);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = false;
    try {
        ok = WriteTable(fd, HighScores);
    } catch (const std::bad_alloc&) {
        *why = "out of memory";
    }
    int error = errno;
    if (ok && fsync(fd) != 0) ok = false, error = errno;
    if (close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        unlink(temporary.c_str());
        errno = error;
        return false;
    }
    SyncFolderOf(target);
    return true;
}

} // namespace

int32_t SaveHighScores() {
    // mended: the table is written to a new file beside the old one, flushed to disk and
    // renamed over it, so a crash or a full disk mid-save leaves the old file whole; a write
    // error is reported (0, and a line on stderr) instead of being taken for success.
    if (ScoreFileName.empty() || ScoreFileReadOnly) return 0;
    const char* name = ScoreFileName.c_str();
    if (PartlyLoaded) {
        std::fprintf(stderr, "morvexa: not saving the high scores: only part of %s was read\n",
                     name);
        return 0;
    }
    const char* why = nullptr;
    try {
        std::string target;
        if (!FollowLinks(ScoreFileName, &target)) {
            why = std::strerror(errno);
        } else if (IsReadOnly(target)) {
            why = "the file is read-only";
        } else {
            RemoveStaleTemporaries(target);
            if (SaveTableOver(target, &why)) return 1;
            if (!why) why = std::strerror(errno);
        }
    } catch (const std::bad_alloc&) {
        why = "out of memory";
    }
    std::fprintf(stderr, "morvexa: cannot save the high scores to %s: %s\n", name, why);
    return 0;
}
