// asset_files.cpp - writing one generated file into the assets folder, unless the folder's
// list of hand-made files names it.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/assetgen/assetgen.h"

bool IsHandMadeAsset(const std::string& assetsDir, const std::string& name) {
    std::ifstream list(assetsDir + "/" + HAND_MADE_LIST);
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word[0] != '#' && word == name) return true;
    }
    return false;
}

bool WriteAssetFile(const std::string& assetsDir, const std::string& name,
                    const std::vector<uint8_t>& bytes) {
    if (IsHandMadeAsset(assetsDir, name)) {
        std::printf("%-24s kept: made by hand\n", name.c_str());
        return true;
    }
    const std::string path = assetsDir + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%-24s %8zu bytes\n", name.c_str(), bytes.size());
    return true;
}
