// fuzz_replay_test.cpp - every input the fuzz targets keep is fed to the same code again: the
// committed seeds (fuzz/corpus/<target>/), every crash input ever found
// (fuzz/regressions/<target>/) and the shipped assets of each kind. A target's body aborts
// when a rule of its parser breaks, and the sanitizer suite catches any bad access, so an
// input that once crashed a parser keeps guarding its fix.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/testkit.h"

extern "C" int FuzzMapInput(const uint8_t* data, size_t size);
extern "C" int FuzzScoreInput(const uint8_t* data, size_t size);
extern "C" int FuzzBmpInput(const uint8_t* data, size_t size);
extern "C" int FuzzXmInput(const uint8_t* data, size_t size);
extern "C" int FuzzWavInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

struct FuzzTarget {
    const char* name;
    int (*entry)(const uint8_t*, size_t);
    const char* assetExtension; // shipped assets that are seeds too ("" none)
};

const FuzzTarget TARGETS[] = {
    {"map", FuzzMapInput, ".map"}, {"score", FuzzScoreInput, ""}, {"bmp", FuzzBmpInput, ".bmp"},
    {"xm", FuzzXmInput, ".xm"},    {"wav", FuzzWavInput, ".wav"},
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    if (!fs::is_directory(folder)) return files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

const FuzzTarget& TargetNamed(const std::string& name) {
    for (const FuzzTarget& t : TARGETS)
        if (name == t.name) return t;
    return TARGETS[0];
}

class FuzzInputs : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(FuzzInputs, EverySeedCrashInputAndShippedAssetIsHandled) {
    const FuzzTarget& t = TargetNamed(GetParam());
    ASSERT_EQ(GetParam(), t.name);
    std::vector<std::string> inputs = FilesIn(SourcePath(std::string("fuzz/corpus/") + t.name));
    const size_t seeds = inputs.size();
    const std::vector<std::string> crashes =
        FilesIn(SourcePath(std::string("fuzz/regressions/") + t.name));
    inputs.insert(inputs.end(), crashes.begin(), crashes.end());
    if (*t.assetExtension)
        for (const std::string& f : FilesIn(SourcePath("assets")))
            if (fs::path(f).extension() == t.assetExtension) inputs.push_back(f);
    ASSERT_GT(seeds, 0u) << "the target keeps its seeds in fuzz/corpus/" << t.name;

    const fs::path here = fs::current_path(); // the map target works in a folder of its own
    for (const std::string& f : inputs) {
        SCOPED_TRACE(f);
        const std::vector<uint8_t> bytes = ReadFileBytes(f);
        EXPECT_EQ(t.entry(bytes.data(), bytes.size()), 0);
    }
    fs::current_path(here);
    std::printf("%s: %zu inputs (%zu seeds, %zu crash inputs)\n", t.name, inputs.size(), seeds,
                crashes.size());
}

INSTANTIATE_TEST_SUITE_P(Parsers, FuzzInputs, ::testing::Values("map", "score", "bmp", "xm", "wav"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });
