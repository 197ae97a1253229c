// fuzz_replay_test.cpp - every input the fuzz targets keep (fuzz/corpus/, every crash input in
// fuzz/regressions/, the shipped assets of each kind) fed to the targets' bodies again, each
// in a child process so that one which aborts is named and the rest still run.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/testkit.h"

// The fuzz targets' bodies, built in under these names (tests.cmake).
extern "C" int FuzzMapInput(const uint8_t*, size_t), FuzzMapplayInput(const uint8_t*, size_t),
    FuzzScoreInput(const uint8_t*, size_t), FuzzBmpInput(const uint8_t*, size_t),
    FuzzXmInput(const uint8_t*, size_t), FuzzWavInput(const uint8_t*, size_t),
    FuzzReplayInput(const uint8_t*, size_t);

namespace {

struct FuzzTarget {
    const char* name;
    int (*entry)(const uint8_t*, size_t);
    const char* assetExtension; // shipped assets that are inputs too ("" none)
};
void PrintTo(const FuzzTarget& t, std::ostream* os) {
    *os << t.name;
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension = "") {
    std::vector<std::string> files;
    for (const std::string& name : Listing(folder))
        if (extension.empty() || std::filesystem::path(name).extension() == extension)
            files.push_back(folder + "/" + name);
    return files;
}

class FuzzInputs : public ::testing::TestWithParam<FuzzTarget> {};

} // namespace

TEST_P(FuzzInputs, EverySeedCrashInputAndShippedAssetIsHandled) {
    const FuzzTarget& t = GetParam();
    std::vector<std::string> inputs = FilesIn(SourcePath("fuzz/corpus/") + t.name);
    const size_t seeds = inputs.size();
    ASSERT_GT(seeds, 0u) << "the target keeps its seeds in fuzz/corpus/" << t.name;
    const std::vector<std::string> crashes = FilesIn(SourcePath("fuzz/regressions/") + t.name);
    inputs.insert(inputs.end(), crashes.begin(), crashes.end());
    if (*t.assetExtension)
        for (const std::string& f : FilesIn(SourcePath("assets"), t.assetExtension))
            inputs.push_back(f);
    for (const std::string& f : inputs) { // each in a child: "" when the target returned 0
        const std::vector<uint8_t> bytes = ReadFileBytes(f);
        EXPECT_EQ(RunInChild([&] { return t.entry(bytes.data(), bytes.size()) == 0 ? 0 : 1; }), "")
            << f;
    }
    std::printf("%s: %zu inputs (%zu seeds, %zu crash inputs)\n", t.name, inputs.size(), seeds,
                crashes.size());
}

INSTANTIATE_TEST_SUITE_P(Parsers, FuzzInputs,
                         ::testing::Values(FuzzTarget{"map", FuzzMapInput, ".map"},
                                           FuzzTarget{"mapplay", FuzzMapplayInput, ".map"},
                                           FuzzTarget{"score", FuzzScoreInput, ""},
                                           FuzzTarget{"bmp", FuzzBmpInput, ".bmp"},
                                           FuzzTarget{"replay", FuzzReplayInput, ""},
                                           FuzzTarget{"xm", FuzzXmInput, ".xm"},
                                           FuzzTarget{"wav", FuzzWavInput, ".wav"}),
                         [](const auto& target) { return std::string(target.param.name); });
