// embedded.cpp - the table of embedded assets (empty until the content pipeline lands).
#include "assets/assets.h"

#include <cstring>

const EmbeddedAsset* EmbeddedAssets(size_t* count) {
    *count = 0;
    return nullptr;
}

const EmbeddedAsset* FindEmbeddedAsset(const char* name) {
    (void)name;
    return nullptr;
}
