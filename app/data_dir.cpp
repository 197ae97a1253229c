// data_dir.cpp - choosing, making and entering the folder the game works in.
//
// Sections: 1. small file helpers  2. the map copy  3. the rules
#include "app/data_dir.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "assets/assets.h"
#include "packaging/install_dirs.h"

namespace {

const char* const MAP_NAME = "startmap.map";

// ================================================================ 1. small file helpers
bool IsRegularFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

std::string CurrentDir() {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::current_path(ec);
    return ec ? std::string() : p.string();
}

} // namespace

// mkdir -p; folders we create are private to the user (0700), as the XDG rules ask.
bool MakeFolders(const std::string& path, std::string* why) {
    std::string sofar;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        sofar = path.substr(0, slash);
        start = slash + 1;
        if (sofar.empty()) continue; // the root
        if (mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) {
            *why = "cannot create " + sofar + ": " + ErrorText(errno);
            return false;
        }
        if (!IsDirectory(sofar)) {
            *why = "cannot create " + sofar + ": " + ErrorText(ENOTDIR);
            return false;
        }
    }
    return true;
}

namespace {

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    if (!IsRegularFile(path)) return false;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bytes->clear();
    uint8_t buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            return false;
        }
        if (n == 0) break;
        bytes->insert(bytes->end(), buffer, buffer + n);
    }
    close(fd);
    return true;
}

} // namespace

// Writes dir/name through a temporary file and a rename, so that a start that is cut short
// never leaves a half-written map behind.
bool WriteFileAtomically(const std::string& dir, const char* name, const uint8_t* data, size_t size,
                         std::string* why) {
    std::string temp = dir + "/." + name + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        *why = "cannot write into " + dir + ": " + ErrorText(errno);
        return false;
    }
    fchmod(fd, 0644);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *why = "cannot write " + dir + "/" + name + ": " + ErrorText(n < 0 ? errno : ENOSPC);
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        done += size_t(n);
    }
    if (close(fd) != 0 || rename(temp.c_str(), (dir + "/" + name).c_str()) != 0) {
        *why = "cannot write " + dir + "/" + name + ": " + ErrorText(errno);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

namespace {

// ================================================================ 2. the map copy
enum MapPlacement { MAP_PLACED, MAP_NO_SOURCE, MAP_WRITE_FAILED };

// Copies the first installed map that can be read into dir, else the embedded one.
MapPlacement PlaceMap(const std::string& dir, const std::vector<std::string>& installedMaps,
                      std::string* source, std::string* why) {
    std::vector<uint8_t> bytes;
    for (const std::string& place : installedMaps) {
        if (!ReadWholeFile(place, &bytes)) continue;
        if (!WriteFileAtomically(dir, MAP_NAME, bytes.data(), bytes.size(), why))
            return MAP_WRITE_FAILED;
        *source = place;
        return MAP_PLACED;
    }
    if (const EmbeddedAsset* embedded = FindEmbeddedAsset(MAP_NAME)) {
        if (!WriteFileAtomically(dir, MAP_NAME, embedded->data, embedded->size, why))
            return MAP_WRITE_FAILED;
        *source = "(built into the program)";
        return MAP_PLACED;
    }
    return MAP_NO_SOURCE;
}

// Makes dir (if needed), gives it a map (if it has none) and enters it. False with the
// reason when the folder cannot serve; a missing map source is only a warning: the game
// then starts with an empty sector, as it does whenever the map file is missing.
bool SettleIn(const std::string& dir, const std::vector<std::string>& installedMaps,
              DataDirResult* result, std::string* why) {
    if (!MakeFolders(dir, why)) return false;
    const std::string map = dir + "/" + MAP_NAME;
    if (!IsRegularFile(map)) {
        std::string source;
        switch (PlaceMap(dir, installedMaps, &source, why)) {
        case MAP_PLACED: result->mapSource = source; break;
        case MAP_WRITE_FAILED: return false;
        case MAP_NO_SOURCE:
            result->warnings.push_back("morvexa: no installed " + std::string(MAP_NAME) +
                                       " found; the sector starts empty");
            break;
        }
    }
    if (chdir(dir.c_str()) != 0) {
        *why = "cannot enter " + dir + ": " + ErrorText(errno);
        return false;
    }
    result->path = dir;
    return true;
}

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return pw->pw_dir;
    return std::string();
}

std::string TemporaryBase() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && tmp[0] == '/' && IsDirectory(tmp)) return tmp;
    return "/tmp";
}

} // namespace

