// list_append.h - adds a record at the end of an object list.
//
// The game objects add their records behind the last one, so that a record spawned during a
// frame is updated in the same frame and the lists keep the order in which things were made.
// After a full walk the cursor stands on the last record anyway; this makes the rule hold
// whatever the cursor did. Main thread only.
#pragma once

#include "support/list.h"

template <typename T> T* ListAppend(List<T>& list) {
    list.current = list.last;
    list.position = list.count;
    return ListAdd(list);
}
