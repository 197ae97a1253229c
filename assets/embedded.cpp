// embedded.cpp - the table of files built into the executable.
//
// Each file of assets/ listed by the build (embedded_list.inc) is pulled into a read-only
// section with .incbin, between a start and an end label; the table pairs the labels with
// the file names. Lookups by name run at start-up, on the main thread.
#include "assets/assets.h"

#include <cstring>

#include "embedded_list.inc"

// A start label, the file's bytes, an end label and one zero byte (so a text asset is also
// a C string; the byte is not part of the size).
#define MVX_EMBED_FILE(index, name, path)                                                          \
    asm(".pushsection .rodata.mvx_assets,\"a\",%progbits\n"                                        \
        ".balign 16\n"                                                                             \
        ".globl mvx_asset_" #index "\n"                                                            \
        ".hidden mvx_asset_" #index "\n"                                                           \
        "mvx_asset_" #index ":\n"                                                                  \
        ".incbin \"" path "\"\n"                                                                   \
        ".globl mvx_asset_end_" #index "\n"                                                        \
        ".hidden mvx_asset_end_" #index "\n"                                                       \
        "mvx_asset_end_" #index ":\n"                                                              \
        ".byte 0\n"                                                                                \
        ".popsection\n");                                                                          \
    extern "C" const uint8_t mvx_asset_##index[];                                                  \
    extern "C" const uint8_t mvx_asset_end_##index[];

MVX_ASSET_LIST(MVX_EMBED_FILE)

namespace {

struct EmbeddedSpan {
    const char* name;
    const uint8_t* begin;
    const uint8_t* end;
};

#define MVX_SPAN_ROW(index, name, path) {name, mvx_asset_##index, mvx_asset_end_##index},

// The last row only keeps the array from being empty when assets/ holds nothing yet.
const EmbeddedSpan EMBEDDED_SPANS[] = {MVX_ASSET_LIST(MVX_SPAN_ROW){nullptr, nullptr, nullptr}};
constexpr size_t EMBEDDED_COUNT = sizeof EMBEDDED_SPANS / sizeof EMBEDDED_SPANS[0] - 1;

// The sizes are label differences, known only once the program is linked.
const EmbeddedAsset* Table() {
    static EmbeddedAsset table[EMBEDDED_COUNT + 1];
    static const bool made = [] {
        for (size_t i = 0; i < EMBEDDED_COUNT; i++) {
            const EmbeddedSpan& s = EMBEDDED_SPANS[i];
            table[i] = {s.name, s.begin, size_t(s.end - s.begin)};
        }
        return true;
    }();
    (void)made;
    return table;
}

} // namespace

const EmbeddedAsset* EmbeddedAssets(size_t* count) {
    *count = EMBEDDED_COUNT;
    return Table();
}

const EmbeddedAsset* FindEmbeddedAsset(const char* name) {
    if (!name) return nullptr;
    const EmbeddedAsset* table = Table();
    for (size_t i = 0; i < EMBEDDED_COUNT; i++) {
        if (std::strcmp(table[i].name, name) == 0) return &table[i];
    }
    return nullptr;
}
