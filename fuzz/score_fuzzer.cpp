// score_fuzzer.cpp - any bytes read as "scores.dat" give a table that writes back to bytes
// which read again as the same table, and that the high-score mode's operations handle.
//
// The reader is the one LoadHighScores uses (memory and file share it). Names read from a
// file can hold no line end and no NUL, so writing and reading again must give exactly the
// same entries: a reader that kept an end mark, lost a byte or misread a score shows here.
// Also built into the reliability tests (entry point renamed).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/highscores.h"

namespace {

bool SameTables(List<HighScoreEntry>& a, List<HighScoreEntry>& b) {
    if (a.count != b.count) return false;
    const List<HighScoreEntry>::Node* x = a.first;
    const List<HighScoreEntry>::Node* y = b.first;
    for (; x && y; x = x->next, y = y->next)
        if (x->record.name != y->record.name || x->record.score != y->record.score) return false;
    return !x && !y;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static List<HighScoreEntry> first;
    static List<HighScoreEntry> second;
    ListClear(first);
    ListClear(second);

    const int32_t records = ReadHighScoreRecords(data, size, first);
    if (records != first.count) std::abort();
    if (size > 0 && records < 1) std::abort(); // at least one byte makes a record
    size_t nameBytes = 0;
    for (const auto* n = first.first; n; n = n->next) {
        if (n->record.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
        nameBytes += n->record.name.size();
    }
    if (nameBytes > size) std::abort();

    const std::string bytes = HighScoreFileBytes(first);
    if (bytes.size() != nameBytes + 6 * size_t(records)) std::abort();
    ReadHighScoreRecords(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), second);
    if (!SameTables(first, second)) std::abort();

    // The high-score mode's use of the table: the tenth entry, an added score, the rows.
    if (records <= 2000) {
        ListClear(HighScores);
        ReadHighScoreRecords(data, size, HighScores);
        MaxScores = 10;
        const int32_t tenth = HighScoreValue(10);
        if (records >= 10 && tenth != ListSelect(HighScores, 9)->score) std::abort();
        AddHighScore("FUZZ", tenth);
        int32_t previous = INT32_MAX;
        for (int32_t p = 1; p <= HighScores.count; p++) {
            const int32_t v = HighScoreValue(p);
            if (v > previous) std::abort(); // highest first after an addition
            previous = v;
            (void)HighScoreName(p).size();
        }
        if (HighScores.count != records + 1) std::abort();
        ListClear(HighScores);
    }
    return 0;
}
