// fuzz_folder.h - a private folder for a fuzz target's files, in memory where the machine has
// /dev/shm (every input writes its file, so a disk would slow the target down).
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <string>

// Makes /dev/shm/<name>-XXXXXX (or under /tmp); "" when it cannot be made.
inline std::string MakeFuzzFolder(const char* name) {
    struct stat st;
    std::string pattern = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
    pattern += std::string("/") + name + "-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}
