// replay_fuzzer.cpp - any bytes given to --replay are either refused with one line that names
// the line and byte, or read as a recording that writes back to exactly those bytes (so
// nothing in an accepted file is ignored or taken differently from what it says). Also built
// into the reliability tests (entry point renamed).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    ReplayRecording recording;
    std::string error;
    if (!ParseReplay(bytes, &recording, &error)) {
        if (error.rfind("line ", 0) != 0 || error.find(" (byte ") == std::string::npos ||
            error.find('\n') != std::string::npos)
            std::abort(); // a refusal is one line naming where
        return 0;
    }
    const std::string again = FormatReplay(recording);
    if (again != std::string(bytes.begin(), bytes.end())) std::abort();
    return 0;
}
