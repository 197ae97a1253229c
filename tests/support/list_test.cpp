// list_test.cpp - the cursor list: walks with deletion, insertion at the cursor, selection,
// and the descending quicksort whose order of equal keys the high-score table relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/list.h"

namespace {

struct Entry {
    int32_t key;
    char label;
    int32_t extra;
};

void Fill(List<Entry>& list, const std::string& labels, const std::vector<int32_t>& keys = {}) {
    ListClear(list);
    for (size_t i = 0; i < labels.size(); i++)
        *ListAdd(list) = {i < keys.size() ? keys[i] : int32_t(i + 1), labels[i], 0};
}

// The labels in list order; "broken links" when walking back from the last disagrees.
std::string Labels(List<Entry>& list) {
    std::string forward, backward;
    for (auto* n = list.first; n; n = n->next) forward += n->record.label;
    for (auto* n = list.last; n; n = n->prev) backward.insert(backward.begin(), n->record.label);
    return forward == backward ? forward : "broken links";
}

} // namespace

TEST(CursorList, WalkingAndDeletingVisitsEveryRecordOnce) {
    List<Entry> list;
    Fill(list, "abcde");
    std::string visited;
    bool beforeFirst = false;
    ListRewind(list);
    while (Entry* e = ListNext(list)) {
        const int32_t key = e->key;
        visited += e->label;
        if (key % 2) ListDeleteCurrent(list); // the first: the cursor falls before it
        if (key == 1) beforeFirst = !ListCurrent(list) && list.position == 0;
    }
    EXPECT_EQ(std::tuple(visited, beforeFirst, Labels(list), list.count),
              std::tuple("abcde", true, "bd", 2));
    EXPECT_TRUE(ListCurrent(list)->label == 'd' && list.position == 2) << "the end keeps it";
    Fill(list, "x");
    ListDeleteCurrent(list);
    ListDeleteCurrent(list); // no current record: nothing happens
    EXPECT_TRUE(list.count == 0 && !list.first && !list.last && !ListNext(list));
}

TEST(CursorList, AppendGoesToTheEndAddAfterTheCurrentZeroFilledAndSelectOutsideLeavesNone) {
    List<Entry> list;
    Fill(list, "ab");
    ListRewind(list);
    ListAppend(list)->label = 'c'; // no current record
    ListSelect(list, 0);
    ListAppend(list)->label = 'd'; // on the first
    EXPECT_TRUE(ListCurrent(list)->label == 'd' && list.position == 4);
    ListRewind(list);
    ListAdd(list)->label = 'F'; // no current record: in front
    ListSelect(list, 2);
    ListAdd(list)->label = 'M';
    EXPECT_EQ(std::pair(Labels(list), list.position), std::pair(std::string("FabMcd"), 4));
    *ListAdd(list) = {77, 'z', -5};
    ListDeleteCurrent(list);
    const Entry* e = ListAdd(list); // on the node just freed
    EXPECT_TRUE(e->key == 0 && e->label == 0 && e->extra == 0);
    for (int32_t bad : {-1, 7, INT32_MIN}) {
        EXPECT_EQ(ListSelect(list, bad), nullptr) << bad;
        EXPECT_TRUE(ListCurrent(list) == nullptr && list.position == 0);
    }
}

TEST(CursorListSort, LargestFirstWithTheRuntimesOrderForEqualKeys) {
    const struct {
        const char* labels;
        std::vector<int32_t> keys;
        const char* sorted;
    } cases[] = {{"abc", {5, 9, 7}, "bca"},
                 {"AB", {3, 3}, "BA"}, // not stable
                 {"apbqcr", {2, 7, 2, 9, 2, 4}, "qprcba"},
                 {"abc", {3, 3, 3}, "bca"},
                 {"abc", {5, 1, 1}, "abc"},
                 {"x", {-4}, "x"},
                 {"", {}, ""}};
    List<Entry> list;
    for (const auto& c : cases) {
        Fill(list, c.labels, c.keys);
        ListRewind(list);
        ListSortDescending(list, &Entry::key);
        EXPECT_EQ(Labels(list), c.sorted);
        EXPECT_TRUE(list.current == list.last && list.position == list.count) << c.sorted;
    }
}