// ================================================================ 3. the rules
std::string UserDataDir(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/morvexa";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/morvexa";
    return std::string();
}

std::vector<std::string> InstalledMapPlaces(const std::string& executablePath) {
    namespace fs = std::filesystem;
    const std::string configured = std::string(MVX_INSTALLED_DATA_DIR) + "/" + MAP_NAME;
    std::vector<std::string> places;
    if (!executablePath.empty()) {
        const fs::path beside =
            (fs::path(executablePath).parent_path() / MVX_BIN_TO_DATA_DIR / MAP_NAME)
                .lexically_normal();
        if (beside.string() != configured) places.push_back(beside.string());
    }
    places.push_back(configured);
    return places;
}

DataDirResult EnterDataDir(const std::vector<std::string>& installedMaps) {
    DataDirResult result;
    const std::string start = CurrentDir();
    result.path = start;
    if (IsRegularFile(MAP_NAME)) {
        result.kind = DATA_DIR_PORTABLE;
        return result;
    }

    std::string why;
    const std::string home = HomeDir();
    const std::string user = UserDataDir(std::getenv("XDG_DATA_HOME"), home.c_str());
    if (user.empty()) {
        why = "neither XDG_DATA_HOME nor HOME names a folder";
    } else if (SettleIn(user, installedMaps, &result, &why)) {
        result.kind = DATA_DIR_USER;
        if (access(user.c_str(), W_OK) != 0)
            result.warnings.push_back("morvexa: " + user +
                                      " is not writable; scores will not be saved");
        return result;
    }

    // The user folder cannot serve: play anyway, in a folder of our own that nobody keeps.
    result.mapSource.clear();
    std::string temp = TemporaryBase() + "/morvexa-XXXXXX";
    std::string tempWhy;
    const bool made = mkdtemp(temp.data()) != nullptr;
    if (made && SettleIn(temp, installedMaps, &result, &tempWhy)) {
        result.kind = DATA_DIR_TEMPORARY;
        result.warnings.push_back("morvexa: " + why + "; playing in " + temp +
                                  ", scores will not be kept");
        return result;
    }
    if (made) rmdir(temp.c_str());
    result.kind = DATA_DIR_UNCHANGED;
    result.path = start;
    result.warnings.push_back("morvexa: " + why + "; playing in " + start);
    return result;
}

namespace {

std::string StartingDir;  // where the game was started ("" until EnterExistingDataDir)
std::string TemporaryDir; // the temporary folder played in, removed at the end

} // namespace

void EnterExistingDataDir() {
    StartingDir = CurrentDir();
    if (StartingDir.empty() || IsRegularFile(MAP_NAME)) return;
    const std::string user = UserDataDir(std::getenv("XDG_DATA_HOME"), HomeDir().c_str());
    if (!user.empty() && IsDirectory(user) && chdir(user.c_str()) != 0) return;
}

void SetUpDataDir() {
    if (!StartingDir.empty() && chdir(StartingDir.c_str()) != 0) return;
    std::string executable;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) executable = self.string();
    const DataDirResult result = EnterDataDir(InstalledMapPlaces(executable));
    if (result.kind == DATA_DIR_TEMPORARY) TemporaryDir = result.path;
    for (const std::string& line : result.warnings) std::fprintf(stderr, "%s\n", line.c_str());
}

bool DataDirIsTemporary() {
    return !TemporaryDir.empty();
}

void RemoveTemporaryDataDir() {
    if (TemporaryDir.empty()) return;
    // Leave it first; what it holds is only ours (the map copy, scores nobody keeps).
    if (StartingDir.empty() || chdir(StartingDir.c_str()) != 0)
        if (chdir("/") != 0) return; // cannot leave it: it stays
    std::error_code ec;
    std::filesystem::remove_all(TemporaryDir, ec);
    if (ec)
        std::fprintf(stderr, "morvexa: cannot remove %s: %s\n", TemporaryDir.c_str(),
                     ec.message().c_str());
    TemporaryDir.clear();
}
