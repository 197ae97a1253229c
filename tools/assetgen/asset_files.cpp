// asset_files.cpp - writing one generated file into the assets folder.
#include <cstdio>
#include <fstream>

#include "tools/assetgen/assetgen.h"

bool WriteAssetFile(const std::string& assetsDir, const std::string& name,
                    const std::vector<uint8_t>& bytes) {
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
