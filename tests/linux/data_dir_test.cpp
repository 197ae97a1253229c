// data_dir_test.cpp - where the game keeps its files: a portable folder, the player's data
// folder with the installed map copied in once, a temporary folder when the player's folder
// cannot be used, and a score file that cannot be written. HOME, XDG_DATA_HOME and TMPDIR
// point into a fresh folder for every test.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

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

// Saves and restores the environment and the working directory around each test.
class DataDir : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "TMPDIR"}) {
            const char* v = std::getenv(name);
            saved_.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
        }
        start_ = fs::current_path();
        for (const char* sub : {"home", "xdg", "tmp", "start", "share"})
            fs::create_directories(root_.File(sub));
        setenv("HOME", root_.File("home").c_str(), 1);
        setenv("XDG_DATA_HOME", root_.File("xdg").c_str(), 1);
        setenv("TMPDIR", root_.File("tmp").c_str(), 1);
        installed_ = root_.File("share/startmap.map");
        WriteFileBytes(installed_, MapBytes(1));
        fs::current_path(root_.File("start"));
    }
    void TearDown() override {
        fs::current_path(start_);
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    std::string Here() const { return fs::current_path().string(); }

    TempDir root_;
    std::string installed_;
    fs::path start_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace

TEST_F(DataDir, StartedBesideAMapTheGameWorksWhereItWasStarted) {
    WriteFileBytes("startmap.map", MapBytes(9));
    const DataDirResult r = EnterDataDir({installed_});
    EXPECT_EQ(r.kind, DATA_DIR_PORTABLE);
    EXPECT_EQ(Here(), root_.File("start"));
    EXPECT_EQ(r.path, root_.File("start"));
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_FALSE(fs::exists(root_.File("xdg/morvexa")))
        << "a portable copy leaves the user folder alone";
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(9));

    // A folder that only carries the name is no map: the installed rules apply.
    fs::remove("startmap.map");
    fs::create_directory("startmap.map");
    EXPECT_EQ(EnterDataDir({installed_}).kind, DATA_DIR_USER);
}

TEST_F(DataDir, TheInstalledGameMakesItsFolderAndCopiesTheMapOnlyOnFirstStart) {
    const DataDirResult first = EnterDataDir({installed_});
    const std::string folder = root_.File("xdg/morvexa");
    EXPECT_EQ(first.kind, DATA_DIR_USER);
    EXPECT_EQ(first.path, folder);
    EXPECT_EQ(Here(), folder);
    EXPECT_EQ(first.mapSource, installed_);
    EXPECT_TRUE(first.warnings.empty());
    EXPECT_EQ(ReadFileBytes(folder + "/startmap.map"), MapBytes(1));
    struct stat st;
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the data folder is private to the player";
    // No temporary file of the copy is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    // The player's copy is the map from now on, even when the installed one changes.
    WriteFileBytes(folder + "/startmap.map", MapBytes(5));
    WriteFileBytes(installed_, MapBytes(2));
    fs::current_path(root_.File("start"));
    const DataDirResult second = EnterDataDir({installed_});
    EXPECT_EQ(second.kind, DATA_DIR_USER);
    EXPECT_EQ(second.mapSource, "");
    EXPECT_EQ(ReadFileBytes(folder + "/startmap.map"), MapBytes(5));
    EXPECT_EQ(Here(), folder);
}

TEST_F(DataDir, TheFolderFollowsTheXdgRules) {
    EXPECT_EQ(UserDataDir("/x/data", "/home/p"), "/x/data/morvexa");
    EXPECT_EQ(UserDataDir(nullptr, "/home/p"), "/home/p/.local/share/morvexa");
    EXPECT_EQ(UserDataDir("", "/home/p"), "/home/p/.local/share/morvexa");
    EXPECT_EQ(UserDataDir("relative/data", "/home/p"), "/home/p/.local/share/morvexa");
    EXPECT_EQ(UserDataDir(nullptr, nullptr), "");

    // Without XDG_DATA_HOME the folder is made under HOME, parents and all.
    unsetenv("XDG_DATA_HOME");
    const DataDirResult r = EnterDataDir({installed_});
    EXPECT_EQ(r.kind, DATA_DIR_USER);
    EXPECT_EQ(Here(), root_.File("home/.local/share/morvexa"));
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(1));
}

TEST_F(DataDir, TheFirstInstalledMapThatCanBeReadIsCopied) {
    fs::create_directories(root_.File("moved/share"));
    WriteFileBytes(root_.File("moved/share/startmap.map"), MapBytes(3));
    const std::vector<std::string> places = {root_.File("nowhere/startmap.map"),
                                             root_.File("share"), // a folder, not a map
                                             root_.File("moved/share/startmap.map"), installed_};
    const DataDirResult r = EnterDataDir(places);
    EXPECT_EQ(r.mapSource, places[2]);
    EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(3));
}

