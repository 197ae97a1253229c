// list.h - doubly linked lists of plain records with a current-record cursor.
//
// Every object list of the game (shots, drones, particles, pickups, panels, targets, the
// high-score table) is one of these. The game walks a list and edits it in place:
//
//     ListRewind(Shots);
//     while (Shot* s = ListNext(Shots)) {
//         ...
//         if (dead) ListDeleteCurrent(Shots); // cursor falls back; the walk goes on safely
//     }
//
// Records are value-initialised (zero-filled) when added. Deleted nodes are kept on a free
// list and reused, so the per-frame spawn and removal of particles does not touch the heap.
// Main thread only.
#pragma once

#include <cstdint>
#include <utility>

template <typename T> struct List {
    struct Node {
        T record;
        Node* prev;
        Node* next;
    };
    Node* first = nullptr;
    Node* last = nullptr;
    Node* current = nullptr; // none: the cursor stands before the first record
    int32_t count = 0;
    int32_t position = 0;  // 1-based position of current, 0 when none
    Node* spare = nullptr; // recycled nodes

    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List() {
        ListClear(*this);
        while (spare) {
            Node* n = spare;
            spare = n->next;
            delete n;
        }
    }
};

template <typename T> T* ListCurrent(List<T>& list) {
    return list.current ? &list.current->record : nullptr;
}

// Adds a zero-filled record after the current one (at the front when there is none);
// the new record becomes current.
template <typename T> T* ListAdd(List<T>& list) {
    typename List<T>::Node* n = list.spare;
    if (n) {
        list.spare = n->next;
        n->record = T{};
    } else {
        n = new typename List<T>::Node{T{}, nullptr, nullptr};
    }
    typename List<T>::Node* before = list.current;
    typename List<T>::Node* after = before ? before->next : list.first;
    n->prev = before;
    n->next = after;
    if (before)
        before->next = n;
    else
        list.first = n;
    if (after)
        after->prev = n;
    else
        list.last = n;
    list.current = n;
    list.count += 1;
    list.position += 1;
    return &n->record;
}

// Adds a zero-filled record at the end, wherever the cursor stood, and makes it current. The
// game objects spawn this way, so a list keeps the order in which things were made and a
// record spawned earlier in a frame is updated in that frame. It moves the cursor: a walk of
// the same list would go on from the new record.
template <typename T> T* ListAppend(List<T>& list) {
    list.current = list.last;
    list.position = list.count;
    return ListAdd(list);
}

template <typename T> void ListRewind(List<T>& list) {
    list.current = nullptr;
    list.position = 0;
}

// Moves to the next record and returns it; from none it moves to the first. At the end (or
// on an empty list) returns nullptr and leaves the cursor where it was.
template <typename T> T* ListNext(List<T>& list) {
    typename List<T>::Node* n = list.current ? list.current->next : list.first;
    if (!n) return nullptr;
    list.current = n;
    list.position += 1;
    return &n->record;
}

// Removes the current record; the previous record becomes current (none if it was first).
template <typename T> void ListDeleteCurrent(List<T>& list) {
    typename List<T>::Node* n = list.current;
    if (!n) return;
    if (n->prev)
        n->prev->next = n->next;
    else
        list.first = n->next;
    if (n->next)
        n->next->prev = n->prev;
    else
        list.last = n->prev;
    list.current = n->prev;
    list.count -= 1;
    list.position -= 1;
    n->record = T{}; // release what the record owns (a name string) before parking the node
    n->next = list.spare;
    n->prev = nullptr;
    list.spare = n;
}

template <typename T> void ListClear(List<T>& list) {
    ListRewind(list);
    while (list.first) {
        list.current = list.first;
        list.position = 1;
        ListDeleteCurrent(list);
    }
    ListRewind(list);
}

// Makes the record at the 0-based index current and returns it; an index outside the list
// makes current none and returns nullptr.
template <typename T> T* ListSelect(List<T>& list, int32_t index) {
    if (index < 0 || index >= list.count) {
        ListRewind(list);
        return nullptr;
    }
    typename List<T>::Node* n = list.first;
    for (int32_t i = 0; i < index; i++) n = n->next;
    list.current = n;
    list.position = index + 1;
    return &n->record;
}

// Sorts by a signed 32-bit field, largest first, with the runtime's quicksort (Hoare
// partitioning, median-of-three pivot choice). Records exchange their contents; the links
// stay. The order of equal keys is the one this exact algorithm gives (it is not stable),
// which the high-score table relies on. Afterwards the last record is current.
template <typename T> void ListSortDescending(List<T>& list, int32_t T::*key) {
    const int32_t n = list.count;
    if (n >= 2) {
        // Index the nodes once; the sort exchanges records by position.
        typename List<T>::Node** at = new typename List<T>::Node*[n];
        typename List<T>::Node* node = list.first;
        for (int32_t i = 0; i < n; i++, node = node->next) at[i] = node;
        auto k = [&](int32_t p) { return at[p]->record.*key; };
        auto exchange = [&](int32_t a, int32_t b) {
            if (a != b) std::swap(at[a]->record, at[b]->record);
        };
        auto partition = [&](int32_t lo, int32_t hi) {
            const int32_t mid = lo + (hi - lo) / 2;
            int32_t q;
            if (k(lo) < k(hi))
                q = mid;
            else if (k(mid) >= k(lo))
                q = lo;
            else if (k(mid) > k(hi))
                q = mid;
            else
                q = hi;
            exchange(lo, q);
            const int32_t v = k(lo);
            int32_t i = lo - 1, j = hi + 1;
            for (;;) {
                do j--;
                while (k(j) < v);
                do i++;
                while (k(i) > v);
                if (i >= j) return j;
                exchange(i, j);
            }
        };
        // Recurse on the left part, loop on the right, as the runtime does.
        struct Sorter {
            decltype(partition)& part;
            void Sort(int32_t lo, int32_t hi) {
                while (hi - lo >= 1) {
                    int32_t p = part(lo, hi);
                    Sort(lo, p);
                    lo = p + 1;
                }
            }
        } sorter{partition};
        sorter.Sort(0, n - 1);
        delete[] at;
    }
    list.current = list.last;
    list.position = list.count;
}
