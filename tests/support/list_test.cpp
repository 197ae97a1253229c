// list_test.cpp - the cursor list: walks with deletion, insertion at the cursor, selection,
// and the descending quicksort whose order of equal keys the high-score table relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/list.h"
#include "support/random.h"

namespace {

struct Entry {
    int32_t key;
    char label;
    int32_t extra;
};

void Fill(List<Entry>& list, const std::vector<std::pair<int32_t, char>>& entries) {
    ListClear(list);
    for (auto [key, label] : entries) {
        Entry* e = ListAdd(list);
        e->key = key;
        e->label = label;
    }
}

std::string Labels(List<Entry>& list) {
    std::string out;
    for (auto* n = list.first; n; n = n->next) out += n->record.label;
    return out;
}

// Walks back from the last record, so that broken back links show up too.
std::string LabelsBackwards(List<Entry>& list) {
    std::string out;
    for (auto* n = list.last; n; n = n->prev) out.insert(out.begin(), n->record.label);
    return out;
}

} // namespace

TEST(CursorList, WalkReturnsEveryRecordThenNoneAndKeepsTheLast) {
    List<Entry> list;
    Fill(list, {{1, 'a'}, {2, 'b'}, {3, 'c'}});
    ListRewind(list);
    std::string seen;
    for (int i = 0; i < 3; i++) seen += ListNext(list)->label;
    EXPECT_EQ(seen, "abc");
    EXPECT_EQ(ListNext(list), nullptr);
    ASSERT_NE(ListCurrent(list), nullptr);
    EXPECT_EQ(ListCurrent(list)->label, 'c');
    EXPECT_EQ(list.position, 3);
    List<Entry> empty;
    EXPECT_EQ(ListNext(empty), nullptr);
    EXPECT_EQ(ListCurrent(empty), nullptr);
}

