// data_dir_test.cpp - where the game keeps its files: a portable folder, the player's data
// folder (the map copied in once), the installed game (the fallback: tests/reliability).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "app/data_dir.h"
#include "assets/assets.h"
#include "frontend/highscores.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> MapBytes(uint8_t seed) {
    std::vector<uint8_t> bytes(40804);
    for (size_t i = 0; i < bytes.size(); i++) bytes[i] = uint8_t(i * 7 + seed);
    return bytes;
}

// HOME, XDG_DATA_HOME and TMPDIR in a fresh folder, the working directory an empty folder
// in it (restored when the folder goes), and an installed map.
class DataDir : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* sub : {"home", "xdg", "tmp", "start", "share"})
            fs::create_directories(root_.File(sub));
        setenv("HOME", root_.File("home").c_str(), 1);
        setenv("XDG_DATA_HOME", root_.File("xdg").c_str(), 1);
        setenv("TMPDIR", root_.File("tmp").c_str(), 1);
        WriteFileBytes(installed_, MapBytes(1));
        fs::current_path(root_.File("start"));
    }
    std::string Here() const { return fs::current_path().string(); }

    TempDir root_{true};
    std::string installed_ = root_.File("share/startmap.map");
};

} // namespace

TEST_F(DataDir, StartedBesideAMapTheGameWorksWhereItWasStarted) {
    WriteFileBytes("startmap.map", MapBytes(9));
    const DataDirResult r = EnterDataDir({installed_});
    EXPECT_EQ(r.kind, DATA_DIR_PORTABLE);
    EXPECT_TRUE(r.path == root_.File("start") && Here() == r.path && r.warnings.empty());
    EXPECT_FALSE(fs::exists(root_.File("xdg/morvexa"))) << "the user folder is left alone";
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(9));
    fs::remove("startmap.map");
    fs::create_directory("startmap.map"); // a folder that only carries the name is no map
    EXPECT_EQ(EnterDataDir({installed_}).kind, DATA_DIR_USER);
}

TEST_F(DataDir, TheInstalledGameMakesItsPrivateFolderCopiesTheMapOnceAndKeepsScoresThere) {
    const std::string folder = root_.File("xdg/morvexa");
    const DataDirResult first = EnterDataDir({installed_});
    EXPECT_TRUE(first.kind == DATA_DIR_USER && first.path == folder && Here() == folder &&
                first.warnings.empty() && first.mapSource == installed_);
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(1));
    struct stat st;
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no temporary file of the copy is left";
    InitHighScores(10, "scores.dat");
    ResetHighScores();
    EXPECT_EQ(SaveHighScores(), 1);
    EXPECT_TRUE(fs::is_regular_file(folder + "/scores.dat"));

    // The player's copy is the map from now on, even when the installed one changes.
    WriteFileBytes("startmap.map", MapBytes(5));
    WriteFileBytes(installed_, MapBytes(2));
    fs::current_path(root_.File("start"));
    const DataDirResult second = EnterDataDir({installed_});
    EXPECT_TRUE(second.kind == DATA_DIR_USER && second.mapSource == "" && Here() == folder);
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(5));
}

TEST_F(DataDir, TheFolderFollowsTheXdgRulesAndTheFirstReadableInstalledMapOrTheBuiltInOneIsCopied) {
    EXPECT_EQ(UserDataDir("/x/data", "/home/p"), "/x/data/morvexa");
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/data"})
        EXPECT_EQ(UserDataDir(unusable, "/home/p"), "/home/p/.local/share/morvexa") << unusable;
    EXPECT_EQ(UserDataDir(nullptr, nullptr), "");
    const EmbeddedAsset* map = FindEmbeddedAsset("startmap.map");
    ASSERT_NE(map, nullptr);
    const DataDirResult builtIn = EnterDataDir({root_.File("nowhere/startmap.map")});
    EXPECT_TRUE(builtIn.kind == DATA_DIR_USER && builtIn.warnings.empty());
    EXPECT_EQ(ReadFileBytes("startmap.map"), std::vector<uint8_t>(map->data, map->data + map->size))
        << "with no installed map the built-in one is the last resort";
    unsetenv("XDG_DATA_HOME"); // the folder is made under HOME, parents and all
    fs::current_path(root_.File("start"));
    WriteFileBytes(root_.File("later.map"), MapBytes(3));
    const DataDirResult r = EnterDataDir({root_.File("nowhere/startmap.map"), root_.File("share"),
                                          installed_, root_.File("later.map")});
    EXPECT_EQ(Here(), root_.File("home/.local/share/morvexa"));
    EXPECT_EQ(r.mapSource, installed_);
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(1));
}

// Installed into a prefix it was not configured for, the game finds its map beside itself.
// (Without a display it makes no folder: tests/reliability.)
TEST_F(DataDir, AnInstalledGameFindsItsMapRelativeToItselfAndCopiesIt) {
    const std::string prefix = root_.File("prefix");
    const ProgramResult install =
        RunProgram({MVX_CMAKE_COMMAND, "--install", BinaryPath(""), "--prefix", prefix}, Here());
    ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
    const std::string program = prefix + "/" + MVX_INSTALL_BINDIR + "/morvexa";
    const std::string map = prefix + "/" + MVX_INSTALL_DATADIR + "/startmap.map";
    ASSERT_TRUE(fs::is_regular_file(map));
    EXPECT_EQ(InstalledMapPlaces(program).front(), map);
    EnterDataDir(InstalledMapPlaces(program));
    EXPECT_EQ(ReadFileBytes(root_.File("xdg/morvexa/startmap.map")), ReadFileBytes(map));
}
