// placeholder_sounds.cpp - stands in until the sounds generator lands (its owner deletes this file).
#include "tools/assetgen/assetgen.h"

bool GenerateSounds(const std::string&) { return true; }