TEST(CursorList, DeletingWhileWalkingVisitsEveryOtherRecordOnce) {
    List<Entry> list;
    Fill(list, {{1, 'a'}, {2, 'b'}, {3, 'c'}, {4, 'd'}, {5, 'e'}});
    // Delete the first record: the cursor falls before the first, and the walk goes on.
    ListRewind(list);
    ListNext(list);
    ListDeleteCurrent(list);
    EXPECT_EQ(ListCurrent(list), nullptr);
    EXPECT_EQ(list.position, 0);
    EXPECT_EQ(ListNext(list)->label, 'b');

    // The game's walk: delete the odd keys, look at every record exactly once.
    Fill(list, {{1, 'a'}, {2, 'b'}, {3, 'c'}, {4, 'd'}, {5, 'e'}});
    std::string visited;
    ListRewind(list);
    while (Entry* e = ListNext(list)) {
        visited += e->label;
        if (e->key % 2) ListDeleteCurrent(list);
    }
    EXPECT_EQ(visited, "abcde");
    EXPECT_EQ(Labels(list), "bd");
    EXPECT_EQ(LabelsBackwards(list), "bd");
    EXPECT_EQ(list.count, 2);

    // Deleting the only record empties the list; deleting with no current does nothing.
    Fill(list, {{1, 'x'}});
    ListDeleteCurrent(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    ListDeleteCurrent(list);
    EXPECT_EQ(list.count, 0);
}

TEST(CursorList, AddGoesAfterTheCurrentRecordOrAtTheFrontAfterRewind) {
    List<Entry> list;
    Fill(list, {{1, 'a'}, {2, 'b'}});
    ListRewind(list);
    ListAdd(list)->label = 'F';
    EXPECT_EQ(Labels(list), "Fab");
    EXPECT_EQ(list.position, 1);
    ListSelect(list, 1); // 'a'
    ListAdd(list)->label = 'M';
    EXPECT_EQ(Labels(list), "FaMb");
    EXPECT_EQ(LabelsBackwards(list), "FaMb");
    EXPECT_EQ(list.position, 3);
    EXPECT_EQ(list.count, 4);
    ListSelect(list, 3);
    ListAdd(list)->label = 'L';
    EXPECT_EQ(list.last->record.label, 'L');
}

TEST(CursorList, RecordsAreZeroFilledEvenWhenTheirNodeIsReused) {
    List<Entry> list;
    Entry* e = ListAdd(list);
    e->key = 77, e->label = 'z', e->extra = -5;
    ListDeleteCurrent(list);
    Entry* again = ListAdd(list);
    EXPECT_EQ(again->key, 0);
    EXPECT_EQ(again->label, 0);
    EXPECT_EQ(again->extra, 0);
}

TEST(CursorList, SelectOutsideTheListLeavesNoCurrentRecord) {
    List<Entry> list;
    Fill(list, {{1, 'a'}, {2, 'b'}, {3, 'c'}});
    EXPECT_EQ(ListSelect(list, 2)->label, 'c');
    EXPECT_EQ(list.position, 3);
    for (int32_t bad : {-1, 3, 100, INT32_MIN}) {
        ListSelect(list, 0);
        EXPECT_EQ(ListSelect(list, bad), nullptr) << bad;
        EXPECT_EQ(ListCurrent(list), nullptr);
        EXPECT_EQ(list.position, 0);
    }
    ListClear(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(ListSelect(list, 0), nullptr);
}

TEST(CursorListSort, LargestFirstWithTheRuntimesOrderForEqualKeys) {
    List<Entry> list;
    Fill(list, {{5, 'a'}, {9, 'b'}, {7, 'c'}});
    ListSortDescending(list, &Entry::key);
    EXPECT_EQ(Labels(list), "bca");

    // Not stable: two equal keys come out swapped.
    Fill(list, {{3, 'A'}, {3, 'B'}});
    ListSortDescending(list, &Entry::key);
    EXPECT_EQ(Labels(list), "BA");

    // Worked by hand through the partitions: 2a 7 2b 9 2c 4 -> 9 7 4 2c 2b 2a.
    Fill(list, {{2, 'a'}, {7, 'p'}, {2, 'b'}, {9, 'q'}, {2, 'c'}, {4, 'r'}});
    ListSortDescending(list, &Entry::key);
    EXPECT_EQ(Labels(list), "qprcba");
    EXPECT_EQ(LabelsBackwards(list), "qprcba");
    // Afterwards the last record is current.
    ASSERT_NE(ListCurrent(list), nullptr);
    EXPECT_EQ(ListCurrent(list)->label, 'a');
    EXPECT_EQ(list.position, 6);
}

TEST(CursorListSort, EmptyAndSingleListsStayAsTheyAre) {
    List<Entry> list;
    ListSortDescending(list, &Entry::key);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(ListCurrent(list), nullptr);
    Fill(list, {{-4, 'x'}});
    ListRewind(list);
    ListSortDescending(list, &Entry::key);
    EXPECT_EQ(Labels(list), "x");
    EXPECT_EQ(ListCurrent(list)->label, 'x');
}

namespace {

// The quicksort as its description reads, on a plain array.
struct SortModel {
    std::vector<std::pair<int32_t, char>> a;
    int32_t k(int p) const { return a[p].first; }
    int Partition(int lo, int hi) {
        const int mid = lo + (hi - lo) / 2;
        int q;
        if (k(lo) < k(hi))
            q = mid;
        else if (k(mid) >= k(lo))
            q = lo;
        else if (k(mid) > k(hi))
            q = mid;
        else
            q = hi;
        std::swap(a[lo], a[q]);
        const int32_t v = k(lo);
        int i = lo - 1, j = hi + 1;
        for (;;) {
            for (j--; k(j) < v; j--) {
            }
            for (i++; k(i) > v; i++) {
            }
            if (i >= j) return j;
            std::swap(a[i], a[j]);
        }
    }
    void Sort(int lo, int hi) {
        while (hi - lo >= 1) {
            const int p = Partition(lo, hi);
            Sort(lo, p);
            lo = p + 1;
        }
    }
};

} // namespace

TEST(CursorListSort, ManyEqualKeysComeOutAsTheDescribedQuicksortLeavesThem) {
    RandomSeed(31337);
    List<Entry> list;
    for (int round = 0; round < 300; round++) {
        SortModel model;
        const int count = RandomInt(40);
        const int32_t spread = RandomInt(5); // few distinct keys: many ties
        for (int i = 0; i < count; i++)
            model.a.push_back({RandomInt(spread) - 2, char(33 + i)}); // unique labels
        Fill(list, model.a);
        ListSortDescending(list, &Entry::key);
        if (count > 1) model.Sort(0, count - 1);
        std::string expected;
        for (auto& e : model.a) expected += e.second;
        ASSERT_EQ(Labels(list), expected) << "round " << round;
        for (auto* n = list.first; n && n->next; n = n->next)
            ASSERT_GE(n->record.key, n->next->record.key);
    }
}
