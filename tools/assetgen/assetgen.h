// assetgen.h - the asset generator: writes every file of assets/ deterministically.
//
// Each part writes its own files into the assets folder and returns false (after printing
// why) on failure. Running the generator twice gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool GenerateArt(const std::string& assetsDir);    // pictures, glow block, rainbow strip
bool GenerateSounds(const std::string& assetsDir); // the sound effects
bool GenerateMap(const std::string& assetsDir);    // startmap.map
bool GenerateMusic(const std::string& assetsDir);  // the five XM modules

// Writes bytes to assetsDir/name; prints the name and size. False on failure.
bool WriteAssetFile(const std::string& assetsDir, const std::string& name,
                    const std::vector<uint8_t>& bytes);