TEST_F(DataDir, WithNoInstalledMapTheBuiltInMapIsTheLastResort) {
    const DataDirResult r = EnterDataDir({root_.File("nowhere/startmap.map")});
    EXPECT_EQ(r.kind, DATA_DIR_USER);
    if (const EmbeddedAsset* map = FindEmbeddedAsset("startmap.map")) {
        EXPECT_EQ(ReadFileBytes("startmap.map"),
                  std::vector<uint8_t>(map->data, map->data + map->size));
        EXPECT_TRUE(r.warnings.empty());
    } else {
        // Nothing to copy: the game starts with an empty sector, and says so.
        EXPECT_FALSE(fs::exists("startmap.map"));
        ASSERT_EQ(r.warnings.size(), 1u);
        EXPECT_NE(r.warnings[0].find("sector starts empty"), std::string::npos);
    }
}

TEST_F(DataDir, AFolderThatCannotBeMadeStillStartsTheGameInATemporaryFolder) {
    // A file where the data folder's parent should be (even root cannot make a folder in it),
    // then a place where no folder can be made at all.
    WriteFileBytes(root_.File("blocked"), {1});
    for (const std::string& xdg : {root_.File("blocked"), std::string("/proc/self/fdinfo")}) {
        SCOPED_TRACE(xdg);
        fs::current_path(root_.File("start"));
        setenv("XDG_DATA_HOME", xdg.c_str(), 1);
        const DataDirResult r = EnterDataDir({installed_});
        EXPECT_EQ(r.kind, DATA_DIR_TEMPORARY);
        EXPECT_EQ(fs::path(r.path).parent_path(), fs::path(root_.File("tmp")));
        EXPECT_EQ(Here(), r.path);
        EXPECT_EQ(ReadFileBytes("startmap.map"), MapBytes(1)) << "the sector is the installed one";
        ASSERT_EQ(r.warnings.size(), 1u);
        EXPECT_NE(r.warnings[0].find(xdg), std::string::npos) << r.warnings[0];
        EXPECT_NE(r.warnings[0].find("scores will not be kept"), std::string::npos);
    }
}

TEST_F(DataDir, AScoreFileThatCannotBeWrittenNeverStopsTheGame) {
    ASSERT_EQ(EnterDataDir({installed_}).kind, DATA_DIR_USER);
    fs::create_directory("scores.dat"); // in the way of every write, even root's
    InitHighScores(10, "scores.dat");
    ResetHighScores();
    EXPECT_EQ(SaveHighScores(), 0);
    EXPECT_EQ(LoadHighScores(), 0);
    EXPECT_EQ(HighScoreValue(1), 140000) << "the table in memory is kept";
    EXPECT_TRUE(fs::is_directory("scores.dat"));
    // Once the way is clear the scores are saved where the map is.
    fs::remove("scores.dat");
    EXPECT_EQ(SaveHighScores(), 1);
    EXPECT_TRUE(fs::is_regular_file(root_.File("xdg/morvexa/scores.dat")));
}

TEST_F(DataDir, AnInstalledGameStartedFromElsewhereFindsTheMapInstalledBesideIt) {
    // Install this build into a prefix it was not configured for, then start the installed
    // program from an empty folder: it finds the map relative to itself and copies it into
    // the player's folder before it even looks for a display.
    const std::string prefix = root_.File("prefix");
    const ProgramResult install =
        RunProgram({MVX_CMAKE_COMMAND, "--install", BinaryPath(""), "--prefix", prefix}, Here());
    ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
    const std::string program = prefix + "/" + MVX_INSTALL_BINDIR + "/morvexa";
    const std::string map = prefix + "/" + MVX_INSTALL_DATADIR + "/startmap.map";
    ASSERT_TRUE(fs::is_regular_file(map));
    EXPECT_EQ(InstalledMapPlaces(program).front(), map);

    const ProgramResult run = RunProgram(
        {program, "--windowed"}, root_.File("start"),
        {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_RUNTIME_DIR"},
        {{"HOME", root_.File("home")}, {"XDG_DATA_HOME", root_.File("xdg")}});
    EXPECT_EQ(run.exitCode, 1) << "no display here: " << run.err;
    EXPECT_EQ(ReadFileBytes(root_.File("xdg/morvexa/startmap.map")), ReadFileBytes(map));
    EXPECT_FALSE(fs::exists(root_.File("start/startmap.map")));
}
