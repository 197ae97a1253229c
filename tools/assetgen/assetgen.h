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

// The list in the assets folder of files replaced by hand: one file name a line, "#" starts
// a comment. The generator leaves them alone and the byte test skips them.
constexpr const char* HAND_MADE_LIST = "hand-made.txt";
bool IsHandMadeAsset(const std::string& assetsDir, const std::string& name);

// Writes bytes to assetsDir/name, unless the name is on the hand-made list; prints the name
// and size. False on failure.
bool WriteAssetFile(const std::string& assetsDir, const std::string& name,
                    const std::vector<uint8_t>& bytes);
